#include "DialogUnits.h"

#include <QFontMetrics>

#include <cstdint>
#include <cstdlib>

namespace qw {

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const std::int64_t product = std::int64_t(a) * b;
    const std::int64_t half = std::abs(std::int64_t(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::abs(product) + half) / std::abs(std::int64_t(c));
    return int(negative ? -magnitude : magnitude);
}

DialogUnits DialogUnits::ForFont(const QFont &font)
{
    // The average width is taken over the 52 letters, rounded, as dialog managers do.
    const QFontMetrics metrics(font);
    const int letters
        = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogUnits((letters / 26 + 1) / 2, metrics.height());
}

int DialogUnits::ToPixelsX(int units) const
{
    return MulDiv(units, baseX_, 4);
}

int DialogUnits::ToPixelsY(int units) const
{
    return MulDiv(units, baseY_, 8);
}

QRect DialogUnits::ToPixels(const QRect &units) const
{
    return {ToPixelsX(units.x()), ToPixelsY(units.y()), ToPixelsX(units.width()), ToPixelsY(units.height())};
}

QSize DialogUnits::ToPixels(const QSize &units) const
{
    return {ToPixelsX(units.width()), ToPixelsY(units.height())};
}

} // namespace qw
