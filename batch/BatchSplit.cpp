#include "BatchSplit.h"

#include "BatchConsole.h"
#include "BatchRun.h"

#include "core/NativeFileName.h"
#include "split/DocumentOutline.h"
#include "split/OptionsFile.h"
#include "split/OutputNaming.h"
#include "split/SizePlanQuery.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace qw {

namespace {

QString seeHelp()
{
    return BatchSplit::tr("Run \"quirewright --help\" to see the options.");
}

// More engines than this only wait for the disk and for memory.
constexpr int kMostJobs = 64;

int fail(int exitCode, const QString &message)
{
    return BatchConsole().Fail(exitCode, message);
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

QList<QCommandLineOption> splitOptions();

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(BatchSplit::tr(
        "Splits a PDF into parts without opening the window; \"quirewright [DOC.pdf]\" opens the window.\n"
        "The name pattern, output folder and archive folder are the options file's unless given here.\n"
        "Several documents, or a folder of them, are each split with the same options; a refused one\n"
        "does not stop the others, and the last line sums the run up.\n\n"
        "Exit codes: 0 every part was written (and the document archived, if asked);\n"
        "1 the split was refused or failed (for one document at least); 2 the command line is wrong or\n"
        "incomplete; 130, 143 or 129 stopped by Ctrl+C, SIGTERM or SIGHUP (the parts already written are\n"
        "named).\n\n"
        "Example: quirewright --split book.pdf --at 5,17 --output-folder parts"));
    parser.addOptions(splitOptions());
    parser.addHelpOption();
    parser.addVersionOption();
}

// The options of the split, as --help lists them (with --help and --version besides).
QList<QCommandLineOption> splitOptions()
{
    return {
        {QStringLiteral("split"),
         BatchSplit::tr("Splits <document> into parts; more documents or folders may follow it."),
         //: The value an option takes, as --help shows it: <document>. The same word as in the description.
         BatchSplit::tr("document")},
        {QStringLiteral("at"),
         BatchSplit::tr("Begins a new part before each of these pages (from 2 to the page count)."),
         QStringLiteral("4,8,12")},
        {QStringLiteral("every"), BatchSplit::tr("Begins a new part every <N> pages."), QStringLiteral("N")},
        {QStringLiteral("at-bookmarks"),
         BatchSplit::tr("Begins a new part where each bookmark of level 1 to <level> begins."),
         //: The value an option takes, as --help shows it: <level>. The same word as in the description.
         BatchSplit::tr("level")},
        {QStringLiteral("bookmark-match"),
         BatchSplit::tr("With --at-bookmarks, only at bookmarks whose title contains a match of <regex> (Perl-like, "
                        "case ignored)."),
         //: The value an option takes, as --help shows it: <regex>. The same word as in the description.
         BatchSplit::tr("regex")},
        {QStringLiteral("at-separators"),
         BatchSplit::tr("Begins new parts at the pages of <kind>: blank, dark, barcode, barcode:TEXT (a barcode "
                        "whose text contains TEXT), text:PHRASE (a page whose text contains PHRASE) or match:REGEX (a "
                        "page whose text, its lines joined by spaces, has a match of REGEX, case ignored; its first "
                        "group, or the match, is what {separator} names the part by). A page found by its text or "
                        "barcode is the first page of a document and always begins a part; a blank or dark sheet, or "
                        "one left out, begins the part after it, and one on the last page none."),
         //: The value an option takes, as --help shows it: <kind>. The same word as in the description.
         BatchSplit::tr("kind")},
        {QStringLiteral("at-change"),
         BatchSplit::tr("Begins a new part at each page whose value differs from the last one seen: the first "
                        "group of <regex> (or its match) in the page's text, case ignored, such as an account or "
                        "invoice number. Pages without a match stay with the part before them."),
         BatchSplit::tr("regex")},
        {QStringLiteral("max-size"),
         BatchSplit::tr("Begins a new part wherever the next page would make a part larger than <size>: bytes, or "
                        "with K, M or G for thousands, millions or billions of bytes (10M is 10,000,000 bytes). A "
                        "page larger than that alone is a part of its own, with a warning."),
         //: The value an option takes, as --help shows it: <size>. The same word as in the description.
         BatchSplit::tr("size")},
        {QStringLiteral("drop-separators"), BatchSplit::tr("Leaves the separator sheets out of the parts.")},
        {QStringLiteral("pattern"),
         BatchSplit::tr("Names the parts: {basename} {part} {part:0000} {filecount} {pagebegin} {pageend} "
                        "{bookmark} {separator}."),
         //: The value an option takes, as --help shows it: <pattern>. The same word as in the description.
         BatchSplit::tr("pattern")},
        {QStringLiteral("output-folder"), BatchSplit::tr("Writes the parts into <folder>."),
         //: The value an option takes, as --help shows it: <folder>. The same word as in the description.
         BatchSplit::tr("folder")},
        {QStringLiteral("archive-folder"),
         BatchSplit::tr("Moves the document into <folder> once every part is written."),
         //: The value an option takes, as --help shows it: <folder>. The same word as in the description.
         BatchSplit::tr("folder")},
        {QStringLiteral("replace"),
         BatchSplit::tr("Replaces files that have the parts' names (else nothing is written).")},
        {QStringLiteral("dry-run"),
         BatchSplit::tr("Prints the parts (pages, final path, \"exists\" where a file is in the way) and what would "
                        "refuse the split, and writes nothing; exits 1 if the split would be refused.")},
        {QStringLiteral("plan-format"),
         BatchSplit::tr("With --dry-run, prints the plan as text or as one JSON document."),
         QStringLiteral("text|json")},
        {QStringLiteral("jobs"),
         BatchSplit::tr("Runs up to <N> engines at once, over the parts and the documents (default: one per core)."),
         QStringLiteral("N")},
    };
}

// The page numbers of "--at 4,8,12"; why they are not page numbers, else empty.
QString parsePageList(const QString &text, QList<int> &pages)
{
    for (const QString &item : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int page = item.trimmed().toInt(&ok);
        if (!ok)
            return BatchSplit::tr("--at %1: \"%2\" is not a page number. Give the pages that new parts begin at, "
                                  "separated by commas, such as --at 4,8,12.")
                .arg(text, item.trimmed());
        pages << page;
    }
    return {};
}

} // namespace

