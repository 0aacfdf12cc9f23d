// Measuring and drawing owner-drawn entries, in the classic and the flat look.
#include "GlyphMenu.h"

#include "BufferedMenuDC.h"
#include "GlyphProcessing.h"
#include "ImageList.h"
#include "MenuGdi.h"

#include "framework/SystemColours.h"
#include "res/MenuTemplate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include <optional>

namespace qw {

using namespace MenuGdi;

namespace {

QRgb sys(int index)
{
    return GetSysColour(index).rgb();
}

// The index of an entry's image in the shared store, or -1 when it has none.
int imageOf(const GlyphMenuItem &item)
{
    const int offset = item.sharedOffset;
    return offset >= 0 && GlyphMenu::SharedImages && offset < GlyphMenu::SharedImages->Count() ? offset : -1;
}

// Where there are twice as many device pixels, the glyph's drawing at twice the size, if any.
void drawImage(QPainter &dc, int index, int x, int y)
{
    const QImage twice = dc.device() && dc.device()->devicePixelRatio() >= 2
                             ? GlyphMenu::SharedImages->GetDoubleSizeIcon(index)
                             : QImage();
    dc.drawImage(QPoint(x, y), twice.isNull() ? GlyphMenu::SharedImages->GetIcon(index) : twice);
}

enum class Glyph { None, Disabled, Selected, Normal };

Glyph glyphCase(int image, bool selected, bool disabled)
{
    if (image < 0)
        return Glyph::None;
    if (disabled)
        return Glyph::Disabled;
    return selected ? Glyph::Selected : Glyph::Normal;
}

// The text left of the first tab, and right of the last one; whether there was a tab.
bool splitText(const QString &text, QString &left, QString &right)
{
    const qsizetype first = text.indexOf(QLatin1Char('\t'));
    left = first < 0 ? text : text.left(first);
    right = first < 0 ? QString() : text.mid(text.lastIndexOf(QLatin1Char('\t')) + 1);
    return first >= 0;
}

void drawTextParts(QPainter &dc, int l, int t, int r, int b, const QString &left, const QString &right, QRgb colour)
{
    DrawMenuText(dc, l, t, r, b, left, false, colour);
    DrawMenuText(dc, l, t, r, b, right, true, colour);
}

} // namespace

QFont GlyphMenu::MenuFont()
{
    return QApplication::font("QMenu");
}

int GlyphMenu::MenuLineHeight()
{
    // A menu bar line: the menu font's height with the platform's room above and below.
    return QFontMetrics(MenuFont()).height() + 6;
}

void GlyphMenu::MeasureItem(MeasureItemStruct &measure) const
{
    const GlyphMenuItem *item = measure.itemData;
    if (!item)
        return;
    const MenuLook &look = Look();
    const int W = look.iconWidth, H = look.iconHeight;
    const bool flat = look.UsesFlatLook();
    const int pad = (flat && MenuLook::flatGlyphVariants) ? 7 : 4;
    if (item->menuFlags & MenuFlag::Separator) {
        measure.itemWidth = 0;
        measure.itemHeight = flat ? 3 : qMax(MenuLineHeight() >> 1, (H + pad) / 2);
        return;
    }
    const QFontMetrics metrics(look.HasModernShell() ? MenuFont() : QApplication::font());
    int textWidth = metrics.horizontalAdvance(item->text);
    int height = qMax(MenuLineHeight(), H + pad);
    if (look.platformCode == 0 && !item->text.isEmpty()) {
        const QRect drawn = metrics.boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic, item->text);
        textWidth = drawn.width() + 3;
        textWidth += 3 * (textWidth / int(item->text.size()));
        height = drawn.height();
    }
    measure.itemWidth = flat ? textWidth + W + pad + 8 : textWidth + 2 * W + 1;
    measure.itemHeight = height;
}

void GlyphMenu::DrawItem(const DrawItemStruct &draw) const
{
    if (!draw.dc || !draw.itemData)
        return;
    // Qt draws on no palette device, so only the look in force decides.
    const MenuLook &look = Look();
    if (look.UsesFlatLook())
        DrawFlatItem(draw, look);
    else
        DrawClassicItem(draw, look);
}

