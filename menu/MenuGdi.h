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
// A one-pixel frame in one colour.
void FrameRect(QPainter &dc, int l, int t, int r, int b, QRgb colour);
// An etched line along the top: shadow, then highlight below it.
void DrawEtchedTop(QPainter &dc, int l, int t, int r, int b);
// A one-pixel border around the rectangle, lit from the top left or pressed in.
void DrawRaisedOuter(QPainter &dc, int l, int t, int r, int b);
void DrawSunkenOuter(QPainter &dc, int l, int t, int r, int b);
// Single-line text, vertically centred, left- or right-aligned, the character after "&" underlined.
void DrawMenuText(QPainter &dc, int l, int t, int r, int b, const QString &text, bool alignRight, QRgb colour);

} // namespace MenuGdi

} // namespace qw
