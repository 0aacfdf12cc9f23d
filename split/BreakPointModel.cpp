#include "BreakPointModel.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QUndoCommand>

#include <algorithm>
#include <iterator>

namespace qw {

// One edit of the break points, kept whole: the break points and the bookmark level before
// and after it, and where it was made.
class BreakPointStep : public QUndoCommand {
public:
    struct State {
        QList<int> breaks;
        QList<int> leftOut;
        int level = 0;
        BreakPointModel::RowRef selected = 0;
    };
    BreakPointStep(BreakPointModel &model, const QString &text, State before, State after)
        : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after))
    {
    }

    void undo() override { Apply(before_); }
    void redo() override
    {
        // Pushing redoes the step, which its edit has made already.
        if (made_) {
            made_ = false;
            return;
        }
        Apply(after_);
    }

private:
    void Apply(const State &state)
    {
        model_.SetState(state.breaks, state.leftOut, state.level);
        emit model_.Replayed(state.selected == 0 ? -1 : model_.RowOf(state.selected));
    }

    BreakPointModel &model_;
    State before_;
    State after_;
    bool made_ = true;
};

BreakPointModel::BreakPointModel(QObject *parent) : QAbstractListModel(parent) { }

int BreakPointModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : pageCount_ + int(breaks_.size());
}

QVariant BreakPointModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const bool breakPoint = KindAt(index.row()) == Kind::BreakPoint;
    const bool leftOut = !breakPoint && IsLeftOut(PageAt(index.row()));
    switch (role) {
    case Qt::DisplayRole:
        return breakPoint ? QString::fromLatin1(kBreakPointText) : QString::number(PageAt(index.row()));
    case Qt::DecorationRole:
        if (breakPoint)
            return breakImage_;
        return leftOut && !leftOutImage_.isNull() ? leftOutImage_ : pageImage_;
    case Qt::ForegroundRole:
        if (leftOut) // greyed, as text that takes no part
            return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case KindRole: return int(breakPoint ? Kind::BreakPoint : Kind::Page);
    case PageRole: return PageAt(index.row());
    case LeftOutRole: return leftOut;
    case StretchRole:
        return breakPoint ? 0
                          : int(std::upper_bound(breaks_.cbegin(), breaks_.cend(), PageAt(index.row())) - breaks_.cbegin())
                                + 1;
    default: return {};
    }
}

QVariant BreakPointModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section != 0 || orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return QCoreApplication::translate("qw::BreakPointModel", "Page No.");
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

void BreakPointModel::Reset(int pageCount)
{
    beginResetModel();
    pageCount_ = qMax(pageCount, 0);
    breaks_.clear();
    leftOut_.clear();
    level_ = 0;
    if (pageCount_ == 0) {
        pageImage_ = {};
        breakImage_ = {};
        leftOutImage_ = {};
    }
    endResetModel();
    history_.clear();
}

void BreakPointModel::SetRowImages(const QIcon &page, const QIcon &breakPoint, const QIcon &leftOut)
{
    pageImage_ = page;
    breakImage_ = breakPoint;
    leftOutImage_ = leftOut;
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::DecorationRole});
}

// The k-th break point (from 0) stands at row page - 1 + k: after the pages before it and the
// break points before those.
BreakPointModel::Kind BreakPointModel::KindAt(int row) const
{
    const int page = PageAt(row);
    if (page < 0)
        return Kind::Page;
    const auto at = std::lower_bound(breaks_.cbegin(), breaks_.cend(), page);
    return at != breaks_.cend() && *at == page && RowOfPage(page) == row + 1 ? Kind::BreakPoint : Kind::Page;
}

int BreakPointModel::PageAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    // The last break point whose row is not after `row`; its rows rise with its index.
    int low = 0;
    int high = int(breaks_.size());
    while (low < high) {
        const int mid = (low + high) / 2;
        if (breaks_.at(mid) - 1 + mid <= row)
            low = mid + 1;
        else
            high = mid;
    }
    const int before = low; // break points at or above `row`
    if (before > 0 && breaks_.at(before - 1) - 1 + (before - 1) == row)
        return breaks_.at(before - 1);
    return row + 1 - before;
}

int BreakPointModel::RowOfPage(int page) const
{
    if (page < 1 || page > pageCount_)
        return -1;
    return page - 1 + int(std::upper_bound(breaks_.cbegin(), breaks_.cend(), page) - breaks_.cbegin());
}

bool BreakPointModel::IsLeftOut(int page) const
{
    return std::binary_search(leftOut_.cbegin(), leftOut_.cend(), page);
}

bool BreakPointModel::IsInsertable(int row) const
{
    const int page = PageAt(row);
    return page >= 2 && KindAt(row) == Kind::Page && !std::binary_search(breaks_.cbegin(), breaks_.cend(), page);
}

