#include "EngineRunner.h"

#include "CommandLine.h"
#include "framework/ModulePath.h"

#include <QCoreApplication>
#include <QProcess>

// Like a debugger trace, it is silent unless asked for (QT_LOGGING_RULES="quirewright.engine=true").
Q_LOGGING_CATEGORY(lcEngine, "quirewright.engine", QtInfoMsg)

namespace {
// The longest the runner waits without looking at the engine; it wakes at once on output or exit.
constexpr int kIdleWaitMs = 100;
} // namespace

QString EngineRunner::EnginePath()
{
    return MakeModulePath(QString::fromLatin1(EngineFileName));
}

int EngineRunner::RunEngine(const QString &commandLine, QByteArray &output)
{
    qCDebug(lcEngine).noquote() << commandLine;

    QStringList arguments = CommandLine::Split(commandLine);
    if (arguments.isEmpty())
        return 0;
    QProcess engine;
    engine.setProcessChannelMode(QProcess::MergedChannels);
    engine.setStandardInputFile(QProcess::nullDevice());
    engine.setProgram(arguments.takeFirst());
    engine.setArguments(arguments);
    engine.start(QIODevice::ReadOnly);
    if (!engine.waitForStarted(-1))
        return 0;

    // Output is drained as it comes, so the engine never stalls on a full pipe; the wait ends
    // as soon as output arrives or the engine ends.
    while (engine.state() != QProcess::NotRunning) {
        engine.waitForReadyRead(kIdleWaitMs);
        output += engine.readAll();
    }
    output += engine.readAll();

    if (engine.exitStatus() != QProcess::NormalExit)
        return -1;
    return engine.exitCode();
}

int EngineRunner::RunEngineCommand(const QString &arguments, QByteArray *output)
{
    if (arguments.isEmpty())
        return 0;
    QByteArray discarded;
    return RunEngine(CommandLine::Quote(EnginePath()) + QLatin1Char(' ') + arguments, output ? *output : discarded);
}

void EngineRunner::PumpMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
