#include "MenuAdapter.h"

#include "res/MenuTemplate.h"

#include <QAction>
#include <QMenu>

namespace qw {

namespace {

constexpr const char *kCommandProperty = "commandId";
constexpr const char *kFlagsProperty = "menuFlags";
constexpr unsigned kStateFlags = MenuFlag::Grayed | MenuFlag::Disabled | MenuFlag::Checked;

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