BreakPointModel::RowRef BreakPointModel::RefOf(int row) const
{
    const int page = PageAt(row);
    if (page < 0)
        return 0;
    return KindAt(row) == Kind::BreakPoint ? -page : page;
}

int BreakPointModel::RowOf(RowRef ref) const
{
    const int page = qAbs(ref);
    const int row = RowOfPage(page);
    // The break point row while it stands, else the page's own row.
    if (row > 0 && ref < 0 && KindAt(row - 1) == Kind::BreakPoint)
        return row - 1;
    return row;
}

void BreakPointModel::SetState(const QList<int> &pages, const QList<int> &leftOut, int level)
{
    level_ = level;
    // The pages whose rows change their look, told once the rows stand where they will.
    QList<int> changed;
    std::ranges::set_symmetric_difference(leftOut_, leftOut, std::back_inserter(changed));
    leftOut_ = leftOut;
    // From the last page up, so that the rows still to change keep their places.
    QList<int> all = breaks_ + pages;
    std::sort(all.begin(), all.end(), std::greater<>());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    for (int page : all) {
        const auto at = std::lower_bound(breaks_.begin(), breaks_.end(), page);
        const bool has = at != breaks_.end() && *at == page;
        const bool wanted = std::binary_search(pages.cbegin(), pages.cend(), page);
        if (has == wanted)
            continue;
        const int row = RowOfPage(page) - (has ? 1 : 0);
        if (wanted) {
            beginInsertRows({}, row, row);
            breaks_.insert(at, page);
            endInsertRows();
        } else {
            beginRemoveRows({}, row, row);
            breaks_.erase(at);
            endRemoveRows();
        }
    }
    for (int page : changed) {
        const QModelIndex row = index(RowOfPage(page));
        emit dataChanged(row, row, {Qt::DecorationRole, Qt::ForegroundRole, LeftOutRole});
    }
}

bool BreakPointModel::Push(const QString &text, QList<int> after, QList<int> leftOut, int level, RowRef before,
                           RowRef afterRef)
{
    for (QList<int> *pages : {&after, &leftOut}) {
        std::sort(pages->begin(), pages->end());
        pages->erase(std::unique(pages->begin(), pages->end()), pages->end());
    }
    // Compared by range: comparing two empty QLists hands memcmp null pointers.
    if (std::ranges::equal(after, breaks_) && std::ranges::equal(leftOut, leftOut_)) {
        // A level alone is no step of its own: it names parts only through break points.
        level_ = level;
        return false;
    }
    BreakPointStep::State was{breaks_, leftOut_, level_, before};
    SetState(after, leftOut, level);
    // An edit that leaves no row selected is redone where it was made.
    history_.push(new BreakPointStep(*this, text, std::move(was),
                                     {breaks_, leftOut_, level_, afterRef != 0 ? afterRef : before}));
    return true;
}

bool BreakPointModel::InsertBefore(int row)
{
    if (!IsInsertable(row))
        return false;
    const int page = PageAt(row);
    return Push(QStringLiteral("Insert Break Point"), breaks_ + QList<int>{page}, leftOut_, level_, page, page);
}

bool BreakPointModel::Delete(int row)
{
    if (!IsBreakPoint(row))
        return false;
    const int page = PageAt(row);
    QList<int> after = breaks_;
    after.removeOne(page);
    return Push(QStringLiteral("Delete Break Point"), after, leftOut_, level_, -page, page);
}

bool BreakPointModel::CleanAll(int selected)
{
    const RowRef before = RefOf(selected);
    // A selected break point row goes, and with it the selection.
    return Push(QStringLiteral("Clean All Break Points"), {}, leftOut_, level_, before, before < 0 ? 0 : before);
}

bool BreakPointModel::Place(const QList<int> &pages, int bookmarkLevel, int selected, const QList<int> &leaveOut)
{
    QList<int> after = breaks_;
    for (int page : pages)
        if (page >= 2 && page <= pageCount_)
            after << page;
    QList<int> leftOut = leftOut_;
    for (int page : leaveOut)
        if (page >= 1 && page <= pageCount_)
            leftOut << page;
    const RowRef at = RefOf(selected);
    return Push(QStringLiteral("Place Break Points"), after, leftOut, bookmarkLevel, at, at);
}

bool BreakPointModel::SetLeftOut(int row, bool leftOut)
{
    const int page = PageAt(row);
    if (page < 1 || KindAt(row) != Kind::Page || IsLeftOut(page) == leftOut)
        return false;
    QList<int> after = leftOut_;
    if (leftOut)
        after << page;
    else
        after.removeOne(page);
    return Push(leftOut ? QStringLiteral("Leave Page Out") : QStringLiteral("Take Page Back In"), breaks_, after,
                level_, page, page);
}

} // namespace qw
