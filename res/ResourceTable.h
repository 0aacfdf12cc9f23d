#pragma once

#include <cstddef>
#include <span>

namespace qw {

// One compiled resource: its type ("MENU", "TOOLBAR", "BITMAP", "ICON"), id and bytes in the
// standard layout of that type.
struct ResourceEntry {
    const char *type;
    int id;
    const unsigned char *data;
    std::size_t size;
};

// Every resource of the program, compiled at build time from the sources in res/.
std::span<const ResourceEntry> ResourceTable();

} // namespace qw
