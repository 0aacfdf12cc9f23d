// The break point list: its rows, the three editing commands, the enabling of the Insert and
// Delete commands by the selected row, and the list's context menu.
#include "SplitterDlg.h"

#include "HistoryKey.h"
#include "PlaceBreakPointsDlg.h"
#include "ProgressPanel.h"

#include "framework/AppMessageBox.h"
#include "framework/MenuAdapter.h"
#include "framework/MenuTracker.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"
#include "split/PageFactsQuery.h"
#include "split/SizePlanQuery.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>

namespace qw {

namespace {
constexpr unsigned kGreyed = MenuFlag::Disabled | MenuFlag::Grayed;

void setPopupItem(QMenu *popup, int commandId, bool enabled)
{
    MenuAdapter::EnableItem(popup, commandId, enabled ? 0u : kGreyed);
}

// "Leave Page Out" is for page rows, and checked while the page is left out.
void setLeavePageOutItem(QMenu *popup, const BreakPointModel &breaks, int row)
{
    QAction *action = MenuAdapter::FindCommand(popup, CmdId::ContextLeavePageOut);
    if (!action)
        return;
    const bool pageRow = !breaks.IsBreakPoint(row);
    const unsigned checked = pageRow && breaks.IsLeftOut(breaks.PageAt(row)) ? MenuFlag::Checked : 0u;
    MenuAdapter::SetFlags(action, (MenuAdapter::FlagsOf(action) & ~(kGreyed | MenuFlag::Checked))
                                      | (pageRow ? 0u : kGreyed) | checked);
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

void SplitterDlg::SelectRow(int row)
{
    const QModelIndex index = document_.Breaks().index(row);
    if (!index.isValid())
        return;
    // Selecting raises the selection notification, so OnRowSelected runs before this returns.
    PageList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void SplitterDlg::OnReplayed(int row)
{
    if (row < 0)
        row = SelectedRow();
    if (row < 0)
        return;
    // The commands follow the selected row even when it was selected already.
    if (SelectedRow() == row)
        OnRowSelected();
    else
        SelectRow(row);
}

void SplitterDlg::EnableForBreakPointRow()
{
    commands_.deleteRow = commands_.cleanAll = true;
    commands_.insert = false;
    ShowCommandStates();
}

void SplitterDlg::EnableForInsertableRow()
{
    commands_.insert = true;
    commands_.deleteRow = commands_.cleanAll = false;
    ShowCommandStates();
}

void SplitterDlg::DisableInsert()
{
    commands_.insert = false;
    ShowCommandStates();
}

void SplitterDlg::InsertBreakPoint()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    // Enabled exactly for rows that may take a break point before them, as the rules left it.
    if (!commands_.insert)
        return;
    document_.Breaks().InsertBefore(row);
    DisableInsert();
    PageList->setFocus();
}

void SplitterDlg::DeleteBreakPoint()
{
    const int row = SelectedRow();
    if (row < 0 || !document_.Breaks().IsBreakPoint(row))
        return;
    // The list would otherwise select a neighbour of the removed current row by itself.
    PageList->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    document_.Breaks().Delete(row);
    SelectRow(row);
    commands_.deleteRow = commands_.cleanAll = false;
    ShowCommandStates();
    PageList->setFocus();
}

void SplitterDlg::ToggleLeavePageOut()
{
    const int row = SelectedRow();
    if (row < 0 || document_.Breaks().IsBreakPoint(row))
        return;
    document_.Breaks().SetLeftOut(row, !document_.Breaks().IsLeftOut(document_.Breaks().PageAt(row)));
    PageList->setFocus();
}

void SplitterDlg::CleanAllBreakPoints()
{
    const int selected = SelectedRow();
    // A selected break point row goes, and the list must not select a neighbour instead.
    if (document_.Breaks().IsBreakPoint(selected))
        PageList->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    document_.Breaks().CleanAll(selected);
}

void SplitterDlg::OnRowSelected()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    int page = -1;
    if (document_.Breaks().IsBreakPoint(row)) {
        EnableForBreakPointRow();
    } else {
        page = document_.Breaks().PageAt(row);
        commands_.deleteRow = false;
        ShowCommandStates();
    }
    if (document_.Breaks().IsInsertable(row))
        EnableForInsertableRow();
    else
        DisableInsert();
    if (page >= 0) {
        Viewer.ShowPage(page);
        previewPage_ = page;
        UpdatePreviewNote();
    }
    // The grid and the list show the same selected row; the keys stay where the user works.
    PageList->scrollTo(document_.Breaks().index(row));
    if (Viewer.ThumbnailsShown()) {
        Viewer.Thumbnails().scrollTo(document_.Breaks().index(row));
        if (Viewer.Thumbnails().hasFocus())
            return;
    }
    PageList->setFocus();
}

void SplitterDlg::PlaceBreakPoints()
{
    if (!PageList || document_.PageCount() == 0 || IsBusy())
        return;
    PlaceBreakPointsDlg dialog(document_.Report().Bookmarks(), document_.PageCount(), this);
    if (dialog.exec() == QDialog::Accepted) {
        if (const std::optional<SeparatorRule> rule = dialog.Separators())
            PlaceAtSeparators(*rule, dialog.LeaveSeparatorsOut());
        else if (const std::optional<qint64> limit = dialog.SizeLimit())
            PlaceBySize(*limit);
        else if (const std::optional<QString> change = dialog.ValueChange())
            PlaceAtChanges(*change);
        else if (const int level = dialog.BookmarkLevel(); level > 0)
            TakePlan(document_.AtBookmarks(level, dialog.BookmarkMatchExpression()));
        else
            TakePlan(document_.Every(dialog.EveryPageCount()));
    }
    PageList->setFocus();
}

// The engine looks at every page of the very file opened, while a bar shows how far it got;
// Cancel stops it and leaves the break points as they were.
void SplitterDlg::PlaceAtSeparators(const SeparatorRule &rule, bool leaveOut)
{
    PlanInBackground(tr("Looking for separator sheets..."), [this, rule](const qw::OpenDocument::Plan &plan) {
        if (!ShowPlanProblems(plan))
            return;
        if (plan.separatorLabels.isEmpty()) {
            //: %1 says what was looked for, such as: No page has a barcode.
            AppMessageBox::Show(this,
                                tr("%1 The break points are as they were.").arg(PageFactsQuery::NothingFoundNotice(rule)),
                                MsgBox::Ok | MsgBox::IconInformation);
            return;
        }
        TakePlan(plan);
    });
    document_.AtSeparatorsInBackground(rule, leaveOut);
}

// As PlaceAtSeparators: the engine measures the parts of the very file opened while a bar
// shows how far it got; Cancel leaves the break points as they were. The break points that
// are there stay, and only make parts smaller.
void SplitterDlg::PlaceBySize(qint64 limit)
{
    PlanInBackground(tr("Measuring the parts..."), [this, limit](const qw::OpenDocument::Plan &plan) {
        if (!ShowPlanProblems(plan))
            return;
        if (plan.breaks.isEmpty()) {
            AppMessageBox::Show(this,
                                tr("The whole document fits in one part of at most %1; the break points are "
                                   "as they were.")
                                    .arg(SizePlanQuery::SizeText(limit)),
                                MsgBox::Ok | MsgBox::IconInformation);
            return;
        }
        TakePlan(plan);
    });
    document_.BySizeInBackground(limit);
}

void SplitterDlg::PlanInBackground(const QString &label, std::function<void(const qw::OpenDocument::Plan &)> taken)
{
    planPanel_ = new ProgressPanel(this, label, document_.PageCount(), 300);
    connect(planPanel_, &ProgressPanel::Cancelled, this, [this] {
        document_.StopPlan();
        EndPlan();
    });
    planTaken_ = std::move(taken);
    ShowCommandStates();
}

void SplitterDlg::OnPlanReady(const qw::OpenDocument::Plan &plan)
{
    const std::function<void(const qw::OpenDocument::Plan &)> taken = std::move(planTaken_);
    EndPlan();
    if (taken)
        taken(plan);
    PageList->setFocus();
}

void SplitterDlg::EndPlan()
{
    // Its Cancel may be what ends it: the panel goes once that click has been handled.
    if (planPanel_) {
        planPanel_->hide();
        planPanel_->deleteLater();
    }
    planPanel_ = nullptr;
    planTaken_ = {};
    ShowCommandStates();
}

// As PlaceAtSeparators: the engine reads every page's text; a part begins where the value the
// expression finds changes.
void SplitterDlg::PlaceAtChanges(const QString &expression)
{
    PlanInBackground(tr("Reading the pages' text..."), [this, expression](const qw::OpenDocument::Plan &plan) {
        if (!ShowPlanProblems(plan))
            return;
        if (!plan.matched || plan.breaks.isEmpty()) {
            AppMessageBox::Show(
                this,
                plan.matched
                    //: %1 is the regular expression
                    ? tr("Every page that \"%1\" matches has the same value; the break points are as they were.")
                          .arg(expression)
                    : tr("%1 The break points are as they were.")
                          .arg(PageFactsQuery::NothingFoundNotice(SeparatorRule::Matching(expression))),
                MsgBox::Ok | MsgBox::IconInformation);
            return;
        }
        TakePlan(plan);
    });
    document_.AtChangesInBackground(expression);
}

bool SplitterDlg::ShowPlanProblems(const qw::OpenDocument::Plan &plan)
{
    if (plan.stopped)
        return false;
    if (plan.problem) {
        AppMessageBox::Show(this, plan.problem.Text(), MsgBox::Ok | MsgBox::IconExclamation);
        return false;
    }
    if (!plan.notices.isEmpty())
        AppMessageBox::Show(this, plan.notices.join(QStringLiteral("\n\n")), MsgBox::Ok | MsgBox::IconExclamation);
    return true;
}

void SplitterDlg::TakePlan(const qw::OpenDocument::Plan &plan)
{
    // One step, undone as a whole; the break points that were there stay.
    document_.Take(plan, SelectedRow());
    // The selected row may now follow a break point: its commands follow.
    OnRowSelected();
}

void SplitterDlg::InsertBreakPointsBefore(const QList<int> &pages, int bookmarkLevel)
{
    qw::OpenDocument::Plan plan;
    plan.breaks = pages;
    plan.bookmarkLevel = bookmarkLevel;
    TakePlan(plan);
}

bool SplitterDlg::TranslateHistoryKey(const QKeyEvent *key)
{
    const HistoryKey asked = HistoryKeyOf(key);
    if (asked == HistoryKey::None)
        return false;
    SendCommand(asked == HistoryKey::Undo ? CmdId::Undo : CmdId::Redo);
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
    if (document_.Breaks().IsBreakPoint(row)) {
        EnableForBreakPointRow();
        setPopupItem(menu, CmdId::ContextInsertBreakPoint, false);
        setLeavePageOutItem(menu, document_.Breaks(), row);
        ShowContextMenu(menu, cursor);
    } else {
        setPopupItem(menu, CmdId::ContextDeleteBreakPoint, false);
    }
    if (document_.Breaks().IsInsertable(row)) {
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
    if (document_.Breaks().IsBreakPoint(row)) {
        EnableForBreakPointRow();
        setPopupItem(menu, CmdId::ContextCleanAllBreakPoints, true);
        setPopupItem(menu, CmdId::ContextDeleteBreakPoint, true);
        setPopupItem(menu, CmdId::ContextInsertBreakPoint, false);
    } else {
        setPopupItem(menu, CmdId::ContextDeleteBreakPoint, false);
    }
    if (document_.Breaks().IsInsertable(row)) {
        EnableForInsertableRow();
        setPopupItem(menu, CmdId::ContextInsertBreakPoint, true);
        setPopupItem(menu, CmdId::ContextCleanAllBreakPoints, false);
        setPopupItem(menu, CmdId::ContextDeleteBreakPoint, false);
    } else {
        DisableInsert();
        setPopupItem(menu, CmdId::ContextInsertBreakPoint, false);
    }
    setLeavePageOutItem(menu, document_.Breaks(), row);
    ShowContextMenu(menu, cursor);
}

} // namespace qw
