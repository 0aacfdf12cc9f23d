#pragma once

#include "SizePlanner.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quirekit {

// Formats the size_plan report: the page count first, as in the dump_data report, the limit,
// then one block per part in page order:
//   PartBegin
//   PartFirstPage: <n>
//   PartLastPage: <n>
//   PartBytes: <bytes its file takes>
// and last one line for each page that alone is larger than the limit:
//   OversizePage: <n>
class SizePlanReport {
public:
    static std::string format(int pageCount, std::int64_t limit, const std::vector<PlannedPart> &parts);
};

} // namespace quirekit
