#include "BatchSplit.h"

#include "framework/NativeFileName.h"
#include "framework/StopSignals.h"
#include "split/DocumentOutline.h"
#include "split/DocumentReport.h"
#include "split/OpenFailure.h"
#include "split/OptionsFile.h"
#include "split/OutputNaming.h"
#include "split/PageFactsQuery.h"
#include "split/PlanReport.h"
#include "split/SplitJob.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace qw {

namespace {

const QString kSeeHelp = QStringLiteral("Run \"quirewright --help\" to see the options.");
const QString kNothingWritten = QStringLiteral("Nothing was written.");

// Each message is flushed at once, so that progress shows before the part it announces runs.
void print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int fail(int exitCode, const QString &message)
{
    print(stderr, QStringLiteral("quirewright: ") + message);
    return exitCode;
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A path as the user typed it, taken from the current folder; empty stays empty. Not cleaned
// up as text: ".." after a link leads elsewhere than the text suggests, and the file system is
// what decides where the path leads.
QString absolute(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (path.isEmpty() || !QDir::isRelativePath(path))
        return path;
    return QDir::currentPath() + QLatin1Char('/') + path;
}

// Why the engine could not read the document, chosen by what it found (its exit code); its own
// words are the detail of a damaged file.
QString unreadable(const QString &document, const DocumentReport &report)
{
    switch (FaultOf(document, report)) {
    case DocumentFault::Missing: return QStringLiteral("no longer exists.");
    case DocumentFault::NotAFile: return QStringLiteral("is not a file: name a PDF file after --split.");
    case DocumentFault::NotPdf: return QStringLiteral("could not be read: it is not a PDF.");
    case DocumentFault::Password:
        return QStringLiteral("could not be read: it is protected by a password. Remove the password in a PDF reader "
                              "first.");
    case DocumentFault::OutOfMemory:
        return QStringLiteral("could not be read: there was not enough memory. Close other programs and try again.");
    case DocumentFault::Unopenable:
    case DocumentFault::Damaged:
        return QStringLiteral("could not be read: %1. Check that it opens in a PDF reader.")
            .arg(EngineReason(report.EngineOutput()));
    case DocumentFault::None:
    case DocumentFault::Other: break;
    }
    return QStringLiteral("could not be read: it is not a PDF, or it is damaged or protected by a password. Check that "
                          "it opens in a PDF reader.");
}

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Splits a PDF into parts without opening the window; \"quirewright [DOC.pdf]\" opens the window.\n"
        "The name pattern, output folder and archive folder are the options file's unless given here.\n\n"
        "Exit codes: 0 every part was written (and the document archived, if asked);\n"
        "1 the split was refused or failed; 2 the command line is wrong or incomplete;\n"
        "130 or 143 stopped by Ctrl+C or SIGTERM (the parts already written are named).\n\n"
        "Example: quirewright --split book.pdf --at 5,17 --output-folder parts"));
    parser.addOptions({
        {QStringLiteral("split"), QStringLiteral("Splits <document> into parts."), QStringLiteral("document")},
        {QStringLiteral("at"),
         QStringLiteral("Begins a new part before each of these pages (from 2 to the page count)."),
         QStringLiteral("4,8,12")},
        {QStringLiteral("every"), QStringLiteral("Begins a new part every <N> pages."), QStringLiteral("N")},
        {QStringLiteral("at-bookmarks"),
         QStringLiteral("Begins a new part where each bookmark of level 1 to <level> begins."),
         QStringLiteral("level")},
        {QStringLiteral("bookmark-match"),
         QStringLiteral("With --at-bookmarks, only at bookmarks whose title contains a match of <regex> (Perl-like, "
                        "case ignored)."),
         QStringLiteral("regex")},
        {QStringLiteral("at-separators"),
         QStringLiteral("Begins a new part at each separator sheet: a blank page, a dark page, one with a "
                        "barcode (or one whose text contains TEXT), or one whose text contains PHRASE."),
         QStringLiteral("blank|dark|barcode|barcode:TEXT|text:PHRASE")},
        {QStringLiteral("drop-separators"), QStringLiteral("Leaves the separator sheets out of the parts.")},
        {QStringLiteral("pattern"),
         QStringLiteral("Names the parts: {basename} {part} {part:0000} {filecount} {pagebegin} {pageend} "
                        "{bookmark} {separator}."),
         QStringLiteral("pattern")},
        {QStringLiteral("output-folder"), QStringLiteral("Writes the parts into <folder>."), QStringLiteral("folder")},
        {QStringLiteral("archive-folder"),
         QStringLiteral("Moves the document into <folder> once every part is written."), QStringLiteral("folder")},
        {QStringLiteral("replace"),
         QStringLiteral("Replaces files that have the parts' names (else nothing is written).")},
        {QStringLiteral("dry-run"),
         QStringLiteral("Prints the parts (pages, final path, \"exists\" where a file is in the way) and what would "
                        "refuse the split, and writes nothing; exits 1 if the split would be refused.")},
        {QStringLiteral("plan-format"), QStringLiteral("With --dry-run, prints the plan as text or as one JSON document."),
         QStringLiteral("text|json")},
    });
    parser.addHelpOption();
    parser.addVersionOption();
}

