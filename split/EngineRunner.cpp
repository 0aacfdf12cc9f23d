#include "EngineRunner.h"

#include "framework/ChildProcess.h"
#include "framework/CommandLine.h"
#include "framework/FileStamp.h"
#include "framework/ModulePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSemaphore>

#include <memory>

namespace qw {

// Like a debugger trace, it is silent unless asked for (QT_LOGGING_RULES="quirewright.engine=true").
Q_LOGGING_CATEGORY(lcEngine, "quirewright.engine", QtInfoMsg)

namespace {
// The longest the runner waits without looking at the engine; it wakes at once on output or exit.
constexpr int kIdleWaitMs = 100;
// How long an engine asked to stop may take to clean up before it is killed.
constexpr int kStopGraceMs = 3000;

// The places for engines running at once; none: no limit.
std::unique_ptr<QSemaphore> s_places;

EngineResult notStarted(const QString &reason)
{
    return {EngineResult::End::NotStarted, -1, reason};
}

// Why `program` did not start, in the user's terms rather than the system call's.
QString startFailure(const QString &program, const QProcess &process)
{
    const QFileInfo file(program);
    QString why;
    if (!file.exists())
        why = QCoreApplication::translate("qw::EngineRunner", "the file is missing");
    else if (file.isDir())
        why = QCoreApplication::translate("qw::EngineRunner", "it is a folder");
    else if (!file.isExecutable())
        why = QCoreApplication::translate("qw::EngineRunner", "it is not marked as executable");
    else if (process.error() == QProcess::FailedToStart
             && process.errorString().contains(QLatin1String("No such file")))
        // The file itself is there, so what is missing is what runs it.
        why = QCoreApplication::translate("qw::EngineRunner", "the interpreter or loader it needs is missing");
    else
        why = process.errorString().section(QStringLiteral(": "), -1);
    return QCoreApplication::translate("qw::EngineRunner", "The PDF engine %1 could not be started: %2.").arg(QDir::toNativeSeparators(program), why);
}
} // namespace

QString EngineRunner::EnginePath()
{
    return MakeModulePath(QString::fromLatin1(EngineFileName));
}

EngineResult EngineRunner::RunEngine(const QString &commandLine, QByteArray &output, const QString &workingFolder,
                                     const std::function<bool()> &keepGoing, const QStringList &environment)
{
    qCDebug(lcEngine).noquote() << commandLine;

    QStringList arguments = CommandLine::Split(commandLine);
    if (arguments.isEmpty())
        return notStarted(QCoreApplication::translate("qw::EngineRunner", "There was no program to run."));
    const QString program = arguments.takeFirst();
    // Checked here because the process would report it only as a failure to change folder.
    if (!workingFolder.isEmpty() && !QFileInfo(workingFolder).isDir())
        return notStarted(QCoreApplication::translate("qw::EngineRunner", "The folder %1 does not exist.").arg(QDir::toNativeSeparators(workingFolder)));

    // Waiting for a place is part of the run: a stop ends the wait.
    QSemaphoreReleaser place;
    if (s_places) {
        while (!s_places->tryAcquire(1, kIdleWaitMs))
            if (keepGoing && !keepGoing())
                return {EngineResult::End::Stopped, -1, QCoreApplication::translate("qw::EngineRunner", "The PDF engine was stopped."), 0, true};
        place = QSemaphoreReleaser(s_places.get());
    }

    QProcess engine;
    ChildProcess::EndWithThisProgram(engine);
    engine.setProcessChannelMode(QProcess::MergedChannels);
    engine.setStandardInputFile(QProcess::nullDevice());
    engine.setProgram(program);
    engine.setArguments(arguments);
    if (!workingFolder.isEmpty())
        engine.setWorkingDirectory(workingFolder);
    if (!environment.isEmpty()) {
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        for (const QString &entry : environment)
            variables.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
        engine.setProcessEnvironment(variables);
    }
    engine.start(QIODevice::ReadOnly);
    if (!engine.waitForStarted(-1))
        return notStarted(startFailure(program, engine));

    const qint64 processId = engine.processId();

    // Output is drained as it comes, so the engine never stalls on a full pipe; the wait ends
    // as soon as output arrives or the engine ends.
    bool stopAsked = false;
    while (engine.state() != QProcess::NotRunning) {
        engine.waitForReadyRead(kIdleWaitMs);
        output += engine.readAll();
        if (!stopAsked && keepGoing && engine.state() != QProcess::NotRunning && !keepGoing()) {
            stopAsked = true;
            engine.terminate();
            if (!engine.waitForFinished(kStopGraceMs)) {
                engine.kill();
                engine.waitForFinished(-1);
            }
        }
    }
    output += engine.readAll();

    if (stopAsked && !(engine.exitStatus() == QProcess::NormalExit && engine.exitCode() == 0))
        return {EngineResult::End::Stopped, -1, QCoreApplication::translate("qw::EngineRunner", "The PDF engine was stopped."), processId, true};
    if (engine.exitStatus() != QProcess::NormalExit)
        return {EngineResult::End::Crashed, -1, QCoreApplication::translate("qw::EngineRunner", "The PDF engine stopped unexpectedly."), processId,
                stopAsked};
    return {EngineResult::End::Exited, engine.exitCode(), QString(), processId, stopAsked};
}

EngineResult EngineRunner::RunEngineCommand(const QString &arguments, QByteArray *output, const QString &workingFolder,
                                            const std::function<bool()> &keepGoing, const QStringList &environment)
{
    if (arguments.isEmpty())
        return notStarted(QCoreApplication::translate("qw::EngineRunner", "The PDF engine was given nothing to do."));
    QByteArray discarded;
    return RunEngine(CommandLine::Quote(EnginePath()) + QLatin1Char(' ') + arguments, output ? *output : discarded,
                     workingFolder, keepGoing, environment);
}

QString EngineRunner::DocumentVariable(const FileStamp &document)
{
    return ProtocolText(quirekit::protocol::variable::Document) + QStringLiteral("=%1:%2:%3:%4:%5")
        .arg(document.device)
        .arg(document.inode)
        .arg(document.size)
        .arg(document.modifiedNs)
        .arg(document.changedNs);
}

QString EngineRunner::ReplaceVariable(const FileStamp *agreed)
{
    namespace names = quirekit::protocol::variable;
    if (!agreed || !agreed->exists)
        return ProtocolText(names::Replace) + QLatin1Char('=') + ProtocolText(names::ReplaceNothing);
    return ProtocolText(names::Replace) + QStringLiteral("=%1:%2").arg(agreed->device).arg(agreed->inode);
}

void EngineRunner::LimitConcurrentRuns(int runs)
{
    s_places = runs > 0 ? std::make_unique<QSemaphore>(runs) : nullptr;
}

void EngineRunner::PumpMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace qw
