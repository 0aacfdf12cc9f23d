#pragma once

#include "core/FileMove.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace qw {

// How one part of a split ended.
struct PartOutcome {
    // Why a part was not written.
    enum class Failure {
        None,
        EngineNotStarted, // the engine could not be started at all: the next parts would fail alike
        EngineFailed, // it ran and failed (its last line tells why)
        NotWritten, // it reported success, but the output file did not change
        FileAppeared, // a file that nobody agreed to replace arrived at the part's name meanwhile
        DocumentChanged, // the document is no longer the file that was opened
    };
    bool written = false; // the engine succeeded and this run changed the output file
    QString path; // the file the part was written to, as the file system resolved it
    bool cancelled = false; // the split was cancelled while or before this part ran (it may be written)
    // The document changed since it was opened (found before or after this part's engine run;
    // the part may still have been written, from the file that was opened).
    bool documentChanged = false;
    Failure failureKind = Failure::None;
    QString failure; // why the part was not written, for the user; empty when written or cancelled

    // No further part may be attempted after this one: cancelled, no engine, another program
    // writing the same names, or a document that changed.
    bool EndsTheSplit() const
    {
        return cancelled || documentChanged || failureKind == Failure::EngineNotStarted
               || failureKind == Failure::FileAppeared;
    }
};

// What a whole split did.
struct SplitResult {
    QStringList written; // the parts' paths, in part order
    QStringList failures; // one text per part that failed
    int notAttempted = 0; // parts never started: after a part that ended the split
    bool cancelled = false;
    bool documentChanged = false; // the split stopped because the document changed
    // How the archive move ended; none when no move was asked for or the parts were not all written.
    std::optional<MoveResult> archived;
    // Every part written, no cancel and no change: only then may the document be archived.
    bool Complete(qsizetype partCount) const
    {
        return !cancelled && !documentChanged && written.size() == partCount;
    }
};

} // namespace qw
