#include "BreakPointModel.h"

#include <QUndoCommand>

#include <algorithm>

namespace qw {

// One edit of the break points, kept whole: the break points and the bookmark level before
// and after it, and where it was made.
class BreakPointStep : public QUndoCommand {
public:
    struct State {
        QList<int> breaks;
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
        model_.SetBreaks(state.breaks, state.level);
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
    switch (role) {
    case Qt::DisplayRole:
        return breakPoint ? QString::fromLatin1(kBreakPointText) : QString::number(PageAt(index.row()));
    case Qt::DecorationRole: return breakPoint ? breakImage_ : pageImage_;
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case KindRole: return int(breakPoint ? Kind::BreakPoint : Kind::Page);
    case PageRole: return PageAt(index.row());
    default: return {};
    }
}

QVariant BreakPointModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section != 0 || orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return QStringLiteral("Page No.");
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

void BreakPointModel::Reset(int pageCount)
{
    beginResetModel();
    pageCount_ = qMax(pageCount, 0);
    breaks_.clear();
    level_ = 0;
    if (pageCount_ == 0) {
        pageImage_ = {};
        breakImage_ = {};
    }
    endResetModel();
    history_.clear();
}

void BreakPointModel::SetRowImages(const QIcon &page, const QIcon &breakPoint)
{
    pageImage_ = page;
    breakImage_ = breakPoint;
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

void BreakPointModel::SetBreaks(const QList<int> &pages, int level)
{
    level_ = level;
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
}

bool BreakPointModel::Push(const QString &text, QList<int> after, int level, RowRef before, RowRef afterRef)
{
    std::sort(after.begin(), after.end());
    after.erase(std::unique(after.begin(), after.end()), after.end());
    // Compared by range: comparing two empty QLists hands memcmp null pointers.
    if (std::ranges::equal(after, breaks_)) {
        // A level alone is no step of its own: it names parts only through break points.
        level_ = level;
        return false;
    }
    BreakPointStep::State was{breaks_, level_, before};
    SetBreaks(after, level);
    // An edit that leaves no row selected is redone where it was made.
    history_.push(new BreakPointStep(*this, text, std::move(was), {breaks_, level_, afterRef != 0 ? afterRef : before}));
    return true;
}

bool BreakPointModel::InsertBefore(int row)
{
    if (!IsInsertable(row))
        return false;
    const int page = PageAt(row);
    return Push(QStringLiteral("Insert Break Point"), breaks_ + QList<int>{page}, level_, page, page);
}

bool BreakPointModel::Delete(int row)
{
    if (!IsBreakPoint(row))
        return false;
    const int page = PageAt(row);
    QList<int> after = breaks_;
    after.removeOne(page);
    return Push(QStringLiteral("Delete Break Point"), after, level_, -page, page);
}

bool BreakPointModel::CleanAll(int selected)
{
    const RowRef before = RefOf(selected);
    // A selected break point row goes, and with it the selection.
    return Push(QStringLiteral("Clean All Break Points"), {}, level_, before, before < 0 ? 0 : before);
}

bool BreakPointModel::Place(const QList<int> &pages, int bookmarkLevel, int selected)
{
    QList<int> after = breaks_;
    for (int page : pages)
        if (page >= 2 && page <= pageCount_)
            after << page;
    const RowRef at = RefOf(selected);
    return Push(QStringLiteral("Place Break Points"), after, bookmarkLevel, at, at);
}

} // namespace qw
