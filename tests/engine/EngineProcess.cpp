#include "EngineProcess.h"

#include <QElapsedTimer>
#include <QProcess>

#include <sys/resource.h>

QString EngineProcess::program()
{
    return QStringLiteral(QUIREKIT_PATH);
}

EngineProcess::Result EngineProcess::run(const QStringList &arguments, int timeoutMs)
{
    return run(arguments, QStringList(), timeoutMs);
}

EngineProcess::Result EngineProcess::run(const QStringList &arguments, const QStringList &variables, int timeoutMs,
                                         qint64 addressSpace)
{
    return runProgram(program(), arguments, variables, timeoutMs, addressSpace);
}

EngineProcess::Result EngineProcess::runProgram(const QString &program, const QStringList &arguments,
                                                const QStringList &variables, int timeoutMs, qint64 addressSpace)
{
    Result result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    // Only what the test gives conditions the run, whatever the shell running the tests has set.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QUIREKIT_REPLACE"));
    environment.remove(QStringLiteral("QUIREKIT_DOCUMENT"));
    for (const QString &variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    process.setProcessEnvironment(environment);
    if (addressSpace > 0) {
        process.setChildProcessModifier([addressSpace] {
            const rlimit limit{rlim_t(addressSpace), rlim_t(addressSpace)};
            ::setrlimit(RLIMIT_AS, &limit);
        });
    }
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
