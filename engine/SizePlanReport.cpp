#include "SizePlanReport.h"

#include "DataReport.h"

#include "protocol/EngineProtocol.h"

namespace quirekit {

std::string SizePlanReport::format(int pageCount, std::int64_t limit, const std::vector<PlannedPart> &parts)
{
    namespace keys = protocol::report;
    std::string text;
    DataReport::appendLine(text, keys::PageCount, pageCount);
    DataReport::appendLine(text, keys::SizeLimit, static_cast<long long>(limit));
    for (const PlannedPart &part : parts) {
        DataReport::appendBegin(text, keys::PartBegin);
        DataReport::appendLine(text, keys::PartFirstPage, part.first);
        DataReport::appendLine(text, keys::PartLastPage, part.last);
        DataReport::appendLine(text, keys::PartBytes, static_cast<long long>(part.bytes));
    }
    for (const PlannedPart &part : parts)
        if (part.oversize)
            DataReport::appendLine(text, keys::OversizePage, part.first);
    return text;
}

} // namespace quirekit
