#pragma once

#include <QRgb>
#include <QString>

class QPainter;

namespace qw {

// The few device-context operations the menu drawing uses, on a QPainter. Rectangles are
// given as left, top, right, bottom with right and bottom excluded, as the drawing code
// computes them.
namespace MenuGdi {

void FillSolidRect(QPainter &dc, int l, int t, int r, int b, QRgb colour);
// One-pixel lines: top and left in `topLeft`, bottom and right in `bottomRight`.
void Draw3dRect(QPainter &dc, int l, int t, int r, int b, QRgb topLeft, QRgb bottomRight);
inline void FrameRect(QPainter &dc, int l, int t, int r, int b, QRgb colour)
{
    Draw3dRect(dc, l, t, r, b, colour, colour);
}
// An etched line along the top: shadow, then highlight below it.
void DrawEtchedTop(QPainter &dc, int l, int t, int r, int b);
// A sunken one-pixel border around the rectangle.
void DrawSunkenOuter(QPainter &dc, int l, int t, int r, int b);
// Single-line text, vertically centred, left- or right-aligned, the character after "&" underlined.
void DrawMenuText(QPainter &dc, int l, int t, int r, int b, const QString &text, bool alignRight, QRgb colour);

} // namespace MenuGdi

} // namespace qw
