#pragma once

#include <QString>

#include <QtGlobal>

class QAction;
class QMenu;
class QWidget;

namespace qw {

// Menu operations by command id or by position on Qt menus: a position is an action index,
// the menu flags (MenuFlag::*) are kept on the action and mirrored into its enabled and
// checked state. Works on a QMenu and on a QMenuBar alike (both are given as their widget).
// An owner-drawn entry carries its drawing record as item data; like the platform's menus,
// it reports no text of its own.
class MenuAdapter {
public:
    static constexpr unsigned NotFound = 0xFFFFFFFF;

    // Appends an entry the way the platform's AppendMenu does: a popup (MenuFlag::Popup, with
    // `idOrPopup` the QMenu), a separator, or a command; `itemData` is kept when the flags say
    // owner-drawn. The text is the entry's text (the action's, even when owner-drawn).
    static bool AppendMenu(QWidget *menu, unsigned flags, quintptr idOrPopup, const QString &text, void *itemData);
    // Changes the entry at a position (MenuFlag::ByPosition) or of a command (searching the
    // popups too) into what the flags and values describe, as the platform's ModifyMenu does.
    static bool ModifyMenu(QWidget *menu, int idOrPosition, unsigned flags, quintptr idOrPopup, const QString &text,
                           void *itemData);
    // The text of an entry, empty for separators, owner-drawn entries and unknown entries;
    // at most `maxChars` characters when that is not negative.
    static QString MenuString(const QWidget *menu, int idOrPosition, unsigned byFlags, int maxChars = -1);
    // The command id at a position: -1 for a popup entry or no entry, 0 for a separator.
    static int ItemIdAt(const QWidget *menu, int position);
    static void *ItemData(const QAction *action);

    static int ItemCount(const QWidget *menu);
    static QAction *ActionAt(const QWidget *menu, int position);
    // The popup opened by the entry at `position`, or nullptr.
    static QMenu *SubMenuAt(const QWidget *menu, int position);
    // The command id of an entry; 0 for a separator or a popup entry.
    static int CommandIdOf(const QAction *action);
    // The position of the first entry of `commandId` in `menu` itself (not its popups), or -1.
    static int PositionOf(const QWidget *menu, int commandId);
    // The first entry of `commandId` in `menu` or, depth first, in its popups.
    static QAction *FindCommand(const QWidget *menu, int commandId);

    // A new command entry; `flags` may carry MenuFlag::Grayed, Disabled and Checked.
    static QAction *MakeCommand(QWidget *menu, const QString &text, int commandId, unsigned flags = 0);
    static QAction *InsertCommand(QWidget *menu, int position, const QString &text, int commandId, unsigned flags = 0);

    // Sets the grey/disabled flags of an entry, by command (searching the popups too) or by
    // position when `flags` has MenuFlag::ByPosition. Returns the previous flags or NotFound.
    static unsigned EnableItem(QWidget *menu, int idOrPosition, unsigned flags);
    // The flags of an entry (with MenuFlag::Popup or Separator for those), or NotFound.
    static unsigned StateOf(const QWidget *menu, int idOrPosition, unsigned byFlags);

    static unsigned FlagsOf(const QAction *action);
    static void SetFlags(QAction *action, unsigned flags);
};

} // namespace qw
