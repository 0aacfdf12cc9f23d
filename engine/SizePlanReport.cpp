#include "SizePlanReport.h"

namespace quirekit {

std::string SizePlanReport::format(int pageCount, std::int64_t limit, const std::vector<PlannedPart> &parts)
{
    std::string text = "NumberOfPages: " + std::to_string(pageCount) + "\nSizeLimit: " + std::to_string(limit) + "\n";
    for (const PlannedPart &part : parts)
        text += "PartBegin\nPartFirstPage: " + std::to_string(part.first) + "\nPartLastPage: "
                + std::to_string(part.last) + "\nPartBytes: " + std::to_string(part.bytes) + "\n";
    for (const PlannedPart &part : parts)
        if (part.oversize)
            text += "OversizePage: " + std::to_string(part.first) + "\n";
    return text;
}

} // namespace quirekit
