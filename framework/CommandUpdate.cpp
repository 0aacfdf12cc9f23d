#include "CommandUpdate.h"

#include "MenuAdapter.h"
#include "res/MenuTemplate.h"

#include <QAction>

namespace qw {

void CommandUpdateRecord::Enable(bool on) const
{
    MenuAdapter::EnableItem(menu, index, MenuFlag::ByPosition | (on ? 0u : MenuFlag::Grayed | MenuFlag::Disabled));
}

void CommandUpdateRecord::SetCheck(bool on) const
{
    if (QAction *action = MenuAdapter::ActionAt(menu, index)) {
        const unsigned flags = MenuAdapter::FlagsOf(action) & ~MenuFlag::Checked;
        MenuAdapter::SetFlags(action, flags | (on ? MenuFlag::Checked : 0u));
    }
}

void CommandUpdateRecord::SetText(const QString &text) const
{
    if (QAction *action = MenuAdapter::ActionAt(menu, index))
        action->setText(text);
}

} // namespace qw
