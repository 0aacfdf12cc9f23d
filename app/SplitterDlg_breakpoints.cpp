// The break point list: its rows, the three editing commands, the enabling of the Insert and
// Delete commands by the selected row, and the list's context menu.
#include "SplitterDlg.h"

#include "BreakPointEdits.h"
#include "PlaceBreakPointsDlg.h"
#include "split/DocumentOutline.h"

#include "framework/MenuAdapter.h"
#include "framework/MenuTracker.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"

#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

namespace qw {

namespace {
constexpr int kPageImage = 0;
constexpr int kBreakPointImage = 1;
constexpr unsigned kGreyed = MenuFlag::Disabled | MenuFlag::Grayed;

void setPopupItem(QMenu *popup, int commandId, bool enabled)
{
    MenuAdapter::EnableItem(popup, commandId, enabled ? 0u : kGreyed);
}
} // namespace

int SplitterDlg::SelectedRow() const
{
    if (!PageList)
        return -1;
    // Asked on every selection change: read the selection, not every row of a long list.
    int first = -1;
    for (const QModelIndex &index : PageList->selectionModel()->selectedRows())
        if (first < 0 || index.row() < first)
            first = index.row();
    return first;
}

QString SplitterDlg::RowText(int row) const
{
    const QTreeWidgetItem *item = PageList->topLevelItem(row);
    return item ? item->text(0) : QString();
}

bool SplitterDlg::IsBreakPointRow(int row) const
{
    return RowText(row) == QLatin1String(kBreakPointText);
}

bool SplitterDlg::IsInsertable(int row) const
{
    // A page row other than page 1 that does not already follow a break point row.
    return row > 0 && !IsBreakPointRow(row) && !IsBreakPointRow(row - 1);
}

void SplitterDlg::RemoveRow(int row)
{
    // The list would otherwise select a neighbour of a removed current row by itself.
    QTreeWidgetItem *item = PageList->topLevelItem(row);
    if (item == PageList->currentItem())
        PageList->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    delete PageList->takeTopLevelItem(row);
}

void SplitterDlg::SelectRow(int row)
{
    QTreeWidgetItem *item = PageList->topLevelItem(row);
    if (!item)
        return;
    // Selecting raises the selection notification, so OnRowSelected runs before this returns.
    PageList->setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect);
}

QTreeWidgetItem *SplitterDlg::MakeRow(const QString &text, int image) const
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setTextAlignment(0, Qt::AlignCenter);
    if (image < RowImages.size())
        item->setIcon(0, RowImages.at(image));
    return item;
}

void SplitterDlg::SetActionCommand(int commandId, bool enabled)
{
    MenuAdapter::EnableItem(ActionPopup(), commandId, enabled ? 0u : kGreyed);
}

void SplitterDlg::EnableForBreakPointRow()
{
    DeleteButton->setEnabled(true);
    SetActionCommand(CmdId::CleanAllBreakPoints, true);
    SetActionCommand(CmdId::DeleteBreakPoint, true);
    InsertButton->setEnabled(false);
    SetActionCommand(CmdId::InsertBreakPoint, false);
}

void SplitterDlg::EnableForInsertableRow()
{
    InsertButton->setEnabled(true);
    SetActionCommand(CmdId::InsertBreakPoint, true);
    DeleteButton->setEnabled(false);
    SetActionCommand(CmdId::CleanAllBreakPoints, false);
    SetActionCommand(CmdId::DeleteBreakPoint, false);
}

void SplitterDlg::DisableInsert()
{
    InsertButton->setEnabled(false);
    SetActionCommand(CmdId::InsertBreakPoint, false);
}

void SplitterDlg::InsertBreakPoint()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    // The button is enabled exactly for rows that may take a break point before them.
    if (!InsertButton->isEnabled())
        return;
    const BreakPointEdit::Recorder edit(*this, QStringLiteral("Insert Break Point"));
    PageList->insertTopLevelItem(row, MakeRow(QString::fromLatin1(kBreakPointText), kBreakPointImage));
    SetActionCommand(CmdId::InsertBreakPoint, false);
    InsertButton->setEnabled(false);
    PageList->setFocus();
}

void SplitterDlg::DeleteBreakPoint()
{
    const int row = SelectedRow();
    if (row < 0 || !IsBreakPointRow(row))
        return;
    const BreakPointEdit::Recorder edit(*this, QStringLiteral("Delete Break Point"));
    RemoveRow(row);
    SelectRow(row);
    SetActionCommand(CmdId::CleanAllBreakPoints, false);
    SetActionCommand(CmdId::DeleteBreakPoint, false);
    PageList->setFocus();
    DeleteButton->setEnabled(false);
}

void SplitterDlg::CleanAllBreakPoints()
{
    // One scan over the rows counted at the start: the row moving into a freed place always
    // is a page row, since break point rows are never adjacent.
    const BreakPointEdit::Recorder edit(*this, QStringLiteral("Clean All Break Points"));
    const int count = PageList->topLevelItemCount();
    for (int row = 0; row < count; ++row)
        if (IsBreakPointRow(row))
            RemoveRow(row);
}

