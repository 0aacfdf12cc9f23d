#include "BreakPointEdits.h"

#include "SplitterDlg.h"

#include <QKeyEvent>
#include <QTreeWidget>

#include <algorithm>
#include <iterator>
#include <utility>

namespace qw {

namespace {
constexpr int kBreakPointImage = 1;

QList<int> pagesOnlyIn(const QList<int> &sorted, const QList<int> &other)
{
    QList<int> only;
    std::set_difference(sorted.begin(), sorted.end(), other.begin(), other.end(), std::back_inserter(only));
    return only;
}

bool holds(const QList<int> &sorted, int page)
{
    return std::binary_search(sorted.begin(), sorted.end(), page);
}
} // namespace

HistoryKey HistoryKeyOf(const QKeyEvent *key)
{
    // Keypad keys carry a flag of their own that says nothing about the key asked for.
    const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Z && held == Qt::ControlModifier)
        return HistoryKey::Undo;
    if ((key->key() == Qt::Key_Z && held == (Qt::ControlModifier | Qt::ShiftModifier))
        || (key->key() == Qt::Key_Y && held == Qt::ControlModifier))
        return HistoryKey::Redo;
    return HistoryKey::None;
}

BreakPointEdit::Recorder::Recorder(SplitterDlg &dlg, QString text)
    : dlg_(dlg), text_(std::move(text)), pages_(BreakPages(dlg)), selected_(SelectedRef(dlg)), level_(dlg.BookmarkLevel)
{
}

BreakPointEdit::Recorder::~Recorder()
{
    const QList<int> pages = BreakPages(dlg_);
    if (pages == pages_)
        return;
    auto *edit = new BreakPointEdit(dlg_, text_);
    edit->added_ = pagesOnlyIn(pages, pages_);
    edit->removed_ = pagesOnlyIn(pages_, pages);
    edit->selectedBefore_ = selected_;
    // Clean All can leave no row selected; redoing it selects where the edit was made.
    const RowRef after = SelectedRef(dlg_);
    edit->selectedAfter_ = after != 0 ? after : selected_;
    edit->levelBefore_ = level_;
    edit->levelAfter_ = dlg_.BookmarkLevel;
    dlg_.edits_.push(edit);
}

BreakPointEdit::BreakPointEdit(SplitterDlg &dlg, const QString &text) : QUndoCommand(text), dlg_(dlg)
{
}

QList<int> BreakPointEdit::BreakPages(const SplitterDlg &dlg)
{
    QList<int> pages;
    const int count = dlg.PageList ? dlg.PageList->topLevelItemCount() : 0;
    for (int row = 1; row < count; ++row)
        if (dlg.IsBreakPointRow(row - 1) && !dlg.IsBreakPointRow(row))
            pages.append(dlg.RowText(row).toInt());
    return pages;
}

BreakPointEdit::RowRef BreakPointEdit::SelectedRef(const SplitterDlg &dlg)
{
    const int row = dlg.SelectedRow();
    if (row < 0)
        return 0;
    if (!dlg.IsBreakPointRow(row))
        return dlg.RowText(row).toInt();
    // A break point row is never last: the page row after it names it.
    return -dlg.RowText(row + 1).toInt();
}

void BreakPointEdit::undo()
{
    const RowRef current = SelectedRef(dlg_);
    Apply(removed_, added_, levelBefore_);
    Select(selectedBefore_ != 0 ? selectedBefore_ : current);
}

void BreakPointEdit::redo()
{
    if (made_) {
        made_ = false;
        return;
    }
    Apply(added_, removed_, levelAfter_);
    Select(selectedAfter_);
}

void BreakPointEdit::Apply(const QList<int> &add, const QList<int> &remove, int level)
{
    // From the last row up, so that the rows still to visit keep their places. A page that
    // cannot take a break point (page 1, or one already after a break point) is left alone,
    // so the list keeps its order whatever the history holds.
    QTreeWidget *list = dlg_.PageList;
    for (int row = list->topLevelItemCount() - 1; row > 0; --row) {
        if (dlg_.IsBreakPointRow(row))
            continue;
        const int page = dlg_.RowText(row).toInt();
        const bool hasBreak = dlg_.IsBreakPointRow(row - 1);
        if (hasBreak && holds(remove, page))
            dlg_.RemoveRow(--row);
        else if (!hasBreak && holds(add, page))
            list->insertTopLevelItem(row,
                                     dlg_.MakeRow(QString::fromLatin1(SplitterDlg::kBreakPointText), kBreakPointImage));
    }
    dlg_.BookmarkLevel = level;
}

void BreakPointEdit::Select(RowRef ref)
{
    if (ref == 0)
        return;
    // The page row of the page, or the break point row before it while that exists.
    const QString page = QString::number(qAbs(ref));
    int row = 0;
    const int count = dlg_.PageList->topLevelItemCount();
    while (row < count && dlg_.RowText(row) != page)
        ++row;
    if (row == count)
        return;
    if (ref < 0 && dlg_.IsBreakPointRow(row - 1))
        --row;
    // The commands follow the selected row even when it was selected already.
    if (dlg_.SelectedRow() == row)
        dlg_.OnRowSelected();
    else
        dlg_.SelectRow(row);
}

} // namespace qw
