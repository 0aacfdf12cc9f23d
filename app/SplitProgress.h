#pragma once

#include "split/BackgroundTask.h"
#include "split/SplitObserver.h"

#include <functional>

namespace qw {

class ProgressPanel;

// The window's split as the thread that writes the parts sees it: each part's start is shown in
// the window's progress panel, and Cancel there (or the window closing) stops the split before
// the next part or the engine that is running.
class SplitProgress : public SplitObserver {
public:
    SplitProgress(BackgroundTask &task, ProgressPanel &panel, std::function<bool()> keepGoing);

    bool PartStarting(const PartRange &part, const QString &path) override;
    bool KeepGoing() override { return keepGoing_(); }

    // What the panel says while part `number` of `count` is being written.
    static QString PartLabel(int number, int count);

private:
    BackgroundTask &task_;
    ProgressPanel &panel_;
    std::function<bool()> keepGoing_;
};

} // namespace qw
