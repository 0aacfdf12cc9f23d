#include "SizePlanner.h"

#include <algorithm>
#include <utility>

namespace quirekit {

namespace {

// Room left for the estimate's errors, so that most parts fit at the first measurement.
constexpr std::int64_t kMarginDivisor = 100;

} // namespace

SizePlanner::SizePlanner(const PageWeights &weights, std::int64_t limit, Measure measure, Progress progress)
    : m_weights(weights), m_limit(limit), m_budget(limit - limit / kMarginDivisor), m_measure(std::move(measure)),
      m_progress(std::move(progress))
{
}

Status SizePlanner::plan(std::vector<PlannedPart> &parts)
{
    parts.clear();
    const int count = static_cast<int>(m_weights.own.size());
    if (count == 0)
        return Status::success();
    m_taken.assign(m_weights.objectBytes.size(), 0);
    if (Status status = calibrate(); !status.ok)
        return status;
    for (int first = 0; first < count;) {
        int last = estimatedLast(first);
        std::int64_t bytes = 0;
        for (;;) {
            if (Status status = m_measure(first + 1, last + 1, bytes); !status.ok)
                return status;
            if (bytes <= m_limit || last == first)
                break;
            // Too large after all: give up pages in proportion to the excess, at least one.
            const int pages = last - first + 1;
            const auto keep = static_cast<int>(static_cast<double>(pages) * static_cast<double>(m_budget)
                                               / static_cast<double>(bytes));
            last = first + std::clamp(keep, 1, pages - 1) - 1;
        }
        parts.push_back(PlannedPart{first + 1, last + 1, bytes, bytes > m_limit});
        if (m_progress)
            m_progress(last + 1, count);
        first = last + 1;
    }
    return Status::success();
}

// What a part holds besides its pages is found from the first page's part as written, less
// that page's estimate; estimating the rest would repeat PartWriter.
Status SizePlanner::calibrate()
{
    std::int64_t bytes = 0;
    if (Status status = m_measure(1, 1, bytes); !status.ok)
        return status;
    ++m_mark;
    m_estimate = 0;
    take(0);
    m_fixed = std::max<std::int64_t>(0, bytes - m_estimate);
    return Status::success();
}

std::int64_t SizePlanner::added(int index) const
{
    std::int64_t bytes = m_weights.own[static_cast<std::size_t>(index)];
    for (int num : m_weights.objects[static_cast<std::size_t>(index)])
        if (m_taken[static_cast<std::size_t>(num)] != m_mark)
            bytes += m_weights.objectBytes[static_cast<std::size_t>(num)];
    return bytes;
}

void SizePlanner::take(int index)
{
    m_estimate += added(index);
    for (int num : m_weights.objects[static_cast<std::size_t>(index)])
        m_taken[static_cast<std::size_t>(num)] = m_mark;
}

// A part holds at least its first page, however large.
int SizePlanner::estimatedLast(int first)
{
    const int count = static_cast<int>(m_weights.own.size());
    ++m_mark;
    m_estimate = m_fixed;
    take(first);
    int last = first;
    while (last + 1 < count && m_estimate + added(last + 1) <= m_budget)
        take(++last);
    return last;
}

} // namespace quirekit
