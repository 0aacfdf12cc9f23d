#pragma once

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
        bool stopped = false; // the caller stopped the engine: nothing was found
        PagesCommand::Problem problem; // why nothing could be looked at; none when it was

        bool Found() const { return !stopped && !problem && !breaks.isEmpty(); }
        // Adds what `other` found; the bookmark level stays this plan's.
        Plan &operator+=(const Plan &other);
    };

    explicit OpenDocument(QObject *parent = nullptr);

    // Takes `path`'s report and starts afresh from it: its pages without break points, an empty
    // history, no separator labels. False, with the report telling why, when it has no pages;
    // the document is then closed. `keepGoing` as for EngineRunner.
    bool Open(const QString &path, const std::function<bool()> &keepGoing = {});
    void Close();
    bool IsOpen() const { return breaks_.PageCount() > 0; }

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
    // Takes `plan` as one step of the history, made at `selectedRow`; the break points already
    // there stay. False when it changes nothing.
    bool Take(const Plan &plan, int selectedRow = -1);

    // The split of the parts as they stand, named with `settings` and what this document adds to
    // them (its bookmarks, at the level they were placed at, and its separator labels); it reads
    // only the file that was reported on.
    SplitJob Job(SplitSettings settings) const;

private:
    QString path_;
    DocumentReport report_;
    BreakPointModel breaks_;
    QMap<int, QString> separatorLabels_;
    ThumbnailSource thumbnails_;
};

} // namespace qw