QString BatchSplit::CollectDocuments(const QCommandLineParser &parser, BatchRequest &request)
{
    const QStringList named = parser.values(QStringLiteral("split")) + parser.positionalArguments();
    request.manyDocuments = named.size() > 1;
    for (const QString &name : named) {
        const QString path = absolute(name);
        if (!QFileInfo(path).isDir()) {
            request.documents << path;
            continue;
        }
        // A folder stands for the PDFs in it, in the order of their names; not those of its
        // folders, and not the hidden files an engine is writing.
        request.manyDocuments = true;
        QDir folder(path);
        folder.setNameFilters({QStringLiteral("*.pdf")});
        folder.setFilter(QDir::Files);
        folder.setSorting(QDir::Name | QDir::IgnoreCase);
        const QStringList pdfs = folder.entryList();
        if (pdfs.isEmpty()) {
            request.namesWrong = true;
            return tr("The folder %1 has no PDF documents in it. %2").arg(shown(path), NothingWritten());
        }
        for (const QString &pdf : pdfs)
            request.documents << path + QLatin1Char('/') + pdf;
    }
    return {};
}

QStringList BatchSplit::OptionNames()
{
    // As QCommandLineParser's own --help and --version name themselves.
    QStringList names{QStringLiteral("help"), QStringLiteral("help-all"), QStringLiteral("h"), QStringLiteral("?"),
                      QStringLiteral("version"), QStringLiteral("v")};
    for (const QCommandLineOption &option : splitOptions())
        names << option.names();
    return names;
}

QString BatchSplit::UsageLine()
{
    //: The first line of --help; the command line after "%1" stays as it is.
    return tr("Usage: %1")
        .arg(QStringLiteral(
            "quirewright --split DOC.pdf [DOC.pdf|FOLDER ...]\n"
            "    [--at 4,8,12 | --every N | --at-bookmarks LEVEL [--bookmark-match REGEX]]\n"
            "    [--at-separators KIND [--drop-separators]] [--at-change REGEX] [--max-size SIZE]\n"
            "    [--pattern PATTERN] [--output-folder DIR] [--archive-folder DIR] [--replace]\n"
            "    [--dry-run [--plan-format text|json]] [--jobs N]"));
}

