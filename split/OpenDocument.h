#pragma once

#include "BackgroundTask.h"
#include "BreakPointModel.h"
#include "DocumentReport.h"
#include "PagesCommand.h"
#include "SeparatorRule.h"
#include "SplitJob.h"
#include "SplitSettings.h"
#include "ThumbnailSource.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <functional>

namespace qw {

// The document that is open, and everything that belongs to it alone: its path and identity,
// the engine's report (asked for once), its outline and labels, its break points and their
// history, what its separator sheets say, and its thumbnails. The window and the batch mode both
// place break points and split through it, so each plan is composed in one place.
class OpenDocument : public QObject {
    Q_OBJECT
public:
    // Break points and pages left out, as one way of placing them found them; the model takes
    // them as one step.
    struct Plan {
        QList<int> breaks; // pages that begin a part, 2 to the page count
        QList<int> leftOut; // pages in no part
        int bookmarkLevel = 0; // the level the bookmarks were placed at; 0 for other plans
        QMap<int, QString> separatorLabels; // what the separators found say, by page
        QStringList notices; // what the user should know about how it was found
        bool matched = false; // at a change of value: some page had a value at all
        bool stopped = false; // the caller stopped the engine: nothing was found
        PagesCommand::Problem problem; // why nothing could be looked at; none when it was

        // Nothing was looked at: the engine was stopped or could not look.
        bool Ended() const { return stopped || problem; }
        // Adds what `other` found; the bookmark level stays this plan's.
        Plan &operator+=(const Plan &other);
    };

    explicit OpenDocument(QObject *parent = nullptr);
    ~OpenDocument() override;

    // Takes `path`'s report and starts afresh from it: its pages without break points, an empty
    // history, no separator labels. False, with the report telling why, when it has no pages;
    // the document is then closed. `keepGoing` as for EngineRunner.
    bool Open(const QString &path, const std::function<bool()> &keepGoing = {});
    // The same without waiting: the document before is closed at once, and Opened tells when
    // the report has come (check IsOpen; the report says why it has no pages).
    void OpenInBackground(const QString &path);
    // Closes the document; a report or plan still being taken is dropped and its engine stopped.
    void Close();
    bool IsOpen() const { return breaks_.PageCount() > 0; }
    // A report or a plan is being taken in the background.
    bool IsBusy() const { return task_ != nullptr; }

    const QString &Path() const { return path_; }
    const DocumentReport &Report() const { return report_; }
    int PageCount() const { return breaks_.PageCount(); }
    BreakPointModel &Breaks() { return breaks_; }
    const BreakPointModel &Breaks() const { return breaks_; }
    ThumbnailSource &Thumbnails() { return thumbnails_; }
    const QMap<int, QString> &SeparatorLabels() const { return separatorLabels_; }

    // The plans. Those that look at the pages run the engine on the very file reported on;
    // `progress` is told how far it got and may stop it.
    Plan AtBookmarks(int level, const QRegularExpression &titleMatch) const;
    Plan Every(int pages) const;
    Plan AtSeparators(const SeparatorRule &rule, bool leaveOut, const PagesCommand::Progress &progress = {}) const;
    Plan BySize(qint64 limit, const PagesCommand::Progress &progress = {}) const;
    // A part begins wherever the value that `expression` finds in a page's text (its first
    // group, or the match) differs from the last value seen; pages without a match stay with
    // the part before them.
    Plan AtChanges(const QString &expression, const PagesCommand::Progress &progress = {}) const;
    // The two plans that run the engine, without waiting: PlanProgress while the engine goes
    // through the pages, then PlanReady. StopPlan drops it and stops the engine.
    void AtSeparatorsInBackground(const SeparatorRule &rule, bool leaveOut);
    void BySizeInBackground(qint64 limit);
    void AtChangesInBackground(const QString &expression);
    void StopPlan();
    // Takes `plan` as one step of the history, made at `selectedRow`; the break points already
    // there stay. False when it changes nothing.
    bool Take(const Plan &plan, int selectedRow = -1);

    // The split of the parts as they stand, named with `settings` and what this document adds to
    // them (its bookmarks, at the level they were placed at, and its separator labels); it reads
    // only the file that was reported on.
    SplitJob Job(SplitSettings settings) const;

signals:
    void Opened();
    void PlanProgress(int done, int total);
    void PlanReady(const qw::OpenDocument::Plan &plan);

private:
    // What a plan needs of the document, copied, so that it can be made on another thread.
    struct Source {
        QString path;
        FileStamp identity;
        int pageCount = 0;
    };
    Source Snapshot() const { return {path_, report_.Identity(), PageCount()}; }
    static Plan PlanAtSeparators(const Source &source, const SeparatorRule &rule, bool leaveOut,
                              const PagesCommand::Progress &progress);
    static Plan PlanBySize(const Source &source, qint64 limit, const PagesCommand::Progress &progress);
    static Plan PlanAtChanges(const Source &source, const QString &expression, const PagesCommand::Progress &progress);
    // The engine's facts of every page for `rule`, and a plan that says whether it ended first.
    static QList<PageFacts> LookAtPages(const Source &source, const SeparatorRule &rule,
                                        const PagesCommand::Progress &progress, Plan &plan);
    // A task in place of any before it, which is dropped and its engine stopped.
    BackgroundTask &NewTask();
    void PlanInBackground(std::function<Plan(const PagesCommand::Progress &)> plan);
    // Starts afresh from `report`, taken of `path_`.
    void Adopt(DocumentReport report);

    QString path_;
    DocumentReport report_;
    BreakPointModel breaks_;
    QMap<int, QString> separatorLabels_;
    ThumbnailSource thumbnails_;
    BackgroundTask *task_ = nullptr; // the report or plan being taken, if any
};

} // namespace qw
