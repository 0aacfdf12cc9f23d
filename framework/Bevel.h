#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

class QPainter;
class QPoint;
class QRect;

namespace qw {

// The edges of the platform's three-dimensional look, drawn the same way for the owner-drawn
// menus and the icon buttons: one-pixel outlines, raised or sunken, and the embossed look of
// a disabled picture. An empty rectangle draws nothing.
namespace Bevel {

// Top and left edges in `topLeft`, bottom and right in `bottomRight`; the top-right and
// bottom-left corner pixels take `bottomRight`.
void Draw3dRect(QPainter &painter, const QRect &rect, const QColor &topLeft, const QColor &bottomRight);
void FrameRect(QPainter &painter, const QRect &rect, const QColor &colour);
// Lit from the top left: button highlight there, button shadow at the bottom right.
void DrawRaised(QPainter &painter, const QRect &rect);
// Pressed in: button shadow at the top left, button highlight at the bottom right.
void DrawSunken(QPainter &painter, const QRect &rect);

// The monochrome shape of a `size` area: 1 where `inShape(x, y)` holds, 0 elsewhere.
template <typename InShape> QImage ShapeOf(const QSize &size, InShape inShape)
{
    QImage shape(size, QImage::Format_Mono);
    if (shape.isNull())
        return shape;
    shape.fill(0);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (inShape(x, y))
                shape.setPixel(x, y, 1);
    return shape;
}

// A disabled picture engraved into the surface: the pixels that are 1 in the monochrome
// `shape` in button highlight one pixel right of and below `at`, then in button shadow at
// `at` itself. Pixels outside the shape are left as they are. A shape with a device pixel
// ratio of 2 (drawn at twice the size) covers the same place as one of half its size.
void DrawEmbossed(QPainter &painter, const QPoint &at, const QImage &shape);

} // namespace Bevel

} // namespace qw
