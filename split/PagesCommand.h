#pragma once

#include "core/FileStamp.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace qw {

// An engine command that goes through the pages of a document and writes a report (the
// separator and the size plans are two): it reads only the very file `identity` describes,
// tells its progress in lines "Progress: <done>/<total>", and its report is read back and
// removed.
class PagesCommand {
public:
    // Told the pages done so far and their number; false stops the engine.
    using Progress = std::function<bool(int done, int total)>;

    // Why there is no report: a kind for the caller to decide on, and the words of the engine
    // or of the system that say more, when there are any.
    struct Problem {
        enum class Kind {
            None,
            NoReportFile, // no file for the report could be made in the temporary folder
            EngineNotRun, // the engine did not start, or did not end by itself
            DocumentChanged, // the file is no longer the one that was opened
            PagesNotLookedAt, // the engine failed to look at the pages for separators
            PartsNotPlanned, // the engine failed to plan parts of a size
            ReportUnreadable,
            NoPlan, // the report holds no plan of the parts
        };
        Kind kind = Kind::None;
        QString reason;

        explicit operator bool() const { return kind != Kind::None; }
        // The problem for the user; empty for none.
        QString Text() const;
    };

    struct Result {
        bool stopped = false; // the caller stopped it
        Problem problem;
        QByteArray report;
    };

    // `command` is the engine command and its arguments, as they stand between the document
    // and "output <report>". `failed` is the kind an engine that fails is told as (what it
    // could not do), with its reason.
    static Result Run(const QString &document, const FileStamp &identity, const QStringList &command,
                      Problem::Kind failed, const Progress &progress = {});
};

} // namespace qw
