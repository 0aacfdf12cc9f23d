#pragma once

#include <cstddef>
#include <span>

namespace qw {

// One compiled resource: its type ("MENU", "TOOLBAR", "BITMAP", "ICON"), id and bytes in the
// standard layout of that type. A picture may come twice under one type and id: drawn at its
// own size (scale 1) and drawn again at twice that size (scale 2), for screens of twice the
// pixel density.
struct ResourceEntry {
    const char *type;
    int id;
    int scale;
    const unsigned char *data;
    std::size_t size;
};

// Every resource of the program, compiled at build time from the sources in res/.
std::span<const ResourceEntry> ResourceTable();

} // namespace qw
