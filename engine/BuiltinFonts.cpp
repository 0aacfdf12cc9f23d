// The fonts the engine carries: the fourteen standard PDF fonts and nothing else.
//
// MuPDF looks fonts up through the fz_lookup_*font functions, and a build of MuPDF may
// leave any family out (its CJK and Noto families are optional). The archive we link
// carries them all, 40 MB of the engine, while the engine copies pages and only draws
// them to look at their ink and text. These definitions take the place of MuPDF's own, so
// that its CJK and Noto font data are never linked: text in a font a document does not
// embed is drawn with a standard font where one stands in for it, and left undrawn (as
// MuPDF does when a family is left out) where none does. Copied pages keep every font the
// document embeds; nothing here changes what a part holds.
//
// The linker takes this file before MuPDF's archive (see CMakeLists.txt), so MuPDF's own
// definitions stay out; should a new MuPDF look up fonts through a function not defined
// here, the link fails on the duplicate rather than carrying the fonts silently.

extern "C" {
#include <mupdf/fitz.h>
}

#include <cstring>
#include <strings.h>

#define QUIREKIT_FONT_DATA(symbol)                                                                                    \
    extern "C" const unsigned char _binary_resources_fonts_urw_##symbol##_cff_start[];                                \
    extern "C" const unsigned char _binary_resources_fonts_urw_##symbol##_cff_end[];

QUIREKIT_FONT_DATA(NimbusMonoPS_Regular)
QUIREKIT_FONT_DATA(NimbusMonoPS_Italic)
QUIREKIT_FONT_DATA(NimbusMonoPS_Bold)
QUIREKIT_FONT_DATA(NimbusMonoPS_BoldItalic)
QUIREKIT_FONT_DATA(NimbusSans_Regular)
QUIREKIT_FONT_DATA(NimbusSans_Italic)
QUIREKIT_FONT_DATA(NimbusSans_Bold)
QUIREKIT_FONT_DATA(NimbusSans_BoldItalic)
QUIREKIT_FONT_DATA(NimbusRoman_Regular)
QUIREKIT_FONT_DATA(NimbusRoman_Italic)
QUIREKIT_FONT_DATA(NimbusRoman_Bold)
QUIREKIT_FONT_DATA(NimbusRoman_BoldItalic)
QUIREKIT_FONT_DATA(StandardSymbolsPS)
QUIREKIT_FONT_DATA(Dingbats)

