#pragma once

#include "split/SplitObserver.h"

#include <QProgressDialog>

namespace qw {

// The window's progress of a split: which part is being written, and a Cancel button that
// stops the split before the next part or the engine that is running. Window events are
// handled between the parts and while the engine runs, so the window stays live.
class SplitProgress : public SplitObserver {
public:
    SplitProgress(QWidget *parent, int partCount);

    bool PartStarting(const PartRange &part, const QString &path) override;
    bool KeepGoing() override;

private:
    QProgressDialog dialog_;
};

} // namespace qw
