#pragma once

#include <QString>

#include <span>

namespace qw {

// The texts of the menu templates (without their shortcut text after a tab), listed in code so
// that lupdate finds them: the templates themselves are data compiled from res/menus/.
std::span<const char *const> MenuTexts();

// `text` of a menu template in the user's language: the part before a tab is translated, the
// shortcut text after it (key names such as "Ctrl+Z") stays as it is.
QString TranslateMenuText(const QString &text);

// The context the menu texts are translated in.
inline constexpr const char *kMenuTextContext = "qw::GlyphMenu";

} // namespace qw
