// The engine opening any bytes as a PDF and reporting on it, as dump_data does; and the window
// reading that report back. Nothing may crash, and what the report says must be what was found.
#include "FuzzSupport.h"

#include "DataReport.h"
#include "PdfDocument.h"

#include "split/DocumentOutline.h"

using namespace quirefuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = writeScratchFile("input.pdf", {reinterpret_cast<const char *>(data), size});
    quirekit::PdfDocument document;
    if (!document.open(path).ok)
        return 0;
    quirekit::DocumentFacts facts;
    if (!document.facts(facts).ok)
        return 0;

    const int pages = document.pageCount();
    require(facts.pageCount == pages, "the report's page count differs from the document's");
    for (const auto &bookmark : facts.bookmarks)
        require(bookmark.level >= 1 && bookmark.page >= 0 && bookmark.page <= pages,
                "a bookmark has level " + std::to_string(bookmark.level) + " and page " + std::to_string(bookmark.page));
    // Label ranges are listed as the document has them (past its end, or twice, too), in page order.
    int previous = 1;
    for (const auto &range : facts.labels) {
        require(range.firstPage >= previous, "page label ranges out of order");
        previous = range.firstPage;
    }

    const std::string report = quirekit::DataReport::format(facts);
    require(report.rfind("NumberOfPages: " + std::to_string(pages) + "\n", 0) == 0,
            "the report does not begin with the page count");
    const QList<qw::Bookmark> read = qw::DocumentOutline::Parse(QByteArrayView(report.data(), qsizetype(report.size())));
    require(std::size_t(read.size()) == facts.bookmarks.size(), "the window reads another number of bookmarks");
    for (qsizetype i = 0; i < read.size(); ++i) {
        const auto &found = facts.bookmarks[std::size_t(i)];
        require(read[i].title == QString::fromStdString(found.title), "bookmark title changed on the way: " + found.title);
        require(read[i].level == found.level && read[i].page == found.page, "bookmark level or page changed on the way");
    }
    return 0;
}