void GlyphMenu::DrawClassicItem(const DrawItemStruct &draw, const MenuLook &look) const
{
    QPainter &dc = *draw.dc;
    const GlyphMenuItem &item = *draw.itemData;
    const int W = look.iconWidth, H = look.iconHeight;
    const int L = draw.itemRect.left(), T = draw.itemRect.top();
    const int R = L + draw.itemRect.width(), B = T + draw.itemRect.height();
    const QRgb bg = sys(look.IsThemedXP() ? SysColour::BtnFace : SysColour::Menu);
    const bool disabled = draw.itemState & ItemState::Grayed;
    const bool checked = draw.itemState & ItemState::Checked;
    bool selected = draw.itemState & ItemState::Selected;
    if (disabled && selected && !MenuLook::classicSelectDisabled)
        selected = false;

    if (item.menuFlags & MenuFlag::Separator) {
        FillSolidRect(dc, L, T, R, B, bg);
        DrawEtchedTop(dc, L, T + ((B - T) >> 1), R, B);
        return;
    }

    QRgb textColour = sys(SysColour::MenuText);
    const int image = imageOf(item);
    const Glyph glyph = glyphCase(image, selected, disabled);
    if (!selected) {
        FillSolidRect(dc, L, T, R, B, bg);
        FrameRect(dc, L, T, R, B, bg);
    } else {
        FillSolidRect(dc, (image >= 0 || checked) ? L + W + 5 : L, T, R, B, sys(SysColour::Highlight));
        textColour = sys(SysColour::HighlightText);
    }

    const int dy = qMax((B - T - H - 4) / 2, 0);
    const int cellL = L, cellT = T + dy, cellR = L + W + 4, cellB = T + dy + H + 4;
    const int gx = L + 2, gy = T + dy + 2;
    if (image >= 0) {
        FrameRect(dc, L + 1, T + dy + 1, L + W + 3, T + dy + H + 3, bg);
        switch (glyph) {
        case Glyph::Disabled: {
            QImage bitmap;
            RenderImageToBitmap(*SharedImages, image, bitmap, look);
            FrameRect(dc, cellL, cellT, cellR, cellB, bg);
            if (look.nonPaletteGlyphsSeen)
                DrawTintedGlyph(dc, gx, gy, W, H, bitmap, bg);
            else
                DrawEmbossedGlyph(dc, gx, gy, W, H, bitmap, 0, 0, bg);
            break;
        }
        case Glyph::Selected:
            FillSolidRect(dc, L + 1, T + dy + 1, L + W + 3, T + dy + H + 3, bg);
            if (look.HasModernShell()) {
                if (checked)
                    DrawSunkenOuter(dc, cellL, cellT, cellR, cellB);
                else
                    DrawRaisedOuter(dc, cellL, cellT, cellR, cellB);
            }
            drawImage(dc, image, gx, gy);
            break;
        case Glyph::Normal:
            if (checked) {
                FillSolidRect(dc, L + 1, T + dy + 1, L + W + 3, T + dy + H + 3, BlendTowardWhite(bg, 0.6));
                if (look.HasModernShell())
                    DrawSunkenOuter(dc, cellL, cellT, cellR, cellB);
            } else {
                FillSolidRect(dc, L + 1, T + dy + 1, L + W + 3, T + dy + H + 3, bg);
                FrameRect(dc, cellL, cellT, cellR, cellB, bg);
            }
            drawImage(dc, image, gx, gy);
            break;
        case Glyph::None: break;
        }
    } else if (checked) {
        // The program's menus never carry check-mark bitmaps of their own, so the mark is a tick.
        DrawClassicCheck(dc, QRect(QPoint(L + 1, T + dy + 2), QPoint(L + W, T + dy + H + 1)), selected, false, look);
    }

    QString left, right;
    int textR = R;
    if (splitText(item.text, left, right))
        textR -= W;
    const int textL = L + W + 9, textT = T - 1, textB = B - 1;
    if (!disabled) {
        drawTextParts(dc, textL, textT, textR, textB, left, right, textColour);
    } else if (selected) {
        drawTextParts(dc, textL, textT, textR, textB, left, right, bg);
    } else {
        // Engraved: a highlight copy one pixel down and right under the grey text.
        drawTextParts(dc, textL + 1, textT + 1, textR + 1, textB + 1, left, right, sys(SysColour::BtnHighlight));
        drawTextParts(dc, textL, textT, textR, textB, left, right, sys(SysColour::GrayText));
    }
}

void GlyphMenu::DrawClassicCheck(QPainter &dc, const QRect &cell, bool selected, bool radio, const MenuLook &look)
{
    QRgb colour = sys(look.IsThemedXP() ? SysColour::BtnFace : SysColour::Menu);
    if (!selected)
        colour = BlendTowardWhite(colour, 0.6);
    const int l = cell.left(), t = cell.top(), r = l + cell.width(), b = t + cell.height();
    FillSolidRect(dc, l, t, r, b, colour);
    if (look.HasModernShell())
        DrawSunkenOuter(dc, l, t, r, b);
    const QRgb mark = sys(SysColour::MenuText);
    if (radio)
        PaintRadioDot(dc, l + 5, t + 4, mark);
    else
        PaintCheckTick(dc, l + 4, t + 4, mark, false);
}

