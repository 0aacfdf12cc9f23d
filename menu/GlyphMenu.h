#pragma once

#include "GlyphMenuItem.h"
#include "MenuLook.h"

#include <QByteArrayView>
#include <QFont>
#include <QRect>
#include <QRgb>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <vector>

class QMenu;
class QWidget;

class QPainter;

namespace qw {

class ImageList;

// The entry states of a draw request.
namespace ItemState {
inline constexpr unsigned Selected = 0x1, Grayed = 0x2, Checked = 0x8;
}

// What is asked of an owner-drawn entry's size: its record in, its size out.
struct MeasureItemStruct {
    GlyphMenuItem *itemData = nullptr;
    int itemWidth = 0;
    int itemHeight = 0;
};

// What is asked to draw an owner-drawn entry. The rectangle excludes its right and bottom edges.
struct DrawItemStruct {
    unsigned itemState = 0; // ItemState values
    QRect itemRect;
    QPainter *dc = nullptr;
    QWidget *hwndItem = nullptr; // the menu
    quintptr itemID = 0;
    GlyphMenuItem *itemData = nullptr;
};

// The program's owner-drawn menu. It wraps a Qt menu (a QMenuBar for a menu bar, a QMenu for
// a popup; the "menu handle"), turns every entry below the menu bar into an owner-drawn entry
// that carries a GlyphMenuItem record as its item data, and gives each command the glyph
// that the same command has on a toolbar resource, kept in one class-wide store.
class GlyphMenu {
public:
    // The handle of a Qt menu as the records and the class-wide lists keep it.
    using Handle = QWidget *;

    GlyphMenu();
    virtual ~GlyphMenu();
    Q_DISABLE_COPY_MOVE(GlyphMenu)

    // The menu this object wraps (none before LoadFromResource or Attach).
    Handle GetHandle() const { return handle_; }
    // Wraps `menu`, which this object then owns; and the object that wraps a menu, if any.
    void Attach(Handle menu);
    static GlyphMenu *FromHandle(const QWidget *menu);

    // Builds the menu from menu template `resourceId` (low 16 bits): entries inside popups
    // owner-drawn, the top level as plain text. False, with nothing changed, when the template
    // is missing or malformed.
    bool LoadFromResource(int resourceId);
    // The same from the bytes of a menu template in the standard layout.
    bool LoadFromTemplate(QByteArrayView bytes);

    // Appends an entry; a command or popup becomes owner-drawn, id 0 makes a separator. With
    // `iconResourceId` not negative the entry's glyph comes from that bitmap resource (the
    // image the command has on the toolbar of that id); otherwise it keeps the glyph its
    // command already has in the shared store.
    bool AppendItem(const QString &text, unsigned flags, quintptr idOrPopup, int iconResourceId = -1);
    // Changes every entry of `commandId` in the menu tree: its text (when given) and its glyph
    // (image `index` of `images`, when given).
    bool ModifyItem(const std::optional<QString> &text, quintptr commandId, const ImageList *images = nullptr,
                    int index = 0);
    // A new record for the entry at `position`, which becomes what `flags` says.
    std::unique_ptr<GlyphMenuItem> AdoptItemAt(int position, unsigned flags, quintptr id, const QString &text);

    // The menu of the tree (depth first, popups before the entries after them) that holds
    // `commandId`, with its position; none and -1 when none does. The Next form skips the
    // (menu, position) pairs already visited.
    Handle LocateCommand(quintptr commandId, int &position) const;
    Handle LocateNextCommand(quintptr commandId, int &position, const QList<Handle> &visitedMenus,
                             const QList<int> &visitedPositions) const;

    QMenu *SubMenuAt(int position) const;
    // The record's text of an entry, by command or by position (MenuFlag::ByPosition).
    bool ItemTextOf(quintptr idOrPosition, QString &text, unsigned byFlags) const;
    int FirstOwnPosition() const;
    void RefreshTopLevelPopups();
    void PadAcceleratorColumn();
    // Brings the records back in line with the live menu after entries were inserted or
    // changed through the plain menu functions.
    void Resynchronise();
    bool DestroyMenu();

