#include "SplitProgress.h"

#include "split/EngineRunner.h"

#include <QCoreApplication>

namespace qw {

SplitProgress::SplitProgress(QWidget *parent, int partCount) : dialog_(parent)
{
    dialog_.setWindowTitle(QCoreApplication::applicationName());
    dialog_.setRange(0, partCount);
    dialog_.setMinimumDuration(0);
    dialog_.setWindowModality(Qt::WindowModal);
}

bool SplitProgress::PartStarting(const PartRange &part, const QString &)
{
    //: Progress of a split: part %1 of %2 parts is being written
    dialog_.setLabelText(QCoreApplication::translate("qw::SplitProgress", "Writing part %1 of %2...")
                             .arg(part.partNumber)
                             .arg(part.fileCount));
    dialog_.setValue(part.partNumber - 1);
    // Painting and input queued while the previous part ran are handled now.
    return KeepGoing();
}

bool SplitProgress::KeepGoing()
{
    EngineRunner::PumpMessages();
    return !dialog_.wasCanceled();
}

} // namespace qw
