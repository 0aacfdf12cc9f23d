#include "FoldedText.h"

#include <algorithm>
#include <iterator>

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

void FoldedText::beginLine()
{
    addSpace();
    m_lines.push_back({m_text.size() + (m_spacePending ? 1 : 0), {}});
}

void FoldedText::addCharacter(int codepoint)
{
    std::string *line = m_lines.empty() ? nullptr : &m_lines.back().text;
    if (isSpace(codepoint)) {
        addSpace();
        if (line && !line->empty() && line->back() != ' ')
            line->push_back(' ');
        return;
    }
    if (m_spacePending)
        m_text.push_back(' ');
    m_spacePending = false;
    char bytes[FZ_UTFMAX];
    if (line)
        line->append(bytes, static_cast<std::size_t>(fz_runetochar(bytes, codepoint)));
    // MuPDF's case table is Unicode's, not the C library's ASCII-only one.
    m_text.append(bytes, static_cast<std::size_t>(fz_runetochar(bytes, fz_tolower(codepoint))));
}

std::size_t FoldedText::find(const FoldedText &phrase) const
{
    return phrase.m_text.empty() ? std::string::npos : m_text.find(phrase.m_text);
}

std::string FoldedText::lineOf(const FoldedText &phrase) const
{
    const std::size_t at = find(phrase);
    if (at == std::string::npos || m_lines.empty())
        return {};
    // The last line that starts at or before the match; lines without text start where the
    // next one does, and the later of them is the one that holds it.
    auto line = std::upper_bound(m_lines.begin(), m_lines.end(), at,
                                 [](std::size_t offset, const Line &l) { return offset < l.start; });
    std::string text = line == m_lines.begin() ? m_lines.front().text : std::prev(line)->text;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string FoldedText::lines() const
{
    std::string joined;
    for (const Line &line : m_lines) {
        const std::size_t first = line.text.find_first_not_of(' ');
        if (first == std::string::npos)
            continue;
        if (!joined.empty())
            joined += ' ';
        joined.append(line.text, first, line.text.find_last_not_of(' ') - first + 1);
    }
    return joined;
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
