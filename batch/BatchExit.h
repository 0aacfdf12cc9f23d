#pragma once

#include <QCoreApplication>
#include <QString>

namespace qw {

// What every part of the batch mode ends with: its exit codes, as --help tells them, and the
// words that end every refusal.
struct BatchExit {
    enum Code {
        Done = 0, // every part was written, and the document archived when that was asked
        Failed = 1, // the split was refused or a part or the archive move failed
        UsageError = 2, // the command line is wrong or incomplete
    };

    // "Nothing was written."
    static QString NothingWritten() { return QCoreApplication::translate("qw::BatchSplit", "Nothing was written."); }
};

} // namespace qw
