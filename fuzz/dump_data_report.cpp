// The dump_data report as the window reads it. Input: the facts of a document (page count,
// bookmarks, label ranges) taken from the front, then any bytes. The report the engine formats
// from those facts reads back as the same facts; any bytes read as a report crash nothing, and
// every page's label is made without overflow or a runaway length.
#include "FuzzSupport.h"

#include "DataReport.h"

#include "split/DocumentOutline.h"
#include "split/PageCountQuery.h"

#include <algorithm>
#include <climits>

using namespace quirefuzz;

namespace {

// A label is the prefix and at most a thousand letters (DocumentOutline::LabelOf).
constexpr qsizetype kLongestNumber = 1000;
constexpr int kPagesLabelled = 64;

std::int32_t int32(FuzzInput &input)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | input.byte();
    return static_cast<std::int32_t>(value);
}

// The first few pages of each range, labelled.
void labelSomePages(const QList<qw::PageLabelRange> &ranges)
{
    qsizetype longestPrefix = 0;
    for (const qw::PageLabelRange &range : ranges)
        longestPrefix = std::max(longestPrefix, range.prefix.size());
    int labelled = 0;
    for (const qw::PageLabelRange &range : ranges) {
        for (long long page = range.firstPage; page < range.firstPage + 4LL && page <= INT_MAX; ++page) {
            if (++labelled > kPagesLabelled)
                return;
            const QString label = qw::DocumentOutline::LabelOf(ranges, int(page));
            require(label.size() <= longestPrefix + kLongestNumber,
                    "a page label of " + std::to_string(label.size()) + " characters");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    quirekit::DocumentFacts facts;
    facts.pageCount = int32(input);
    for (int i = input.byte() % 8; i > 0; --i) {
        quirekit::DocumentFacts::Bookmark bookmark;
        bookmark.title = input.text();
        bookmark.level = input.byte();
        bookmark.page = int32(input);
        facts.bookmarks.push_back(bookmark);
    }
    static constexpr char kStyles[] = {'D', 'R', 'r', 'A', 'a', 0};
    for (int i = input.byte() % 4; i > 0; --i) {
        quirekit::DocumentFacts::LabelRange range;
        range.firstPage = int32(input);
        range.start = int32(input) * (long long)(input.byte() & 1 ? 4 : 1);
        range.style = kStyles[input.byte() % sizeof kStyles];
        range.prefix = input.text();
        facts.labels.push_back(range);
    }

    const std::string report = quirekit::DataReport::format(facts);
    const QByteArrayView bytes(report.data(), qsizetype(report.size()));
    require(qw::ParsePageCountReport(bytes) == facts.pageCount, "the page count changed on the way");
    const QList<qw::Bookmark> bookmarks = qw::DocumentOutline::Parse(bytes);
    require(std::size_t(bookmarks.size()) == facts.bookmarks.size(), "the window reads another number of bookmarks");
    for (qsizetype i = 0; i < bookmarks.size(); ++i) {
        const auto &written = facts.bookmarks[std::size_t(i)];
        require(bookmarks[i] == qw::Bookmark{QString::fromStdString(written.title), written.level, written.page},
                "the bookmark '" + written.title + "' changed on the way");
    }
    const QList<qw::PageLabelRange> ranges = qw::DocumentOutline::ParsePageLabels(bytes);
    require(std::size_t(ranges.size()) == facts.labels.size(), "the window reads another number of label ranges");
    for (qsizetype i = 0; i < ranges.size(); ++i) {
        const auto &written = facts.labels[std::size_t(i)];
        require(ranges[i].firstPage == written.firstPage && ranges[i].start == written.start
                    && ranges[i].prefix == QString::fromStdString(written.prefix),
                "the label range from page " + std::to_string(written.firstPage) + " changed on the way");
    }
    labelSomePages(ranges);

    // Any bytes as a report.
    const std::string_view rest = input.rest();
    const QByteArrayView other(rest.data(), qsizetype(rest.size()));
    qw::ParsePageCountReport(other);
    qw::DocumentOutline::Parse(other);
    labelSomePages(qw::DocumentOutline::ParsePageLabels(other));
    return 0;
}
