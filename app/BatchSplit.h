#pragma once

#include "split/SeparatorRule.h"

#include <optional>

#include "split/SplitSettings.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace qw {

class SplitJob;
class StopSignals;

// The split without a window, for scripts:
//   quirewright --split DOC.pdf [--at 4,8,12 | --every N | --at-bookmarks LEVEL] [--pattern P] [--output-folder DIR]
//               [--archive-folder DIR] [--replace]
// It runs the same SplitJob as the window. Everything that would stop the split (a wrong
// command line, a document that cannot be read, a refusal, files that would be replaced) is
// told before the first part is written; then one line per part goes to standard error.
class BatchSplit {
public:
    // The exit codes, as --help tells them.
    enum ExitCode {
        Done = 0, // every part was written, and the document archived when that was asked
        Failed = 1, // the split was refused or a part or the archive move failed
        UsageError = 2, // the command line is wrong or incomplete
    };

    // "Usage: quirewright --split DOC.pdf [...] [options]", the line that --help begins with.
    static QString UsageLine();
    // The usage line and where to read more, for a command line that cannot be run.
    static QString UsageReminder();

    // `arguments` as QCoreApplication gives them, the program first.
    // `notUtf8`: the arguments (as decoded) whose bytes are not UTF-8; a document, folder or
    // pattern taken from one of them is refused, never taken for another name.
    explicit BatchSplit(QStringList arguments, QStringList notUtf8 = {});
    // The command line as the system gave it, each argument decoded exactly where it can be.
    static BatchSplit FromCommandLine(int argc, const char *const *argv);

    // Does what the command line asks and returns the process exit code. Needs an application
    // object (QCoreApplication is enough) for the program's folder and for running the engine.
    int Exec();

private:
    // The command line, checked for what can be checked without the document.
    struct Request {
        QString document; // absolute
        QList<int> breaksBefore; // from --at, as given
        int every = 0; // from --every; 0 when not given
        int bookmarkLevel = 0; // from --at-bookmarks; 0 when not given
        QRegularExpression bookmarkMatch; // from --bookmark-match; empty: every bookmark
        std::optional<SeparatorRule> separators; // from --at-separators
        bool dropSeparators = false;
        bool replace = false;
        bool dryRun = false; // --dry-run: the plan and the refusals, nothing written
        bool planJson = false; // --plan-format json
        bool nameNotUtf8 = false; // a file or folder is named in bytes that are not UTF-8
        SplitSettings settings; // the options file's, with what the command line sets
    };

    // Why the command line cannot be run; empty when `request` holds it.
    static QString ParseRequest(const QCommandLineParser &parser, const QStringList &notUtf8, Request &request);
    // The split itself, from the document's checks to the archive move.
    static int Split(const Request &request);
    static QString BreaksOutsideDocument(const Request &request, int pageCount);
    static QString ArchiveRefusal(const SplitJob &job);
    // Writes the parts; a stop signal ends the run with 128 + its number, naming what was written.
    static int WriteParts(const SplitJob &job, const StopSignals &stop);

    QStringList arguments_;
    QStringList notUtf8_;
};

} // namespace qw
