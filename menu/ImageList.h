#pragma once

#include <QImage>
#include <QList>

namespace qw {

// A list of equally sized images with transparency, filled from bitmaps whose background
// colour serves as the mask. Every image is kept as ARGB32 of exactly Width() by Height();
// a masked pixel is fully transparent, every other pixel fully opaque.
//
// Beside each image the list can hold the same picture drawn at twice the size, for screens of
// twice the pixel density: given with the bitmap or icon it belongs to, masked the same way,
// and kept or replaced with it, so its index is always the image's.
class ImageList {
public:
    ImageList(int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    int Count() const { return int(images.size()); }

    // Adds `bitmap` cut into images of Width() by Height() side by side (a toolbar strip gives
    // several; a partial image at the right end is dropped, rows below Height() are ignored),
    // every pixel of exactly `maskColour` (compared as 0xRRGGBB, alpha ignored) made
    // transparent. The index of the first image added, or -1 when none was added (null bitmap,
    // narrower than Width() or shorter than Height()); the list is then unchanged.
    // `doubleBitmap` is the same strip drawn at twice the size; an image whose cell it lacks
    // has no double-size drawing.
    int AddMasked(const QImage &bitmap, QRgb maskColour, const QImage &doubleBitmap = {});
    // The image at `index` with its transparency; a null image when there is none.
    QImage GetIcon(int index) const;
    // Its drawing at twice the size (device pixel ratio 2); a null image when there is none.
    QImage GetDoubleSizeIcon(int index) const;
    // Replaces the image at `index` by `icon` (scaled to the list's size when it differs), or
    // appends it when `index` is -1; its double-size drawing becomes `doubleIcon` (none when
    // null or not twice the list's size). The index used, or -1 when `index` is out of range or
    // `icon` is null; the list is then unchanged.
    int ReplaceIcon(int index, const QImage &icon, const QImage &doubleIcon = {});

private:
    QList<QImage> cut(const QImage &bitmap, QRgb maskColour, int cellWidth, int cellHeight) const;

    int width;
    int height;
    QList<QImage> images;
    QList<QImage> doubleImages; // parallel to images
};

} // namespace qw
