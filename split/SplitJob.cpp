#include "SplitJob.h"

#include "DocumentOutline.h"
#include "EngineRunner.h"

#include "framework/CommandLine.h"
#include "framework/FileStamp.h"

#include <QDir>
#include <QFileInfo>

namespace qw {

namespace {

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
        return QStringLiteral("The engine ended with code %1.").arg(result.exitCode);
    return QStringLiteral("The engine reported success but did not write the file.");
}

// An engine killed outright leaves its unfinished file, named after its process id, beside
// the output; an engine that was only asked to stop has removed it itself.
void removeUnfinished(const QString &output, qint64 processId)
{
    if (processId <= 0)
        return;
    const QFileInfo file(output);
    QDir folder(file.absolutePath());
    const QString prefix = QStringLiteral(".quirekit-%1-").arg(processId);
    for (const QString &name : folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden))
        folder.remove(name);
}

} // namespace

SplitJob::SplitJob(QString documentPath, QList<PartRange> parts, SplitSettings settings)
    : documentPath_(std::move(documentPath)), parts_(std::move(parts)), settings_(std::move(settings))
{
}

OutputLocation SplitJob::Location() const
{
    return ResolveOutputLocation(documentPath_, settings_.saveFileType, settings_.askedFolder, settings_.outFolderName);
}

QString SplitJob::OutputArgumentOf(const PartRange &part) const
{
    QString title = DocumentOutline::TitleFor(settings_.bookmarks, settings_.bookmarkLevel, part.firstPage);
    // Pages before the first bookmark (a title page, a preface) are named after the document.
    if (title.isEmpty())
        title = DocumentOutline::SafeFileName(QFileInfo(documentPath_).completeBaseName());
    return ExpandNamePattern(settings_.fileNamePattern, Location().basePath, part.firstPage, part.lastPage,
                             part.partNumber, part.fileCount, title);
}

QString SplitJob::OutputPathOf(const PartRange &part) const
{
    // The engine runs in the output folder, so a name without a folder lands there. Joined by
    // hand: QDir would take a name or folder starting with ':' for a resource, not a file.
    const QString name = OutputArgumentOf(part);
    if (name.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(name);
    const QString inFolder = Location().outputFolder + name;
    return QDir::cleanPath(inFolder.startsWith(QLatin1Char('/')) ? inFolder
                                                                 : QDir::currentPath() + QLatin1Char('/') + inFolder);
}

QStringList SplitJob::Outputs() const
{
    QStringList outputs;
    for (const PartRange &part : parts_)
        outputs << OutputPathOf(part);
    return outputs;
}

QString SplitJob::Refusal() const
{
    const QString engine = EngineRunner::EnginePath();
    if (!QFileInfo(engine).isExecutable())
        return QStringLiteral("The PDF engine is missing or cannot be started:\n%1\n\n"
                              "Reinstall Quirewright so that %2 lies beside the program. Nothing was written.")
            .arg(engine, QString::fromLatin1(EngineRunner::EngineFileName));
    const QString folder = Location().outputFolder;
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("The output folder\n%1\ndoes not exist.\n\n"
                              "Create it, or choose another output folder. Nothing was written.")
            .arg(QDir::toNativeSeparators(folder));
    return SplitPlan::FindOutputConflict(documentPath_, Outputs());
}

SplitResult SplitJob::Run(const PartRunner &runPart) const
{
    SplitResult result;
    for (const PartRange &part : parts_) {
        const PartOutcome outcome = runPart ? runPart(part) : SplitPart(part);
        if (outcome.written)
            result.written << OutputPathOf(part);
        else if (!outcome.failure.isEmpty())
            result.failures << outcome.failure;
        if (outcome.cancelled || !outcome.engineStarted) {
            result.cancelled = outcome.cancelled;
            result.notAttempted = int(parts_.size()) - part.partNumber;
            break;
        }
    }
    return result;
}

PartOutcome SplitJob::SplitPart(const PartRange &part, const KeepGoing &keepGoing) const
{
    const OutputLocation location = Location();
    const QString arguments = QStringLiteral("A=") + CommandLine::Quote(documentPath_) + QStringLiteral(" cat ")
                              + QStringLiteral("A%1-%2").arg(part.firstPage).arg(part.lastPage)
                              + QStringLiteral(" output ") + CommandLine::Quote(OutputArgumentOf(part));
    const QString written = OutputPathOf(part);
    const FileStamp before = FileStamp::Of(written);
    QByteArray engineOutput;
    const EngineResult result
        = EngineRunner::RunEngineCommand(arguments, &engineOutput, location.outputFolder, keepGoing);
    const FileStamp after = FileStamp::Of(written);
    PartOutcome outcome;
    // A stop that came too late to stop the engine still ends the split after this part.
    outcome.cancelled = result.stopAsked;
    if (result.Succeeded() && after.regular && after != before) {
        outcome.written = true;
        return outcome;
    }
    outcome.engineStarted = result.end != EngineResult::End::NotStarted;
    if (result.end == EngineResult::End::Stopped) {
        removeUnfinished(written, result.processId);
        return outcome;
    }
    outcome.failure = QStringLiteral("Part %1 (pages %2 to %3), %4:\n%5")
                          .arg(part.partNumber)
                          .arg(part.firstPage)
                          .arg(part.lastPage)
                          .arg(QDir::toNativeSeparators(written), engineMessage(result, engineOutput));
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

QString SplitJob::ArchiveFailure(MoveResult result) const
{
    const QString reason = result == MoveResult::TargetExists
                               ? QStringLiteral("A file of that name is already in the archive folder.")
                               : QStringLiteral("Check that the archive folder exists and can be written to.");
    return QStringLiteral("The parts were written, but the document could not be moved to\n%1\n\n%2")
        .arg(QDir::toNativeSeparators(ArchiveTarget()), reason);
}

QString SplitJob::FailureReport(const SplitResult &result) const
{
    const QString archiveNote = settings_.archive ? QStringLiteral(", so the document was not archived") : QString();
    QStringList reasons = result.failures;
    if (result.notAttempted > 0 && !result.cancelled)
        reasons << QStringLiteral("%1 more %2 not attempted.")
                       .arg(result.notAttempted)
                       .arg(QLatin1String(result.notAttempted == 1 ? "part was" : "parts were"));
    if (result.cancelled) {
        QStringList written;
        for (const QString &path : result.written)
            written << QDir::toNativeSeparators(path);
        QString report = QStringLiteral("The split was cancelled%1. %2 of %3 parts were written%4")
                             .arg(archiveNote)
                             .arg(result.written.size())
                             .arg(parts_.size())
                             .arg(written.isEmpty() ? QStringLiteral(".")
                                                    : QStringLiteral(":\n\n") + SplitPlan::ListSome(written));
        if (!reasons.isEmpty())
            report += QStringLiteral("\n\n") + SplitPlan::ListSome(reasons, QStringLiteral("\n\n"));
        return report;
    }
    return QStringLiteral("%1 of %2 parts could not be written%3.\n\n%4")
        .arg(parts_.size() - result.written.size())
        .arg(parts_.size())
        .arg(archiveNote, SplitPlan::ListSome(reasons, QStringLiteral("\n\n")));
}

} // namespace qw
