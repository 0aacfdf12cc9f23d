#include "MenuBuilder.h"

#include "MenuAdapter.h"
#include "ResourceStore.h"

#include <QMenu>
#include <QMenuBar>

namespace qw {

namespace {

std::optional<std::vector<MenuTemplateItem>> loadTemplate(int id)
{
    const QByteArrayView bytes = ResourceStore::Find("MENU", id);
    if (bytes.isEmpty())
        return std::nullopt;
    return ParseMenuTemplate(bytes);
}

} // namespace

void MenuBuilder::AppendItems(QWidget *menu, const std::vector<MenuTemplateItem> &items)
{
    for (const MenuTemplateItem &item : items) {
        const MenuTemplateRecord &r = item.record;
        if (r.opensPopup()) {
            auto *popup = new QMenu(r.text, menu);
            AppendItems(popup, item.children);
            QAction *entry = popup->menuAction();
            MenuAdapter::SetFlags(entry, r.flags);
            menu->addAction(entry);
        } else if (r.id == 0 && r.text.isEmpty()) {
            auto *separator = new QAction(menu);
            separator->setSeparator(true);
            menu->addAction(separator);
        } else {
            MenuAdapter::MakeCommand(menu, r.text, int(r.id), r.flags);
        }
    }
}

QMenuBar *MenuBuilder::BuildMenuBar(int menuResourceId, QWidget *parent)
{
    const auto items = loadTemplate(menuResourceId);
    if (!items)
        return nullptr;
    auto *bar = new QMenuBar(parent);
    AppendItems(bar, *items);
    return bar;
}

QMenu *MenuBuilder::BuildPopupMenu(int menuResourceId, QWidget *parent)
{
    const auto items = loadTemplate(menuResourceId);
    if (!items || items->empty() || !items->front().record.opensPopup())
        return nullptr;
    auto *menu = new QMenu(items->front().record.text, parent);
    AppendItems(menu, items->front().children);
    return menu;
}

} // namespace qw
