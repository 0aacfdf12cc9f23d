#include "ImageList.h"

namespace qw {

ImageList::ImageList(int width, int height) : width(qMax(width, 1)), height(qMax(height, 1))
{
}

QList<QImage> ImageList::cut(const QImage &bitmap, QRgb maskColour, int cellWidth, int cellHeight) const
{
    QList<QImage> cells;
    if (bitmap.isNull() || bitmap.width() < cellWidth || bitmap.height() < cellHeight)
        return cells;
    // The list keeps colours only: whatever alpha the bitmap has, the mask alone decides
    // what is transparent.
    const QImage source = bitmap.convertToFormat(QImage::Format_RGB32);
    const QRgb mask = maskColour & RGB_MASK;
    for (int left = 0; left + cellWidth <= source.width(); left += cellWidth) {
        QImage image(cellWidth, cellHeight, QImage::Format_ARGB32);
        for (int y = 0; y < cellHeight; ++y) {
            const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y)) + left;
            auto *to = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < cellWidth; ++x) {
                const QRgb colour = from[x] & RGB_MASK;
                to[x] = colour == mask ? 0 : colour | ~RGB_MASK;
            }
        }
        cells.append(image);
    }
    return cells;
}

int ImageList::AddMasked(const QImage &bitmap, QRgb maskColour, const QImage &doubleBitmap)
{
    const QList<QImage> cells = cut(bitmap, maskColour, width, height);
    if (cells.isEmpty())
        return -1;
    QList<QImage> doubleCells = cut(doubleBitmap, maskColour, 2 * width, 2 * height);
    const int first = Count();
    for (qsizetype i = 0; i < cells.size(); ++i) {
        QImage twice = doubleCells.value(i);
        twice.setDevicePixelRatio(2);
        images.append(cells.at(i));
        doubleImages.append(twice);
    }
    return first;
}

QImage ImageList::GetIcon(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return images.at(index);
}

QImage ImageList::GetDoubleSizeIcon(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return doubleImages.at(index);
}

int ImageList::ReplaceIcon(int index, const QImage &icon, const QImage &doubleIcon)
{
    if (icon.isNull() || index < -1 || index >= Count())
        return -1;
    QImage image = icon.convertToFormat(QImage::Format_ARGB32);
    if (image.size() != QSize(width, height))
        image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                    .convertToFormat(QImage::Format_ARGB32);
    // Only a drawing that covers the image's place exactly can stand in for it.
    QImage twice;
    if (doubleIcon.size() == QSize(2 * width, 2 * height)) {
        twice = doubleIcon.convertToFormat(QImage::Format_ARGB32);
        twice.setDevicePixelRatio(2);
    }
    if (index == -1) {
        images.append(image);
        doubleImages.append(twice);
        return Count() - 1;
    }
    images[index] = image;
    doubleImages[index] = twice;
    return index;
}

} // namespace qw
