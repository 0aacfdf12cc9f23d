#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs the built engine as the application does: no standard input, arguments as a list.
class EngineProcess {
public:
    struct Result {
        int exitCode = -1;
        bool crashed = false;
        bool timedOut = false;
        QByteArray out;
        QByteArray err;
        qint64 milliseconds = 0;
    };

    static QString program();
    static Result run(const QStringList &arguments, int timeoutMs = 20000);
    // variables: NAME=value entries added to this process's environment for the run.
    // addressSpace: when not 0, the most virtual memory the engine may map, in bytes.
    static Result run(const QStringList &arguments, const QStringList &variables, int timeoutMs = 20000,
                      qint64 addressSpace = 0);
    // As run(), and the most memory the engine held at once, in KiB, as GNU time measures it;
    // -1 when GNU time is not installed.
    static Result runMeasured(const QStringList &arguments, const QStringList &variables, qint64 &peakKiB,
                              int timeoutMs = 20000);
    // The same with another build of the engine.
    static Result runProgram(const QString &program, const QStringList &arguments, const QStringList &variables = {},
                             int timeoutMs = 20000, qint64 addressSpace = 0);
};
