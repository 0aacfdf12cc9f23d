#include "EngineRunner.h"

#include "core/ChildProcess.h"
#include "core/CommandLine.h"
#include "core/FileStamp.h"
#include "core/ModulePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSemaphore>

#include <memory>

namespace qw {

// Like a debugger trace, it is silent unless asked for (QT_LOGGING_RULES="quirewright.engine=true").
Q_LOGGING_CATEGORY(lcEngine, "quirewright.engine", QtInfoMsg)

namespace {
// The longest the runner waits without looking at the engine; it wakes at once on output or exit.
constexpr int kIdleWaitMs = 100;

// The places for engines running at once; none: no limit.
std::unique_ptr<QSemaphore> s_places;

// The engine starts every message of its own with its name.
constexpr QByteArrayView kEnginePrefix = "quirekit: ";

// One line of the engine's output as plain text: a file name may carry control characters.
QString printable(QByteArrayView line)
{
    QString text = QString::fromUtf8(line);
    text.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
    return text.trimmed();
}

// The line that tells why the engine gave up: its own last message, else its last line (MuPDF's
// warnings come before the engine's message).
QByteArrayView reasonLine(QByteArrayView output)
{
    QByteArrayView last;
    QByteArrayView lastOwn;
    while (!output.isEmpty()) {
        const qsizetype end = output.indexOf('\n');
        const QByteArrayView trimmed = (end < 0 ? output : output.first(end)).trimmed();
        output = end < 0 ? QByteArrayView() : output.sliced(end + 1);
        if (trimmed.isEmpty())
            continue;
        last = trimmed;
        if (trimmed.startsWith(kEnginePrefix))
            lastOwn = trimmed.sliced(kEnginePrefix.size());
    }
    return lastOwn.isEmpty() ? last : lastOwn;
}
EngineResult notStarted(const QString &reason)
{
    return {EngineResult::End::NotStarted, -1, reason};
}

EngineResult stopped(qint64 processId)
{
    return {EngineResult::End::Stopped, -1, QCoreApplication::translate("qw::EngineRunner", "The PDF engine was stopped."),
            processId, true};
}

// The run as a person would type it, each argument quoted only where it must be; for the trace
// only, as the engine is given the list itself.
QString traced(const QString &program, const QStringList &arguments)
{
    static const QRegularExpression kNeedsQuotes(QStringLiteral("[\\s\"]"));
    QStringList line;
    for (const QString &argument : QStringList{program} + arguments)
        line << (argument.isEmpty() || argument.contains(kNeedsQuotes) ? CommandLine::Quote(argument) : argument);
    return line.join(QLatin1Char(' '));
}
} // namespace

QString EngineRunner::EnginePath()
{
    return MakeModulePath(QString::fromLatin1(EngineFileName));
}

std::optional<EngineResult> EngineRunner::Prepare(QProcess &process, const QString &program,
                                                  const QStringList &arguments, const QString &workingFolder,
                                                  const QStringList &environment)
{
    qCDebug(lcEngine).noquote() << traced(program, arguments);
    if (program.isEmpty())
        return notStarted(QCoreApplication::translate("qw::EngineRunner", "There was no program to run."));
    // Checked here because the process would report it only as a failure to change folder.
    if (!workingFolder.isEmpty() && !QFileInfo(workingFolder).isDir())
        return notStarted(QCoreApplication::translate("qw::EngineRunner", "The folder %1 does not exist.").arg(QDir::toNativeSeparators(workingFolder)));

    ChildProcess::EndWithThisProgram(process);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProgram(program);
    process.setArguments(arguments);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    if (!environment.isEmpty()) {
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        for (const QString &entry : environment)
            variables.insert(entry.section(QLatin1Char('='), 0, 0), entry.section(QLatin1Char('='), 1));
        process.setProcessEnvironment(variables);
    }
    return std::nullopt;
}

EngineResult EngineRunner::StartFailed(const QString &program, const QProcess &process)
{
    // Decided from the file and the kind of error: the system's message is translated under
    // the user's locale, so its words say nothing reliable.
    const QFileInfo file(program);
    QString why;
    if (!file.exists())
        why = QCoreApplication::translate("qw::EngineRunner", "the file is missing");
    else if (file.isDir())
        why = QCoreApplication::translate("qw::EngineRunner", "it is a folder");
    else if (!file.isExecutable())
        why = QCoreApplication::translate("qw::EngineRunner", "it is not marked as executable");
    else if (process.error() == QProcess::FailedToStart && ChildProcess::RunnerMissing(program))
        why = QCoreApplication::translate("qw::EngineRunner", "the interpreter or loader it needs is missing");
    else
        why = process.errorString().section(QStringLiteral(": "), -1);
    return notStarted(QCoreApplication::translate("qw::EngineRunner", "The PDF engine %1 could not be started: %2.").arg(QDir::toNativeSeparators(program), why));
}

EngineResult EngineRunner::Ended(const QProcess &process, qint64 processId, bool stopAsked)
{
    if (stopAsked && !(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0))
        return stopped(processId);
    if (process.exitStatus() != QProcess::NormalExit)
        return {EngineResult::End::Crashed, -1, QCoreApplication::translate("qw::EngineRunner", "The PDF engine stopped unexpectedly."), processId,
                stopAsked};
    return {EngineResult::End::Exited, process.exitCode(), QString(), processId, stopAsked};
}

EngineResult EngineRunner::RunEngine(const QString &program, const QStringList &arguments, QByteArray &output,
                                     const QString &workingFolder, const std::function<bool()> &keepGoing,
                                     const QStringList &environment)
{
    QProcess engine;
    if (std::optional<EngineResult> refused = Prepare(engine, program, arguments, workingFolder, environment))
        return *refused;

    // Waiting for a place is part of the run: a stop ends the wait.
    QSemaphoreReleaser place;
    if (s_places) {
        while (!s_places->tryAcquire(1, kIdleWaitMs))
            if (keepGoing && !keepGoing())
                return stopped(0);
        place = QSemaphoreReleaser(s_places.get());
    }

    engine.start(QIODevice::ReadOnly);
    if (!engine.waitForStarted(-1))
        return StartFailed(program, engine);

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
            if (!engine.waitForFinished(StopGraceMs)) {
                engine.kill();
                engine.waitForFinished(-1);
            }
        }
    }
    output += engine.readAll();
    return Ended(engine, processId, stopAsked);
}

EngineResult EngineRunner::RunEngineCommand(const QStringList &arguments, QByteArray *output,
                                            const QString &workingFolder, const std::function<bool()> &keepGoing,
                                            const QStringList &environment)
{
    if (arguments.isEmpty())
        return notStarted(QCoreApplication::translate("qw::EngineRunner", "The PDF engine was given nothing to do."));
    QByteArray discarded;
    return RunEngine(EnginePath(), arguments, output ? *output : discarded, workingFolder, keepGoing, environment);
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


QString EngineReason(QByteArrayView output)
{
    return printable(reasonLine(output));
}

} // namespace qw
