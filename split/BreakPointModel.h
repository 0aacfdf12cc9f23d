#pragma once

#include "SplitPlan.h"

#include "core/PageRows.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QList>
#include <QUndoStack>

namespace qw {

// The break points of the open document and the rows the page list shows for them: one page
// row per page, in page order, and a break point row directly before every page that begins a
// new part. Its edits keep the list's rules: no break point before page 1 or after the last
// page, and never two side by side. Every edit is one step of History(), so undo and redo
// replay the edit itself, never a comparison of what was shown.
class BreakPointModel : public QAbstractListModel {
    Q_OBJECT
public:
    // What a row is; asked with KindRole. A row's text is for showing only.
    enum class Kind { Page = PageRows::Page, BreakPoint = PageRows::BreakPoint };
    enum Role {
        KindRole = PageRows::KindRole,
        PageRole = PageRows::PageRole,
        LeftOutRole = PageRows::LeftOutRole,
        StretchRole = PageRows::StretchRole,
    };
    static constexpr const char *kBreakPointText = "BreakPoint";

    explicit BreakPointModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // A document of `pageCount` pages without break points or pages left out; 0 (or less)
    // empties the list. The history and the bookmark level start afresh.
    void Reset(int pageCount);
    int PageCount() const { return pageCount_; }
    // The pictures of page rows, of break point rows and of the rows of pages left out (page
    // rows' own picture when none is given); Reset(0) drops them.
    void SetRowImages(const QIcon &page, const QIcon &breakPoint, const QIcon &leftOut = {});
    bool HasRowImages() const { return !pageImage_.isNull(); }

    Kind KindAt(int row) const;
    bool IsBreakPoint(int row) const { return KindAt(row) == Kind::BreakPoint; }
    // A page row other than page 1 that does not already follow a break point row.
    bool IsInsertable(int row) const;
    // As PageRole; -1 outside the list.
    int PageAt(int row) const;
    int RowOfPage(int page) const;
    // The pages that begin a part after the first, in page order.
    const QList<int> &BreakPages() const { return breaks_; }
    // The bookmark level the break points were last placed at, for naming parts; 0 for any.
    int BookmarkLevel() const { return level_; }
    // The pages that belong to no part (separator sheets), in page order.
    const QList<int> &LeftOutPages() const { return leftOut_; }
    bool IsLeftOut(int page) const;
    // The parts the break points describe, without the pages left out, for the split.
    QList<PartRange> Parts() const { return SplitPlan::FromBreaks(pageCount_, breaks_, leftOut_); }

    // The edits. Each is one step of History(), made at `selected` (the row selected when it was
    // asked for, or -1), and returns false, leaving the history as it was, when it changes
    // nothing: a break point before an insertable row; a break point row deleted; every break
    // point removed (pages left out stay so); break points placed before `pages` where they may
    // stand (the ones there stay), with the bookmark level they were placed at, and the pages
    // of `leaveOut` left out besides; the page of a page row left out of every part, or taken
    // back in.
    bool InsertBefore(int row);
    bool Delete(int row);
    bool CleanAll(int selected);
    bool Place(const QList<int> &pages, int bookmarkLevel, int selected, const QList<int> &leaveOut = {});
    bool SetLeftOut(int row, bool leftOut);
    QUndoStack &History() { return history_; }
    const QUndoStack &History() const { return history_; }

signals:
    // An undo or redo changed the rows: `row` is the row it was made at, to be selected, or -1
    // when the selection stays where it is.
    void Replayed(int row);

private:
    friend class BreakPointStep;
    // A row by what it shows, which no edit changes: p is the page row of page p, -p the break
    // point row before it (or page p's row once that is gone), 0 no row.
    using RowRef = int;
    RowRef RefOf(int row) const;
    int RowOf(RowRef ref) const;
    // Sets the break points to `pages` (sorted) row by row, so that the selection follows, and
    // the pages left out to `leftOut` (sorted).
    void SetState(const QList<int> &pages, const QList<int> &leftOut, int level);
    bool Push(const QString &text, QList<int> after, QList<int> leftOut, int level, RowRef before, RowRef afterRef);

    int pageCount_ = 0;
    QList<int> breaks_; // sorted, each once, in 2..pageCount_
    QList<int> leftOut_; // sorted, each once, in 1..pageCount_
    int level_ = 0;
    QIcon pageImage_;
    QIcon breakImage_;
    QIcon leftOutImage_;
    QUndoStack history_;
};

} // namespace qw
