// The GlyphMenu object: building menus from templates, adding and changing entries, and
// keeping the records in step with the live menu.
#include "GlyphMenu.h"

#include "GlyphPopup.h"
#include "GlyphProcessing.h"
#include "ImageList.h"

#include "framework/MenuAdapter.h"
#include "framework/ResourceStore.h"
#include "res/MenuTemplate.h"
#include "res/MenuTexts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QMenu>
#include <QMenuBar>

namespace qw {

namespace {

using namespace MenuFlag;

// The longest text the platform's menus hand out: a buffer of 256 characters.
constexpr int kMenuStringMax = 255;
constexpr quint32 kExecute = 2;

// The object that wraps each menu, as the framework finds it from a handle.
QHash<const QWidget *, GlyphMenu *> &attachedObjects()
{
    static QHash<const QWidget *, GlyphMenu *> objects;
    return objects;
}

bool visited(const QWidget *menu, int position, const QList<GlyphMenu::Handle> &menus, const QList<int> &positions)
{
    for (int i = 0; i < menus.size(); ++i)
        if (menus.at(i) == menu && positions.at(i) == position)
            return true;
    return false;
}

GlyphMenu::Handle locate(GlyphMenu::Handle menu, quintptr commandId, int &position,
                         const QList<GlyphMenu::Handle> &menus, const QList<int> &positions)
{
    for (int p = 0; p < MenuAdapter::ItemCount(menu); ++p) {
        if (QMenu *popup = MenuAdapter::SubMenuAt(menu, p)) {
            if (GlyphMenu::Handle found = locate(popup, commandId, position, menus, positions))
                return found;
        } else if (quintptr(MenuAdapter::ItemIdAt(menu, p)) == commandId && !visited(menu, p, menus, positions)) {
            position = p;
            return menu;
        }
    }
    position = -1;
    return nullptr;
}

} // namespace

GlyphMenu::GlyphMenu() = default;

GlyphMenu::~GlyphMenu()
{
    DestroyMenu();
}

void GlyphMenu::Attach(Handle menu)
{
    if (handle_)
        attachedObjects().remove(handle_);
    handle_ = menu;
    if (!menu)
        return;
    attachedObjects().insert(menu, this);
    // A menu deleted with its window must not be found again under a reused address.
    QObject::connect(menu, &QObject::destroyed, [menu] { attachedObjects().remove(menu); });
}

GlyphMenu *GlyphMenu::FromHandle(const QWidget *menu)
{
    return attachedObjects().value(menu);
}

GlyphMenuItem *GlyphMenu::RecordAt(int position) const
{
    return position >= 0 && position < int(itemList.size()) ? itemList[size_t(position)].get() : nullptr;
}

bool GlyphMenu::LoadFromResource(int resourceId)
{
    return LoadFromTemplate(ResourceStore::Find("MENU", resourceId & 0xFFFF));
}

bool GlyphMenu::LoadFromTemplate(QByteArrayView bytes)
{
    if (bytes.isEmpty() || !ParseMenuTemplate(bytes))
        return false;
    DestroyMenu();
    Attach(new QMenuBar);

    // The open levels: their menus, and whether the level's last item has been read.
    std::vector<GlyphMenu *> menus{this};
    std::vector<bool> ending{false};
    MenuTemplateReader reader(bytes);
    MenuTemplateRecord record;
    while (!menus.empty() && reader.next(record)) {
        const unsigned flags = record.flags & ~End;
        if (record.opensPopup()) {
            if (record.endsLevel())
                ending.back() = true;
            // A child of the menu it opens from, so that commands reach the menu bar however
            // they are chosen.
            auto *popup = new GlyphMenu;
            popup->Attach(new GlyphPopup(menus.back()->GetHandle()));
            menus.back()->AppendItem(TranslateMenuText(record.text), flags, quintptr(popup->GetHandle()), -1);
            menus.push_back(popup);
            ending.push_back(false);
            continue;
        }
        // The template holds the English text; the item shows the user's language.
        menus.back()->AppendItem(TranslateMenuText(record.text), flags, record.id, -1);
        if (record.endsLevel())
            ending.back() = true;
        while (!menus.empty() && ending.back()) {
            menus.back()->PadAcceleratorColumn();
            menus.pop_back();
            ending.pop_back();
        }
    }

    // The top level is plain text: only the entries inside popups are drawn by the program.
    for (int p = 0; p < MenuAdapter::ItemCount(handle_); ++p) {
        GlyphMenuItem *item = RecordAt(p);
        if (!item)
            continue;
        if (QMenu *popup = SubMenuAt(p)) {
            item->menuFlags = ByPosition | Popup;
            MenuAdapter::ModifyMenu(handle_, p, item->menuFlags, quintptr(popup), item->text, nullptr);
        } else {
            item->menuFlags = ByPosition;
            MenuAdapter::ModifyMenu(handle_, p, ByPosition, item->commandId, item->text, nullptr);
        }
    }
    loadedFromResource = true;
    return true;
}

bool GlyphMenu::AppendItem(const QString &text, unsigned flags, quintptr idOrPopup, int iconResourceId)
{
    if (idOrPopup != 0)
        flags |= OwnerDraw;
    else
        flags = (flags & ByPosition) ? (Separator | OwnerDraw | ByPosition) : (Separator | OwnerDraw);
    if (flags & Popup) {
        AllPopups.append(reinterpret_cast<Handle>(idOrPopup));
        subMenuHandles.append(reinterpret_cast<Handle>(idOrPopup));
    }
    auto item = std::make_unique<GlyphMenuItem>();
    item->text = text;
    if (iconResourceId < 0)
        item->sharedOffset = SharedOffsetOf(idOrPopup);
    else
        SetGlyphFromResource(*item, idOrPopup, iconResourceId);
    item->commandId = idOrPopup;
    item->menuFlags = flags;
    GlyphMenuItem *record = item.get();
    itemList.push_back(std::move(item));
    const bool appended = MenuAdapter::AppendMenu(handle_, flags, idOrPopup, text, record);
    if (loadedFromResource)
        RefreshTopLevelPopups();
    return appended;
}

void GlyphMenu::SetGlyphFromResource(GlyphMenuItem &record, quintptr id, int iconResourceId)
{
    int index = 0;
    FindToolbarImage(id, iconResourceId, index);
    MenuLook &look = StoredLook();
    ImageList images(look.iconWidth, look.iconHeight);
    if (AddBitmapResource(images, iconResourceId, look))
        record.sharedOffset = StoreSharedImage(images, index, id);
}

bool GlyphMenu::ModifyItem(const std::optional<QString> &text, quintptr commandId, const ImageList *images, int index)
{
    QList<Handle> visitedMenus;
    QList<int> visitedPositions;
    int position = -1;
    Handle menu = LocateCommand(commandId, position);
    bool modified = false;
    GlyphMenuItem *record = nullptr;
    while (menu) {
        GlyphMenu *holder = FromHandle(menu);
        if (GlyphMenuItem *found = holder ? holder->RecordAt(position) : nullptr) {
            record = found;
            if (text)
                record->text = *text;
            record->ownImageIndex = -1;
            record->iconResourceId = -1;
            if (images) {
                record->ownImages.reset();
                record->sharedOffset = StoreSharedImage(*images, index, commandId);
            }
            record->commandId = commandId;
            record->menuFlags = (record->menuFlags | OwnerDraw) & ~ByPosition;
            // Each occurrence carries its own record, so that an entry never shows another's text.
            modified = MenuAdapter::ModifyMenu(menu, position, record->menuFlags | ByPosition, commandId, record->text,
                                               record);
        }
        visitedMenus << menu;
        visitedPositions << position;
        menu = LocateNextCommand(commandId, position, visitedMenus, visitedPositions);
    }
    if (record)
        return modified;
    // In no menu of the tree: the record is kept all the same, and the change fails.
    auto item = std::make_unique<GlyphMenuItem>();
    if (text)
        item->text = *text;
    if (images)
        item->sharedOffset = StoreSharedImage(*images, index, commandId);
    item->commandId = commandId;
    item->menuFlags = OwnerDraw;
    itemList.push_back(std::move(item));
    return MenuAdapter::ModifyMenu(handle_, int(commandId), OwnerDraw, commandId, itemList.back()->text,
                                   itemList.back().get());
}

std::unique_ptr<GlyphMenuItem> GlyphMenu::AdoptItemAt(int position, unsigned flags, quintptr id, const QString &text)
{
    auto item = std::make_unique<GlyphMenuItem>();
    item->text = text;
    item->menuFlags = flags;
    item->commandId = id;
    MenuAdapter::ModifyMenu(handle_, position, flags | ByPosition, id, text,
                            (flags & OwnerDraw) ? item.get() : nullptr);
    return item;
}

GlyphMenu::Handle GlyphMenu::LocateCommand(quintptr commandId, int &position) const
{
    return locate(handle_, commandId, position, {}, {});
}

GlyphMenu::Handle GlyphMenu::LocateNextCommand(quintptr commandId, int &position, const QList<Handle> &visitedMenus,
                                               const QList<int> &visitedPositions) const
{
    return locate(handle_, commandId, position, visitedMenus, visitedPositions);
}

QMenu *GlyphMenu::SubMenuAt(int position) const
{
    return MenuAdapter::SubMenuAt(handle_, position);
}

bool GlyphMenu::ItemTextOf(quintptr idOrPosition, QString &text, unsigned byFlags) const
{
    if (!(byFlags & ByPosition)) {
        int position = -1;
        const GlyphMenu *holder = FromHandle(LocateCommand(idOrPosition, position));
        return holder && holder->ItemTextOf(quintptr(position), text, ByPosition);
    }
    const GlyphMenuItem *item = idOrPosition < itemList.size() ? itemList[idOrPosition].get() : nullptr;
    if (!item)
        return false;
    text = item->text;
    return true;
}

int GlyphMenu::FirstOwnPosition() const
{
    if (!loadedFromResource)
        return 0;
    for (int p = 0; p < MenuAdapter::ItemCount(handle_); ++p) {
        const QString text = MenuAdapter::MenuString(handle_, p, ByPosition, kMenuStringMax);
        if (text.isEmpty())
            continue;
        for (int r = 0; r < int(itemList.size()); ++r)
            if (itemList[size_t(r)]->text == text)
                return qMax(p - r, 0);
    }
    return 0;
}

void GlyphMenu::RefreshTopLevelPopups()
{
    const int first = FirstOwnPosition();
    for (int i = 0; first + i < MenuAdapter::ItemCount(handle_); ++i) {
        GlyphMenuItem *item = RecordAt(i);
        QMenu *popup = SubMenuAt(first + i);
        if (!item || !popup)
            continue;
        item->menuFlags = ByPosition | Popup;
        MenuAdapter::ModifyMenu(handle_, first + i, item->menuFlags, quintptr(popup), item->text, nullptr);
    }
}

void GlyphMenu::PadAcceleratorColumn()
{
    const QFontMetrics metrics(QApplication::font("QMenu"));
    int widest = -1;
    for (const auto &item : itemList)
        widest
            = qMax(widest, metrics.horizontalAdvance(item->text.section(QLatin1Char('\t'), 0, 0) + QLatin1Char(' ')));
    for (const auto &item : itemList) {
        const qsizetype tab = item->text.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            continue;
        QString head = item->text.left(tab);
        while (metrics.horizontalAdvance(head) < widest)
            head += QLatin1Char(' ');
        item->text = head + item->text.mid(tab);
    }
}

void GlyphMenu::Resynchronise()
{
    for (const auto &item : itemList)
        item->syncMark = false;
    const auto firstUnmarked = [this](quintptr id) -> GlyphMenuItem * {
        for (const auto &item : itemList)
            if (!item->syncMark && item->commandId == id) {
                item->syncMark = true;
                return item.get();
            }
        return nullptr;
    };

    std::vector<GlyphMenuItem *> order;
    std::vector<std::unique_ptr<GlyphMenuItem>> adopted;
    const auto adopt = [&](int p, unsigned flags, quintptr id, const QString &text) {
        adopted.push_back(AdoptItemAt(p, flags, id, text));
        return adopted.back().get();
    };
    for (int p = 0; p < MenuAdapter::ItemCount(handle_); ++p) {
        const unsigned state = MenuAdapter::StateOf(handle_, p, ByPosition);
        GlyphMenuItem *item = nullptr;
        if (state & Popup) {
            const quintptr popup = quintptr(SubMenuAt(p));
            item = firstUnmarked(popup);
            const QString text = MenuAdapter::MenuString(handle_, p, ByPosition, kMenuStringMax);
            if (!item)
                item = adopt(p, (state & 0xEF) | ByPosition | OwnerDraw | Popup, popup, text);
            else if (!text.isEmpty())
                item->text = text;
        } else if (state & Separator) {
            item = firstUnmarked(0);
            if (item)
                MenuAdapter::ModifyMenu(handle_, p, item->menuFlags | ByPosition, 0, item->text, item);
            else
                item = adopt(p, state | ByPosition | OwnerDraw | Separator, 0, QString());
        } else {
            const quintptr id = quintptr(MenuAdapter::ItemIdAt(handle_, p));
            item = firstUnmarked(id);
            const QString text = MenuAdapter::MenuString(handle_, p, ByPosition, kMenuStringMax);
            const unsigned flags = state | ByPosition | OwnerDraw;
            if (item) {
                item->menuFlags = flags;
                if (!text.isEmpty())
                    item->text = text;
                MenuAdapter::ModifyMenu(handle_, p, flags, id, item->text, item);
            } else {
                item = adopt(p, flags, id, text);
            }
        }
        order.push_back(item);
    }

    // The records in menu order; those no entry holds any more go with the old list.
    std::vector<std::unique_ptr<GlyphMenuItem>> next;
    for (GlyphMenuItem *item : order)
        for (auto *list : {&itemList, &adopted})
            for (auto &owned : *list)
                if (owned.get() == item)
                    next.push_back(std::move(owned));
    itemList = std::move(next);
}

bool GlyphMenu::IsOwnPopup(const QWidget *menu)
{
    return menu && AllPopups.contains(const_cast<QWidget *>(menu));
}

void GlyphMenu::RefreshPopup(GlyphMenu *menu)
{
    if (menu)
        menu->Resynchronise();
}

quint32 GlyphMenu::MatchMnemonic(QChar character, unsigned flags, GlyphMenu *menu)
{
    if (!menu || !(flags & Popup))
        return 0;
    const QString key = (QStringLiteral("&") + character).toLower();
    if (MenuAdapter::ItemCount(menu->handle_) != int(menu->itemList.size()))
        menu->Resynchronise();
    for (int p = 0; p < MenuAdapter::ItemCount(menu->handle_); ++p) {
        QString text;
        if (menu->ItemTextOf(quintptr(p), text, ByPosition) && text.toLower().contains(key))
            return (kExecute << 16) | quint32(p);
    }
    return 0;
}

bool GlyphMenu::DestroyMenu()
{
    AllPopups.removeAll(handle_.data());
    for (qsizetype i = subMenuHandles.size() - 1; i >= 0; --i) {
        const Handle popup = subMenuHandles.at(i);
        AllPopups.removeAll(popup);
        delete FromHandle(popup);
    }
    subMenuHandles.clear();
    itemList.clear();
    if (!handle_)
        return false;
    QWidget *menu = handle_;
    Attach(nullptr);
    delete menu;
    return true;
}

} // namespace qw