// The page numbers of "--at 4,8,12"; why they are not page numbers, else empty.
QString parsePageList(const QString &text, QList<int> &pages)
{
    for (const QString &item : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int page = item.trimmed().toInt(&ok);
        if (!ok)
            return QStringLiteral("--at %1: \"%2\" is not a page number. Give the pages that new parts begin at, "
                                  "separated by commas, such as --at 4,8,12.")
                .arg(text, item.trimmed());
        pages << page;
    }
    return {};
}

QString documentProblem(const QString &document)
{
    const QFileInfo file(document);
    if (!file.exists())
        return QStringLiteral("The document %1 does not exist. Check its path and name.").arg(shown(document));
    if (!file.isFile())
        return QStringLiteral("%1 is not a file. Name a PDF document after --split.").arg(shown(document));
    return {};
}

} // namespace

QString BatchSplit::UsageLine()
{
    return QStringLiteral(
        "Usage: quirewright --split DOC.pdf [--at 4,8,12 | --every N | --at-bookmarks LEVEL] [options]");
}

QString BatchSplit::UsageReminder()
{
    return UsageLine() + QLatin1Char('\n') + kSeeHelp;
}

BatchSplit::BatchSplit(QStringList arguments, QStringList notUtf8)
    : arguments_(std::move(arguments)), notUtf8_(std::move(notUtf8))
{
}

BatchSplit BatchSplit::FromCommandLine(int argc, const char *const *argv)
{
    QStringList arguments;
    QStringList notUtf8;
    for (int i = 0; i < argc; ++i) {
        if (const std::optional<QString> exact = NativeFileName::Decode(argv[i])) {
            arguments << *exact;
        } else {
            arguments << QString::fromUtf8(argv[i]);
            notUtf8 << arguments.last();
        }
    }
    return BatchSplit(arguments, notUtf8);
}

int BatchSplit::Exec()
{
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments_))
        return fail(UsageError, parser.errorText() + QLatin1Char('\n') + UsageReminder());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        // Qt's first line names the program by its full path and hides what --split needs.
        const QString options = parser.helpText().section(QLatin1Char('\n'), 1).trimmed();
        print(stdout, UsageLine() + QLatin1Char('\n') + options);
        return Done;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        print(stdout, QStringLiteral("Quirewright %1").arg(QStringLiteral(QUIREWRIGHT_VERSION)));
        return Done;
    }

    Request request;
    if (const QString wrong = ParseRequest(parser, notUtf8_, request); !wrong.isEmpty())
        return fail(request.nameNotUtf8 ? Failed : UsageError, wrong);
    return Split(request);
}