void SplitterDlg::OnRowSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    int page = -1;
    if (IsBreakPointRow(row)) {
        EnableForBreakPointRow();
    } else {
        page = RowText(row).toInt();
        DeleteButton->setEnabled(false);
        SetActionCommand(CmdId::DeleteBreakPoint, false);
    }
    if (IsInsertable(row))
        EnableForInsertableRow();
    else
        DisableInsert();
    if (page >= 0)
        Viewer.ShowPage(page);
    PageList->setFocus();
}

void SplitterDlg::PlaceBreakPoints()
{
    if (!PageList || PageList->topLevelItemCount() == 0 || splitting_)
        return;
    int pageCount = 0;
    for (int row = 0; row < PageList->topLevelItemCount(); ++row)
        pageCount += !IsBreakPointRow(row);
    PlaceBreakPointsDlg dialog(report_.Bookmarks(), pageCount, this);
    if (dialog.exec() == QDialog::Accepted) {
        // One step, undone as a whole; the break points that were there stay.
        const BreakPointEdit::Recorder edit(*this, QStringLiteral("Place Break Points"));
        BookmarkLevel = dialog.BookmarkLevel();
        InsertBreakPointsBefore(dialog.Breaks());
    }
    PageList->setFocus();
}

void SplitterDlg::InsertBreakPointsBefore(const QList<int> &pages)
{
    // From the last row up, so that the rows still to visit keep their places.
    int page = 0;
    for (int row = 0; row < PageList->topLevelItemCount(); ++row)
        page += !IsBreakPointRow(row);
    for (int row = PageList->topLevelItemCount() - 1; row >= 0; --row) {
        if (IsBreakPointRow(row))
            continue;
        if (pages.contains(page) && IsInsertable(row))
            PageList->insertTopLevelItem(row, MakeRow(QString::fromLatin1(kBreakPointText), kBreakPointImage));
        --page;
    }
    // The selected row may now follow a break point: its commands follow.
    OnRowSelected();
}

bool SplitterDlg::TranslateHistoryKey(const QKeyEvent *key)
{
    const HistoryKey asked = HistoryKeyOf(key);
    if (asked == HistoryKey::None)
        return false;
    // The key is taken, but a running split holds the history still, as it holds opening and
    // the options.
    if (splitting_)
        return true;
    if (asked == HistoryKey::Undo)
        edits_.undo();
    else
        edits_.redo();
    return true;
}

std::unique_ptr<GlyphMenu> SplitterDlg::BuildContextMenu()
{
    // Built for each click and gone when the handler ends; the glyphs are stored already.
    auto context = std::make_unique<GlyphMenu>();
    if (context->LoadFromResource(ResId::ListContextMenu))
        context->ApplyToolbarImages(ResId::CommandToolbar);
    return context;
}

void SplitterDlg::ShowContextMenu(QMenu *menu, QPoint position)
{
    // The chosen command arrives after the handler that showed the menu has finished, as a
    // command posted to the dialog would.
    if (!menu)
        return;
    const int command = MenuTracker::Track(menu, position);
    if (command != 0)
        QMetaObject::invokeMethod(
            this, [this, command] { OnCommand(command); }, Qt::QueuedConnection);
}

void SplitterDlg::OnRowClick()
{
    const std::unique_ptr<GlyphMenu> context = BuildContextMenu();
    QMenu *menu = context->SubMenuAt(0);
    const QPoint cursor = QCursor::pos();
    const int row = SelectedRow();
    if (row < 0)
        return;
    if (IsBreakPointRow(row)) {
        EnableForBreakPointRow();
        setPopupItem(menu, CmdId::ContextInsertBreakPoint, false);
        ShowContextMenu(menu, cursor);
    } else {
        setPopupItem(menu, CmdId::ContextDeleteBreakPoint, false);
    }
    if (IsInsertable(row)) {
        EnableForInsertableRow();
    } else {
        DisableInsert();
        setPopupItem(menu, CmdId::ContextInsertBreakPoint, false);
    }
}

void SplitterDlg::OnRowRightClick()
{
    const std::unique_ptr<GlyphMenu> context = BuildContextMenu();
    QMenu *menu = context->SubMenuAt(0);
    const QPoint cursor = QCursor::pos();
    const int row = SelectedRow();
    if (row < 0)
        return;
    if (IsBreakPointRow(row)) {
        EnableForBreakPointRow();
        setPopupItem(menu, CmdId::ContextCleanAllBreakPoints, true);
        setPopupItem(menu, CmdId::ContextDeleteBreakPoint, true);
        setPopupItem(menu, CmdId::ContextInsertBreakPoint, false);
    } else {
        setPopupItem(menu, CmdId::ContextDeleteBreakPoint, false);
    }
    if (IsInsertable(row)) {
        EnableForInsertableRow();
        setPopupItem(menu, CmdId::ContextInsertBreakPoint, true);
        setPopupItem(menu, CmdId::ContextCleanAllBreakPoints, false);
        setPopupItem(menu, CmdId::ContextDeleteBreakPoint, false);
    } else {
        DisableInsert();
        setPopupItem(menu, CmdId::ContextInsertBreakPoint, false);
    }
    ShowContextMenu(menu, cursor);
}

} // namespace qw
