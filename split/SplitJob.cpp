#include "SplitJob.h"

#include "DocumentOutline.h"
#include "EngineRunner.h"

#include "core/NativeFileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace qw {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// What the engine said about a failed part: its last line, or what its end tells.
QString engineMessage(const EngineResult &result, const QByteArray &output)
{
    if (result.end == EngineResult::End::NotStarted)
        return result.reason;
    const QList<QByteArray> lines = output.trimmed().split('\n');
    const QString last = QString::fromLocal8Bit(lines.last().trimmed());
    if (!last.isEmpty())
        return last;
    if (result.end != EngineResult::End::Exited)
        return result.reason;
    if (result.exitCode != 0)
        return QCoreApplication::translate("qw::SplitJob", "The engine ended with code %1.").arg(result.exitCode);
    return QCoreApplication::translate("qw::SplitJob", "The engine reported success but did not write the file.");
}

// `path` taken from `base` (a folder ending in a separator) when it is relative; empty stays empty.
QString absoluteFrom(const QString &base, const QString &path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || base.isEmpty())
        return path;
    return base + path;
}

QString folderOf(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// This machine as the engine names it in its temporary files: /etc/machine-id, else the host
// name, in letters and digits, at most 32 of them; empty when neither says.
QString machineToken()
{
    QFile id(QStringLiteral("/etc/machine-id"));
    QString text = id.open(QIODevice::ReadOnly) ? QString::fromLatin1(id.readLine(128)) : QString();
    const auto token = [](const QString &given) {
        QString kept;
        for (const QChar c : given)
            if (c.isLetterOrNumber() && c.unicode() < 128 && kept.size() < 32)
                kept += c;
        return kept;
    };
    const QString fromId = token(text);
    return fromId.isEmpty() ? token(QSysInfo::machineHostName()) : fromId;
}

// An engine killed outright leaves its unfinished file, .quirekit-<pid>-<machine>-XXXXXX,
// beside the output; an engine that was only asked to stop has removed it itself. A file of
// another machine writing into the same folder may carry the same process id, and stays.
void removeUnfinished(const QString &output, qint64 processId)
{
    static const QString machine = machineToken();
    if (processId <= 0 || machine.isEmpty())
        return;
    QDir folder(folderOf(output));
    const QString prefix = QStringLiteral(".quirekit-%1-%2-").arg(processId).arg(machine);
    for (const QString &name : folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden))
        folder.remove(name);
}

QString partsWord(int count)
{
    //: Completes "%1 more %2 not attempted." for one part or for several
    return count == 1 ? QCoreApplication::translate("qw::SplitJob", "part was")
                      : QCoreApplication::translate("qw::SplitJob", "parts were");
}

} // namespace

SplitJob::SplitJob(QString documentPath, QList<PartRange> parts, SplitSettings settings, FileStamp document)
    : documentPath_(std::move(documentPath)), parts_(std::move(parts)), settings_(std::move(settings)),
      document_(document.exists ? document : FileStamp::Of(documentPath_))
{
    // A program's current folder is wherever it happened to be started, so a relative folder
    // of the options means one beside the document; resolved once, so that the checks, the
    // engine and the messages all use the same folder.
    const QString base = folderOf(documentPath_);
    settings_.outFolderName = absoluteFrom(base, settings_.outFolderName);
    settings_.askedFolder = absoluteFrom(base, settings_.askedFolder);
    settings_.archiveFolderName = absoluteFrom(base, settings_.archiveFolderName);
}

OutputLocation SplitJob::Location() const
{
    return ResolveOutputLocation(documentPath_, settings_.saveFileType, settings_.askedFolder, settings_.outFolderName);
}