int BatchSplit::Split(const Request &request)
{
    // A dry run tells every refusal with the plan, on standard output; a real run stops at the
    // first, on standard error.
    PlanReport dryPlan;
    dryPlan.document = request.document;
    const auto showPlan = [&] {
        print(stdout, request.planJson ? QString::fromUtf8(dryPlan.Json()).trimmed() : dryPlan.Text());
        return dryPlan.refusals.isEmpty() ? int(Done) : int(Failed);
    };
    const auto refuse = [&](const QString &message) {
        if (!request.dryRun)
            return fail(Failed, message);
        dryPlan.refusals << message;
        return showPlan();
    };
    // Said once, and the split goes on: the pattern is the user's own, braces and all.
    if (const QString notice = UnknownTokensNotice(request.settings.fileNamePattern); !notice.isEmpty())
        print(stderr, QStringLiteral("quirewright: warning: ") + notice);
    if (const QString problem = documentProblem(request.document); !problem.isEmpty())
        return refuse(problem);
    // Checked before the page count: without the engine none can be had, and the document
    // must not be blamed for it.
    const SplitJob unplanned(request.document, {}, request.settings);
    if (const QString refusal = unplanned.Refusal(); !refusal.isEmpty())
        return refuse(refusal);

    // From here on Ctrl+C or SIGTERM stops the engine, and the run says what it wrote.
    const StopSignals stop;
    const auto keepGoing = [&stop] { return stop.Received() == 0; };
    // One report gives the page count, the bookmarks and the identity of the file it read.
    const DocumentReport report = DocumentReport::Of(request.document, keepGoing);
    if (stop.Received())
        return fail(StopSignals::ExitCodeFor(stop.Received()),
                    QStringLiteral("The split was stopped before any part was written."));
    const int pageCount = report.PageCount();
    if (pageCount < 1) {
        if (const QString problem = report.Problem(); !problem.isEmpty())
            return refuse(problem + QLatin1Char(' ') + kNothingWritten);
        return refuse(QStringLiteral("The document %1 %2 %3")
                                .arg(shown(request.document), unreadable(request.document, report), kNothingWritten));
    }
    if (const QString wrong = BreaksOutsideDocument(request, pageCount); !wrong.isEmpty())
        return fail(UsageError, wrong);

    QList<int> breaks = request.breaksBefore + SplitPlan::BreaksEvery(pageCount, request.every);
    SplitSettings settings = request.settings;
    // The bookmarks serve the break points and the names of the parts.
    settings.bookmarks = report.Bookmarks();
    if (request.bookmarkLevel > 0) {
        if (settings.bookmarks.isEmpty())
            return refuse(QStringLiteral("The document %1 has no bookmarks to split at. Use --at or --every "
                                               "instead. %2")
                                    .arg(shown(request.document), kNothingWritten));
        // Only the matching bookmarks place break points; every bookmark still names the parts.
        const QList<Bookmark> placing = DocumentOutline::Matching(settings.bookmarks, request.bookmarkMatch);
        if (placing.isEmpty())
            print(stderr, QStringLiteral("quirewright: warning: no bookmark title matches --bookmark-match %1; the "
                                         "document is one part.")
                              .arg(request.bookmarkMatch.pattern()));
        breaks = DocumentOutline::BreaksAtLevel(placing, request.bookmarkLevel, pageCount);
        settings.bookmarkLevel = request.bookmarkLevel;
    }
    QList<int> leftOut;
    if (request.separators) {
        // The separators' break points join the others; the engine looks at the very file reported on.
        int shownTenth = -1;
        const auto progress = [&](int done, int total) {
            if (total > 0 && done * 10 / total != shownTenth) {
                shownTenth = done * 10 / total;
                print(stderr, QStringLiteral("looking for separators: page %1 of %2").arg(done).arg(total));
            }
            return keepGoing();
        };
        const PageFactsQuery::Result facts
            = PageFactsQuery::Run(request.document, report.Identity(), *request.separators, progress);
        if (facts.stopped || stop.Received())
            return fail(StopSignals::ExitCodeFor(stop.Received()),
                        QStringLiteral("The split was stopped before any part was written."));
        if (!facts.problem.isEmpty())
            return refuse(facts.problem + QLatin1Char(' ') + kNothingWritten);
        settings.separatorLabels = PageFactsQuery::Separators(facts.pages, *request.separators);
        if (const QString unread = PageFactsQuery::UnreadNotice(facts.pages, *request.separators); !unread.isEmpty())
            print(stderr, QStringLiteral("quirewright: warning: ") + unread);
        const SeparatorPlan plan
            = SplitPlan::AtSeparators(pageCount, settings.separatorLabels.keys(), request.dropSeparators);
        breaks += plan.breaks;
        leftOut = plan.leftOut;
    }
    const QList<PartRange> parts = SplitPlan::FromBreaks(pageCount, breaks, leftOut);
    if (parts.isEmpty())
        return refuse(QStringLiteral("Every page of %1 is a separator: there is no part to write. %2")
                                .arg(shown(request.document), kNothingWritten));
    SplitJob job(request.document, parts, settings, report.Identity());

    const SplitJob::Check check = job.CheckBeforeSplitting();
    if (request.dryRun) {
        dryPlan = PlanReport::Of(job, pageCount);
        for (const QString &refusal : {check.refusal, ArchiveRefusal(job)})
            if (!refusal.isEmpty())
                dryPlan.refusals << refusal;
        if (!check.existing.isEmpty() && !request.replace)
            dryPlan.refusals << SplitPlan::ExistingFilesNotice(check.ExistingPaths());
        return showPlan();
    }
    if (!check.refusal.isEmpty())
        return refuse(check.refusal);
    if (const QString refusal = ArchiveRefusal(job); !refusal.isEmpty())
        return refuse(refusal);
    if (!check.existing.isEmpty() && !request.replace)
        return refuse(
                    QStringLiteral("%1\n\nPass --replace to replace %2, or choose another --output-folder or "
                                   "--pattern. %3")
                        .arg(SplitPlan::ExistingFilesNotice(check.ExistingPaths()),
                             check.existing.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"),
                             kNothingWritten));
    // --replace agrees to replace the files named here, and no file that takes their place.
    job.AgreeToReplace(check.existing);
    return WriteParts(job, stop);
}

