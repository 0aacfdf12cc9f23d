// The window's commands as actions: what each is enabled for is set in one place from the rules
// of the selected row, the open document, its history and the work running in the background;
// the buttons and the Action popup show it. The keys and the buttons still send command ids, so
// F2 to F5 and Delete reach their commands whatever the states, and the commands check for
// themselves.
#include "SplitterDlg.h"

#include "framework/MenuAdapter.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"

#include <QAction>

namespace qw {

namespace {
constexpr unsigned kGreyed = MenuFlag::Disabled | MenuFlag::Grayed;
} // namespace

void SplitterDlg::CreateCommands()
{
    for (int id : {CmdId::InsertBreakPoint, CmdId::DeleteBreakPoint, CmdId::CleanAllBreakPoints, CmdId::SplitPdf,
                   CmdId::FileOptions, CmdId::PlaceBreakPoints, CmdId::Undo, CmdId::Redo, CmdId::ShowThumbnails}) {
        auto *action = new QAction(this);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        actions_.insert(id, action);
    }
    actions_.value(CmdId::ShowThumbnails)->setCheckable(true);
    // The history's own actions say when there is something to undo or redo.
    QUndoStack &history = document_.Breaks().History();
    undoSource_ = history.createUndoAction(this);
    redoSource_ = history.createRedoAction(this);
    for (QAction *source : {undoSource_, redoSource_})
        connect(source, &QAction::changed, this, [this] { ShowCommandStates(); });
    connect(&document_.Breaks(), &QAbstractItemModel::modelReset, this, [this] { ShowCommandStates(); });
}

void SplitterDlg::ShowCommandStates()
{
    if (actions_.isEmpty())
        return;
    const bool busy = IsBusy();
    const auto set = [this](int id, bool enabled) { actions_.value(id)->setEnabled(enabled); };
    set(CmdId::InsertBreakPoint, commands_.insert);
    set(CmdId::DeleteBreakPoint, commands_.deleteRow);
    set(CmdId::CleanAllBreakPoints, commands_.cleanAll);
    // The menu command stays as it is during a split; the button waits for its end.
    set(CmdId::SplitPdf, commands_.split);
    set(CmdId::FileOptions, !Splitting());
    set(CmdId::PlaceBreakPoints, document_.PageCount() > 0 && !busy);
    set(CmdId::Undo, undoSource_->isEnabled() && !busy);
    set(CmdId::Redo, redoSource_->isEnabled() && !busy);
    set(CmdId::ShowThumbnails, true);
    actions_.value(CmdId::ShowThumbnails)->setChecked(Viewer.ThumbnailsShown());

    if (!InsertButton)
        return; // the controls are not made yet
    InsertButton->setEnabled(Command(CmdId::InsertBreakPoint)->isEnabled());
    DeleteButton->setEnabled(Command(CmdId::DeleteBreakPoint)->isEnabled());
    SplitButton->setEnabled(Command(CmdId::SplitPdf)->isEnabled() && !Splitting());
    OptionsButton->setEnabled(Command(CmdId::FileOptions)->isEnabled());
    // The break point and split entries of the Action popup follow as they change; the entries
    // added after them are brought up to date when the popup opens (OnUpdateCommand).
    for (int id : {CmdId::InsertBreakPoint, CmdId::DeleteBreakPoint, CmdId::CleanAllBreakPoints, CmdId::SplitPdf})
        SetActionCommand(id, Command(id)->isEnabled());
}

void SplitterDlg::SetActionCommand(int commandId, bool enabled)
{
    MenuAdapter::EnableItem(ActionPopup(), commandId, enabled ? 0u : kGreyed);
}

bool SplitterDlg::OnUpdateCommand(CommandUpdateRecord &record)
{
    switch (record.id) {
    case CmdId::PlaceBreakPoints:
    case CmdId::Undo:
    case CmdId::Redo:
    case CmdId::ShowThumbnails: {
        const QAction *action = Command(record.id);
        record.Enable(action->isEnabled());
        if (action->isCheckable())
            record.SetCheck(action->isChecked());
        return true;
    }
    default: return false;
    }
}

} // namespace qw
