#include "MenuGdi.h"

#include "framework/SystemColours.h"

#include <QPainter>

namespace qw::MenuGdi {

void FillSolidRect(QPainter &dc, int l, int t, int r, int b, QRgb colour)
{
    if (r > l && b > t)
        dc.fillRect(QRect(l, t, r - l, b - t), QColor::fromRgb(colour));
}

void Draw3dRect(QPainter &dc, int l, int t, int r, int b, QRgb topLeft, QRgb bottomRight)
{
    const int cx = r - l;
    const int cy = b - t;
    FillSolidRect(dc, l, t, l + cx - 1, t + 1, topLeft);
    FillSolidRect(dc, l, t, l + 1, t + cy - 1, topLeft);
    FillSolidRect(dc, l + cx - 1, t, l + cx, t + cy, bottomRight);
    FillSolidRect(dc, l, t + cy - 1, l + cx, t + cy, bottomRight);
}

void DrawEtchedTop(QPainter &dc, int l, int t, int r, int /*b*/)
{
    FillSolidRect(dc, l, t, r, t + 1, GetSysColour(SysColour::BtnShadow).rgb());
    FillSolidRect(dc, l, t + 1, r, t + 2, GetSysColour(SysColour::BtnHighlight).rgb());
}

void DrawSunkenOuter(QPainter &dc, int l, int t, int r, int b)
{
    Draw3dRect(dc, l, t, r, b, GetSysColour(SysColour::BtnShadow).rgb(), GetSysColour(SysColour::BtnHighlight).rgb());
}

void DrawMenuText(QPainter &dc, int l, int t, int r, int b, const QString &text, bool alignRight, QRgb colour)
{
    if (text.isEmpty() || r <= l)
        return;
    dc.save();
    dc.setPen(QColor::fromRgb(colour));
    dc.drawText(QRect(l, t, r - l, b - t),
                int(Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::AlignVCenter
                    | (alignRight ? Qt::AlignRight : Qt::AlignLeft)),
                text);
    dc.restore();
}

} // namespace qw::MenuGdi