QString BatchSplit::ParseRequest(const QCommandLineParser &parser, const QStringList &notUtf8, Request &request)
{
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("\"%1\" is not an option. Name the document after --split, one document at a time. %2")
            .arg(parser.positionalArguments().first(), kSeeHelp);
    if (parser.values(QStringLiteral("split")).size() > 1)
        return QStringLiteral("--split is given more than once: split one document at a time. %1").arg(kSeeHelp);
    if (!parser.isSet(QStringLiteral("split")) || parser.value(QStringLiteral("split")).isEmpty())
        return QStringLiteral("No document to split: pass --split DOC.pdf. %1").arg(kSeeHelp);
    for (const QString &name : {QStringLiteral("output-folder"), QStringLiteral("archive-folder")})
        if (parser.isSet(name) && parser.value(name).isEmpty())
            return QStringLiteral("--%1 needs a folder. %2").arg(name, kSeeHelp);
    const bool at = parser.isSet(QStringLiteral("at"));
    const bool every = parser.isSet(QStringLiteral("every"));
    const bool atBookmarks = parser.isSet(QStringLiteral("at-bookmarks"));
    if (int(at) + int(every) + int(atBookmarks) > 1)
        return QStringLiteral("--at, --every and --at-bookmarks cannot be used together: give one of them. %1")
            .arg(kSeeHelp);
    if (atBookmarks) {
        bool ok = false;
        request.bookmarkLevel = parser.value(QStringLiteral("at-bookmarks")).toInt(&ok);
        if (!ok || request.bookmarkLevel < 1)
            return QStringLiteral("--at-bookmarks %1: give the deepest bookmark level to split at, 1 or more, such as "
                                  "--at-bookmarks 1.")
                .arg(parser.value(QStringLiteral("at-bookmarks")));
    }
    if (parser.isSet(QStringLiteral("bookmark-match"))) {
        if (!atBookmarks)
            return QStringLiteral("--bookmark-match chooses among the bookmarks of --at-bookmarks: give --at-bookmarks "
                                  "LEVEL too. %1")
                .arg(kSeeHelp);
        request.bookmarkMatch = QRegularExpression(parser.value(QStringLiteral("bookmark-match")),
                                                   QRegularExpression::CaseInsensitiveOption);
        if (!request.bookmarkMatch.isValid())
            return QStringLiteral("--bookmark-match %1: %2 at character %3. Give a regular expression, such as "
                                  "--bookmark-match \"^Chapter\".")
                .arg(parser.value(QStringLiteral("bookmark-match")), request.bookmarkMatch.errorString())
                .arg(request.bookmarkMatch.patternErrorOffset());
    }
    if (at) {
        const QString wrong = parsePageList(parser.value(QStringLiteral("at")), request.breaksBefore);
        if (!wrong.isEmpty())
            return wrong;
    }
    if (parser.isSet(QStringLiteral("at-separators"))) {
        request.separators = SeparatorRule::Parse(parser.value(QStringLiteral("at-separators")));
        if (!request.separators)
            return QStringLiteral("--at-separators %1: give blank, dark, barcode, barcode:TEXT or text:PHRASE, such as "
                                  "--at-separators blank.")
                .arg(parser.value(QStringLiteral("at-separators")));
    }
    request.dropSeparators = parser.isSet(QStringLiteral("drop-separators"));
    request.dryRun = parser.isSet(QStringLiteral("dry-run"));
    if (parser.isSet(QStringLiteral("plan-format"))) {
        const QString format = parser.value(QStringLiteral("plan-format"));
        if (!request.dryRun)
            return QStringLiteral("--plan-format tells how --dry-run prints its plan: give --dry-run too. %1")
                .arg(kSeeHelp);
        if (format != QLatin1String("text") && format != QLatin1String("json"))
            return QStringLiteral("--plan-format %1: give text or json.").arg(format);
        request.planJson = format == QLatin1String("json");
    }
    if (request.dropSeparators && !request.separators)
        return QStringLiteral("--drop-separators leaves out the separator sheets that --at-separators finds: give "
                              "--at-separators too. %1")
            .arg(kSeeHelp);
    if (every) {
        bool ok = false;
        request.every = parser.value(QStringLiteral("every")).toInt(&ok);
        if (!ok || request.every < 1)
            return QStringLiteral("--every %1: give the number of pages in each part, 1 or more, such as --every 10.")
                .arg(parser.value(QStringLiteral("every")));
    }
    // Bytes that are not UTF-8 decode to U+FFFD, which names another file or none.
    const auto fromNotUtf8 = [&](const QString &name) {
        return parser.isSet(name) && parser.value(name).contains(QChar::ReplacementCharacter)
               && std::any_of(notUtf8.cbegin(), notUtf8.cend(),
                              [&](const QString &argument) { return argument.contains(parser.value(name)); });
    };
    if (fromNotUtf8(QStringLiteral("pattern")))
        return QStringLiteral("--pattern: the pattern is not valid UTF-8. Give it in UTF-8.");
    for (const QString &name : {QStringLiteral("split"), QStringLiteral("output-folder"),
                                QStringLiteral("archive-folder")}) {
        if (fromNotUtf8(name)) {
            // Not a usage error: the command is right, the file's name is what cannot be handled.
            request.nameNotUtf8 = true;
            return NativeFileName::Refusal(parser.value(name)) + QLatin1Char(' ') + kNothingWritten;
        }
    }
    request.document = absolute(parser.value(QStringLiteral("split")));
    request.replace = parser.isSet(QStringLiteral("replace"));

    SplitSettings &settings = request.settings;
    settings = SplitSettings::Read(OptionsFile::ForThisProgram().ForReading());
    if (parser.isSet(QStringLiteral("pattern")))
        settings.fileNamePattern = parser.value(QStringLiteral("pattern"));
    if (parser.isSet(QStringLiteral("output-folder"))) {
        settings.saveFileType = SplitSettings::OutputFolder;
        settings.outFolderName = absolute(parser.value(QStringLiteral("output-folder")));
    } else if (settings.saveFileType == SplitSettings::AskForFolder) {
        return QStringLiteral("The options say to ask for the output folder at every split, and there is no window to "
                              "ask in. Pass --output-folder DIR.");
    } else if (settings.saveFileType == SplitSettings::OutputFolder && settings.outFolderName.isEmpty()) {
        // An empty folder name would put the parts at the root of the file system.
        return QStringLiteral("The options say to write the parts into an output folder, but name none. Pass "
                              "--output-folder DIR.");
    }
    if (parser.isSet(QStringLiteral("archive-folder"))) {
        settings.archive = true;
        settings.archiveFolderName = absolute(parser.value(QStringLiteral("archive-folder")));
    }
    return {};
}

