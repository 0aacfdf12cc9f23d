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
    matched = matched || other.matched;
    return *this;
}

OpenDocument::OpenDocument(QObject *parent) : QObject(parent) { }

OpenDocument::~OpenDocument()
{
    // Before the members they report into go: destroying a task stops its engine and waits.
    qDeleteAll(findChildren<BackgroundTask *>(Qt::FindDirectChildrenOnly));
}

bool OpenDocument::Open(const QString &path, const std::function<bool()> &keepGoing)
{
    Close();
    path_ = path;
    Adopt(DocumentReport::Of(path, keepGoing));
    return IsOpen();
}

void OpenDocument::OpenInBackground(const QString &path)
{
    Close();
    path_ = path;
    BackgroundTask &task = NewTask();
    auto report = std::make_shared<DocumentReport>();
    task.Start([path, report](const BackgroundTask::KeepGoing &keepGoing) { *report = DocumentReport::Of(path, keepGoing); },
               [this, report] {
                   Adopt(std::move(*report));
                   emit Opened();
               });
}

void OpenDocument::Adopt(DocumentReport report)
{
    // One report per open document: its pages now, its bookmarks and labels when break points
    // are placed or parts named after them, and the file's identity, which every engine run checks.
    report_ = std::move(report);
    breaks_.Reset(report_.PageCount());
}

BackgroundTask &OpenDocument::NewTask()
{
    StopPlan();
    task_ = new BackgroundTask(this);
    connect(task_, &BackgroundTask::Finished, this, [this, task = task_] {
        if (task_ == task)
            task_ = nullptr;
        task->deleteLater();
    });
    return *task_;
}

void OpenDocument::StopPlan()
{
    // The engine is asked to stop; its thread ends on its own, and is waited for at the latest
    // when this object goes.
    if (task_)
        task_->Stop();
    task_ = nullptr;
}

void OpenDocument::Close()
{
    StopPlan();
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
    return PlanAtSeparators(Snapshot(), rule, leaveOut, progress);
}

OpenDocument::Plan OpenDocument::BySize(qint64 limit, const PagesCommand::Progress &progress) const
{
    return PlanBySize(Snapshot(), limit, progress);
}

OpenDocument::Plan OpenDocument::AtChanges(const QString &expression, const PagesCommand::Progress &progress) const
{
    return PlanAtChanges(Snapshot(), expression, progress);
}

void OpenDocument::AtChangesInBackground(const QString &expression)
{
    PlanInBackground([source = Snapshot(), expression](const PagesCommand::Progress &progress) {
        return PlanAtChanges(source, expression, progress);
    });
}

void OpenDocument::AtSeparatorsInBackground(const SeparatorRule &rule, bool leaveOut)
{
    PlanInBackground([source = Snapshot(), rule, leaveOut](const PagesCommand::Progress &progress) {
        return PlanAtSeparators(source, rule, leaveOut, progress);
    });
}

void OpenDocument::BySizeInBackground(qint64 limit)
{
    PlanInBackground([source = Snapshot(), limit](const PagesCommand::Progress &progress) {
        return PlanBySize(source, limit, progress);
    });
}

void OpenDocument::PlanInBackground(std::function<Plan(const PagesCommand::Progress &)> plan)
{
    BackgroundTask &task = NewTask();
    auto found = std::make_shared<Plan>();
    task.Start(
        [this, &task, plan = std::move(plan), found](const BackgroundTask::KeepGoing &keepGoing) {
            int told = -1;
            *found = plan([&](int done, int total) {
                // A step of a two-hundredth is all a bar can show; more would only fill the queue.
                if (total > 0 && (done == total || told < 0 || (done - told) * 200 >= total)) {
                    told = done;
                    task.Post([this, done, total] { emit PlanProgress(done, total); });
                }
                return keepGoing();
            });
        },
        [this, found] { emit PlanReady(*found); });
}

OpenDocument::Plan OpenDocument::PlanAtSeparators(const Source &source, const SeparatorRule &rule, bool leaveOut,
                                               const PagesCommand::Progress &progress)
{
    Plan plan;
    const QList<PageFacts> pages = LookAtPages(source, rule, progress, plan);
    if (plan.Ended())
        return plan;
    plan.separatorLabels = PageFactsQuery::Separators(pages, rule);
    const SeparatorPlan placed = SplitPlan::AtSeparators(source.pageCount, plan.separatorLabels.keys(), rule.Role(leaveOut));
    plan.breaks = placed.breaks;
    plan.leftOut = placed.leftOut;
    return plan;
}

OpenDocument::Plan OpenDocument::PlanBySize(const Source &source, qint64 limit, const PagesCommand::Progress &progress)
{
    Plan plan;
    const SizePlanQuery::Result sized = SizePlanQuery::Run(source.path, source.identity, limit, progress);
    plan.stopped = sized.stopped;
    plan.problem = sized.problem;
    if (plan.Ended())
        return plan;
    if (const QString oversize = SizePlanQuery::OversizeWarning(sized.oversizePages, limit); !oversize.isEmpty())
        plan.notices << oversize;
    plan.breaks = sized.breaks;
    return plan;
}

OpenDocument::Plan OpenDocument::PlanAtChanges(const Source &source, const QString &expression,
                                            const PagesCommand::Progress &progress)
{
    // The pages' text is what a rule of the same expression reads.
    const SeparatorRule rule = SeparatorRule::Matching(expression);
    Plan plan;
    const QList<PageFacts> pages = LookAtPages(source, rule, progress, plan);
    if (plan.Ended())
        return plan;
    std::optional<QString> last;
    for (const PageFacts &facts : pages) {
        if (!rule.IsSeparator(facts))
            continue;
        const QString value = rule.Label(facts);
        if (last && value != *last)
            plan.breaks << facts.page;
        last = value;
    }
    plan.matched = last.has_value();
    return plan;
}

QList<PageFacts> OpenDocument::LookAtPages(const Source &source, const SeparatorRule &rule,
                                          const PagesCommand::Progress &progress, Plan &plan)
{
    PageFactsQuery::Result found = PageFactsQuery::Run(source.path, source.identity, rule, progress);
    plan.stopped = found.stopped;
    plan.problem = found.problem;
    if (!plan.Ended())
        plan.notices = PageFactsQuery::Notices(found.pages, rule);
    return std::move(found.pages);
}

bool OpenDocument::Take(const Plan &plan, int selectedRow)
{
    if (plan.Ended())
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
