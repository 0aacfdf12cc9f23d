#include "BatchDocument.h"

#include "BatchExit.h"
#include "OutputClaims.h"

#include "core/StopSignals.h"
#include "split/DocumentOutline.h"
#include "split/DocumentReport.h"
#include "split/OpenDocument.h"
#include "split/OpenFailure.h"
#include "split/OutputNaming.h"
#include "split/PageFactsQuery.h"
#include "split/SizePlanQuery.h"
#include "split/SplitJob.h"

#include <QDir>
#include <QFileInfo>

namespace qw {

namespace {

QString stoppedBeforeParts()
{
    return BatchDocument::tr("The split was stopped before any part was written.");
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Why the engine could not read the document, chosen by what it found (its exit code); its own
// words are the detail of a damaged file.
QString unreadable(const QString &document, const DocumentReport &report)
{
    const QString name = shown(document);
    switch (FaultOf(document, report)) {
    case DocumentFault::Missing: return BatchDocument::tr("The document %1 no longer exists.").arg(name);
    case DocumentFault::NotAFile:
        return BatchDocument::tr("The document %1 is not a file: name a PDF file after --split.").arg(name);
    case DocumentFault::NotPdf:
        return BatchDocument::tr("The document %1 could not be read: it is not a PDF.").arg(name);
    case DocumentFault::Password:
        return BatchDocument::tr(
                   "The document %1 could not be read: it is protected by a password. Remove the password "
                   "in a PDF reader first.")
            .arg(name);
    case DocumentFault::OutOfMemory:
        return BatchDocument::tr("The document %1 could not be read: there was not enough memory. Close other programs "
                                 "and try again.")
            .arg(name);
    case DocumentFault::Unopenable:
    case DocumentFault::Damaged:
        return BatchDocument::tr("The document %1 could not be read: %2. Check that it opens in a PDF reader.")
            .arg(name, EngineReason(report.EngineOutput()));
    case DocumentFault::None:
    case DocumentFault::Other: break;
    }
    return BatchDocument::tr("The document %1 could not be read: it is not a PDF, or it is damaged or protected by a "
                             "password. Check that it opens in a PDF reader.")
        .arg(name);
}

QString documentProblem(const QString &document)
{
    const QFileInfo file(document);
    if (!file.exists())
        return BatchDocument::tr("The document %1 does not exist. Check its path and name.").arg(shown(document));
    if (!file.isFile())
        return BatchDocument::tr("%1 is not a file. Name a PDF document after --split.").arg(shown(document));
    return {};
}

// The batch mode's progress: a line on stderr as each part starts, the reason of each part
// that failed, and the archive move; Ctrl+C or SIGTERM stops the split.
class StderrReport : public SplitObserver {
public:
    StderrReport(const SplitJob &job, const BatchConsole &console, const StopSignals &stop)
        : job_(job), console_(console), stop_(stop)
    {
    }

    bool PartStarting(const PartRange &part, const QString &path) override
    {
        if (!KeepGoing())
            return false;
        // A part that leaves pages out lists its ranges: "pages 1-3,5-9".
        console_.Progress(part.Line(path));
        return true;
    }
    bool KeepGoing() override { return stop_.Received() == 0; }
    void PartFailed(const PartRange &, const PartOutcome &outcome) override { console_.Detail(outcome.failure); }
    void ArchiveEnded(MoveResult result) override
    {
        if (result == MoveResult::Moved)
            console_.Progress(
                QStringLiteral("archived: %1 -> %2").arg(shown(job_.DocumentPath()), shown(job_.ArchiveTarget())));
    }

private:
    const SplitJob &job_;
    const BatchConsole &console_;
    const StopSignals &stop_;
};

} // namespace

BatchDocument::BatchDocument(const BatchRequest &request, QString document, BatchConsole console,
                             const StopSignals &stop, OutputClaims *claims)
    : request_(request), document_(std::move(document)), console_(std::move(console)), stop_(stop), claims_(claims)
{
}

BatchDocument::Outcome BatchDocument::Fail(Outcome::End end, int exitCode, const QString &message) const
{
    console_.Fail(exitCode, message);
    return {end, exitCode, {}};
}

BatchDocument::Outcome BatchDocument::Split() const
{
    // A dry run tells every refusal with the plan, for the caller to print; a real run stops at
    // the first, on standard error.
    PlanReport dryPlan;
    dryPlan.document = document_;
    const auto planned = [&] {
        const bool refused = !dryPlan.refusals.isEmpty();
        return Outcome{refused ? Outcome::End::Refused : Outcome::End::Split,
                       refused ? int(BatchExit::Failed) : int(BatchExit::Done), dryPlan};
    };
    const auto refuse = [&](const QString &message) {
        if (!request_.dryRun)
            return Fail(Outcome::End::Refused, BatchExit::Failed, message);
        dryPlan.refusals << message;
        return planned();
    };
    const auto stopped
        = [&] { return Fail(Outcome::End::Stopped, StopSignals::ExitCodeFor(stop_.Received()), stoppedBeforeParts()); };
    if (const QString problem = documentProblem(document_); !problem.isEmpty())
        return refuse(problem);
    // Checked before the page count: without the engine none can be had, and the document
    // must not be blamed for it.
    const SplitJob unplanned(document_, {}, request_.settings);
    if (const SplitRefusal refusal = unplanned.Refusal())
        return refuse(refusal.Text());

    const auto keepGoing = [this] { return stop_.Received() == 0; };
    // One report gives the page count, the bookmarks and the identity of the file it read.
    OpenDocument document;
    document.Open(document_, keepGoing);
    if (stop_.Received())
        return stopped();
    const DocumentReport &report = document.Report();
    const int pageCount = document.PageCount();
    if (pageCount < 1) {
        if (const QString problem = report.Problem(); !problem.isEmpty())
            return refuse(problem + QLatin1Char(' ') + BatchExit::NothingWritten());
        return refuse(unreadable(document_, report) + QLatin1Char(' ') + BatchExit::NothingWritten());
    }
    if (const QString wrong = BreaksOutsideDocument(pageCount); !wrong.isEmpty())
        return Fail(Outcome::End::Refused, BatchExit::UsageError, wrong);

    // Every way asked for places its break points; they are taken together, as one plan.
    OpenDocument::Plan plan;
    if (request_.bookmarkLevel > 0) {
        if (report.Bookmarks().isEmpty())
            return refuse(tr("The document %1 has no bookmarks to split at. Use --at or --every "
                             "instead. %2")
                              .arg(shown(document_), BatchExit::NothingWritten()));
        plan = document.AtBookmarks(request_.bookmarkLevel, request_.bookmarkMatch);
        if (DocumentOutline::Matching(report.Bookmarks(), request_.bookmarkMatch).isEmpty())
            console_.Warn(tr("no bookmark title matches --bookmark-match %1; the document is one part.")
                              .arg(request_.bookmarkMatch.pattern()));
    } else {
        plan.breaks = request_.breaksBefore + document.Every(request_.every).breaks;
    }
    // A line for each tenth of the pages an engine looks at, such as "looking for separators: page 5 of 50".
    const auto pagesDone = [&](const QString &what) {
        return [this, what, shownTenth = -1, keepGoing](int done, int total) mutable {
            if (total > 0 && done * 10 / total != shownTenth) {
                shownTenth = done * 10 / total;
                console_.Progress(QStringLiteral("%1: page %2 of %3").arg(what).arg(done).arg(total));
            }
            return keepGoing();
        };
    };
    // The engine looks at the very file reported on; what it found joins the other break points,
    // unless it was stopped or could not look.
    const auto join = [&](const OpenDocument::Plan &found) -> std::optional<Outcome> {
        if (found.stopped || stop_.Received())
            return stopped();
        if (found.problem)
            return refuse(found.problem.Text() + QLatin1Char(' ') + BatchExit::NothingWritten());
        for (const QString &notice : found.notices)
            console_.Warn(notice);
        plan += found;
        return {};
    };
    if (request_.separators) {
        const OpenDocument::Plan found = document.AtSeparators(*request_.separators, request_.dropSeparators,
                                                               pagesDone(QStringLiteral("looking for separators")));
        if (const std::optional<Outcome> ended = join(found))
            return *ended;
        if (found.separatorLabels.isEmpty())
            console_.Warn(tr("%1 --at-separators places no break point.")
                              .arg(PageFactsQuery::NothingFoundNotice(*request_.separators)));
    }
    if (!request_.atChange.isEmpty()) {
        const OpenDocument::Plan changes
            = document.AtChanges(request_.atChange, pagesDone(QStringLiteral("reading the pages' text")));
        if (const std::optional<Outcome> ended = join(changes))
            return *ended;
        if (!changes.matched)
            console_.Warn(tr("%1 --at-change places no break point.")
                              .arg(PageFactsQuery::NothingFoundNotice(SeparatorRule::Matching(request_.atChange))));
        else if (changes.breaks.isEmpty())
            console_.Warn(tr("every page that --at-change %1 matches has the same value; it places no break point.")
                              .arg(request_.atChange));
    }
    if (request_.maxSize > 0) {
        // Its break points only make the parts of the others smaller.
        const OpenDocument::Plan sized = document.BySize(
            request_.maxSize,
            pagesDone(QStringLiteral("planning parts of at most %1").arg(SizePlanQuery::SizeText(request_.maxSize))));
        if (const std::optional<Outcome> ended = join(sized))
            return *ended;
        if (sized.breaks.isEmpty())
            console_.Warn(tr("the whole document fits in one part of at most %1; --max-size places no break point.")
                              .arg(SizePlanQuery::SizeText(request_.maxSize)));
    }
    document.Take(plan);
    if (document.Breaks().Parts().isEmpty())
        return refuse(tr("Every page of %1 is a separator: there is no part to write. %2")
                          .arg(shown(document_), BatchExit::NothingWritten()));
    SplitJob job = document.Job(request_.settings);
    const SplitSettings &settings = job.Settings();

    const SplitJob::Check check = job.CheckBeforeSplitting();
    QList<SplitRefusal> found{check.refusal, ArchiveRefusal(job)};
    if (claims_ && !check.refusal)
        found << claims_->Claim(document_, check.targets, settings.archive ? job.ArchiveTarget() : QString());
    QStringList refusals;
    for (const SplitRefusal &refusal : found)
        if (refusal)
            refusals << refusal.Text();
    if (request_.dryRun) {
        dryPlan = PlanReport::Of(job, pageCount);
        dryPlan.refusals = refusals;
        if (!check.existing.isEmpty() && !request_.replace)
            dryPlan.refusals << SplitPlan::ExistingFilesNotice(check.ExistingPaths());
        return planned();
    }
    if (!refusals.isEmpty())
        return refuse(refusals.first());
    if (!check.existing.isEmpty() && !request_.replace)
        return refuse(
            (check.existing.size() == 1
                 ? tr("%1\n\nPass --replace to replace it, or choose another --output-folder or --pattern. %2")
                 : tr("%1\n\nPass --replace to replace them, or choose another --output-folder or --pattern. "
                      "%2"))
                .arg(SplitPlan::ExistingFilesNotice(check.ExistingPaths()), BatchExit::NothingWritten()));
    // --replace agrees to replace the files named here, and no file that takes their place.
    job.AgreeToReplace(check.existing);
    return WriteParts(job);
}

QString BatchDocument::BreaksOutsideDocument(int pageCount) const
{
    for (int page : request_.breaksBefore) {
        if (page >= 2 && page <= pageCount)
            continue;
        if (pageCount == 1)
            return tr("--at %1: the document has only one page, so it cannot be split.").arg(page);
        return tr("--at %1: the document has %2 pages, so a new part can begin at page 2 to %2 only.")
            .arg(page)
            .arg(pageCount);
    }
    return {};
}

SplitRefusal BatchDocument::ArchiveRefusal(const SplitJob &job)
{
    // Checked before any part is written: a run that cannot archive would otherwise leave its
    // parts behind, and be refused when it is run again for the files it wrote.
    using Kind = SplitRefusal::Kind;
    switch (job.CheckArchive()) {
    case SplitJob::ArchiveProblem::None: return {};
    case SplitJob::ArchiveProblem::NoFolder: return {Kind::ArchiveFolderNotSet, {}};
    case SplitJob::ArchiveProblem::FolderMissing:
        return {Kind::ArchiveFolderMissing, job.Settings().archiveFolderName};
    case SplitJob::ArchiveProblem::TargetExists: return {Kind::ArchiveTargetExists, job.ArchiveTarget()};
    }
    return {};
}

BatchDocument::Outcome BatchDocument::WriteParts(const SplitJob &job) const
{
    StderrReport report(job, console_, stop_);
    const SplitResult result = job.Run(report, request_.jobs);
    if (stop_.Received())
        return Fail(Outcome::End::Stopped, StopSignals::ExitCodeFor(stop_.Received()), job.FailureReport(result));
    if (!result.Complete(job.Parts().size()))
        return Fail(Outcome::End::Failed, BatchExit::Failed, job.FailureReport(result));
    if (result.archived && *result.archived != MoveResult::Moved)
        return Fail(Outcome::End::Failed, BatchExit::Failed, job.ArchiveFailure(*result.archived));
    WarnOverSize(job);
    return {Outcome::End::Split, BatchExit::Done, {}};
}

void BatchDocument::WarnOverSize(const SplitJob &job) const
{
    // The plan measures each part as the engine writes it; what the file system says is the proof.
    if (request_.maxSize <= 0)
        return;
    QStringList over;
    for (const PartRange &part : job.Parts())
        if (part.firstPage != part.lastPage && QFileInfo(job.OutputPathOf(part)).size() > request_.maxSize)
            over << shown(job.OutputPathOf(part));
    if (!over.isEmpty())
        console_.Warn(
            (over.size() == 1 ? tr("A part came out larger than %1: %2") : tr("Some parts came out larger than %1: %2"))
                .arg(SizePlanQuery::SizeText(request_.maxSize), SplitPlan::ListSome(over, QStringLiteral(", "))));
}

} // namespace qw
