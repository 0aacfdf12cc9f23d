#include "OpenDocument.h"

#include "DocumentOutline.h"
#include "PageFactsQuery.h"
#include "SizePlanQuery.h"

namespace qw {

OpenDocument::Plan &OpenDocument::Plan::operator+=(const Plan &other)
{
    breaks += other.breaks;
    leftOut += other.leftOut;
    separatorLabels.insert(other.separatorLabels);
    notices += other.notices;
    stopped = stopped || other.stopped;
    if (!problem)
        problem = other.problem;
    return *this;
}

OpenDocument::OpenDocument(QObject *parent) : QObject(parent) { }

bool OpenDocument::Open(const QString &path, const std::function<bool()> &keepGoing)
{
    Close();
    path_ = path;
    // One report per open document: its pages now, its bookmarks and labels when break points
    // are placed or parts named after them, and the file's identity, which every engine run checks.
    report_ = DocumentReport::Of(path, keepGoing);
    breaks_.Reset(report_.PageCount());
    return IsOpen();
}

void OpenDocument::Close()
{
    thumbnails_.Close();
    // The history and the bookmark level belong to the rows discarded here.
    breaks_.Reset(0);
    separatorLabels_.clear();
    report_ = {};
}

OpenDocument::Plan OpenDocument::AtBookmarks(int level, const QRegularExpression &titleMatch) const
{
    Plan plan;
    plan.bookmarkLevel = level;
    // Only the matching bookmarks place break points; every bookmark still names the parts.
    plan.breaks = DocumentOutline::BreaksAtLevel(DocumentOutline::Matching(report_.Bookmarks(), titleMatch), level,
                                                 PageCount());
    return plan;
}

OpenDocument::Plan OpenDocument::Every(int pages) const
{
    Plan plan;
    plan.breaks = SplitPlan::BreaksEvery(PageCount(), pages);
    return plan;
}

OpenDocument::Plan OpenDocument::AtSeparators(const SeparatorRule &rule, bool leaveOut,
                                              const PagesCommand::Progress &progress) const
{
    Plan plan;
    const PageFactsQuery::Result found = PageFactsQuery::Run(path_, report_.Identity(), rule, progress);
    plan.stopped = found.stopped;
    plan.problem = found.problem;
    if (plan.stopped || plan.problem)
        return plan;
    plan.separatorLabels = PageFactsQuery::Separators(found.pages, rule);
    plan.notices = PageFactsQuery::Notices(found.pages, rule);
    const SeparatorPlan placed = SplitPlan::AtSeparators(PageCount(), plan.separatorLabels.keys(), rule.Role(leaveOut));
    plan.breaks = placed.breaks;
    plan.leftOut = placed.leftOut;
    return plan;
}

OpenDocument::Plan OpenDocument::BySize(qint64 limit, const PagesCommand::Progress &progress) const
{
    Plan plan;
    const SizePlanQuery::Result sized = SizePlanQuery::Run(path_, report_.Identity(), limit, progress);
    plan.stopped = sized.stopped;
    plan.problem = sized.problem;
    if (plan.stopped || plan.problem)
        return plan;
    if (const QString oversize = SizePlanQuery::OversizeWarning(sized.oversizePages, limit); !oversize.isEmpty())
        plan.notices << oversize;
    plan.breaks = sized.breaks;
    return plan;
}

bool OpenDocument::Take(const Plan &plan, int selectedRow)
{
    if (plan.stopped || plan.problem)
        return false;
    separatorLabels_.insert(plan.separatorLabels);
    // One step, undone as a whole: the break points and the pages left out.
    return breaks_.Place(plan.breaks, plan.bookmarkLevel, selectedRow, plan.leftOut);
}

SplitJob OpenDocument::Job(SplitSettings settings) const
{
    settings.bookmarks = report_.Bookmarks();
    settings.bookmarkLevel = breaks_.BookmarkLevel();
    settings.separatorLabels = separatorLabels_;
    return SplitJob(path_, breaks_.Parts(), std::move(settings), report_.Identity());
}

} // namespace qw
