#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace qw {

// Menu flags as they appear in menu templates and in the menu state.
namespace MenuFlag {
inline constexpr unsigned Grayed = 0x0001;
inline constexpr unsigned Disabled = 0x0002;
inline constexpr unsigned Checked = 0x0008;
inline constexpr unsigned Popup = 0x0010;
inline constexpr unsigned End = 0x0080;
inline constexpr unsigned OwnerDraw = 0x0100;
inline constexpr unsigned ByPosition = 0x0400;
inline constexpr unsigned Separator = 0x0800;
} // namespace MenuFlag

// One item as it stands in a menu template: flags, a command id unless it opens a popup,
// and its text (a separator has id 0 and no text).
struct MenuTemplateRecord {
    unsigned flags = 0;
    unsigned id = 0;
    QString text;

    bool opensPopup() const { return flags & MenuFlag::Popup; }
    bool endsLevel() const { return flags & MenuFlag::End; }
};

// Reads the items of a standard menu template (a version word and an offset word, then the
// items) one after another, in file order. Never reads past the bytes it was given.
class MenuTemplateReader {
public:
    explicit MenuTemplateReader(QByteArrayView bytes);

    // False at the end of the data or when the template is malformed; see failed().
    bool next(MenuTemplateRecord &record);
    bool failed() const { return failed_; }

private:
    bool read16(unsigned &value);

    QByteArrayView bytes_;
    qsizetype pos_ = 0;
    bool failed_ = false;
};

// The template as a tree: the top level holds the popups of a menu bar (or of a context menu).
struct MenuTemplateItem {
    MenuTemplateRecord record;
    std::vector<MenuTemplateItem> children;
};

// The whole template, or nothing when it is truncated, has a level that never ends, or
// carries data after its last level.
std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(QByteArrayView bytes);

} // namespace qw