    const std::vector<std::unique_ptr<GlyphMenuItem>> &Items() const { return itemList; }
    const QList<Handle> &SubMenuHandles() const { return subMenuHandles; }
    bool LoadedFromResource() const { return loadedFromResource; }

    // The size and the picture of an owner-drawn entry, in the look in force.
    virtual void MeasureItem(MeasureItemStruct &measure) const;
    virtual void DrawItem(const DrawItemStruct &draw) const;
    // The font menus are drawn in, and the height of one line of a menu.
    static QFont MenuFont();
    static int MenuLineHeight();

    // Walks toolbar resource `toolbarId` and gives every command of this menu tree that has a
    // button the button's glyph from the bitmap of the same id. False, with no entry changed,
    // when the toolbar or its bitmap is missing.
    bool ApplyToolbarImages(int toolbarId);
    // The image number of `commandId`'s button on toolbar `toolbarId`, stored in `index` when
    // it is positive; false when the command has no button.
    bool FindToolbarImage(quintptr commandId, int toolbarId, int &index) const;

    static bool IsOwnPopup(const QWidget *menu);
    static void RefreshPopup(GlyphMenu *menu);
    // The answer to a menu mnemonic key: the position of the first entry whose text has "&"
    // and `character` (either case) in the low word and 2 ("execute") in the high word, or 0.
    static quint32 MatchMnemonic(QChar character, unsigned flags, GlyphMenu *menu);

    // ---- The class-wide glyph store: one image list for all command glyphs ----

    // With the flat look, each command's images come in runs of four: normal, faded, shadow,
    // disabled. Indexes once returned stay valid for the whole process.
    static ImageList *SharedImages;
    static QList<quintptr> SharedImageIds;
    static int StoreSharedImage(const ImageList &source, int index, quintptr commandId);
    static int SharedOffsetOf(quintptr commandId);
    static bool HasVariantSet(int index);

    // ---- The look, class-wide ----

    // The look in force: made at first use from the platform and the theme, which stay as they
    // are found then; the program changes only the draw modes, before it builds any menu.
    static const MenuLook &Look();
    // Replaces the look in force. Glyphs already stored keep the variants (or none) that the
    // look of their storing gave them.
    static void SetLook(const MenuLook &look);

    // The platform code of this system (see PlatformCodeFor).
    static int DetectPlatform();
    // The platform code of a version: Win32s 0, NT family 1 (3.x, 5.2 and later), 9x 2, 98 3,
    // Me 4, NT 4.0 5, 2000 6, XP 7.
    static int PlatformCodeFor(bool nineXFamily, bool win32s, int major, int minor);

    // Asked once per process: whether the current theme is "Windows Classic". Only Windows has
    // a theme value to read; elsewhere the answer is false.
    static bool IsClassicThemeActive();
    // The rule applied to the theme value: true when it ends in "Windows Classic.theme" in any case.
    static bool IsClassicThemeValue(const std::optional<QString> &value);
    // Forgets the cached theme answer (for tests).
    static void ResetThemeCache();

    // Every popup appended to any GlyphMenu as a submenu.
    static QList<Handle> AllPopups;

private:
    static MenuLook &StoredLook();

    void DrawClassicItem(const DrawItemStruct &draw, const MenuLook &look) const;
    static void DrawClassicCheck(QPainter &dc, const QRect &cell, bool selected, bool radio, const MenuLook &look);
    void DrawFlatItem(const DrawItemStruct &draw, const MenuLook &look) const;
    static void DrawFlatCheck(QPainter &dc, const QRect &cell, bool radio, QRgb frame, bool selected);

    GlyphMenuItem *RecordAt(int position) const;
    void ApplyPlainPopup(int position, GlyphMenuItem &record);
    void SetGlyphFromResource(GlyphMenuItem &record, quintptr id, int iconResourceId);

    QPointer<QWidget> handle_;
    std::vector<std::unique_ptr<GlyphMenuItem>> itemList;
    QList<Handle> subMenuHandles;
    bool loadedFromResource = false;
};

} // namespace qw