QString BatchSplit::BreaksOutsideDocument(const Request &request, int pageCount)
{
    for (int page : request.breaksBefore) {
        if (page >= 2 && page <= pageCount)
            continue;
        if (pageCount == 1)
            return QStringLiteral("--at %1: the document has only one page, so it cannot be split.").arg(page);
        return QStringLiteral("--at %1: the document has %2 pages, so a new part can begin at page 2 to %2 only.")
            .arg(page)
            .arg(pageCount);
    }
    return {};
}

QString BatchSplit::ArchiveRefusal(const SplitJob &job)
{
    // Checked before any part is written: a run that cannot archive would otherwise leave its
    // parts behind, and be refused when it is run again for the files it wrote.
    switch (job.CheckArchive()) {
    case SplitJob::ArchiveProblem::None: return {};
    case SplitJob::ArchiveProblem::NoFolder:
        return QStringLiteral("Archiving is on in the options, but no archive folder is set. Pass --archive-folder "
                              "DIR. %1")
            .arg(kNothingWritten);
    case SplitJob::ArchiveProblem::FolderMissing:
        return QStringLiteral("The archive folder %1 does not exist. Create it, or pass --archive-folder with another "
                              "folder. %2")
            .arg(shown(job.Settings().archiveFolderName), kNothingWritten);
    case SplitJob::ArchiveProblem::TargetExists:
        return QStringLiteral("The document cannot be archived: %1 already exists. Move that file away, or pass "
                              "--archive-folder with another folder. %2")
            .arg(shown(job.ArchiveTarget()), kNothingWritten);
    }
    return {};
}

