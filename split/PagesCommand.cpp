#include "PagesCommand.h"

#include "EngineRunner.h"
#include "OpenFailure.h"
#include "PageCountQuery.h"

#include <QCoreApplication>
#include <QFile>
#include <QScopeGuard>

namespace qw {

PagesCommand::Result PagesCommand::Run(const QString &document, const FileStamp &identity, const QStringList &command,
                                       const QString &couldNot, const Progress &progress)
{
    Result result;
    QString why;
    const QString file = MakeTempFileName(QStringLiteral(".txt"), &why);
    if (file.isEmpty()) {
        result.problem
            = QCoreApplication::translate(
                  "qw::PagesCommand", "No file for the PDF engine's report could be made in the temporary folder: %1.")
                  .arg(why);
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
        result.problem = engine.reason;
        return result;
    }
    if (engine.exitCode != 0) {
        result.problem = engine.exitCode == EngineExit::DocumentChanged
                             ? QCoreApplication::translate("qw::PagesCommand", "The document was replaced or changed "
                                                                               "since it was opened. Open it again.")
                             : QString(couldNot).arg(EngineReason(output));
        return result;
    }
    QFile report(file);
    if (!report.open(QIODevice::ReadOnly)) {
        result.problem
            = QCoreApplication::translate("qw::PagesCommand", "The PDF engine's report could not be read: %1")
                  .arg(report.errorString());
        return result;
    }
    result.report = report.readAll();
    return result;
}

} // namespace qw
