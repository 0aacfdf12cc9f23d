#pragma once

namespace qw {

// How menus and their glyphs are drawn: the platform, its theme, the draw modes and the glyph
// size. GlyphMenu holds the one look in force for the whole process; the drawing and glyph
// code is handed it rather than reading class-wide state of its own.
class MenuLook {
public:
    // The platform code (see GlyphMenu::PlatformCodeFor); 1 is the NT family of no named version.
    int platformCode = 1;
    // Whether the "Windows Classic" theme is in force.
    bool classicTheme = false;
    // The draw mode in force when IsThemedXP holds, and otherwise: 1 the flat look, 0 classic.
    int themedDrawMode = 1;
    int plainDrawMode = 0;
    // Set once a glyph bitmap had to be loaded without system-colour remapping; disabled glyphs
    // of the classic look are then tinted rather than embossed.
    bool nonPaletteGlyphsSeen = false;
    // Glyph size in pixels, for image lists, measuring and drawing; every stored glyph has it,
    // so it is not changed once a glyph is stored.
    int iconWidth = 16;
    int iconHeight = 15;

    // Settings that no run changes.
    static constexpr bool classicSelectDisabled = true;
    static constexpr bool flatSelectDisabled = false;
    static constexpr bool flatGlyphVariants = true;
    static constexpr bool alignAccelerators[2] = {true, true};

    // False on Win32s, on NT 3.x and on every Windows later than XP.
    constexpr bool HasModernShell() const { return platformCode > 1; }
    constexpr bool IsThemedXP() const { return platformCode == 7 && !classicTheme; }
    constexpr bool UsesFlatLook() const { return (IsThemedXP() ? themedDrawMode : plainDrawMode) == 1; }
};

} // namespace qw
