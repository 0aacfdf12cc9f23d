#include "MenuGdi.h"

#include "framework/Bevel.h"
#include "framework/SystemColours.h"

#include <QPainter>

namespace qw::MenuGdi {

namespace {

QRect rectOf(int l, int t, int r, int b)
{
    return QRect(l, t, r - l, b - t);
}

} // namespace

void FillSolidRect(QPainter &dc, int l, int t, int r, int b, QRgb colour)
{
    if (r > l && b > t)
        dc.fillRect(QRect(l, t, r - l, b - t), QColor::fromRgb(colour));
}

void FrameRect(QPainter &dc, int l, int t, int r, int b, QRgb colour)
{
    Bevel::FrameRect(dc, rectOf(l, t, r, b), QColor::fromRgb(colour));
}

void DrawEtchedTop(QPainter &dc, int l, int t, int r, int /*b*/)
{
    FillSolidRect(dc, l, t, r, t + 1, GetSysColour(SysColour::BtnShadow).rgb());
    FillSolidRect(dc, l, t + 1, r, t + 2, GetSysColour(SysColour::BtnHighlight).rgb());
}

void DrawRaisedOuter(QPainter &dc, int l, int t, int r, int b)
{
    Bevel::DrawRaised(dc, rectOf(l, t, r, b));
}

void DrawSunkenOuter(QPainter &dc, int l, int t, int r, int b)
{
    Bevel::DrawSunken(dc, rectOf(l, t, r, b));
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
