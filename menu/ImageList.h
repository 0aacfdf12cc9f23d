#pragma once

#include <QImage>
#include <QList>

namespace qw {

// A list of equally sized images with transparency, filled from bitmaps whose background
// colour serves as the mask. Every image is kept as ARGB32 of exactly Width() by Height();
// a masked pixel is fully transparent, every other pixel fully opaque.
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
    int AddMasked(const QImage &bitmap, QRgb maskColour);
    // The image at `index` with its transparency; a null image when there is none.
    QImage GetIcon(int index) const;
    // Replaces the image at `index` by `icon` (scaled to the list's size when it differs), or
    // appends it when `index` is -1. The index used, or -1 when `index` is out of range or
    // `icon` is null; the list is then unchanged.
    int ReplaceIcon(int index, const QImage &icon);

private:
    int width;
    int height;
    QList<QImage> images;
};

} // namespace qw
