// The split as the window runs it: the options confirmed, the folder asked for, the rows turned
// into a split job, its progress shown with a way to cancel, and its outcome told.
#include "SplitterDlg.h"

#include "controls/OpenLink.h"
#include "framework/AppMessageBox.h"
#include "framework/FileDialogs.h"
#include "framework/WaitCursor.h"
#include "res/ResourceIds.h"
#include "split/DocumentOutline.h"
#include "split/EngineRunner.h"
#include "split/SplitJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>

namespace qw {

namespace {

const QString kFolderPromptTitle = QStringLiteral("Please select a folder");
const QString kSuccessPrompt = QStringLiteral("Split PDF file success! Do you want to open the output directory?");

} // namespace

bool SplitterDlg::RunOptionsDialog()
{
    const bool confirmed = Options.DoModal(this) == CtrlId::Ok;
    PageList->setFocus();
    return confirmed;
}

void SplitterDlg::OnSplit()
{
    if (PageList->topLevelItemCount() == 0)
        return;
    // Also turns away a Split command that arrives between the parts of a running split.
    if (!SplitButton->isEnabled())
        return;
    if (!RunOptionsDialog())
        return;
    OptionsButton->setEnabled(false);
    SplitButton->setEnabled(false);
    SplitDocument();
    SplitButton->setEnabled(true);
    OptionsButton->setEnabled(true);
}

SplitSettings SplitterDlg::CurrentSettings() const
{
    SplitSettings settings;
    settings.fileNamePattern = Options.FileNamePattern;
    settings.saveFileType = Options.SaveFileType;
    settings.askedFolder = AskedFolder;
    settings.outFolderName = Options.OutFolderName;
    settings.archive = Options.ArchiveButtonState != 0;
    settings.archiveFolderName = Options.ArchiveFolderName;
    if (settings.fileNamePattern.contains(QLatin1String("{bookmark}"))) {
        settings.bookmarks = report_.Bookmarks();
        settings.bookmarkLevel = BookmarkLevel;
    }
    return settings;
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

void SplitterDlg::SplitDocument()
{
    if (Options.SaveFileType == SplitSettings::AskForFolder) {
        const QString folder = FileDialogs::GetExistingFolder(this, kFolderPromptTitle, AskedFolder);
        if (folder.isEmpty())
            return;
        AskedFolder = folder;
    }

    // The split works on its own copy of the rows: edits made meanwhile do not change it.
    QStringList rows;
    for (int row = 0; row < PageList->topLevelItemCount(); ++row)
        rows << RowText(row);
    SplitJob job(DocumentPath, SplitPlan::FromRows(rows, QString::fromLatin1(kBreakPointText)), CurrentSettings(),
                 report_.Identity());
    if (job.Parts().isEmpty())
        return;

    // Everything that could stop the split is asked or refused before the first part is written.
    const SplitJob::Check check = job.CheckBeforeSplitting();
    if (!check.refusal.isEmpty()) {
        AppMessageBox::Show(this, check.refusal, MsgBox::Ok | MsgBox::IconExclamation);
        PageList->setFocus();
        return;
    }
    if (!ConfirmReplacing(check.ExistingPaths())) {
        PageList->setFocus();
        return;
    }
    // Only the files the question named may be replaced, not one that takes their place.
    job.AgreeToReplace(check.existing);

    const SplitResult result = WriteParts(job);
    if (!result.Complete(job.Parts().size())) {
        // A failed part is never announced as success, and the document stays where it is.
        const bool onlyCancelled = result.cancelled && !result.documentChanged && result.failures.isEmpty();
        AppMessageBox::Show(this, job.FailureReport(result),
                            MsgBox::Ok | (onlyCancelled ? MsgBox::IconInformation : MsgBox::IconExclamation));
        PageList->setFocus();
        return;
    }
    if (job.Settings().archive && !ArchiveDocument(job))
        return;
    if (AppMessageBox::Show(this, kSuccessPrompt, MsgBox::YesNo) == MsgBox::IdYes
        && !LinkResult::Succeeded(OpenLink(OutputFolder, ShowCmd::Show)))
        // Without a file manager the Yes would otherwise do nothing at all.
        AppMessageBox::Show(this,
                            QStringLiteral("The output folder could not be opened: no file manager is set up to "
                                           "show it. The parts are in\n%1")
                                .arg(QDir::toNativeSeparators(OutputFolder)),
                            MsgBox::Ok | MsgBox::IconInformation);
    PageList->setFocus();
}

SplitResult SplitterDlg::WriteParts(const SplitJob &job)
{
    // The wait cursor is for the engine runs only: never over a dialog that waits for the user.
    WaitCursor wait;
    QProgressDialog progress(this);
    progress.setWindowTitle(QCoreApplication::applicationName());
    progress.setRange(0, int(job.Parts().size()));
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::WindowModal);
    job_ = &job;
    progress_ = &progress;
    splitting_ = true;
    const SplitResult result = job.Run([this](const PartRange &part) {
        return SplitPart(part.firstPage, part.lastPage, part.partNumber, part.fileCount);
    });
    splitting_ = false;
    progress_ = nullptr;
    job_ = nullptr;
    return result;
}

PartOutcome SplitterDlg::SplitPart(int firstPage, int lastPage, int partNumber, int fileCount)
{
    progress_->setLabelText(QStringLiteral("Writing part %1 of %2...").arg(partNumber).arg(fileCount));
    progress_->setValue(partNumber - 1);
    // Painting and input queued while the previous part ran are handled now.
    EngineRunner::PumpMessages();
    if (progress_->wasCanceled()) {
        PartOutcome cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    OutputFolder = job_->Location().outputFolder;
    // While the engine runs, the progress dialog stays live, so Cancel can stop even a hung engine.
    return job_->SplitPart({firstPage, lastPage, partNumber, fileCount}, [this] {
        EngineRunner::PumpMessages();
        return !progress_->wasCanceled();
    });
}

bool SplitterDlg::ArchiveDocument(const SplitJob &job)
{
    const MoveResult result = job.ArchiveDocument();
    if (result == MoveResult::Moved)
        return true;
    // The parts are written; the user must know why the document did not move.
    AppMessageBox::Show(this, job.ArchiveFailure(result), MsgBox::Ok | MsgBox::IconExclamation);
    return false;
}

} // namespace qw
