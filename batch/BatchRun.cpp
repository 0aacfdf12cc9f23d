#include "BatchRun.h"

#include "BatchDocument.h"
#include "BatchExit.h"
#include "OutputClaims.h"

#include "core/StopSignals.h"
#include "split/EngineRunner.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <mutex>
#include <thread>
#include <vector>

namespace qw {

namespace {

QString planText(const BatchRequest &request, const PlanReport &plan)
{
    return request.planJson ? QString::fromUtf8(plan.Json()).trimmed() : plan.Text();
}

// "3 documents: 2 split, 1 refused, 0 failed", with the stopped and the unstarted when there are.
// Scripts read it, so it stays English in every language, as the progress lines do.
QString summary(const std::vector<std::optional<BatchDocument::Outcome>> &outcomes, bool dryRun)
{
    using End = BatchDocument::Outcome::End;
    int counts[4] = {};
    int unstarted = 0;
    for (const auto &outcome : outcomes) {
        if (outcome)
            ++counts[int(outcome->end)];
        else
            ++unstarted;
    }
    const auto count = [&](End end) { return QString::number(counts[int(end)]); };
    const QString documents = QString::number(outcomes.size());
    if (dryRun)
        return QStringLiteral("%1 documents: %2 can be split, %3 refused")
            .arg(documents, count(End::Split), count(End::Refused));
    if (counts[int(End::Stopped)] == 0 && unstarted == 0)
        return QStringLiteral("%1 documents: %2 split, %3 refused, %4 failed")
            .arg(documents, count(End::Split), count(End::Refused), count(End::Failed));
    return QStringLiteral("%1 documents: %2 split, %3 refused, %4 failed, %5 stopped, %6 not started")
        .arg(documents, count(End::Split), count(End::Refused), count(End::Failed), count(End::Stopped),
             QString::number(unstarted));
}

} // namespace

int BatchRun::Exec() const
{
    // From here on Ctrl+C or SIGTERM stops the engines, and the run says what it wrote.
    const StopSignals stop;
    EngineRunner::LimitConcurrentRuns(request_.jobs);
    if (!request_.manyDocuments) {
        const BatchDocument::Outcome outcome
            = BatchDocument(request_, request_.documents.first(), BatchConsole(), stop).Split();
        if (outcome.plan)
            BatchConsole::Print(stdout, planText(request_, *outcome.plan));
        return outcome.exitCode;
    }

    const qsizetype count = request_.documents.size();
    OutputClaims claims(request_.documents);
    std::vector<std::optional<BatchDocument::Outcome>> outcomes(static_cast<size_t>(count));
    std::mutex mutex;
    qsizetype next = 0;
    qsizetype printed = 0; // the text plans go out in the documents' order, each once it and those before are made
    const auto work = [&] {
        for (;;) {
            qsizetype index = 0;
            {
                const std::lock_guard lock(mutex);
                if (next == count || stop.Received())
                    return;
                index = next++;
            }
            const QString &document = request_.documents.at(index);
            const BatchConsole console(QStringLiteral("[%1/%2] ").arg(index + 1).arg(count));
            if (!request_.dryRun)
                console.Progress(QStringLiteral("splitting ") + QDir::toNativeSeparators(document));
            BatchDocument::Outcome outcome = BatchDocument(request_, document, console, stop, &claims).Split();
            const std::lock_guard lock(mutex);
            outcomes[size_t(index)] = std::move(outcome);
            for (; printed < count && outcomes[size_t(printed)] && !request_.planJson; ++printed)
                if (const auto &plan = outcomes[size_t(printed)]->plan)
                    BatchConsole::Print(stdout,
                                        QStringLiteral("document %1 of %2: %3\n%4")
                                            .arg(printed + 1)
                                            .arg(count)
                                            .arg(QDir::toNativeSeparators(plan->document), planText(request_, *plan)));
        }
    };
    {
        std::vector<std::jthread> workers;
        for (qsizetype i = 0; i < std::min(qsizetype(request_.jobs), count); ++i)
            workers.emplace_back(work);
    }

    if (request_.dryRun && request_.planJson) {
        QJsonArray plans;
        for (const auto &outcome : outcomes)
            if (outcome && outcome->plan)
                plans << outcome->plan->Object();
        BatchConsole::Print(stdout, QString::fromUtf8(QJsonDocument(plans).toJson(QJsonDocument::Indented)).trimmed());
    }
    BatchConsole().Fail(0, summary(outcomes, request_.dryRun));
    if (stop.Received())
        return StopSignals::ExitCodeFor(stop.Received());
    const bool allSplit = std::all_of(outcomes.cbegin(), outcomes.cend(), [](const auto &outcome) {
        return outcome && outcome->end == BatchDocument::Outcome::End::Split;
    });
    return allSplit ? BatchExit::Done : BatchExit::Failed;
}

} // namespace qw
