#pragma once

#include <QFont>
#include <QRect>

namespace qw {

// Converts dialog units to pixels: horizontally a quarter, vertically an eighth of the dialog
// font's base units (its average character width and its height), rounded to the nearest pixel.
class DialogUnits {
public:
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) { }
    static DialogUnits ForFont(const QFont &font);

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(const QRect &units) const;
    QSize ToPixels(const QSize &units) const;

private:
    int baseX_;
    int baseY_;
};

// a * b / c rounded to the nearest integer, halves away from zero; 0 when c is 0.
int MulDiv(int a, int b, int c);

} // namespace qw
