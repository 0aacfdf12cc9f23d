#include "ImageList.h"

namespace qw {

ImageList::ImageList(int width, int height) : width(qMax(width, 1)), height(qMax(height, 1))
{
}

int ImageList::AddMasked(const QImage &bitmap, QRgb maskColour)
{
    if (bitmap.isNull() || bitmap.width() < width || bitmap.height() < height)
        return -1;
    // The list keeps colours only: whatever alpha the bitmap has, the mask alone decides
    // what is transparent.
    const QImage source = bitmap.convertToFormat(QImage::Format_RGB32);
    const QRgb mask = maskColour & RGB_MASK;
    const int first = Count();
    for (int left = 0; left + width <= source.width(); left += width) {
        QImage image(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y) {
            const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y)) + left;
            auto *to = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const QRgb colour = from[x] & RGB_MASK;
                to[x] = colour == mask ? 0 : colour | ~RGB_MASK;
            }
        }
        images.append(image);
    }
    return first;
}

QImage ImageList::GetIcon(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return images.at(index);
}

int ImageList::ReplaceIcon(int index, const QImage &icon)
{
    if (icon.isNull() || index < -1 || index >= Count())
        return -1;
    QImage image = icon.convertToFormat(QImage::Format_ARGB32);
    if (image.size() != QSize(width, height))
        image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                    .convertToFormat(QImage::Format_ARGB32);
    if (index == -1) {
        images.append(image);
        return Count() - 1;
    }
    images[index] = image;
    return index;
}

} // namespace qw
