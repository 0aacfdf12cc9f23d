#include "MenuTracker.h"

#include "MenuAdapter.h"

#include <QMenu>

namespace qw {

namespace {
MenuTracker::Responder &responder()
{
    static MenuTracker::Responder instance;
    return instance;
}
} // namespace

void MenuTracker::SetResponder(Responder r)
{
    responder() = std::move(r);
}

int MenuTracker::Track(QMenu *menu, QPoint position)
{
    if (!menu)
        return 0;
    if (responder())
        return responder()(menu, position);
    return MenuAdapter::CommandIdOf(menu->exec(position));
}

} // namespace qw
