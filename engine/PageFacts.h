#pragma once

#include "GrayImage.h"

#include <string>
#include <vector>

namespace quirekit {

// What page_facts tells about one page.
struct PageFacts {
    struct Barcode {
        std::string format; // "QRCode", "Code128", ...
        std::string text; // UTF-8 as decoded
    };

    bool damaged = false;
    bool drawnInPart = false; // damaged, but drawn as far as it could be: the facts are of that
    std::string problem; // what was wrong with a damaged page, one line
    // Given up: drawing it took longer or needed more memory than a page may. Not damaged,
    // but without facts; `problem` tells why.
    bool unreadable = false;
    double inkShare = 0; // of the page's area, 0 to 1
    double darkShare = 0;
    std::vector<Barcode> barcodes;
    std::vector<std::string> unreadBarcodes; // kinds of code the reader gave up on here
    bool textMatch = false;
    bool textFound = false; // the page has text to search at all (a scan has none)
    std::string matchedLine; // the line of the page's text where the phrase was found
    std::string pageText; // the page's text, when asked for: its lines joined by single spaces
};

// How much of a page carries ink, judged on a coarse drawing of it (a few dozen pixels an
// inch): a scan's paper is seldom white, so ink is what is clearly darker than this page's
// own paper, taken as its brightest common level; noise and faint show-through from the
// back stay within the margin, and a lone dark pixel with no dark neighbour (a speck of
// dust) does not count. Near-black is an absolute level, as a black separator sheet has no
// paper of its own to compare with.
class InkMeasure {
public:
    static void measure(const GrayImage &image, PageFacts &facts);

    // The paper is the level that this share of the pixels are at least as bright as.
    static constexpr double kPaperShare = 0.10;
    // Ink is at least this many levels darker than the paper.
    static constexpr int kInkMargin = 40;
    // Near-black is this level or darker.
    static constexpr int kDarkLevel = 64;

private:
    static int paperLevel(const GrayImage &image);
};

} // namespace quirekit
