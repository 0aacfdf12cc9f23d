#pragma once

#include "BatchExit.h"
#include "BatchRequest.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace qw {

// The split without a window, for scripts:
//   quirewright --split DOC.pdf [MORE.pdf | FOLDER ...] [--at 4,8,12 | --every N | --at-bookmarks LEVEL]
//               [--pattern P] [--output-folder DIR] [--archive-folder DIR] [--replace] [--jobs N]
// It runs the same SplitJob as the window. Everything that would stop a document's split (a
// wrong command line, a document that cannot be read, a refusal, files that would be replaced)
// is told before its first part is written; then one line per part goes to standard error.
class BatchSplit {
    Q_DECLARE_TR_FUNCTIONS(qw::BatchSplit)
public:
    // The exit codes, as --help tells them.
    using ExitCode = BatchExit::Code;
    using enum BatchExit::Code;

    // "Usage: quirewright --split DOC.pdf [...]" naming every option, the lines --help begins with.
    static QString UsageLine();
    // Every option the split's command line takes, by name without dashes; any of them asks for
    // the split without a window.
    static QStringList OptionNames();
    // Ends every refusal: "Nothing was written."
    static QString NothingWritten() { return BatchExit::NothingWritten(); }
    // The gist of the usage and where to read more, for a command line that cannot be run.
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
    // Why the command line cannot be run; empty when `request` holds it.
    static QString ParseRequest(const QCommandLineParser &parser, const QStringList &notUtf8, BatchRequest &request);
    // The documents named after --split, a folder standing for the PDFs in it; why they cannot
    // be split, else empty.
    static QString CollectDocuments(const QCommandLineParser &parser, BatchRequest &request);

    QStringList arguments_;
    QStringList notUtf8_;
};

} // namespace qw
