#include "MenuAdapter.h"

#include "res/MenuTemplate.h"

#include <QAction>
#include <QMenu>

namespace qw {

namespace {

constexpr const char *kCommandProperty = "commandId";
constexpr const char *kFlagsProperty = "menuFlags";
constexpr const char *kItemDataProperty = "itemData";
constexpr unsigned kStateFlags = MenuFlag::Grayed | MenuFlag::Disabled | MenuFlag::Checked | MenuFlag::OwnerDraw;

// Gives `action` what the flags and values describe; the action stays where it is.
void shape(QAction *action, unsigned flags, quintptr idOrPopup, const QString &text, void *itemData)
{
    if (flags & MenuFlag::Popup) {
        auto *popup = reinterpret_cast<QMenu *>(idOrPopup);
        if (action->menu() != popup)
            action->setMenu(popup);
        action->setProperty(kCommandProperty, 0);
    } else {
        if (action->menu())
            action->setMenu(static_cast<QMenu *>(nullptr));
        action->setProperty(kCommandProperty, (flags & MenuFlag::Separator) ? 0 : int(idOrPopup));
    }
    action->setSeparator(flags & MenuFlag::Separator);
    action->setText(text);
    action->setProperty(kItemDataProperty,
                        QVariant::fromValue(quintptr((flags & MenuFlag::OwnerDraw) ? itemData : nullptr)));
    MenuAdapter::SetFlags(action, flags);
}

QAction *resolve(const QWidget *menu, int idOrPosition, unsigned flags)
{
    if (flags & MenuFlag::ByPosition)
        return MenuAdapter::ActionAt(menu, idOrPosition);
    return MenuAdapter::FindCommand(menu, idOrPosition);
}

} // namespace

int MenuAdapter::ItemCount(const QWidget *menu)
{
    return menu ? int(menu->actions().size()) : 0;
}

QAction *MenuAdapter::ActionAt(const QWidget *menu, int position)
{
    if (!menu || position < 0 || position >= ItemCount(menu))
        return nullptr;
    return menu->actions().at(position);
}

QMenu *MenuAdapter::SubMenuAt(const QWidget *menu, int position)
{
    const QAction *action = ActionAt(menu, position);
    return action ? action->menu() : nullptr;
}

int MenuAdapter::CommandIdOf(const QAction *action)
{
    return action ? action->property(kCommandProperty).toInt() : 0;
}

int MenuAdapter::PositionOf(const QWidget *menu, int commandId)
{
    if (!menu || commandId == 0)
        return -1;
    const auto actions = menu->actions();
    for (int i = 0; i < actions.size(); ++i)
        if (!actions[i]->menu() && CommandIdOf(actions[i]) == commandId)
            return i;
    return -1;
}

QAction *MenuAdapter::FindCommand(const QWidget *menu, int commandId)
{
    if (!menu || commandId == 0)
        return nullptr;
    for (QAction *action : menu->actions()) {
        if (QMenu *popup = action->menu()) {
            if (QAction *found = FindCommand(popup, commandId))
                return found;
        } else if (CommandIdOf(action) == commandId) {
            return action;
        }
    }
    return nullptr;
}

bool MenuAdapter::AppendMenu(QWidget *menu, unsigned flags, quintptr idOrPopup, const QString &text, void *itemData)
{
    if (!menu || ((flags & MenuFlag::Popup) && !idOrPopup))
        return false;
    QAction *action
        = (flags & MenuFlag::Popup) ? reinterpret_cast<QMenu *>(idOrPopup)->menuAction() : new QAction(menu);
    shape(action, flags, idOrPopup, text, itemData);
    menu->addAction(action);
    return true;
}

bool MenuAdapter::ModifyMenu(QWidget *menu, int idOrPosition, unsigned flags, quintptr idOrPopup, const QString &text,
                             void *itemData)
{
    QAction *action = resolve(menu, idOrPosition, flags);
    if (!action || ((flags & MenuFlag::Popup) && !idOrPopup))
        return false;
    shape(action, flags, idOrPopup, text, itemData);
    return true;
}

QString MenuAdapter::MenuString(const QWidget *menu, int idOrPosition, unsigned byFlags, int maxChars)
{
    const QAction *action = resolve(menu, idOrPosition, byFlags);
    if (!action || action->isSeparator() || (FlagsOf(action) & MenuFlag::OwnerDraw))
        return {};
    return maxChars < 0 ? action->text() : action->text().left(maxChars);
}

int MenuAdapter::ItemIdAt(const QWidget *menu, int position)
{
    const QAction *action = ActionAt(menu, position);
    if (!action || action->menu())
        return -1;
    return CommandIdOf(action);
}

void *MenuAdapter::ItemData(const QAction *action)
{
    return action ? reinterpret_cast<void *>(action->property(kItemDataProperty).value<quintptr>()) : nullptr;
}

QAction *MenuAdapter::MakeCommand(QWidget *menu, const QString &text, int commandId, unsigned flags)
{
    return InsertCommand(menu, ItemCount(menu), text, commandId, flags);
}

QAction *MenuAdapter::InsertCommand(QWidget *menu, int position, const QString &text, int commandId, unsigned flags)
{
    auto *action = new QAction(text, menu);
    action->setProperty(kCommandProperty, commandId);
    SetFlags(action, flags);
    menu->insertAction(ActionAt(menu, position), action);
    return action;
}

unsigned MenuAdapter::FlagsOf(const QAction *action)
{
    if (!action)
        return NotFound;
    unsigned flags = action->property(kFlagsProperty).toUInt() & kStateFlags;
    if (action->isSeparator())
        flags |= MenuFlag::Separator;
    if (action->menu())
        flags |= MenuFlag::Popup;
    return flags;
}

void MenuAdapter::SetFlags(QAction *action, unsigned flags)
{
    flags &= kStateFlags;
    action->setProperty(kFlagsProperty, flags);
    action->setEnabled(!(flags & (MenuFlag::Grayed | MenuFlag::Disabled)));
    action->setCheckable(flags & MenuFlag::Checked);
    action->setChecked(flags & MenuFlag::Checked);
}

unsigned MenuAdapter::EnableItem(QWidget *menu, int idOrPosition, unsigned flags)
{
    QAction *action = resolve(menu, idOrPosition, flags);
    if (!action)
        return NotFound;
    const unsigned previous = FlagsOf(action) & (MenuFlag::Grayed | MenuFlag::Disabled);
    const unsigned enabling = MenuFlag::Grayed | MenuFlag::Disabled;
    SetFlags(action, (FlagsOf(action) & ~enabling) | (flags & enabling));
    return previous;
}

unsigned MenuAdapter::StateOf(const QWidget *menu, int idOrPosition, unsigned byFlags)
{
    return FlagsOf(resolve(menu, idOrPosition, byFlags));
}

} // namespace qw
