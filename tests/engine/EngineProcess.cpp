#include "EngineProcess.h"

#include <QElapsedTimer>
#include <QProcess>

QString EngineProcess::program()
{
    return QStringLiteral(QUIREKIT_PATH);
}

EngineProcess::Result EngineProcess::run(const QStringList &arguments, int timeoutMs)
{
    Result result;
    QProcess process;
    process.setProgram(program());
    process.setArguments(arguments);
    QElapsedTimer timer;
    timer.start();
    process.start();
    if (!process.waitForStarted(timeoutMs))
        return result;
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        result.timedOut = true;
        process.kill();
        process.waitForFinished();
    }
    result.milliseconds = timer.elapsed();
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
