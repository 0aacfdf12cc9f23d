// The split: the options confirmed, the rows turned into parts, one engine run per part, the
// document archived, and the output folder offered.
#include "SplitterDlg.h"

#include "controls/OpenLink.h"
#include "framework/AppMessageBox.h"
#include "framework/FileDialogs.h"
#include "framework/FileMove.h"
#include "framework/WaitCursor.h"
#include "res/ResourceIds.h"
#include "split/CommandLine.h"
#include "split/EngineRunner.h"
#include "split/OutputNaming.h"
#include "split/SplitPlan.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>

namespace {

const QString kFolderPromptTitle = QStringLiteral("Please select a folder");
const QString kSuccessPrompt = QStringLiteral("Split PDF file success! Do you want to open the output directory?");

// What the engine said about a failed part: its last line, or what its exit tells.
QString engineMessage(int exitCode, const QByteArray &output)
{
    const QList<QByteArray> lines = output.trimmed().split('\n');
    const QString last = QString::fromLocal8Bit(lines.last().trimmed());
    if (!last.isEmpty())
        return last;
    if (exitCode == -1)
        return QStringLiteral("The engine stopped unexpectedly.");
    if (exitCode != 0)
        return QStringLiteral("The engine ended with code %1.").arg(exitCode);
    return QStringLiteral("The engine wrote no file.");
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

QString SplitterDlg::SplitRefusal(const QList<PartRange> &parts)
{
    const QString engine = EngineRunner::EnginePath();
    if (!QFileInfo(engine).isExecutable())
        return QStringLiteral("The PDF engine is missing or cannot be started:\n%1\n\n"
                              "Reinstall Quirewright so that %2 lies beside the program. Nothing was written.")
            .arg(engine, QString::fromLatin1(EngineRunner::EngineFileName));
    const OutputLocation location = CurrentOutputLocation();
    QStringList outputs;
    for (const PartRange &part : parts)
        outputs << OutputPathOf(part, location);
    return SplitPlan::FindOutputConflict(DocumentPath, outputs);
}

void SplitterDlg::SplitDocument()
{
    WaitCursor wait;
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

    if (const QString refusal = SplitRefusal(parts); !refusal.isEmpty()) {
        AppMessageBox::Show(this, refusal, MsgBox::Ok | MsgBox::IconExclamation);
        return;
    }

    QStringList failures;
    {
        QProgressDialog progress(this);
        progress.setWindowTitle(QCoreApplication::applicationName());
        progress.setCancelButton(nullptr);
        progress.setRange(0, int(parts.size()));
        progress.setMinimumDuration(0);
        progress.setWindowModality(Qt::WindowModal);
        splitting_ = true;
        for (const PartRange &part : parts) {
            progress.setLabelText(QStringLiteral("Writing part %1 of %2...").arg(part.partNumber).arg(parts.size()));
            progress.setValue(part.partNumber - 1);
            const QString failure = SplitPart(part.firstPage, part.lastPage, part.partNumber, part.fileCount);
            if (!failure.isEmpty())
                failures << failure;
        }
        splitting_ = false;
    }

    if (!failures.isEmpty()) {
        // A failed part is never announced as success, and the document stays where it is.
        AppMessageBox::Show(this,
                            QStringLiteral("%1 of %2 parts could not be written, so the document was not "
                                           "archived.\n\n%3")
                                .arg(failures.size())
                                .arg(parts.size())
                                .arg(failures.join(QStringLiteral("\n\n"))),
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

QString SplitterDlg::SplitPart(int firstPage, int lastPage, int partNumber, int fileCount)
{
    // Painting and input queued while the previous part blocked the window are handled now.
    EngineRunner::PumpMessages();
    const OutputLocation location = CurrentOutputLocation();
    OutputFolder = location.outputFolder;
    const QString output = OutputPathOf({firstPage, lastPage, partNumber, fileCount}, location);
    const QString arguments = QStringLiteral("A=") + CommandLine::Quote(DocumentPath) + QStringLiteral(" cat ")
                              + QStringLiteral("A%1-%2").arg(firstPage).arg(lastPage) + QStringLiteral(" output ")
                              + CommandLine::Quote(output);
    QByteArray engineOutput;
    const int exitCode = EngineRunner::RunEngineCommand(arguments, &engineOutput);
    if (exitCode == 0 && QFileInfo(output).isFile())
        return {};
    return QStringLiteral("Part %1 (pages %2 to %3), %4:\n%5")
        .arg(partNumber)
        .arg(firstPage)
        .arg(lastPage)
        .arg(QDir::toNativeSeparators(output), engineMessage(exitCode, engineOutput));
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
