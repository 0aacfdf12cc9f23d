#pragma once

#include "PageFacts.h"

#include <string>
#include <vector>

namespace quirekit {

// Formats the page_facts report: the page count first, as in the dump_data report, then one
// block per page in order:
//   PageFactsBegin
//   PageNumber: <n>
//   InkShare: <0.0000 to 1.0000>   unless ink was not asked for
//   DarkShare: <0.0000 to 1.0000>
//   Barcode: <format> <text>      one per barcode found, when barcodes were asked for
//   TextMatch: yes|no             when a phrase was asked for
//   TextFound: no                 ...and the page has no text to search (a scan)
//   MatchedLine: <line>           ...the line where the phrase begins, when it is found
//   PageText: <text>              with page_text: the page's lines, joined by spaces
//   PageDamaged: <why>            the page could not be drawn, or only in part
//   Unreadable: <why>             drawing the page was given up (time or memory)
// A page that could not be drawn at all has PageDamaged and none of the facts; a page given
// up on has Unreadable and none of the facts.
class PageFactsReport {
public:
    static std::string format(const std::vector<PageFacts> &pages, bool ink, bool phrase, bool pageText = false);

private:
    static std::string share(double value);
};

} // namespace quirekit
