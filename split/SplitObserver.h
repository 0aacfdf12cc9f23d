#pragma once

#include "SplitOutcome.h"
#include "SplitPlan.h"

#include "core/FileMove.h"

namespace qw {

// Follows a running split: told when each part starts, is written, fails or is skipped, and
// how the archive move ended; and asked whether to go on. The window's progress dialog and
// the batch mode's report are two of these. Every call comes from the thread running the split,
// or, when parts are written at once, from one of its workers, never two calls at a time.
class SplitObserver {
public:
    virtual ~SplitObserver() = default;

    // Part `part` is about to be written to `path`; false cancels the split before it.
    virtual bool PartStarting(const PartRange &part, const QString &path)
    {
        Q_UNUSED(part);
        Q_UNUSED(path);
        return true;
    }
    // Asked while the engine runs, every few tenths of a second, and after it; false stops it.
    virtual bool KeepGoing() { return true; }
    virtual void PartWritten(const PartRange &part, const PartOutcome &outcome)
    {
        Q_UNUSED(part);
        Q_UNUSED(outcome);
    }
    // `outcome.failure` says why, for the user.
    virtual void PartFailed(const PartRange &part, const PartOutcome &outcome)
    {
        Q_UNUSED(part);
        Q_UNUSED(outcome);
    }
    // Not attempted: an earlier part ended the split.
    virtual void PartSkipped(const PartRange &part) { Q_UNUSED(part); }
    virtual void ArchiveEnded(MoveResult result) { Q_UNUSED(result); }
};

} // namespace qw
