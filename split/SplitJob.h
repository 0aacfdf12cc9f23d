#pragma once

#include "OutputNaming.h"
#include "OutputTarget.h"
#include "SplitPlan.h"
#include "SplitRefusal.h"
#include "SplitObserver.h"
#include "SplitOutcome.h"
#include "SplitSettings.h"

#include "core/FileMove.h"
#include "core/FileStamp.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace qw {

// One split of a document into parts, free of any window, shared by the main window and the
// batch mode: where the parts go, what must stop the split before anything is written, one
// engine run per part with every part's result checked, and the archive move.
//
// Every part is written by the engine running in the output folder, with the name the pattern
// makes as its argument; every check is made on the file that the engine will write there, as
// the file system resolves it (OutputTarget). The engine reads only the document file that was
// opened, and its final rename replaces only the files the user agreed to replace.
class SplitJob {
public:
    // Asked while the engine runs (every few tenths of a second, and on its output); false
    // asks the engine to stop. A caller with a window handles its events here.
    using KeepGoing = std::function<bool()>;

    // `document` is the document file as it was when it was opened (and its page count and
    // bookmarks read); the split stops when the file is no longer that one. Without it, the
    // file as it is now is taken. A relative output or archive folder is taken from the
    // document's folder, once, here.
    SplitJob(QString documentPath, QList<PartRange> parts, SplitSettings settings, FileStamp document = {});

    const QString &DocumentPath() const { return documentPath_; }
    const QList<PartRange> &Parts() const { return parts_; }
    const SplitSettings &Settings() const { return settings_; }
    OutputLocation Location() const;

    // The name the pattern makes for `part`, as the engine is given it; the file it will write,
    // as the file system finds it now; and that file's path.
    QString OutputArgumentOf(const PartRange &part) const;
    OutputTarget TargetOf(const PartRange &part) const;
    QString OutputPathOf(const PartRange &part) const { return TargetOf(part).path; }
    QStringList Outputs() const;

    // What the checks before the first part found, all from one look at the file system.
    struct Check {
        SplitRefusal refusal; // why the split must not start; none when it may
        QList<OutputTarget> targets; // every part's file, in part order, once the checks got that far
        QList<OutputTarget> existing; // the files that parts would replace, in part order
        QStringList ExistingPaths() const;
    };
    // Why the split must not start (no engine, no output folder, a document that changed since
    // it was opened, a part over the document, two parts on one file, a part the engine would
    // refuse to write), and the files it would replace. Nothing has been written when it refuses.
    Check CheckBeforeSplitting() const;
    SplitRefusal Refusal() const { return CheckBeforeSplitting().refusal; }
    QStringList ExistingOutputs() const { return CheckBeforeSplitting().ExistingPaths(); }
    // The user agreed to replace these files (as CheckBeforeSplitting found them): the engine may
    // replace them, and nothing else, not even a file that takes their place meanwhile.
    void AgreeToReplace(const QList<OutputTarget> &files);

    // Writes the parts in order, then archives the document when every part was written and the
    // settings ask for it, telling `observer` as it goes. Stops after a part that ends the split
    // (PartOutcome); the parts not yet started are skipped. A part that fails once the observer
    // has asked to stop is the stop, not a failure.
    // With `jobs` above 1, up to that many parts are written at once, each by its own engine
    // with the same checks; `observer` is then called from those threads, one call at a time.
    SplitResult Run(SplitObserver &observer, int jobs = 1) const;
    SplitResult Run() const;

    // Writes one part. A part counts as written only when the engine succeeded and the output
    // file changed during this run: a file that was there before proves nothing. When
    // `keepGoing` says stop, the engine is asked to end and what it left half-written is removed.
    PartOutcome SplitPart(const PartRange &part, const KeepGoing &keepGoing = {}) const;

    // Moves the document into the archive folder, never over a file there.
    QString ArchiveTarget() const;
    MoveResult ArchiveDocument() const;
    // What would keep the archive move from succeeding, looked at before any part is written by a
    // caller that must not leave parts behind without it (the window moves after the parts, and
    // tells why a move failed).
    enum class ArchiveProblem { None, NoFolder, FolderMissing, TargetExists };
    ArchiveProblem CheckArchive() const;
    // Why the archive move failed, for the user.
    QString ArchiveFailure(MoveResult result) const;

    // What a split left undone, for the user: how many parts failed or were not written, then
    // the reasons (the first few), and "so the document was not archived" when it would have been.
    QString FailureReport(const SplitResult &result) const;

private:
    bool DocumentUnchanged() const;
    QStringList EngineEnvironment(const OutputTarget &target) const;

    QString documentPath_;
    QList<PartRange> parts_;
    SplitSettings settings_;
    FileStamp document_;
    QHash<QString, FileStamp> agreed_; // the files that may be replaced, by resolved path
};

} // namespace qw
