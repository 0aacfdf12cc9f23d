#include "FoldedText.h"

extern "C" {
#include <mupdf/fitz.h>
}

namespace quirekit {

bool FoldedText::isSpace(int codepoint)
{
    switch (codepoint) {
    case ' ': case '\t': case '\n': case '\v': case '\f': case '\r':
    case 0x85: case 0xa0: case 0x1680: case 0x2028: case 0x2029: case 0x202f: case 0x205f: case 0x3000:
        return true;
    default:
        return codepoint >= 0x2000 && codepoint <= 0x200a;
    }
}

void FoldedText::addCharacter(int codepoint)
{
    if (isSpace(codepoint)) {
        addSpace();
        return;
    }
    if (m_spacePending)
        m_text.push_back(' ');
    m_spacePending = false;
    char bytes[FZ_UTFMAX];
    // MuPDF's case table is Unicode's, not the C library's ASCII-only one.
    m_text.append(bytes, static_cast<std::size_t>(fz_runetochar(bytes, fz_tolower(codepoint))));
}

bool FoldedText::contains(const FoldedText &phrase) const
{
    return !phrase.m_text.empty() && m_text.find(phrase.m_text) != std::string::npos;
}

FoldedText FoldedText::of(const std::string &utf8)
{
    FoldedText folded;
    // MuPDF reads a broken sequence as one replacement character, never past the end.
    for (const char *at = utf8.c_str(); *at;) {
        int codepoint = 0;
        at += fz_chartorune(&codepoint, at);
        folded.addCharacter(codepoint);
    }
    return folded;
}

} // namespace quirekit
