#include "Bevel.h"

#include "SystemColours.h"

#include <QImage>
#include <QPainter>

namespace qw::Bevel {

namespace {

// The shape's pixels in `colour`, everything else transparent.
QImage inked(const QImage &shape, const QColor &colour)
{
    QImage ink(shape.size(), QImage::Format_ARGB32_Premultiplied);
    if (ink.isNull())
        return ink;
    // A shape drawn at twice the size keeps covering the place of the normal one.
    ink.setDevicePixelRatio(shape.devicePixelRatio());
    ink.fill(Qt::transparent);
    const QRgb pixel = qPremultiply(colour.rgba());
    for (int y = 0; y < shape.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(ink.scanLine(y));
        for (int x = 0; x < shape.width(); ++x)
            if (shape.pixelIndex(x, y) == 1)
                line[x] = pixel;
    }
    return ink;
}

} // namespace

void Draw3dRect(QPainter &painter, const QRect &rect, const QColor &topLeft, const QColor &bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const int x = rect.x(), y = rect.y(), cx = rect.width(), cy = rect.height();
    painter.fillRect(QRect(x, y, cx - 1, 1), topLeft);
    painter.fillRect(QRect(x, y, 1, cy - 1), topLeft);
    painter.fillRect(QRect(x + cx - 1, y, 1, cy), bottomRight);
    painter.fillRect(QRect(x, y + cy - 1, cx, 1), bottomRight);
}

void FrameRect(QPainter &painter, const QRect &rect, const QColor &colour)
{
    Draw3dRect(painter, rect, colour, colour);
}

void DrawRaised(QPainter &painter, const QRect &rect)
{
    Draw3dRect(painter, rect, GetSysColour(SysColour::BtnHighlight), GetSysColour(SysColour::BtnShadow));
}

void DrawSunken(QPainter &painter, const QRect &rect)
{
    Draw3dRect(painter, rect, GetSysColour(SysColour::BtnShadow), GetSysColour(SysColour::BtnHighlight));
}

void DrawEmbossed(QPainter &painter, const QPoint &at, const QImage &shape)
{
    if (shape.isNull())
        return;
    // The highlight stays visible only where the shadow copy does not cover it.
    painter.drawImage(at + QPoint(1, 1), inked(shape, GetSysColour(SysColour::BtnHighlight)));
    painter.drawImage(at, inked(shape, GetSysColour(SysColour::BtnShadow)));
}

} // namespace qw::Bevel
