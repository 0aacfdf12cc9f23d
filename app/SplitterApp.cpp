#include "SplitterApp.h"

#include "SplitterDlg.h"
#include "core/SettingsStore.h"
#include "res/ResourceIds.h"

#include <QGuiApplication>
#include <QTimer>

namespace qw {

SplitterApp::SplitterApp() : recentFiles_(CmdId::RecentFileFirst, kRecentFileCount)
{
}

bool SplitterApp::InitInstance(const QString &startupDocument, const QString &startupProblem)
{
    // Before any window exists: the desktop takes a window's entry (its name in the task bar,
    // its icon) from what the window says when it is made.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUIREWRIGHT_APP_ID));
    // The document preview is linked into the program, so no control container needs enabling.
    SettingsStore::SetRegistryKey(QString::fromLatin1(kCompanyKey));
    LoadStdProfileSettings();

    SplitterDlg dialog(this);
    SetMainWindow(&dialog);
    if (!startupDocument.isEmpty())
        QTimer::singleShot(0, &dialog, [this, startupDocument] { OpenDocumentFile(startupDocument); });
    else if (!startupProblem.isEmpty())
        QTimer::singleShot(0, &dialog, [&dialog, startupProblem] { dialog.ShowOpenProblem(startupProblem); });
    dialog.DoModal();
    SetMainWindow(nullptr);
    return false;
}

void SplitterApp::LoadStdProfileSettings()
{
    recentFiles_.ReadList(*SettingsStore::Open());
}

int SplitterApp::ExitInstance()
{
    const auto settings = SettingsStore::Open();
    recentFiles_.WriteList(*settings);
    settings->sync();
    return 0;
}

bool SplitterApp::OpenDocumentFile(const QString &path)
{
    if (mainWindow_) {
        OpenDocumentEvent event(path);
        QCoreApplication::sendEvent(mainWindow_, &event);
    }
    return true;
}

bool SplitterApp::OnCommand(int commandId)
{
    if (commandId >= CmdId::RecentFileFirst && commandId <= CmdId::RecentFileLast) {
        const QString path = recentFiles_.PathOfCommand(commandId);
        if (!path.isEmpty() && !OpenDocumentFile(path))
            recentFiles_.Remove(commandId - CmdId::RecentFileFirst);
        return true;
    }
    // There is no help file to show; the command is accepted and does nothing.
    return commandId == CmdId::Help;
}

bool SplitterApp::OnUpdateCommand(CommandUpdateRecord &record)
{
    if (record.id != CmdId::RecentFileFirst)
        return false;
    recentFiles_.UpdateMenu(record);
    return true;
}

} // namespace qw
