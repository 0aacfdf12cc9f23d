#pragma once

#include "EngineRunner.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class QProcess;

namespace qw {

// One run of the engine that nobody waits for: it is started from the thread that creates this
// object and ends with that thread, so create it on one that lives as long as the program (the
// window's). Its two output streams are collected together, progress lines are told as they
// come, and its end is told once by `finished`, also when it could not start. The limit on
// engines running at once (EngineRunner::LimitConcurrentRuns) is for waiting runs, not this one.
class EngineRun : public QObject {
    Q_OBJECT
public:
    explicit EngineRun(QObject *parent = nullptr);
    // An engine still running is killed, and nothing more is signalled.
    ~EngineRun() override;

    // The program to run; by default the engine beside the running executable.
    void SetProgram(const QString &program) { program_ = program; }
    // Where it runs; by default the program's current folder.
    void SetWorkingFolder(const QString &folder) { workingFolder_ = folder; }
    // "NAME=value" entries added to the program's own environment.
    void SetEnvironment(const QStringList &entries) { environment_ = entries; }

    // Starts the program with `arguments`, each handed over as it is. Once per object; `finished`
    // comes later, never from within this call.
    void Start(const QStringList &arguments);
    // Asks the engine to end (it removes its unfinished file), and kills it when it has not
    // ended after EngineRunner::StopGraceMs. Its end is Stopped unless it finished all the same.
    void Stop();
    bool Running() const;

signals:
    // A line "Progress: <done>/<total>" of its output.
    void progress(int done, int total);
    // How it ended and all it wrote.
    void finished(const qw::EngineResult &result, const QByteArray &output);

private:
    void ReadOutput();
    void Finish(const EngineResult &result);

    QString program_;
    QString workingFolder_;
    QStringList environment_;
    QProcess *process_ = nullptr;
    QByteArray output_;
    qsizetype scanned_ = 0; // output before this has been looked at for progress lines
    qint64 processId_ = 0;
    bool stopAsked_ = false;
    bool finished_ = false;
};

} // namespace qw
