// The split: the options confirmed, the rows turned into parts, one engine run per part, the
// document archived, and the output folder offered.
#include "SplitterDlg.h"

#include "controls/OpenLink.h"
#include "framework/AppMessageBox.h"
#include "framework/FileDialogs.h"
#include "framework/FileMove.h"
#include "framework/FileStamp.h"
#include "framework/WaitCursor.h"
#include "res/ResourceIds.h"
#include "framework/CommandLine.h"
#include "split/EngineRunner.h"
#include "split/OutputNaming.h"
#include "split/SplitPlan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>

namespace qw {

namespace {

const QString kFolderPromptTitle = QStringLiteral("Please select a folder");
const QString kSuccessPrompt = QStringLiteral("Split PDF file success! Do you want to open the output directory?");

// What the engine said about a failed part: its last line, or what its end tells.
QString engineMessage(const EngineResult &result, const QByteArray &output)
{
    if (result.end == EngineResult::End::NotStarted)
        return result.reason;
    const QList<QByteArray> lines = output.trimmed().split('\n');
    const QString last = QString::fromLocal8Bit(lines.last().trimmed());
    if (!last.isEmpty())
        return last;
    if (result.end == EngineResult::End::Crashed)
        return result.reason;
    if (result.exitCode != 0)
        return QStringLiteral("The engine ended with code %1.").arg(result.exitCode);
    return QStringLiteral("The engine reported success but did not write the file.");
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

OutputLocation SplitterDlg::CurrentOutputLocation() const
{
    return ResolveOutputLocation(DocumentPath, Options.SaveFileType, AskedFolder, Options.OutFolderName);
}

QString SplitterDlg::OutputPathOf(const PartRange &part, const OutputLocation &location) const
{
    return ExpandNamePattern(Options.FileNamePattern, location.basePath, part.firstPage, part.lastPage, part.partNumber,
                             part.fileCount);
}

QString SplitterDlg::WrittenPathOf(const QString &outputPath, const OutputLocation &location)
{
    // The engine runs in the output folder, so a name without a folder lands there.
    return QDir::cleanPath(QDir(location.outputFolder).absoluteFilePath(outputPath));
}

QStringList SplitterDlg::PlannedOutputs(const QList<PartRange> &parts) const
{
    const OutputLocation location = CurrentOutputLocation();
    QStringList outputs;
    for (const PartRange &part : parts)
        outputs << WrittenPathOf(OutputPathOf(part, location), location);
    return outputs;
}

QString SplitterDlg::SplitRefusal(const QStringList &outputs) const
{
    const QString engine = EngineRunner::EnginePath();
    if (!QFileInfo(engine).isExecutable())
        return QStringLiteral("The PDF engine is missing or cannot be started:\n%1\n\n"
                              "Reinstall Quirewright so that %2 lies beside the program. Nothing was written.")
            .arg(engine, QString::fromLatin1(EngineRunner::EngineFileName));
    const QString folder = CurrentOutputLocation().outputFolder;
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("The output folder\n%1\ndoes not exist.\n\n"
                              "Create it, or choose another output folder in the options. Nothing was written.")
            .arg(QDir::toNativeSeparators(folder));
    return SplitPlan::FindOutputConflict(DocumentPath, outputs);
}

bool SplitterDlg::ConfirmReplacing(const QStringList &outputs)
{
    const QStringList existing = SplitPlan::ExistingOutputs(outputs);
    if (existing.isEmpty())
        return true;
    // An unrelated file of the same name must never go silently, so No is the default answer.
    return AppMessageBox::Show(this, SplitPlan::ReplaceQuestion(existing),
                               MsgBox::YesNo | MsgBox::IconQuestion | MsgBox::DefButton2)
           == MsgBox::IdYes;
}

void SplitterDlg::SplitDocument()
{
    if (Options.SaveFileType == 1) {
        const QString folder = FileDialogs::GetExistingFolder(this, kFolderPromptTitle, AskedFolder);
        if (folder.isEmpty())
            return;
        AskedFolder = folder;
    }

    // The split works on its own copy of the rows: edits made meanwhile do not change it.
    QStringList rows;
    for (int row = 0; row < PageList->topLevelItemCount(); ++row)
        rows << RowText(row);
    const QList<PartRange> parts = SplitPlan::FromRows(rows, QString::fromLatin1(kBreakPointText));
    if (parts.isEmpty())
        return;

    // Everything that could stop the split is asked or refused before the first part is written.
    const QStringList outputs = PlannedOutputs(parts);
    if (const QString refusal = SplitRefusal(outputs); !refusal.isEmpty()) {
        AppMessageBox::Show(this, refusal, MsgBox::Ok | MsgBox::IconExclamation);
        PageList->setFocus();
        return;
    }
    if (!ConfirmReplacing(outputs)) {
        PageList->setFocus();
        return;
    }

    QStringList failures;
    if (const int written = WriteParts(parts, failures); written < parts.size()) {
        // A failed part is never announced as success, and the document stays where it is.
        const QString archiveNote
            = Options.ArchiveButtonState != 0 ? QStringLiteral(", so the document was not archived") : QString();
        AppMessageBox::Show(this,
                            QStringLiteral("%1 of %2 parts could not be written%3.\n\n%4")
                                .arg(parts.size() - written)
                                .arg(parts.size())
                                .arg(archiveNote, SplitPlan::ListSome(failures, QStringLiteral("\n\n"))),
                            MsgBox::Ok | MsgBox::IconExclamation);
        PageList->setFocus();
        return;
    }
    if (Options.ArchiveButtonState != 0 && !ArchiveDocument())
        return;
    if (AppMessageBox::Show(this, kSuccessPrompt, MsgBox::YesNo) == MsgBox::IdYes)
        OpenLink(OutputFolder, ShowCmd::Show);
    PageList->setFocus();
}

int SplitterDlg::WriteParts(const QList<PartRange> &parts, QStringList &failures)
{
    // The wait cursor is for the engine runs only: never over a dialog that waits for the user.
    WaitCursor wait;
    QProgressDialog progress(this);
    progress.setWindowTitle(QCoreApplication::applicationName());
    progress.setCancelButton(nullptr);
    progress.setRange(0, int(parts.size()));
    progress.setMinimumDuration(0);
    progress.setWindowModality(Qt::WindowModal);
    splitting_ = true;
    int written = 0;
    for (const PartRange &part : parts) {
        progress.setLabelText(QStringLiteral("Writing part %1 of %2...").arg(part.partNumber).arg(parts.size()));
        progress.setValue(part.partNumber - 1);
        const PartOutcome outcome = SplitPart(part.firstPage, part.lastPage, part.partNumber, part.fileCount);
        if (outcome.failure.isEmpty())
            ++written;
        else
            failures << outcome.failure;
        if (!outcome.engineStarted) {
            // The next runs would fail alike.
            const qsizetype left = parts.size() - part.partNumber;
            if (left > 0)
                failures << QStringLiteral("%1 more %2 not attempted.")
                                .arg(left)
                                .arg(QLatin1String(left == 1 ? "part was" : "parts were"));
            break;
        }
    }
    splitting_ = false;
    return written;
}

SplitterDlg::PartOutcome SplitterDlg::SplitPart(int firstPage, int lastPage, int partNumber, int fileCount)
{
    // Painting and input queued while the previous part blocked the window are handled now.
    EngineRunner::PumpMessages();
    const OutputLocation location = CurrentOutputLocation();
    OutputFolder = location.outputFolder;
    const QString output = OutputPathOf({firstPage, lastPage, partNumber, fileCount}, location);
    const QString arguments = QStringLiteral("A=") + CommandLine::Quote(DocumentPath) + QStringLiteral(" cat ")
                              + QStringLiteral("A%1-%2").arg(firstPage).arg(lastPage) + QStringLiteral(" output ")
                              + CommandLine::Quote(output);
    // Only a file this run wrote counts: one that was there before proves nothing.
    const QString written = WrittenPathOf(output, location);
    const FileStamp before = FileStamp::Of(written);
    QByteArray engineOutput;
    const EngineResult result = EngineRunner::RunEngineCommand(arguments, &engineOutput, location.outputFolder);
    const FileStamp after = FileStamp::Of(written);
    if (result.Succeeded() && after.regular && after != before)
        return {};
    return {QStringLiteral("Part %1 (pages %2 to %3), %4:\n%5")
                .arg(partNumber)
                .arg(firstPage)
                .arg(lastPage)
                .arg(QDir::toNativeSeparators(written), engineMessage(result, engineOutput)),
            result.end != EngineResult::End::NotStarted};
}

bool SplitterDlg::ArchiveDocument()
{
    const QString target = Options.ArchiveFolderName + QDir::separator() + QFileInfo(DocumentPath).fileName();
    const MoveResult result = MoveFileNoReplace(DocumentPath, target);
    if (result == MoveResult::Moved)
        return true;
    // The parts are written; the user must know why the document did not move.
    const QString reason = result == MoveResult::TargetExists
                               ? QStringLiteral("A file of that name is already in the archive folder.")
                               : QStringLiteral("Check that the archive folder exists and can be written to.");
    AppMessageBox::Show(this,
                        QStringLiteral("The parts were written, but the document could not be moved to\n%1\n\n%2")
                            .arg(QDir::toNativeSeparators(target), reason),
                        MsgBox::Ok | MsgBox::IconExclamation);
    return false;
}

} // namespace qw
