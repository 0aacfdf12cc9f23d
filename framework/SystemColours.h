#pragma once

#include <QColor>

namespace qw {

// System colour indexes, numbered as the drawing code of the menus and controls refers to them.
namespace SysColour {
inline constexpr int Menu = 4, Window = 5, WindowText = 8, MenuText = 7, Highlight = 13, HighlightText = 14,
                     BtnFace = 15, BtnShadow = 16, GrayText = 17, BtnText = 18, BtnHighlight = 20, DarkShadow3D = 21,
                     Light3D = 22, HotLight = 26;
}

// The colour of a system colour index, read from the application's palette at the moment of
// the call (never cached, so a palette change is seen at once). Unknown indexes give black.
QColor GetSysColour(int index);

} // namespace qw
