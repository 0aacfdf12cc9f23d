#pragma once

#include "BatchConsole.h"
#include "BatchRequest.h"

#include "split/PlanReport.h"
#include "split/SplitRefusal.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace qw {

class OutputClaims;
class SplitJob;
class StopSignals;

// One document of a batch run, from its checks to its archive move: everything that would stop
// its split is told before its first part is written, then one line per part.
class BatchDocument {
    Q_DECLARE_TR_FUNCTIONS(qw::BatchDocument)
public:
    struct Outcome {
        enum class End {
            Split, // every part written and the document archived when asked; in a dry run, nothing refused
            Refused, // stopped before any part was written
            Failed, // a part or the archive move failed
            Stopped, // Ctrl+C or SIGTERM
        };
        End end = End::Refused;
        int exitCode = 1; // what a run of this document alone exits with
        std::optional<PlanReport> plan; // a dry run's, for the caller to print
    };

    // `claims`, when given, keeps the run's documents off each other's files.
    BatchDocument(const BatchRequest &request, QString document, BatchConsole console, const StopSignals &stop,
                  OutputClaims *claims = nullptr);

    Outcome Split() const;

private:
    QString BreaksOutsideDocument(int pageCount) const;
    static SplitRefusal ArchiveRefusal(const SplitJob &job);
    // Writes the parts; a stop signal ends the run with 128 + its number, naming what was written.
    Outcome WriteParts(const SplitJob &job) const;
    // With --max-size: names the parts of several pages that came out larger than it.
    void WarnOverSize(const SplitJob &job) const;
    Outcome Fail(Outcome::End end, int exitCode, const QString &message) const;

    const BatchRequest &request_;
    QString document_;
    BatchConsole console_;
    const StopSignals &stop_;
    OutputClaims *claims_;
};

} // namespace qw
