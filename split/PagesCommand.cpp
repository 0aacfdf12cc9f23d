#include "PagesCommand.h"

#include "EngineRunner.h"
#include "OpenFailure.h"
#include "PageCountQuery.h"

#include <QCoreApplication>
#include <QFile>
#include <QScopeGuard>

namespace qw {

QString PagesCommand::Problem::Text() const
{
    switch (kind) {
    case Kind::None: return {};
    case Kind::NoReportFile:
        return QCoreApplication::translate(
                   "qw::PagesCommand", "No file for the PDF engine's report could be made in the temporary folder: %1.")
            .arg(reason);
    case Kind::EngineNotRun: return reason;
    case Kind::DocumentChanged:
        return QCoreApplication::translate("qw::PagesCommand", "The document was replaced or changed "
                                                               "since it was opened. Open it again.");
    case Kind::PagesNotLookedAt:
        return QCoreApplication::translate("qw::PageFactsQuery", "The PDF engine could not look at the pages: %1").arg(reason);
    case Kind::PartsNotPlanned:
        return QCoreApplication::translate("qw::SizePlanQuery", "The PDF engine could not plan the parts: %1").arg(reason);
    case Kind::ReportUnreadable:
        return QCoreApplication::translate("qw::PagesCommand", "The PDF engine's report could not be read: %1").arg(reason);
    case Kind::NoPlan:
        return QCoreApplication::translate("qw::SizePlanQuery", "The PDF engine's report holds no plan of the parts.");
    }
    return {};
}

PagesCommand::Result PagesCommand::Run(const QString &document, const FileStamp &identity, const QStringList &command,
                                       Problem::Kind failed, const Progress &progress)
{
    Result result;
    QString why;
    const QString file = MakeTempFileName(QStringLiteral(".txt"), &why);
    if (file.isEmpty()) {
        result.problem = {Problem::Kind::NoReportFile, why};
        return result;
    }
    const auto removeReport = qScopeGuard([&] { QFile::remove(file); });

    const QStringList arguments
        = QStringList{document} + command + QStringList{ProtocolText(quirekit::protocol::word::Output), file};
    QStringList environment;
    if (identity.exists)
        environment << EngineRunner::DocumentVariable(identity);
    QByteArray output;
    const auto keepGoing = [&] {
        if (!progress)
            return true;
        // The last line is among the last few bytes; reading them alone keeps a long run cheap.
        int done = 0;
        int total = 0;
        for (const QByteArray &line : output.right(256).split('\n'))
            ParseProgressLine(line, done, total);
        return progress(done, total);
    };
    const EngineResult engine
        = EngineRunner::RunEngineCommand(arguments, &output, QString(), keepGoing, environment);
    if (engine.stopAsked) {
        result.stopped = true;
        return result;
    }
    if (engine.end != EngineResult::End::Exited) {
        result.problem = {Problem::Kind::EngineNotRun, engine.reason};
        return result;
    }
    if (engine.exitCode != 0) {
        result.problem = engine.exitCode == EngineExit::DocumentChanged ? Problem{Problem::Kind::DocumentChanged, {}}
                                                                        : Problem{failed, EngineReason(output)};
        return result;
    }
    QFile report(file);
    if (!report.open(QIODevice::ReadOnly)) {
        result.problem = {Problem::Kind::ReportUnreadable, report.errorString()};
        return result;
    }
    result.report = report.readAll();
    return result;
}

} // namespace qw
