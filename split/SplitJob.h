#pragma once

#include "OutputNaming.h"
#include "SplitPlan.h"
#include "SplitSettings.h"

#include "framework/FileMove.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace qw {

// How one part of a split ended.
struct PartOutcome {
    bool written = false; // the engine succeeded and this run changed the output file
    bool engineStarted = true; // false: the engine could not be started at all
    bool cancelled = false; // the split was cancelled while or before this part ran (it may be written)
    QString failure; // why the part was not written, for the user; empty when written or cancelled
};

// What a whole split did.
struct SplitResult {
    QStringList written; // the parts' paths, in part order
    QStringList failures; // one text per part that failed
    int notAttempted = 0; // parts never started: after an engine that cannot start, or a cancel
    bool cancelled = false;
    // Every part written, and no cancel: only then may the document be archived.
    bool Complete(qsizetype partCount) const { return !cancelled && written.size() == partCount; }
};

// One split of a document into parts, free of any window, shared by the main window and the
// batch mode: where the parts go, what must stop the split before anything is written, one
// engine run per part with every part's result checked, and the archive move.
//
// Every part is written by the engine running in the output folder, with the name the pattern
// makes as its argument; the checks use the same file by its absolute path.
class SplitJob {
public:
    // Asked while the engine runs (every few tenths of a second, and on its output); false
    // asks the engine to stop. A caller with a window handles its events here.
    using KeepGoing = std::function<bool()>;
    // Runs one part; the job's own SplitPart unless a caller wraps it (to show progress).
    using PartRunner = std::function<PartOutcome(const PartRange &part)>;

    SplitJob(QString documentPath, QList<PartRange> parts, SplitSettings settings);

    const QString &DocumentPath() const { return documentPath_; }
    const QList<PartRange> &Parts() const { return parts_; }
    const SplitSettings &Settings() const { return settings_; }
    OutputLocation Location() const;

    // The name the pattern makes for `part`, as the engine is given it, and the absolute path
    // of the file that this name gives in the output folder.
    QString OutputArgumentOf(const PartRange &part) const;
    QString OutputPathOf(const PartRange &part) const;
    QStringList Outputs() const;

    // Why the split must not start: no engine, no output folder, a part over the document or
    // two parts on one file. Empty when it may start. Nothing has been written when it says so.
    QString Refusal() const;
    // The outputs that something already exists at, in part order.
    QStringList ExistingOutputs() const { return SplitPlan::ExistingOutputs(Outputs()); }

    // Writes the parts in order. Stops after a part that was cancelled, or whose engine could
    // not be started (the next runs would fail alike); the parts after it are not attempted.
    SplitResult Run(const PartRunner &runPart = {}) const;

    // Writes one part. A part counts as written only when the engine succeeded and the output
    // file changed during this run: a file that was there before proves nothing. When
    // `keepGoing` says stop, the engine is asked to end and what it left half-written is removed.
    PartOutcome SplitPart(const PartRange &part, const KeepGoing &keepGoing = {}) const;

    // Moves the document into the archive folder, never over a file there.
    QString ArchiveTarget() const;
    MoveResult ArchiveDocument() const;
    // Why the archive move failed, for the user.
    QString ArchiveFailure(MoveResult result) const;

    // What a split left undone, for the user: how many parts failed or were not written, then
    // the reasons (the first few), and "so the document was not archived" when it would have been.
    QString FailureReport(const SplitResult &result) const;

private:
    QString documentPath_;
    QList<PartRange> parts_;
    SplitSettings settings_;
};

} // namespace qw