QString SplitJob::OutputArgumentOf(const PartRange &part) const
{
    // A part that nothing in the document names (pages before the first bookmark, a part with
    // no separator before it) is named after the document and its number, so that a pattern of
    // such a token alone still gives every part a name of its own, none the document's.
    const QString unnamed = QStringLiteral("%1 %2").arg(
        DocumentOutline::SafeFileName(QFileInfo(documentPath_).completeBaseName()), QString::number(part.partNumber));
    QString title = DocumentOutline::TitleFor(settings_.bookmarks, settings_.bookmarkLevel, part.firstPage);
    if (title.isEmpty())
        title = unnamed;
    // A separator that stays in its part is the part's first page; one left out stands right
    // before it, and then the first of the sheets side by side there says what the part is.
    int separator = part.firstPage;
    if (!settings_.separatorLabels.contains(separator)) {
        --separator;
        while (settings_.separatorLabels.contains(separator - 1))
            --separator;
    }
    QString label = DocumentOutline::SafeFileName(settings_.separatorLabels.value(separator));
    if (label.isEmpty())
        label = unnamed;
    return ExpandNamePattern(settings_.fileNamePattern, Location().basePath, part.firstPage, part.lastPage,
                             part.partNumber, part.fileCount, title, label);
}

OutputTarget SplitJob::TargetOf(const PartRange &part) const
{
    // The engine runs in the output folder, so a name without a folder lands there.
    return OutputTarget::Resolve(Location().outputFolder, OutputArgumentOf(part));
}

QStringList SplitJob::Outputs() const
{
    QStringList outputs;
    for (const PartRange &part : parts_)
        outputs << OutputPathOf(part);
    return outputs;
}

QStringList SplitJob::Check::ExistingPaths() const
{
    QStringList paths;
    for (const OutputTarget &target : existing)
        paths << target.path;
    return paths;
}

bool SplitJob::DocumentUnchanged() const
{
    return FileStamp::Of(documentPath_).SameVersion(document_);
}

SplitJob::Check SplitJob::CheckBeforeSplitting() const
{
    using Kind = SplitRefusal::Kind;
    Check check;
    const QString engine = EngineRunner::EnginePath();
    if (!QFileInfo(engine).isExecutable()) {
        check.refusal = {Kind::EngineMissing, engine};
        return check;
    }
    const QString folder = Location().outputFolder;
    if (!QFileInfo(folder).isDir()) {
        check.refusal = {Kind::NoOutputFolder, folder};
        return check;
    }
    // A folder named in bytes that are not UTF-8 (from the folder dialog, say) is another folder.
    for (const QString &named : {folder, settings_.archive ? settings_.archiveFolderName : QString()}) {
        if (!named.isEmpty() && !NativeFileName::IsExact(named)) {
            check.refusal = {Kind::NameNotExact, named};
            return check;
        }
    }
    if (!DocumentUnchanged()) {
        check.refusal = {Kind::DocumentChanged, documentPath_};
        return check;
    }
    for (const PartRange &part : parts_)
        check.targets << TargetOf(part);
    check.refusal = SplitPlan::FindOutputConflict(document_, check.targets);
    if (check.refusal)
        return check;
    for (const OutputTarget &target : check.targets)
        if (target.kind == OutputTarget::Kind::File)
            check.existing << target;
    return check;
}

void SplitJob::AgreeToReplace(const QList<OutputTarget> &files)
{
    for (const OutputTarget &file : files)
        agreed_.insert(file.path, file.stamp);
}

SplitResult SplitJob::Run() const
{
    SplitObserver nobody;
    return Run(nobody);
}

