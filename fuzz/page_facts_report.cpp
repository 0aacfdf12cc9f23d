// The page_facts report as the window reads it. Input: the facts of a few pages taken from the
// front, then any bytes. The report the engine formats from those facts reads back as the same
// facts (white space at the ends of a text aside: names made of them are trimmed anyway); any
// bytes read as a report crash nothing and give only pages from 1 on.
#include "FuzzSupport.h"

#include "PageFactsReport.h"

#include "split/SeparatorRule.h"

#include <cmath>

using namespace quirefuzz;

namespace {

// What the report keeps of a text: one line, its ends trimmed, as UTF-8 reads it.
QString kept(const std::string &text)
{
    return QString::fromStdString(text).trimmed();
}

// A format name as the barcode reader gives them: letters and digits, no space.
std::string formatName(std::string_view text)
{
    std::string name;
    for (char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            name += c;
    return name.empty() ? "QRCode" : name;
}

void compare(const quirekit::PageFacts &written, const qw::PageFacts &read, int page, bool ink, bool phrase)
{
    const std::string where = "page " + std::to_string(page) + ": ";
    require(read.page == page, where + "read as page " + std::to_string(read.page));
    const bool drawn = !written.unreadable && (!written.damaged || written.drawnInPart);
    require(read.damaged == (written.damaged || written.unreadable), where + "damaged or not changed on the way");
    require(read.unreadable.isEmpty() == !written.unreadable, where + "given up or not changed on the way");
    if (drawn && ink) {
        require(std::fabs(read.ink - std::clamp(written.inkShare, 0.0, 1.0)) <= 0.00005
                    && std::fabs(read.dark - std::clamp(written.darkShare, 0.0, 1.0)) <= 0.00005,
                where + "the shares changed on the way");
    } else {
        require(read.ink < 0 && read.dark < 0, where + "shares that were not measured");
    }
    const std::size_t barcodes = drawn ? written.barcodes.size() : 0;
    require(std::size_t(read.barcodes.size()) == barcodes, where + "another number of barcodes");
    for (std::size_t i = 0; i < barcodes; ++i)
        require(read.barcodes[qsizetype(i)].format == QString::fromStdString(written.barcodes[i].format)
                    && read.barcodes[qsizetype(i)].text.trimmed() == kept(written.barcodes[i].text),
                where + "the barcode '" + written.barcodes[i].text + "' changed on the way");
    require(read.textMatch == (drawn && phrase && written.textMatch), where + "the phrase's match changed on the way");
    require(read.textFound == !(drawn && phrase && !written.textFound), where + "text found or not changed on the way");
    if (read.textMatch)
        require(read.matchedLine.trimmed() == kept(written.matchedLine), where + "the matched line changed on the way");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t asked = input.byte();
    const bool ink = asked & 1;
    const bool phrase = asked & 2;
    std::vector<quirekit::PageFacts> pages(input.byte() % 6);
    for (quirekit::PageFacts &page : pages) {
        const std::uint8_t flags = input.byte();
        page.damaged = flags & 1;
        page.drawnInPart = flags & 2;
        page.unreadable = flags & 4;
        page.textMatch = flags & 8;
        page.textFound = flags & 16;
        // Shares beyond 0 to 1 too: the report keeps them within.
        page.inkShare = (input.byte() - 16) / 200.0;
        page.darkShare = input.byte() / 250.0;
        page.problem = input.text();
        page.matchedLine = input.text();
        for (int i = flags >> 5; i > 0; --i) {
            const std::string_view format = input.text();
            page.barcodes.push_back({formatName(format), std::string(input.text())});
        }
    }

    const std::string report = quirekit::PageFactsReport::format(pages, ink, phrase);
    const QList<qw::PageFacts> read = qw::ParsePageFacts(QByteArray::fromStdString(report));
    require(std::size_t(read.size()) == pages.size(), "the window reads another number of pages");
    for (std::size_t i = 0; i < pages.size(); ++i)
        compare(pages[i], read[qsizetype(i)], int(i) + 1, ink, phrase);

    // Any bytes as a report.
    const std::string_view rest = input.rest();
    for (const qw::PageFacts &facts : qw::ParsePageFacts(QByteArray(rest.data(), qsizetype(rest.size()))))
        require(facts.page >= 1, "a page numbered " + std::to_string(facts.page));
    return 0;
}
