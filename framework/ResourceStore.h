#pragma once

#include <QByteArrayView>
#include <QIcon>
#include <QImage>

namespace qw {

// Looks up the program's compiled resources by type and id, the way a module's resource
// section is searched. Every loader returns an empty value when the resource is missing or
// cannot be decoded.
class ResourceStore {
public:
    static QByteArrayView Find(const char *type, int id);

    // A bitmap resource, at its own size and depth (indexed pictures keep their palette).
    static QImage LoadBitmap(int id);
    // An icon resource, with its mask as transparency.
    static QIcon LoadIcon(int id);
    static QImage LoadIconImage(int id);
};

} // namespace qw
