#include "GlyphProcessing.h"

#include "ImageList.h"

#include "framework/Bevel.h"
#include "framework/ResourceStore.h"
#include "framework/SystemColours.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <array>
#include <utility>

namespace qw {

namespace {

constexpr QRgb kSilver = qRgb(192, 192, 192);

QRgb sysColour(int index)
{
    return GetSysColour(index).rgb();
}

QRgb mapChannels(QRgb colour, double factor, int (*channel)(int, double))
{
    if (factor <= 0 || factor > 1)
        return colour;
    return qRgba(channel(qRed(colour), factor), channel(qGreen(colour), factor), channel(qBlue(colour), factor),
                 qAlpha(colour));
}

// setPixel() takes a palette index on indexed pictures and a grey level on grey ones, so such
// glyphs are widened to the screen's format before any colour is written into them.
void widenToColour(QImage &glyph)
{
    const QPixelFormat::ColorModel model = glyph.pixelFormat().colorModel();
    if (!glyph.isNull() && model != QPixelFormat::RGB && model != QPixelFormat::BGR)
        glyph = glyph.convertToFormat(QImage::Format_RGB32);
}

// The value `colour` has once stored in the glyph's format: a format that cannot hold the
// colour exactly rounds it, and a glyph pixel painted in that colour reads back rounded too.
QRgb storedValue(const QImage &glyph, QRgb colour)
{
    QImage scratch(2, 2, glyph.format());
    scratch.fill(QColor::fromRgb(colour));
    return scratch.pixel(1, 1);
}

// Visits the glyph column by column and writes back what `change` makes of each pixel;
// `change` is told whether the pixel is exactly the reference colour.
template <typename Change> void transformPixels(QImage &glyph, QRgb referenceColour, Change change)
{
    widenToColour(glyph);
    if (glyph.isNull())
        return;
    const QRgb reference = storedValue(glyph, referenceColour);
    for (int x = 0; x < glyph.width(); ++x) {
        for (int y = 0; y < glyph.height(); ++y) {
            const QRgb pixel = glyph.pixel(x, y);
            const QRgb changed = change(pixel, pixel == reference);
            if (changed != pixel)
                glyph.setPixel(x, y, changed);
        }
    }
}

QRgb shadowColour(const MenuLook &look)
{
    const QRgb shadow = sysColour(SysColour::BtnShadow);
    return look.IsThemedXP() ? shadow : BlendTowardWhite(shadow, 0.49);
}

quint32 colourCount(int bitCount, quint32 usedColours)
{
    if (usedColours != 0)
        return usedColours;
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

QImage decodeBmp(QByteArray file)
{
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    const QImage image = reader.read();
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
}

// Copies `source` (0, 0, w, h) to (x, y) of the target as it is, replacing what was there.
void copyToTarget(QPainter &target, int x, int y, const QImage &source, int w, int h)
{
    target.save();
    target.setCompositionMode(QPainter::CompositionMode_Source);
    target.drawImage(QPoint(x, y), source, QRect(0, 0, w, h));
    target.restore();
}

// The dark pixels of the w by h area of `glyph` from (sx, sy): those neither button face nor
// highlight. Outside the glyph there is nothing dark.
QImage darkPixels(const QImage &glyph, int sx, int sy, int w, int h)
{
    const QRgb face = storedValue(glyph, sysColour(SysColour::BtnFace));
    const QRgb highlight = storedValue(glyph, sysColour(SysColour::BtnHighlight));
    return Bevel::ShapeOf(QSize(w, h), [&](int i, int j) {
        if (!glyph.valid(sx + i, sy + j))
            return false;
        const QRgb pixel = glyph.pixel(sx + i, sy + j);
        return pixel != face && pixel != highlight;
    });
}

} // namespace

QRgb BlendTowardWhite(QRgb colour, double factor)
{
    return mapChannels(colour, factor, [](int c, double f) { return int(c + f * (255 - c)); });
}

QRgb ScaleTowardBlack(QRgb colour, double factor)
{
    return mapChannels(colour, factor, [](int c, double f) { return int(c - f * c); });
}

bool AddBitmapResource(ImageList &list, int bitmapId, MenuLook &look)
{
    QImage bitmap = LoadRemappedBitmap(bitmapId);
    QImage twice = LoadRemappedBitmap(bitmapId, 2);
    if (bitmap.isNull()) {
        bitmap = ResourceStore::LoadBitmap(bitmapId);
        if (bitmap.isNull())
            return false;
        look.nonPaletteGlyphsSeen = true;
        bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
        ReplaceSilverWithFace(bitmap);
    }
    if (twice.isNull()) {
        twice = ResourceStore::LoadBitmap(bitmapId, 2).convertToFormat(QImage::Format_RGB32);
        ReplaceSilverWithFace(twice);
    }
    return list.AddMasked(bitmap, sysColour(SysColour::BtnFace), twice) >= 0;
}

QImage LoadRemappedBitmap(int bitmapId, int scale)
{
    constexpr qsizetype fileHeaderSize = 14;
    constexpr qsizetype infoHeaderSize = 40;
    constexpr int remappedColours = 16;
    const QByteArrayView file = ResourceStore::Find("BITMAP", bitmapId, scale);
    if (file.size() < fileHeaderSize + infoHeaderSize)
        return {};
    const auto *info = reinterpret_cast<const uchar *>(file.data()) + fileHeaderSize;
    const quint32 headerSize = qFromLittleEndian<quint32>(info);
    const int bitCount = qFromLittleEndian<quint16>(info + 14);
    const quint32 usedColours = qFromLittleEndian<quint32>(info + 32);
    if (colourCount(bitCount, usedColours) != remappedColours)
        return {};
    // The colour table follows the header, whose size the header gives; a file too short for
    // its table is not read past its end.
    const qsizetype table = fileHeaderSize + qsizetype(headerSize);
    if (headerSize < quint32(infoHeaderSize) || table + remappedColours * 4 > file.size())
        return {};

    const std::array<std::pair<QRgb, QRgb>, 4> remap{{
        {qRgb(0, 0, 0), sysColour(SysColour::BtnText)},
        {qRgb(128, 128, 128), sysColour(SysColour::BtnShadow)},
        {kSilver, sysColour(SysColour::BtnFace)},
        {qRgb(255, 255, 255), sysColour(SysColour::BtnHighlight)},
    }};
    QByteArray copy = file.toByteArray();
    for (int entry = 0; entry < remappedColours; ++entry) {
        // Entries are stored blue, green, red, reserved.
        char *bgr = copy.data() + table + entry * 4;
        const QRgb colour = qRgb(uchar(bgr[2]), uchar(bgr[1]), uchar(bgr[0]));
        for (const auto &[from, to] : remap) {
            if (colour == from) {
                bgr[0] = char(qBlue(to));
                bgr[1] = char(qGreen(to));
                bgr[2] = char(qRed(to));
                break;
            }
        }
    }
    return decodeBmp(std::move(copy));
}

bool RenderImageToBitmap(const ImageList &list, int index, QImage &result, const MenuLook &look)
{
    QImage bitmap(look.iconWidth, look.iconHeight, QImage::Format_RGB32);
    bitmap.fill(QColor::fromRgb(sysColour(SysColour::BtnFace)));
    const QImage icon = list.GetIcon(index);
    if (!icon.isNull()) {
        QPainter painter(&bitmap);
        painter.drawImage(bitmap.rect(), icon);
    }
    result = bitmap;
    return true;
}

QImage RenderDoubleSizeImage(const ImageList &list, int index)
{
    QImage icon = list.GetDoubleSizeIcon(index);
    if (icon.isNull())
        return {};
    icon.setDevicePixelRatio(1);
    QImage bitmap(icon.size(), QImage::Format_RGB32);
    bitmap.fill(QColor::fromRgb(sysColour(SysColour::BtnFace)));
    QPainter painter(&bitmap);
    painter.drawImage(0, 0, icon);
    return bitmap;
}

void MakeFadedGlyph(QImage &glyph)
{
    transformPixels(glyph, sysColour(SysColour::BtnFace),
                    [](QRgb pixel, bool background) { return background ? pixel : BlendTowardWhite(pixel, 0.3); });
}

void MakeShadowGlyph(QImage &glyph, const MenuLook &look)
{
    const QRgb shadow = shadowColour(look);
    transformPixels(glyph, sysColour(SysColour::BtnFace),
                    [shadow](QRgb pixel, bool background) { return background ? pixel : shadow; });
}

void MakeDisabledGlyph(QImage &glyph, QRgb background)
{
    const QRgb shadow = sysColour(SysColour::BtnShadow);
    transformPixels(glyph, sysColour(SysColour::BtnFace), [shadow, background](QRgb pixel, bool isBackground) {
        if (isBackground)
            return background == 0 ? pixel : background | ~RGB_MASK;
        const int brightness = (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
        return BlendTowardWhite(shadow, brightness / 255.0);
    });
}

void ReplaceSilverWithFace(QImage &glyph)
{
    const QRgb face = sysColour(SysColour::BtnFace);
    transformPixels(glyph, kSilver, [face](QRgb pixel, bool silver) { return silver ? face : pixel; });
}

void DrawEmbossedGlyph(QPainter &target, int x, int y, int w, int h, const QImage &glyph, int sx, int sy,
                       QRgb background)
{
    QImage source = glyph;
    widenToColour(source);
    // The glyph's own size bounds the area, as the scratch bitmap that it stands for would.
    w = qMin(w, source.width());
    h = qMin(h, source.height());
    if (source.isNull() || w <= 0 || h <= 0)
        return;
    // The background under both copies, then the engraving on it.
    const QColor surface = QColor::fromRgb(background);
    target.fillRect(QRect(x + 1, y + 1, w, h), surface);
    target.fillRect(QRect(x, y, w, h), surface);
    Bevel::DrawEmbossed(target, QPoint(x, y), darkPixels(source, sx, sy, w, h));
}

void DrawTintedGlyph(QPainter &target, int x, int y, int w, int h, QImage &glyph, QRgb background)
{
    MakeDisabledGlyph(glyph, background);
    if (!glyph.isNull() && w > 0 && h > 0)
        copyToTarget(target, x, y, glyph, w, h);
}

bool PaintCheckTick(QPainter &target, int x, int y, QRgb colour, bool narrow)
{
    if (!target.isActive())
        return false;
    // One stroke per column, each starting this far below y; the lowest in the third column.
    constexpr std::array<int, 7> strokeTops{2, 3, 4, 3, 2, 1, 0};
    const int length = narrow ? 2 : 3;
    target.save();
    target.setRenderHint(QPainter::Antialiasing, false);
    for (int column = 0; column < int(strokeTops.size()); ++column)
        target.fillRect(QRect(x + column, y + strokeTops[column], 1, length), QColor::fromRgb(colour));
    target.restore();
    return true;
}

bool PaintRadioDot(QPainter &target, int x, int y, QRgb colour)
{
    if (!target.isActive())
        return false;
    // A 6 by 6 ellipse rasterises to the full square less its four corner pixels.
    target.save();
    target.setRenderHint(QPainter::Antialiasing, false);
    target.fillRect(QRect(x + 1, y, 4, 6), QColor::fromRgb(colour));
    target.fillRect(QRect(x, y + 1, 6, 4), QColor::fromRgb(colour));
    target.restore();
    return true;
}

} // namespace qw