QString BatchSplit::UsageReminder()
{
    // After a mistake, the gist; --help names every option.
    return tr("Usage: %1")
               .arg(QStringLiteral("quirewright --split DOC.pdf [DOC.pdf|FOLDER ...] [--at 4,8,12 | --every N | "
                                   "--at-bookmarks LEVEL] [options]"))
           + QLatin1Char('\n') + seeHelp();
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
        BatchConsole::Print(stdout, UsageLine() + QLatin1Char('\n') + options);
        return Done;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        BatchConsole::Print(stdout, QStringLiteral("Quirewright %1").arg(QStringLiteral(QUIREWRIGHT_VERSION)));
        return Done;
    }

    BatchRequest request;
    if (const QString wrong = ParseRequest(parser, notUtf8_, request); !wrong.isEmpty())
        return fail(request.namesWrong ? Failed : UsageError, wrong);
    // Said once, and the split goes on: the pattern is the user's own, braces and all.
    if (const QString notice = UnknownTokensNotice(request.settings.fileNamePattern); !notice.isEmpty())
        BatchConsole().Warn(notice);
    return BatchRun(request).Exec();
}

QString BatchSplit::ParseRequest(const QCommandLineParser &parser, const QStringList &notUtf8, BatchRequest &request)
{
    if (!parser.isSet(QStringLiteral("split")) || parser.value(QStringLiteral("split")).isEmpty())
        return tr("No document to split: pass --split DOC.pdf. %1").arg(seeHelp());
    if (parser.isSet(QStringLiteral("jobs"))) {
        bool ok = false;
        request.jobs = parser.value(QStringLiteral("jobs")).toInt(&ok);
        if (!ok || request.jobs < 1 || request.jobs > kMostJobs)
            return tr("--jobs %1: give how many engines may run at once, 1 to %2, such as --jobs 2.")
                .arg(parser.value(QStringLiteral("jobs")))
                .arg(kMostJobs);
    } else {
        request.jobs = std::max(1, QThread::idealThreadCount());
    }
    for (const QString &name : {QStringLiteral("output-folder"), QStringLiteral("archive-folder")})
        if (parser.isSet(name) && parser.value(name).isEmpty())
            return tr("--%1 needs a folder. %2").arg(name, seeHelp());
    const bool at = parser.isSet(QStringLiteral("at"));
    const bool every = parser.isSet(QStringLiteral("every"));
    const bool atBookmarks = parser.isSet(QStringLiteral("at-bookmarks"));
    if (int(at) + int(every) + int(atBookmarks) > 1)
        return tr("--at, --every and --at-bookmarks cannot be used together: give one of them. %1").arg(seeHelp());
    if (atBookmarks) {
        bool ok = false;
        request.bookmarkLevel = parser.value(QStringLiteral("at-bookmarks")).toInt(&ok);
        if (!ok || request.bookmarkLevel < 1)
            return tr("--at-bookmarks %1: give the deepest bookmark level to split at, 1 or more, such as "
                      "--at-bookmarks 1.")
                .arg(parser.value(QStringLiteral("at-bookmarks")));
    }
    if (parser.isSet(QStringLiteral("bookmark-match"))) {
        if (!atBookmarks)
            return tr("--bookmark-match chooses among the bookmarks of --at-bookmarks: give --at-bookmarks "
                      "LEVEL too. %1")
                .arg(seeHelp());
        request.bookmarkMatch = DocumentOutline::MatchExpression(parser.value(QStringLiteral("bookmark-match")));
        if (!request.bookmarkMatch.isValid())
            return tr("--bookmark-match %1: %2 at character %3. Give a regular expression, such as "
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
            return tr("--at-separators %1: give blank, dark, barcode, barcode:TEXT, text:PHRASE or match:REGEX "
                      "(a valid regular expression), such as --at-separators blank.")
                .arg(parser.value(QStringLiteral("at-separators")));
    }
    if (parser.isSet(QStringLiteral("at-change"))) {
        request.atChange = parser.value(QStringLiteral("at-change"));
        const QRegularExpression expression = SeparatorRule::Expression(request.atChange);
        if (request.atChange.isEmpty() || !expression.isValid())
            return tr("--at-change %1: %2 at character %3. Give a regular expression with the value in a group, "
                      "such as --at-change \"Account (\\d+)\".")
                .arg(request.atChange, request.atChange.isEmpty() ? tr("nothing is given") : expression.errorString())
                .arg(expression.patternErrorOffset());
    }
    if (parser.isSet(QStringLiteral("max-size"))) {
        QString why;
        const std::optional<qint64> size = SizePlanQuery::ParseSize(parser.value(QStringLiteral("max-size")), &why);
        if (!size)
            return tr("--max-size %1: %2").arg(parser.value(QStringLiteral("max-size")), why);
        request.maxSize = *size;
    }
    request.dropSeparators = parser.isSet(QStringLiteral("drop-separators"));
    request.dryRun = parser.isSet(QStringLiteral("dry-run"));
    if (parser.isSet(QStringLiteral("plan-format"))) {
        const QString format = parser.value(QStringLiteral("plan-format"));
        if (!request.dryRun)
            return tr("--plan-format tells how --dry-run prints its plan: give --dry-run too. %1").arg(seeHelp());
        if (format != QLatin1String("text") && format != QLatin1String("json"))
            return tr("--plan-format %1: give text or json.").arg(format);
        request.planJson = format == QLatin1String("json");
    }
    if (request.dropSeparators && !request.separators)
        return tr("--drop-separators leaves out the separator sheets that --at-separators finds: give "
                  "--at-separators too. %1")
            .arg(seeHelp());
    if (every) {
        bool ok = false;
        request.every = parser.value(QStringLiteral("every")).toInt(&ok);
        if (!ok || request.every < 1)
            return tr("--every %1: give the number of pages in each part, 1 or more, such as --every 10.")
                .arg(parser.value(QStringLiteral("every")));
    }
    // Bytes that are not UTF-8 decode to U+FFFD, which names another file or none.
    const auto fromNotUtf8 = [&](const QString &name) {
        return parser.isSet(name) && parser.value(name).contains(QChar::ReplacementCharacter)
               && std::any_of(notUtf8.cbegin(), notUtf8.cend(),
                              [&](const QString &argument) { return argument.contains(parser.value(name)); });
    };
    if (fromNotUtf8(QStringLiteral("pattern")))
        return tr("--pattern: the pattern is not valid UTF-8. Give it in UTF-8.");
    for (const QString &name : {QStringLiteral("output-folder"), QStringLiteral("archive-folder")}) {
        if (fromNotUtf8(name)) {
            // Not a usage error: the command is right, the file's name is what cannot be handled.
            request.namesWrong = true;
            return NativeFileName::Refusal(parser.value(name)) + QLatin1Char(' ') + NothingWritten();
        }
    }
    for (const QString &named : parser.values(QStringLiteral("split")) + parser.positionalArguments()) {
        if (named.contains(QChar::ReplacementCharacter) && notUtf8.contains(named)) {
            request.namesWrong = true;
            return NativeFileName::Refusal(named) + QLatin1Char(' ') + NothingWritten();
        }
    }
    if (const QString wrong = CollectDocuments(parser, request); !wrong.isEmpty())
        return wrong;
    request.replace = parser.isSet(QStringLiteral("replace"));

    SplitSettings &settings = request.settings;
    const OptionsFile options = OptionsFile::ForThisProgram();
    if (const QString problem = options.ReadProblem(); !problem.isEmpty())
        BatchConsole().Warn(problem);
    settings = SplitSettings::Read(options.ForReading());
    if (parser.isSet(QStringLiteral("pattern")))
        settings.fileNamePattern = parser.value(QStringLiteral("pattern"));
    if (parser.isSet(QStringLiteral("output-folder"))) {
        settings.saveFileType = SplitSettings::OutputFolder;
        settings.outFolderName = absolute(parser.value(QStringLiteral("output-folder")));
    } else if (settings.saveFileType == SplitSettings::AskForFolder) {
        return tr("The options say to ask for the output folder at every split, and there is no window to "
                  "ask in. Pass --output-folder DIR.");
    } else if (settings.saveFileType == SplitSettings::OutputFolder && settings.outFolderName.isEmpty()) {
        // An empty folder name would put the parts at the root of the file system.
        return tr("The options say to write the parts into an output folder, but name none. Pass "
                  "--output-folder DIR.");
    }
    if (parser.isSet(QStringLiteral("archive-folder"))) {
        settings.archive = true;
        settings.archiveFolderName = absolute(parser.value(QStringLiteral("archive-folder")));
    }
    return {};
}

} // namespace qw
