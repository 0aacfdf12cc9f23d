// The split as the window runs it: the options confirmed, the folder asked for, the rows turned
// into a split job, its progress shown with a way to cancel, and its outcome told.
#include "SplitterDlg.h"

#include "ProgressPanel.h"
#include "SplitProgress.h"

#include "controls/OpenLink.h"
#include "framework/AppMessageBox.h"
#include "framework/FileDialogs.h"
#include "res/ResourceIds.h"
#include "split/DocumentOutline.h"
#include "split/SplitJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QTreeView>

namespace qw {

namespace {

// Functions, not constants: a text is looked up in the translation each time it is shown.
QString folderPromptTitle()
{
    //: Title of the folder browser
    return QCoreApplication::translate("qw::SplitterDlg", "Please select a folder");
}

QString successPrompt()
{
    //: Asked after every part was written; Yes opens the output folder in the file manager
    return QCoreApplication::translate("qw::SplitterDlg",
                                       "Split PDF file success! Do you want to open the output directory?");
}

} // namespace

bool SplitterDlg::RunOptionsDialog()
{
    const bool confirmed = Options.DoModal(this) == CtrlId::Ok;
    PageList->setFocus();
    return confirmed;
}

void SplitterDlg::OnSplit()
{
    if (document_.Breaks().PageCount() == 0)
        return;
    // Also turns away a Split command that arrives while a split runs.
    if (!commands_.split || IsBusy())
        return;
    if (!RunOptionsDialog())
        return;
    SplitDocument();
}

bool SplitterDlg::ConfirmReplacing(const QStringList &existing)
{
    if (existing.isEmpty())
        return true;
    // An unrelated file of the same name must never go silently, so No is the default answer.
    return AppMessageBox::Show(this, SplitPlan::ReplaceQuestion(existing),
                               MsgBox::YesNo | MsgBox::IconQuestion | MsgBox::DefButton2)
           == MsgBox::IdYes;
}

void SplitterDlg::WarnOfUnknownTokens(const QString &pattern)
{
    const QString notice = OptionsDlg::UnknownTokensSentence(pattern);
    // The Options dialog names them too, as it is confirmed before every split: a pattern the
    // user went on with once is theirs, braces and all.
    if (notice.isEmpty() || patternsWarnedOf_.contains(pattern))
        return;
    patternsWarnedOf_.insert(pattern);
    //: %1 names the unknown tokens and the tokens there are; Ok goes on with the split
    AppMessageBox::Show(this, tr("%1\n\nThat text is written into the names of the parts as it stands.").arg(notice),
                        MsgBox::Ok | MsgBox::IconExclamation);
}

void SplitterDlg::SplitDocument()
{
    if (Options.SaveFileType == SplitSettings::AskForFolder) {
        const QString folder = FileDialogs::GetExistingFolder(this, folderPromptTitle(), AskedFolder);
        if (folder.isEmpty())
            return;
        AskedFolder = folder;
    }

    // The split works on its own copy of the parts: edits made meanwhile do not change it.
    SplitJob job = document_.Job(Options.Settings(AskedFolder));
    if (job.Parts().isEmpty())
        return;

    // Everything that could stop the split is asked or refused before the first part is written.
    const SplitJob::Check check = job.CheckBeforeSplitting();
    if (check.refusal) {
        AppMessageBox::Show(this, check.refusal.Text(), MsgBox::Ok | MsgBox::IconExclamation);
        PageList->setFocus();
        return;
    }
    WarnOfUnknownTokens(job.Settings().fileNamePattern);
    if (!ConfirmReplacing(check.ExistingPaths())) {
        PageList->setFocus();
        return;
    }
    // Only the files the question named may be replaced, not one that takes their place.
    job.AgreeToReplace(check.existing);

    OutputFolder = job.Location().outputFolder;
    RunInBackground(std::make_shared<const SplitJob>(std::move(job)));
}

void SplitterDlg::RunInBackground(std::shared_ptr<const SplitJob> job)
{
    // The parts are written on a thread of the split's own; the window shows how far it got and
    // takes no command that would change what the split reads until it has ended.
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const int parts = int(job->Parts().size());
    auto *panel = new ProgressPanel(this, SplitProgress::PartLabel(1, parts), parts, 0);
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    connect(panel, &ProgressPanel::Cancelled, panel, [cancelled] { cancelled->store(true); });
    splitTask_ = std::make_unique<BackgroundTask>();
    ShowCommandStates();
    auto result = std::make_shared<SplitResult>();
    splitTask_->Start(
        [job, result, cancelled, panel, task = splitTask_.get()](const BackgroundTask::KeepGoing &keepGoing) {
            SplitProgress progress(*task, *panel, [cancelled, keepGoing] { return !cancelled->load() && keepGoing(); });
            *result = job->Run(progress);
        },
        [this, job, result, panel] {
            delete panel;
            QGuiApplication::restoreOverrideCursor();
            // The task goes once this returns: its thread has ended.
            splitTask_.release()->deleteLater();
            ShowCommandStates();
            ReportSplit(*job, *result);
        });
}

void SplitterDlg::ReportSplit(const SplitJob &job, const SplitResult &result)
{
    if (!result.Complete(job.Parts().size())) {
        // A failed part is never announced as success, and the document stays where it is.
        const bool onlyCancelled = result.cancelled && !result.documentChanged && result.failures.isEmpty();
        AppMessageBox::Show(this, job.FailureReport(result),
                            MsgBox::Ok | (onlyCancelled ? MsgBox::IconInformation : MsgBox::IconExclamation));
        PageList->setFocus();
        return;
    }
    if (result.archived && *result.archived != MoveResult::Moved) {
        // The parts are written; the user must know why the document did not move.
        AppMessageBox::Show(this, job.ArchiveFailure(*result.archived), MsgBox::Ok | MsgBox::IconExclamation);
        return;
    }
    if (AppMessageBox::Show(this, successPrompt(), MsgBox::YesNo) == MsgBox::IdYes
        && !LinkResult::Succeeded(OpenLink(OutputFolder, ShowCmd::Show)))
        // Without a file manager the Yes would otherwise do nothing at all.
        AppMessageBox::Show(this,
                            //: %1 is the output folder
                            tr("The output folder could not be opened: no file manager is set up to "
                               "show it. The parts are in\n%1")
                                .arg(QDir::toNativeSeparators(OutputFolder)),
                            MsgBox::Ok | MsgBox::IconInformation);
    PageList->setFocus();
}

} // namespace qw
