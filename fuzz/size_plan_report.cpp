// The size_plan report as the window reads it. Input: a plan (parts of consecutive pages, some
// oversize) taken from the front, then any bytes. The report the engine formats from the plan
// reads back as its breaks and its oversize pages; any bytes read as a report give only breaks
// after page 1, and a plan only where the report has parts.
#include "FuzzSupport.h"

#include "SizePlanReport.h"

#include "split/SizePlanQuery.h"

using namespace quirefuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    std::vector<quirekit::PlannedPart> parts;
    QList<int> breaks;
    QList<int> oversize;
    int next = 1;
    for (int count = input.byte() % 16 + 1; count > 0; --count) {
        const std::uint8_t length = input.byte();
        quirekit::PlannedPart part;
        part.first = next;
        part.last = next + length % 64;
        part.bytes = std::int64_t(input.byte()) << (input.byte() % 56);
        // A page larger than the limit alone is a part of its own.
        part.oversize = part.first == part.last && (length & 0x80);
        if (part.first > 1)
            breaks << part.first;
        if (part.oversize)
            oversize << part.first;
        parts.push_back(part);
        next = part.last + 1;
    }
    const std::int64_t limit = std::int64_t(input.byte()) + 1;

    const std::string report = quirekit::SizePlanReport::format(next - 1, limit, parts);
    const qw::SizePlanQuery::Result plan = qw::SizePlanQuery::ParsePlan(QByteArray::fromStdString(report));
    require(!plan.problem, "a plan reads as no plan: " + plan.problem.Text().toStdString());
    require(plan.breaks == breaks, "the breaks changed on the way");
    require(plan.oversizePages == oversize, "the oversize pages changed on the way");

    // Any bytes as a report.
    const std::string_view rest = input.rest();
    const QByteArray other(rest.data(), qsizetype(rest.size()));
    const qw::SizePlanQuery::Result found = qw::SizePlanQuery::ParsePlan(other);
    for (int page : found.breaks)
        require(page > 1, "a break before page " + std::to_string(page));
    if (!found.problem)
        require(other.contains("PartFirstPage: "), "a plan read from a report without parts");
    return 0;
}