namespace {
// The batch mode's progress: a line on stderr as each part starts, the reason of each part
// that failed, and the archive move; Ctrl+C or SIGTERM stops the split.
class StderrReport : public SplitObserver {
public:
    StderrReport(const SplitJob &job, const StopSignals &stop) : job_(job), stop_(stop) { }

    bool PartStarting(const PartRange &part, const QString &path) override
    {
        if (!KeepGoing())
            return false;
        // A part that leaves pages out lists its ranges: "pages 1-3,5-9".
        print(stderr, part.Line(path));
        return true;
    }
    bool KeepGoing() override { return stop_.Received() == 0; }
    void PartFailed(const PartRange &, const PartOutcome &outcome) override { print(stderr, outcome.failure); }
    void ArchiveEnded(MoveResult result) override
    {
        if (result == MoveResult::Moved)
            print(stderr, QStringLiteral("archived: %1 -> %2").arg(shown(job_.DocumentPath()), shown(job_.ArchiveTarget())));
    }

private:
    const SplitJob &job_;
    const StopSignals &stop_;
};
} // namespace

int BatchSplit::WriteParts(const SplitJob &job, const StopSignals &stop)
{
    StderrReport report(job, stop);
    const SplitResult result = job.Run(report);
    if (stop.Received())
        return fail(StopSignals::ExitCodeFor(stop.Received()), job.FailureReport(result));
    if (!result.Complete(job.Parts().size()))
        return fail(Failed, job.FailureReport(result));
    if (result.archived && *result.archived != MoveResult::Moved)
        return fail(Failed, job.ArchiveFailure(*result.archived));
    return Done;
}

} // namespace qw
