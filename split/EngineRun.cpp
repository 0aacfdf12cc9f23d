#include "EngineRun.h"

#include <QProcess>
#include <QTimer>

namespace qw {

EngineRun::EngineRun(QObject *parent) : QObject(parent), program_(EngineRunner::EnginePath()) {}

EngineRun::~EngineRun()
{
    if (!process_ || process_->state() == QProcess::NotRunning)
        return;
    process_->disconnect(this);
    process_->kill();
    process_->waitForFinished(EngineRunner::StopGraceMs);
}

void EngineRun::Start(const QStringList &arguments)
{
    if (process_ || finished_)
        return;
    process_ = new QProcess(this);
    if (std::optional<EngineResult> refused
        = EngineRunner::Prepare(*process_, program_, arguments, workingFolder_, environment_)) {
        // Told from the event loop, as every other end is, so that the caller may connect after
        // starting and is never called back from within Start.
        QTimer::singleShot(0, this, [this, result = *refused] { Finish(result); });
        return;
    }
    connect(process_, &QProcess::started, this, [this] { processId_ = process_->processId(); });
    connect(process_, &QProcess::readyRead, this, &EngineRun::ReadOutput);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        // Every other error ends in `finished` as well.
        if (error == QProcess::FailedToStart)
            Finish(EngineRunner::StartFailed(program_, *process_));
    });
    connect(process_, &QProcess::finished, this, [this] {
        ReadOutput();
        Finish(EngineRunner::Ended(*process_, processId_, stopAsked_));
    });
    process_->start(QIODevice::ReadOnly);
}

void EngineRun::Stop()
{
    if (!Running() || stopAsked_)
        return;
    stopAsked_ = true;
    process_->terminate();
    QTimer::singleShot(EngineRunner::StopGraceMs, this, [this] {
        if (Running())
            process_->kill();
    });
}

bool EngineRun::Running() const
{
    return process_ && process_->state() != QProcess::NotRunning;
}

void EngineRun::ReadOutput()
{
    output_ += process_->readAll();
    int done = 0;
    int total = 0;
    for (qsizetype end; (end = output_.indexOf('\n', scanned_)) >= 0; scanned_ = end + 1)
        if (ParseProgressLine(QByteArrayView(output_).sliced(scanned_, end - scanned_), done, total))
            emit progress(done, total);
}

void EngineRun::Finish(const EngineResult &result)
{
    if (finished_)
        return;
    finished_ = true;
    emit finished(result, output_);
}

} // namespace qw
