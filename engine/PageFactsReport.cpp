#include "PageFactsReport.h"

#include "DataReport.h"

#include "protocol/EngineProtocol.h"

#include <algorithm>
#include <cstdio>

namespace quirekit {

std::string PageFactsReport::format(const std::vector<PageFacts> &pages, bool ink, bool phrase, bool pageText)
{
    namespace keys = protocol::report;
    const auto yesOrNo = [](bool yes) { return yes ? keys::Yes : keys::No; };
    std::string text;
    text.reserve(32 + pages.size() * 96);
    DataReport::appendLine(text, keys::PageCount, static_cast<long long>(pages.size()));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const PageFacts &page = pages[i];
        DataReport::appendBegin(text, keys::PageFactsBegin);
        DataReport::appendLine(text, keys::PageNumber, static_cast<long long>(i + 1));
        const bool drawn = !page.unreadable && (!page.damaged || page.drawnInPart);
        if (drawn && ink) {
            DataReport::appendLine(text, keys::InkShare, share(page.inkShare));
            DataReport::appendLine(text, keys::DarkShare, share(page.darkShare));
        }
        if (drawn) {
            for (const PageFacts::Barcode &barcode : page.barcodes)
                DataReport::appendEscapedLine(text, keys::Barcode, barcode.format + " " + barcode.text);
            for (const std::string &kind : page.unreadBarcodes)
                DataReport::appendLine(text, keys::BarcodeUnread, kind);
            if (phrase)
                DataReport::appendLine(text, keys::TextMatch, yesOrNo(page.textMatch));
            if ((phrase || pageText) && !page.textFound)
                DataReport::appendLine(text, keys::TextFound, keys::No);
            if (phrase && page.textMatch)
                DataReport::appendEscapedLine(text, keys::MatchedLine, page.matchedLine);
            if (pageText && page.textFound)
                DataReport::appendEscapedLine(text, keys::PageText, page.pageText);
        }
        if (page.unreadable)
            DataReport::appendEscapedLine(text, keys::Unreadable, page.problem);
        else if (page.damaged)
            DataReport::appendEscapedLine(text, keys::PageDamaged, page.problem);
    }
    return text;
}

std::string PageFactsReport::share(double value)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.4f", std::clamp(value, 0.0, 1.0));
    return digits;
}

} // namespace quirekit