namespace {

struct FontData {
    const unsigned char *start;
    const unsigned char *end;
};

#define QUIREKIT_FONT(symbol)                                                                                         \
    FontData { _binary_resources_fonts_urw_##symbol##_cff_start, _binary_resources_fonts_urw_##symbol##_cff_end }

// Each family in the order regular, italic, bold, bold italic.
enum Family { Courier, Helvetica, Times, FamilyCount };
const FontData kFamilies[FamilyCount][4] = {
    {QUIREKIT_FONT(NimbusMonoPS_Regular), QUIREKIT_FONT(NimbusMonoPS_Italic), QUIREKIT_FONT(NimbusMonoPS_Bold),
     QUIREKIT_FONT(NimbusMonoPS_BoldItalic)},
    {QUIREKIT_FONT(NimbusSans_Regular), QUIREKIT_FONT(NimbusSans_Italic), QUIREKIT_FONT(NimbusSans_Bold),
     QUIREKIT_FONT(NimbusSans_BoldItalic)},
    {QUIREKIT_FONT(NimbusRoman_Regular), QUIREKIT_FONT(NimbusRoman_Italic), QUIREKIT_FONT(NimbusRoman_Bold),
     QUIREKIT_FONT(NimbusRoman_BoldItalic)},
};
const FontData kSymbol = QUIREKIT_FONT(StandardSymbolsPS);
const FontData kDingbats = QUIREKIT_FONT(Dingbats);

const unsigned char *found(const FontData &font, int *len)
{
    *len = static_cast<int>(font.end - font.start);
    return font.start;
}

const unsigned char *none(int *len)
{
    if (len)
        *len = 0;
    return nullptr;
}

const unsigned char *styled(Family family, bool bold, bool italic, int *len)
{
    return found(kFamilies[family][(bold ? 2 : 0) + (italic ? 1 : 0)], len);
}

struct Base14 {
    const char *name;
    Family family;
    bool bold;
    bool italic;
};
const Base14 kBase14[] = {
    {"Courier", Courier, false, false},
    {"Courier-Oblique", Courier, false, true},
    {"Courier-Bold", Courier, true, false},
    {"Courier-BoldOblique", Courier, true, true},
    {"Helvetica", Helvetica, false, false},
    {"Helvetica-Oblique", Helvetica, false, true},
    {"Helvetica-Bold", Helvetica, true, false},
    {"Helvetica-BoldOblique", Helvetica, true, true},
    {"Times-Roman", Times, false, false},
    {"Times-Italic", Times, false, true},
    {"Times-Bold", Times, true, false},
    {"Times-BoldItalic", Times, true, true},
};

bool named(const char *name, const char *wanted)
{
    return name && ::strcasecmp(name, wanted) == 0;
}

} // namespace

extern "C" {

const unsigned char *fz_lookup_base14_font(fz_context *, const char *name, int *len)
{
    if (!name)
        return none(len);
    for (const Base14 &font : kBase14) {
        if (std::strcmp(name, font.name) == 0)
            return styled(font.family, font.bold, font.italic, len);
    }
    if (std::strcmp(name, "Symbol") == 0)
        return found(kSymbol, len);
    if (std::strcmp(name, "ZapfDingbats") == 0)
        return found(kDingbats, len);
    return none(len);
}

// By family name, as substitutes are asked for.
const unsigned char *fz_lookup_builtin_font(fz_context *ctx, const char *name, int bold, int italic, int *len)
{
    if (named(name, "Courier") || named(name, "Courier New"))
        return styled(Courier, bold, italic, len);
    if (named(name, "Helvetica") || named(name, "Arial"))
        return styled(Helvetica, bold, italic, len);
    if (named(name, "Times") || named(name, "Times Roman") || named(name, "Times New Roman"))
        return styled(Times, bold, italic, len);
    if (named(name, "Symbol"))
        return found(kSymbol, len);
    if (named(name, "Dingbats") || named(name, "Zapf Dingbats"))
        return found(kDingbats, len);
    return fz_lookup_base14_font(ctx, name, len);
}

// A CJK font the document does not embed needs a font to be loaded at all; without one
// MuPDF would fall back to a simple font and lose the character collection, and with it
// the text. With a standard font in its place the text reads right, and its characters,
// which that font has no glyphs for, are left undrawn.
const unsigned char *fz_lookup_cjk_font(fz_context *, int, int *len, int *index)
{
    if (index)
        *index = 0;
    return styled(Helvetica, false, false, len);
}

const unsigned char *fz_lookup_cjk_font_by_language(fz_context *ctx, const char *, int *len, int *subfont)
{
    return fz_lookup_cjk_font(ctx, 0, len, subfont);
}

// Needs no font: which of the four character collections a language writes in.
int fz_lookup_cjk_ordering_by_language(const char *name)
{
    if (!name)
        return -1;
    const auto is = [name](const char *tag) { return std::strcmp(name, tag) == 0; };
    if (is("zh-Hant") || is("zh-TW") || is("zh-HK") || is("zh-Hant-TW") || is("zh-Hant-HK"))
        return FZ_ADOBE_CNS;
    if (is("zh-Hans") || is("zh-CN") || is("zh") || is("zh-Hans-CN"))
        return FZ_ADOBE_GB;
    if (is("ja"))
        return FZ_ADOBE_JAPAN;
    if (is("ko"))
        return FZ_ADOBE_KOREA;
    return -1;
}

const unsigned char *fz_lookup_noto_font(fz_context *, int, int, int *len, int *subfont)
{
    if (subfont)
        *subfont = 0;
    return none(len);
}

const unsigned char *fz_lookup_noto_math_font(fz_context *, int *len)
{
    return none(len);
}

const unsigned char *fz_lookup_noto_music_font(fz_context *, int *len)
{
    return none(len);
}

const unsigned char *fz_lookup_noto_symbol1_font(fz_context *, int *len)
{
    return none(len);
}

const unsigned char *fz_lookup_noto_symbol2_font(fz_context *, int *len)
{
    return none(len);
}

const unsigned char *fz_lookup_noto_emoji_font(fz_context *, int *len)
{
    return none(len);
}

} // extern "C"
