#pragma once

#include "PageWeigher.h"
#include "Status.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace quirekit {

// One part of a plan: pages first to last (from 1) and the bytes its file takes.
struct PlannedPart {
    int first = 0;
    int last = 0;
    std::int64_t bytes = 0;
    bool oversize = false; // a single page whose part is larger than the limit
};

// Cuts a document into parts of consecutive pages, each at most `limit` bytes as PartWriter
// writes it. Pages are added to a part while the estimate from the page weights (shared
// objects counted once, the part's fixed overhead, a small margin) stays within the limit;
// then the part is measured by writing it to nowhere, and a part found too large gives up
// pages until it fits. So every part's size is the size its file will have, and only a
// single page larger than the limit makes a part larger than it.
class SizePlanner {
public:
    // The bytes the pages first to last (from 1) come to, as written.
    using Measure = std::function<Status(int first, int last, std::int64_t &bytes)>;
    // Told the last page planned so far and the page count.
    using Progress = std::function<void(int done, int total)>;

    SizePlanner(const PageWeights &weights, std::int64_t limit, Measure measure, Progress progress = {});

    // The parts in page order; fails only as a measurement fails.
    Status plan(std::vector<PlannedPart> &parts);

private:
    std::int64_t added(int index) const;
    void take(int index);
    int estimatedLast(int first);
    Status calibrate();

    const PageWeights &m_weights;
    std::int64_t m_limit;
    std::int64_t m_budget; // the limit less the margin, for estimates
    Measure m_measure;
    Progress m_progress;
    std::int64_t m_fixed = 0; // what every part holds besides its pages: header, catalog, tree, trailer...
    std::int64_t m_estimate = 0; // of the part being filled
    std::uint32_t m_mark = 0; // of the part being filled, in m_taken
    std::vector<std::uint32_t> m_taken; // by object number
};

} // namespace quirekit
