#include "DataReport.h"

#include "protocol/EngineProtocol.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace quirekit {

namespace keys = protocol::report;

// The report of a long document has tens of thousands of lines: each is appended in place.
void DataReport::appendLine(std::string &text, std::string_view key, std::string_view value)
{
    text.append(key).append(keys::Separator).append(value).push_back('\n');
}

void DataReport::appendLine(std::string &text, std::string_view key, long long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    appendLine(text, key, std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void DataReport::appendEscapedLine(std::string &text, std::string_view key, const std::string &value)
{
    text.append(key).append(keys::Separator);
    appendEscaped(text, value);
    text.push_back('\n');
}

void DataReport::appendBegin(std::string &text, std::string_view begin)
{
    text.append(begin).push_back('\n');
}

std::string DataReport::format(const DocumentFacts &facts)
{
    std::string text;
    text.reserve(256 + facts.bookmarks.size() * 96 + facts.labels.size() * 128);
    appendLine(text, keys::PageCount, facts.pageCount);
    appendLine(text, keys::PdfVersion, oneLine(facts.pdfVersion));
    appendLine(text, keys::Encrypted, facts.encrypted ? keys::Yes : keys::No);
    for (const auto &[name, value] : facts.info)
        appendLine(text, std::string(keys::InfoPrefix) + name, oneLine(value));
    if (facts.hasFirstPage) {
        appendLine(text, keys::FirstPageSize, number(facts.firstPageWidth) + " " + number(facts.firstPageHeight));
        appendLine(text, keys::FirstPageRotation, facts.firstPageRotation);
    }
    for (const DocumentFacts::Bookmark &bookmark : facts.bookmarks) {
        appendBegin(text, keys::BookmarkBegin);
        appendEscapedLine(text, keys::BookmarkTitle, bookmark.title);
        appendLine(text, keys::BookmarkLevel, bookmark.level);
        appendLine(text, keys::BookmarkPageNumber, bookmark.page);
    }
    for (const DocumentFacts::LabelRange &range : facts.labels) {
        appendBegin(text, keys::PageLabelBegin);
        appendLine(text, keys::PageLabelNewIndex, range.firstPage);
        appendLine(text, keys::PageLabelStart, range.start);
        appendLine(text, keys::PageLabelNumStyle, numberStyle(range.style));
        if (!range.prefix.empty())
            appendEscapedLine(text, keys::PageLabelPrefix, range.prefix);
    }
    return text;
}

// Keeps a title on one line: control characters (C0, DEL and C1) become &#N;. So that
// reading the escapes back gives the title as it was, an "&#" in the title is escaped too.
void DataReport::appendEscaped(std::string &line, const std::string &value)
{
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
