#include "SplitProgress.h"

#include "ProgressPanel.h"

#include <QCoreApplication>

namespace qw {

SplitProgress::SplitProgress(BackgroundTask &task, ProgressPanel &panel, std::function<bool()> keepGoing)
    : task_(task), panel_(panel), keepGoing_(std::move(keepGoing))
{
}

bool SplitProgress::PartStarting(const PartRange &part, const QString &)
{
    // Told to the window's thread, which owns the panel; it outlives every post of the split.
    task_.Post([panel = &panel_, number = part.partNumber, count = part.fileCount] {
        panel->SetLabel(PartLabel(number, count));
        panel->SetProgress(number - 1, count);
    });
    return KeepGoing();
}

QString SplitProgress::PartLabel(int number, int count)
{
    //: Progress of a split: part %1 of %2 parts is being written
    return QCoreApplication::translate("qw::SplitProgress", "Writing part %1 of %2...").arg(number).arg(count);
}

} // namespace qw
