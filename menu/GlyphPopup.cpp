#include "GlyphPopup.h"

#include "GlyphMenu.h"
#include "GlyphProcessing.h"

#include "framework/MenuAdapter.h"
#include "framework/SystemColours.h"
#include "res/MenuTemplate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace qw {

namespace {

// The platform gives an owner-drawn entry the width it asks for plus room for a check mark.
int checkMarkWidth()
{
    return QFontMetrics(GlyphMenu::MenuFont()).height();
}

// What shows around and between the entries: the entries' own background in the flat look,
// the menu colour in the classic one.
QColor panelColour()
{
    const MenuLook &look = GlyphMenu::Look();
    if (look.UsesFlatLook())
        return QColor::fromRgb(ScaleTowardBlack(GetSysColour(SysColour::Window).rgb(), 0.02));
    return GetSysColour(look.IsThemedXP() ? SysColour::BtnFace : SysColour::Menu);
}

GlyphMenuItem *recordOf(const QWidget *widget, GlyphMenu **owner)
{
    const auto *popup = qobject_cast<const GlyphPopup *>(widget);
    *owner = popup ? GlyphMenu::FromHandle(popup) : nullptr;
    return *owner ? static_cast<GlyphMenuItem *>(MenuAdapter::ItemData(popup->CurrentAction())) : nullptr;
}

// Sends the entries of the program's popups to their GlyphMenu; everything else of the menu
// (its frame, scrolling) stays the platform style's.
class GlyphMenuStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override
    {
        GlyphMenu *owner = nullptr;
        GlyphMenuItem *item = type == CT_MenuItem ? recordOf(widget, &owner) : nullptr;
        if (!item)
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        MeasureItemStruct measure{item, 0, 0};
        owner->MeasureItem(measure);
        // Every entry is as wide as the widest; Qt drops an entry whose size is empty, so a
        // separator asks for one pixel rather than none.
        const bool separator = item->menuFlags & MenuFlag::Separator;
        return {separator ? qMax(measure.itemWidth, 1) : measure.itemWidth + checkMarkWidth(), measure.itemHeight};
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        GlyphMenu *owner = nullptr;
        GlyphMenuItem *item = element == CE_MenuItem ? recordOf(widget, &owner) : nullptr;
        if (!item) {
            if (element == CE_MenuEmptyArea)
                painter->fillRect(option->rect, panelColour());
            else
                QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const auto *menuItem = static_cast<const QStyleOptionMenuItem *>(option);
        DrawItemStruct draw;
        if (option->state & State_Selected)
            draw.itemState |= ItemState::Selected;
        if (!(option->state & State_Enabled))
            draw.itemState |= ItemState::Grayed;
        if (menuItem->checked)
            draw.itemState |= ItemState::Checked;
        draw.itemRect = option->rect;
        draw.dc = painter;
        draw.hwndItem = const_cast<QWidget *>(widget);
        draw.itemID = item->commandId;
        draw.itemData = item;
        owner->DrawItem(draw);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element == PE_PanelMenu || element == PE_FrameMenu) {
            painter->fillRect(option->rect, panelColour());
            painter->setPen(GetSysColour(SysColour::BtnShadow));
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        switch (metric) {
        case PM_MenuPanelWidth: return 1;
        case PM_MenuHMargin: return 0;
        case PM_MenuVMargin: return 1;
        default: return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

QStyle *glyphMenuStyle()
{
    static QStyle *style = [] {
        auto *made = new GlyphMenuStyle;
        made->setParent(qApp);
        return made;
    }();
    return style;
}

} // namespace

GlyphPopup::GlyphPopup(QWidget *parent) : QMenu(parent)
{
    setStyle(glyphMenuStyle());
}

void GlyphPopup::initStyleOption(QStyleOptionMenuItem *option, const QAction *action) const
{
    QMenu::initStyleOption(option, action);
    current_ = action;
}

void GlyphPopup::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (text.size() == 1 && text.front().isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const quint32 match = GlyphMenu::MatchMnemonic(text.front(), MenuFlag::Popup, GlyphMenu::FromHandle(this));
        if (match != 0) {
            // The entry is chosen as Return would choose it: a command runs, a popup opens.
            setActiveAction(actions().value(int(match & 0xFFFF)));
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QMenu::keyPressEvent(&enter);
            return;
        }
    }
    QMenu::keyPressEvent(event);
}

} // namespace qw
