#include "BackgroundTask.h"

#include <QThread>

namespace qw {

BackgroundTask::BackgroundTask(QObject *parent) : QObject(parent) { }

BackgroundTask::~BackgroundTask()
{
    // The engine is asked to end and its thread waited for: nothing outlives its owner.
    Stop();
    if (thread_)
        thread_->wait();
    delete thread_;
}

void BackgroundTask::Start(Work work, std::function<void()> done)
{
    Q_ASSERT(!thread_);
    const std::shared_ptr<std::atomic<bool>> stopped = stopped_;
    thread_ = QThread::create([work = std::move(work), stopped] { work([stopped] { return !stopped->load(); }); });
    // The thread object lives here, so its end is told here, after the work's last Post.
    connect(thread_, &QThread::finished, this, [this, done = std::move(done)] {
        if (!Stopped() && done)
            done();
        emit Finished();
    });
    thread_->start();
}

void BackgroundTask::Stop()
{
    stopped_->store(true);
}

void BackgroundTask::Post(std::function<void()> call)
{
    QMetaObject::invokeMethod(
        this,
        [this, call = std::move(call)] {
            if (!Stopped())
                call();
        },
        Qt::QueuedConnection);
}

} // namespace qw
