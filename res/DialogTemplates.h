#pragma once

#include <QRect>
#include <QStringList>

#include <cstdint>
#include <span>

namespace qw {

// Window and control style bits, with the values the dialog templates use.
namespace WinStyle {
inline constexpr std::uint32_t Popup = 0x80000000, Visible = 0x10000000, Caption = 0x00C00000, Border = 0x00800000,
                               VScroll = 0x00200000, SysMenu = 0x00080000, SizingBorder = 0x00040000,
                               Group = 0x00020000, TabStop = 0x00010000, MinimiseBox = 0x00020000,
                               MaximiseBox = 0x00010000, ModalFrame = 0x00000080;
inline constexpr std::uint32_t PushButton = 0x0, DefPushButton = 0x1, AutoCheckBox = 0x3, AutoRadioButton = 0x9,
                               ButtonKindMask = 0xF;
inline constexpr std::uint32_t TextLeft = 0x0, IconStatic = 0x3, EtchedHorizontal = 0x10, StaticKindMask = 0x1F,
                               NoPrefix = 0x80;
inline constexpr std::uint32_t AutoHScroll = 0x80;
inline constexpr std::uint32_t DropDown = 0x2;
inline constexpr std::uint32_t ReportView = 0x1, SingleSelection = 0x4, ShowSelectionAlways = 0x8;
inline constexpr std::uint32_t AppWindowEx = 0x00040000;
} // namespace WinStyle

enum class ControlClass { Button, Static, Edit, ComboBox, ListView };

// One control of a dialog template. `text` is the English text, marked for translation in the
// template's context; the builder shows it in the user's language. `rect` is in dialog units. An icon static names its icon
// resource in `iconId`; a combo box lists its initial entries in `items`.
struct DialogControl {
    int id;
    ControlClass controlClass;
    const char *text;
    std::uint32_t style;
    QRect rect;
    int iconId = 0;
    QStringList items = {};
};

struct DialogTemplate {
    int id;
    const char *caption;
    const char *fontName;
    int pointSize;
    QSize size; // dialog units
    std::uint32_t style;
    std::uint32_t extendedStyle;
    int menuId; // 0 for none
    std::span<const DialogControl> controls;
    // The context the caption and the control texts are translated in (the dialog's class).
    const char *translationContext;
};

// The template of dialog `id` (100, 102 or 130), or nullptr.
const DialogTemplate *FindDialogTemplate(int id);

// Addresses shown and opened by the About box and the web-site command, defined once here:
// the macros let the dialog template put them into its label texts.
#define QW_WEB_SITE_ADDRESS "https://quirewright.example.org/"
#define QW_SUPPORT_ADDRESS "support@quirewright.example.org"
inline constexpr const char *kWebSiteAddress = QW_WEB_SITE_ADDRESS;
inline constexpr const char *kSupportAddress = QW_SUPPORT_ADDRESS;

} // namespace qw
