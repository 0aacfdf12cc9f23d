#include "PageFactsReport.h"

#include "DataReport.h"

#include <algorithm>
#include <cstdio>

namespace quirekit {

std::string PageFactsReport::format(const std::vector<PageFacts> &pages, bool ink, bool phrase)
{
    std::string text;
    text.reserve(32 + pages.size() * 96);
    text += "NumberOfPages: " + std::to_string(pages.size()) + "\n";
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const PageFacts &page = pages[i];
        text += "PageFactsBegin\nPageNumber: " + std::to_string(i + 1) + "\n";
        const bool drawn = !page.unreadable && (!page.damaged || page.drawnInPart);
        if (drawn && ink) {
            text += "InkShare: " + share(page.inkShare) + "\n";
            text += "DarkShare: " + share(page.darkShare) + "\n";
        }
        if (drawn) {
            for (const PageFacts::Barcode &barcode : page.barcodes) {
                text += "Barcode: " + barcode.format + " ";
                DataReport::appendEscaped(text, barcode.text);
                text += '\n';
            }
            for (const std::string &kind : page.unreadBarcodes)
                text += "BarcodeUnread: " + kind + "\n";
            if (phrase)
                text += std::string("TextMatch: ") + (page.textMatch ? "yes" : "no") + "\n";
            if (phrase && !page.textFound)
                text += "TextFound: no\n";
            if (phrase && page.textMatch) {
                text += "MatchedLine: ";
                DataReport::appendEscaped(text, page.matchedLine);
                text += '\n';
            }
        }
        if (page.unreadable) {
            text += "Unreadable: ";
            DataReport::appendEscaped(text, page.problem);
            text += '\n';
        } else if (page.damaged) {
            text += "PageDamaged: ";
            DataReport::appendEscaped(text, page.problem);
            text += '\n';
        }
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
