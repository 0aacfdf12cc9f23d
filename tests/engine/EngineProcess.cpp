#include "EngineProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

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

EngineProcess::Result EngineProcess::runMeasured(const QStringList &arguments, const QStringList &variables,
                                                 qint64 &peakKiB, int timeoutMs)
{
    peakKiB = -1;
    const QString time = QStringLiteral("/usr/bin/time");
    QTemporaryDir dir;
    if (!QFile::exists(time) || !dir.isValid())
        return run(arguments, variables, timeoutMs);
    const QString measured = dir.filePath(QStringLiteral("peak"));
    const Result result
        = runProgram(time, QStringList{"-f", "%M", "-o", measured, program()} + arguments, variables, timeoutMs);
    QFile file(measured);
    if (file.open(QIODevice::ReadOnly)) {
        // The last line; one before it tells a non-zero exit.
        const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
        bool ok = false;
        const qint64 kib = lines.last().trimmed().toLongLong(&ok);
        if (ok)
            peakKiB = kib;
    }
    return result;
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
    // A group of its own, so that a run that takes too long ends with whatever it started.
    process.setChildProcessModifier([addressSpace] {
        ::setpgid(0, 0);
        if (addressSpace > 0) {
            const rlimit limit{rlim_t(addressSpace), rlim_t(addressSpace)};
            ::setrlimit(RLIMIT_AS, &limit);
        }
    });
    QElapsedTimer timer;
    timer.start();
    process.start();
    if (!process.waitForStarted(timeoutMs))
        return result;
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        result.timedOut = true;
        ::kill(-pid_t(process.processId()), SIGKILL);
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