void GlyphMenu::DrawFlatItem(const DrawItemStruct &draw, const MenuLook &look) const
{
    const GlyphMenuItem &item = *draw.itemData;
    const int W = look.iconWidth, H = look.iconHeight;
    const int L = draw.itemRect.left(), T = draw.itemRect.top();
    const int R = L + draw.itemRect.width(), B = T + draw.itemRect.height();
    QRgb column = sys(SysColour::BtnFace);
    if (!look.IsThemedXP())
        column = BlendTowardWhite(column, 0.25);
    const QRgb background = ScaleTowardBlack(sys(SysColour::Window), 0.02);
    const QRgb frame = sys(SysColour::Highlight);
    const QRgb fill = BlendTowardWhite(frame, look.IsThemedXP() ? 0.7 : 0.85);
    const int pad = MenuLook::flatGlyphVariants ? 7 : 4;
    const int CW = pad + W;
    const bool disabled = draw.itemState & ItemState::Grayed;
    const bool checked = draw.itemState & ItemState::Checked;
    bool selected = draw.itemState & ItemState::Selected;

    // A disabled entry is never shown selected, and is drawn off-screen in one block.
    std::optional<BufferedMenuDC> buffer;
    QPainter *target = draw.dc;
    if (disabled && !MenuLook::flatSelectDisabled) {
        selected = false;
        buffer.emplace(*draw.dc, QRect(QPoint(L, T), QPoint(R - 1, B - 1)));
        target = &buffer->dc();
        target->setFont(MenuFont());
    }
    QPainter &dc = *target;

    if (item.menuFlags & MenuFlag::Separator) {
        FillSolidRect(dc, L, T, R, B, background);
        DrawEtchedTop(dc, L + CW + pad, T + (B - T) / 2, R, B);
        FillSolidRect(dc, L, T, L + CW, B, column);
        FrameRect(dc, L, T, L + CW, B, column);
        return;
    }

    const int image = imageOf(item);
    const bool variants = image >= 0 && MenuLook::flatGlyphVariants && HasVariantSet(image);
    const Glyph glyph = glyphCase(image, selected, disabled);
    if (!selected) {
        FillSolidRect(dc, L, T, R, B, background);
        FillSolidRect(dc, L, T, L + CW, B, column);
        FrameRect(dc, L, T, R, B, background);
        FrameRect(dc, L, T, L + CW, B, column);
    } else {
        FillSolidRect(dc, L, T, R, B, fill);
        FrameRect(dc, L, T, R, B, frame);
    }

    const int cellL = L + 1, cellT = T + 1, cellR = L + CW - 2, cellB = B - 1;
    const int gx = L + qMax((CW - W + 1) / 2, 0), gy = T + qMax((B - T - H + 1) / 2, 0);
    switch (glyph) {
    case Glyph::Disabled:
        if (variants) {
            drawImage(dc, image + 3, gx, gy);
        } else {
            QImage bitmap;
            RenderImageToBitmap(*SharedImages, image, bitmap, look);
            DrawEmbossedGlyph(dc, gx, gy, W, H, bitmap, 0, 0, column);
        }
        break;
    case Glyph::Selected:
        if (checked) {
            FillSolidRect(dc, cellL, cellT, cellR, cellB, BlendTowardWhite(frame, 0.55));
            FrameRect(dc, cellL, cellT, cellR, cellB, frame);
            drawImage(dc, image, gx - 1, gy - 1);
        } else {
            FillSolidRect(dc, cellL, cellT, cellR, cellB, fill);
            if (variants) {
                // The glyph seems to lift off its own shadow.
                drawImage(dc, image + 2, gx + 1, gy + 1);
                drawImage(dc, image, gx - 1, gy - 1);
            } else {
                drawImage(dc, image, gx, gy);
            }
        }
        break;
    case Glyph::Normal:
        if (checked) {
            FillSolidRect(dc, cellL, cellT, cellR, cellB, BlendTowardWhite(frame, 0.85));
            FrameRect(dc, cellL, cellT, cellR, cellB, frame);
            drawImage(dc, image, gx - 1, gy - 1);
        } else {
            FillSolidRect(dc, cellL, cellT, cellR, cellB, column);
            FrameRect(dc, cellL, cellT, cellR, cellB, column);
            drawImage(dc, variants ? image + 1 : image, gx, gy);
        }
        break;
    case Glyph::None:
        if (checked)
            DrawFlatCheck(dc, QRect(QPoint(cellL, cellT), QPoint(cellR - 1, cellB - 1)), false, frame, selected);
        break;
    }

    QString left, right;
    int textR = R;
    if (splitText(item.text, left, right))
        textR -= W;
    QRgb textColour = sys(SysColour::MenuText);
    if (disabled) {
        textColour = sys(SysColour::GrayText);
        if (!look.IsThemedXP() && !selected)
            textColour = BlendTowardWhite(textColour, 0.4);
    }
    drawTextParts(dc, L + CW + 8, T - 1, textR, B - 1, left, right, textColour);
}

void GlyphMenu::DrawFlatCheck(QPainter &dc, const QRect &cell, bool radio, QRgb frame, bool selected)
{
    const int l = cell.left(), t = cell.top(), r = l + cell.width(), b = t + cell.height();
    FillSolidRect(dc, l, t, r, b, BlendTowardWhite(frame, selected ? 0.55 : 0.85));
    FrameRect(dc, l, t, r, b, frame);
    const int ox = cell.width() < 6 ? 0 : cell.width() / 2 - 3;
    const int oy = cell.height() < 6 ? 0 : cell.height() / 2 - 3;
    const QRgb mark = sys(SysColour::MenuText);
    if (radio)
        PaintRadioDot(dc, l + ox, t + oy, mark);
    else
        PaintCheckTick(dc, l + ox, t + oy, mark, true);
}

} // namespace qw
