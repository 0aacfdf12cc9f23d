#include "DataReport.h"

#include <cmath>
#include <cstdio>

namespace quirekit {

std::string DataReport::format(const DocumentFacts &facts)
{
    std::string text;
    text += "NumberOfPages: " + std::to_string(facts.pageCount) + "\n";
    text += "PdfVersion: " + oneLine(facts.pdfVersion) + "\n";
    text += std::string("Encrypted: ") + (facts.encrypted ? "yes" : "no") + "\n";
    for (const auto &[key, value] : facts.info)
        text += "Info" + key + ": " + oneLine(value) + "\n";
    if (facts.hasFirstPage) {
        text += "FirstPageSize: " + number(facts.firstPageWidth) + " " + number(facts.firstPageHeight) + "\n";
        text += "FirstPageRotation: " + std::to_string(facts.firstPageRotation) + "\n";
    }
    for (const DocumentFacts::Bookmark &bookmark : facts.bookmarks) {
        text += "BookmarkBegin\n";
        text += "BookmarkTitle: " + escaped(bookmark.title) + "\n";
        text += "BookmarkLevel: " + std::to_string(bookmark.level) + "\n";
        text += "BookmarkPageNumber: " + std::to_string(bookmark.page) + "\n";
    }
    for (const DocumentFacts::LabelRange &range : facts.labels) {
        text += "PageLabelBegin\n";
        text += "PageLabelNewIndex: " + std::to_string(range.firstPage) + "\n";
        text += "PageLabelStart: " + std::to_string(range.start) + "\n";
        text += std::string("PageLabelNumStyle: ") + numberStyle(range.style) + "\n";
        if (!range.prefix.empty())
            text += "PageLabelPrefix: " + escaped(range.prefix) + "\n";
    }
    return text;
}

// Keeps a title on one line: control characters (C0, DEL and C1) become &#N;. So that
// reading the escapes back gives the title as it was, an "&#" in the title is escaped too.
std::string DataReport::escaped(const std::string &value)
{
    std::string line;
    line.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto u = static_cast<unsigned char>(value[i]);
        const auto next = i + 1 < value.size() ? static_cast<unsigned char>(value[i + 1]) : 0;
        if (u < 0x20 || u == 0x7f || (u == '&' && next == '#')) {
            line += "&#" + std::to_string(u) + ";";
        } else if (u == 0xc2 && next >= 0x80 && next <= 0x9f) {
            line += "&#" + std::to_string(next) + ";";
            ++i;
        } else {
            line += value[i];
        }
    }
    return line;
}

const char *DataReport::numberStyle(char style)
{
    switch (style) {
    case 'D': return "DecimalArabicNumerals";
    case 'R': return "UppercaseRomanNumerals";
    case 'r': return "LowercaseRomanNumerals";
    case 'A': return "UppercaseLetters";
    case 'a': return "LowercaseLetters";
    default: return "NoNumber";
    }
}

std::string DataReport::oneLine(const std::string &value)
{
    std::string line = value;
    for (char &c : line) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            c = ' ';
    }
    return line;
}

std::string DataReport::number(double value)
{
    if (!std::isfinite(value))
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text(buffer);
    // 612.00 -> 612, 595.28 stays
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    if (text == "-0")
        text = "0";
    return text;
}

} // namespace quirekit
