#pragma once

#include <QByteArrayView>
#include <QIcon>
#include <QImage>

namespace qw {

// Looks up the program's compiled resources by type and id, the way a module's resource
// section is searched. Every loader returns an empty value when the resource is missing or
// cannot be decoded.
//
// A picture can also be drawn at twice its size, for screens of twice the pixel density;
// `scale` 2 asks for that drawing, and there is none unless res/images has one.
class ResourceStore {
public:
    static QByteArrayView Find(const char *type, int id, int scale = 1);

    // A bitmap resource, at its own size and depth (indexed pictures keep their palette).
    static QImage LoadBitmap(int id, int scale = 1);
    // An icon resource, with its mask as transparency, at its own size and, when it has a
    // drawing at twice the size, at that size too: a painter on a screen of twice the density
    // takes that one.
    static QIcon LoadIcon(int id);
    static QImage LoadIconImage(int id, int scale = 1);
};

} // namespace qw