SplitResult SplitJob::Run(SplitObserver &observer, int jobs) const
{
    // One lock for the observer and the parts' shared state; a single job runs in this thread
    // and takes none, so that a window's observer may handle its events in KeepGoing.
    const bool parallel = jobs > 1 && parts_.size() > 1;
    std::mutex mutex;
    const auto lock = [&] { return parallel ? std::unique_lock(mutex) : std::unique_lock<std::mutex>(); };
    std::vector<std::optional<PartOutcome>> outcomes(size_t(parts_.size()));
    qsizetype next = 0;
    bool ended = false;
    const auto keepGoing = [&] {
        const auto held = lock();
        return observer.KeepGoing();
    };
    const auto work = [&] {
        for (;;) {
            auto held = lock();
            if (ended || next == parts_.size())
                return;
            const qsizetype index = next++;
            const PartRange &part = parts_.at(index);
            PartOutcome outcome;
            if (!observer.PartStarting(part, OutputPathOf(part))) {
                outcome.cancelled = true;
            } else {
                held = {};
                outcome = SplitPart(part, keepGoing);
                held = lock();
                // A stop reaches the engine too (Ctrl+C goes to the whole process group), which
                // then fails on it: that is the stop, not a failure of the part.
                if (!outcome.cancelled && !observer.KeepGoing())
                    outcome.cancelled = true;
                if (outcome.cancelled && !outcome.written) {
                    outcome.failureKind = PartOutcome::Failure::None;
                    outcome.failure.clear();
                }
            }
            if (outcome.written)
                observer.PartWritten(part, outcome);
            else if (!outcome.failure.isEmpty())
                observer.PartFailed(part, outcome);
            ended = ended || outcome.EndsTheSplit();
            outcomes[size_t(index)] = std::move(outcome);
        }
    };
    if (parallel) {
        std::vector<std::jthread> workers;
        for (qsizetype i = 0; i < std::min(qsizetype(jobs), parts_.size()); ++i)
            workers.emplace_back(work);
    } else {
        work();
    }

    SplitResult result;
    for (qsizetype index = 0; index < parts_.size(); ++index) {
        const std::optional<PartOutcome> &outcome = outcomes[size_t(index)];
        if (!outcome) {
            ++result.notAttempted;
            observer.PartSkipped(parts_.at(index));
            continue;
        }
        if (outcome->written)
            result.written << outcome->path;
        else if (!outcome->failure.isEmpty())
            result.failures << outcome->failure;
        result.cancelled = result.cancelled || outcome->cancelled;
        result.documentChanged = result.documentChanged || outcome->documentChanged;
    }
    if (settings_.archive && result.Complete(parts_.size())) {
        // A stop asked for after the last part still keeps the document where it is.
        if (!observer.KeepGoing()) {
            result.cancelled = true;
        } else {
            result.archived = ArchiveDocument();
            observer.ArchiveEnded(*result.archived);
        }
    }
    return result;
}

QStringList SplitJob::EngineEnvironment(const OutputTarget &target) const
{
    const auto agreed = agreed_.constFind(target.path);
    QStringList environment{EngineRunner::ReplaceVariable(agreed == agreed_.cend() ? nullptr : &agreed.value())};
    if (document_.exists)
        environment << EngineRunner::DocumentVariable(document_);
    return environment;
}

PartOutcome SplitJob::SplitPart(const PartRange &part, const KeepGoing &keepGoing) const
{
    PartOutcome outcome;
    if (!DocumentUnchanged()) {
        outcome.documentChanged = true;
        outcome.failureKind = PartOutcome::Failure::DocumentChanged;
        return outcome;
    }
    // The name is made once: the engine is given it, and the checks look where it leads.
    const OutputLocation location = Location();
    const QString name = OutputArgumentOf(part);
    // A<first>-<last> of the document named A, several ranges for a part that leaves pages out.
    namespace word = quirekit::protocol::word;
    const QString handle = ProtocolText(word::Handle);
    QStringList arguments{handle + QLatin1Char('=') + documentPath_, ProtocolText(word::Cat)};
    for (const auto &[from, to] : part.Ranges())
        arguments << handle + QStringLiteral("%1-%2").arg(from).arg(to);
    arguments << ProtocolText(word::Output) << name;
    const OutputTarget target = OutputTarget::Resolve(location.outputFolder, name);
    outcome.path = target.path;
    const FileStamp before = FileStamp::Of(target.path);
    QByteArray engineOutput;
    const EngineResult result = EngineRunner::RunEngineCommand(arguments, &engineOutput, location.outputFolder,
                                                               keepGoing, EngineEnvironment(target));
    const FileStamp after = FileStamp::Of(target.path);
    // A stop that came too late to stop the engine still ends the split after this part.
    outcome.cancelled = result.stopAsked;
    // A part written before the change was read from the document that was opened, and counts.
    outcome.documentChanged = !DocumentUnchanged();
    if (result.Succeeded() && after.regular && after != before) {
        outcome.written = true;
        return outcome;
    }
    if (result.end == EngineResult::End::Stopped) {
        removeUnfinished(target.path, result.processId);
        return outcome;
    }
    const bool exited = result.end == EngineResult::End::Exited;
    QString why;
    if (result.end == EngineResult::End::NotStarted) {
        outcome.failureKind = PartOutcome::Failure::EngineNotStarted;
        why = result.reason;
    } else if (exited && result.exitCode == EngineExit::DocumentChanged) {
        outcome.documentChanged = true;
        outcome.failureKind = PartOutcome::Failure::DocumentChanged;
        return outcome;
    } else if (exited && result.exitCode == EngineExit::OutputAppeared) {
        outcome.failureKind = PartOutcome::Failure::FileAppeared;
        why = QCoreApplication::translate("qw::SplitJob", "A file of that name appeared while the part was being written. It was left as it is, "
                             "and the split was stopped: another program may be writing there.");
    } else {
        outcome.failureKind = result.Succeeded() ? PartOutcome::Failure::NotWritten : PartOutcome::Failure::EngineFailed;
        why = engineMessage(result, engineOutput);
    }
    outcome.failure = QCoreApplication::translate("qw::SplitJob", "Part %1 (pages %2 to %3), %4:\n%5")
                          .arg(part.partNumber)
                          .arg(part.firstPage)
                          .arg(part.lastPage)
                          .arg(shown(target.path), why);
    return outcome;
}

