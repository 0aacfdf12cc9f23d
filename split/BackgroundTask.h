#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace qw {

// Runs work that waits for the engine (a report, a plan, a split) on a thread of its own, so the
// thread that started it never waits: the window's event loop goes on while the engine works.
// The thread lives exactly as long as the work, so an engine it starts ends with the program
// (it is bound to the thread that started it) and never before it has finished.
//
// What the work finds comes back through `Post` and `done`, which run on the thread that owns
// the task. A task that is stopped or destroyed asks its work to stop (`keepGoing` says false
// from then on, which stops the engine); destroying it waits until the work has ended.
class BackgroundTask : public QObject {
    Q_OBJECT
public:
    using KeepGoing = std::function<bool()>;
    using Work = std::function<void(const KeepGoing &keepGoing)>;

    explicit BackgroundTask(QObject *parent = nullptr);
    ~BackgroundTask() override;

    // Starts `work`; `done` runs on the owner's thread once it has returned, unless the task was
    // stopped before. One work per task.
    void Start(Work work, std::function<void()> done = {});
    // Asks the work to stop; its `done` does not run.
    void Stop();
    bool Stopped() const { return stopped_->load(); }

    // Runs `call` on the owner's thread, unless the task was stopped by then; for the work to
    // tell its progress.
    void Post(std::function<void()> call);

signals:
    // The work has returned (and `done` has run, unless the task was stopped).
    void Finished();

private:
    // Shared with the work, which may outlive a task that gave up waiting for it.
    std::shared_ptr<std::atomic<bool>> stopped_ = std::make_shared<std::atomic<bool>>(false);
    QThread *thread_ = nullptr;
};

} // namespace qw