QString SplitJob::ArchiveTarget() const
{
    return settings_.archiveFolderName + QDir::separator() + QFileInfo(documentPath_).fileName();
}

MoveResult SplitJob::ArchiveDocument() const
{
    return MoveFileNoReplace(documentPath_, ArchiveTarget());
}

SplitJob::ArchiveProblem SplitJob::CheckArchive() const
{
    if (!settings_.archive)
        return ArchiveProblem::None;
    if (settings_.archiveFolderName.isEmpty())
        return ArchiveProblem::NoFolder;
    if (!QFileInfo(settings_.archiveFolderName).isDir())
        return ArchiveProblem::FolderMissing;
    if (!SplitPlan::ExistingOutputs({ArchiveTarget()}).isEmpty())
        return ArchiveProblem::TargetExists;
    return ArchiveProblem::None;
}

QString SplitJob::ArchiveFailure(MoveResult result) const
{
    const QString reason = result == MoveResult::TargetExists
                               ? QCoreApplication::translate("qw::SplitJob", "A file of that name is already in the archive folder.")
                               : QCoreApplication::translate("qw::SplitJob", "Check that the archive folder exists and can be written to.");
    return QCoreApplication::translate("qw::SplitJob", "The parts were written, but the document could not be moved to\n%1\n\n%2")
        .arg(shown(ArchiveTarget()), reason);
}

QString SplitJob::FailureReport(const SplitResult &result) const
{
    const QString archiveNote = settings_.archive ? QCoreApplication::translate("qw::SplitJob", ", so the document was not archived") : QString();
    QStringList reasons = result.failures;
    const bool stopped = result.cancelled || result.documentChanged;
    if (result.notAttempted > 0 && !stopped)
        reasons << QCoreApplication::translate("qw::SplitJob", "%1 more %2 not attempted.").arg(result.notAttempted).arg(partsWord(result.notAttempted));
    if (!stopped)
        return QCoreApplication::translate("qw::SplitJob", "%1 of %2 parts could not be written%3.\n\n%4")
            .arg(parts_.size() - result.written.size())
            .arg(parts_.size())
            .arg(archiveNote, SplitPlan::ListSome(reasons, QStringLiteral("\n\n")));

    // A stopped split names what it did write, so that nothing is mistaken for a whole split.
    QStringList written;
    for (const QString &path : result.written)
        written << shown(path);
    const QString why = result.documentChanged
                            ? QCoreApplication::translate("qw::SplitJob", "The document\n%1\nhas been replaced, moved or changed since it was "
                                             "opened, so the split was stopped%2.")
                                  .arg(shown(documentPath_), archiveNote)
                            : QCoreApplication::translate("qw::SplitJob", "The split was cancelled%1.").arg(archiveNote);
    QString report = QCoreApplication::translate("qw::SplitJob", "%1 %2 of %3 parts were written%4")
                         .arg(why)
                         .arg(result.written.size())
                         .arg(parts_.size())
                         .arg(written.isEmpty() ? QStringLiteral(".")
                                                : QStringLiteral(":\n\n") + SplitPlan::ListSome(written));
    if (!reasons.isEmpty())
        report += QStringLiteral("\n\n") + SplitPlan::ListSome(reasons, QStringLiteral("\n\n"));
    if (result.documentChanged)
        report += QStringLiteral("\n\n")
                  + QCoreApplication::translate("qw::SplitJob", "Open the document again to split it as it is now.");
    return report;
}

} // namespace qw
