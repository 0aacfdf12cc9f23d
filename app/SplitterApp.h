#pragma once

#include "WindowOwner.h"

#include "framework/RecentFileList.h"

#include <QString>

namespace qw {

class SplitterDlg;

// The application object: prepares the settings store and the recent-file list, runs the
// main dialog modally, and ends the program when the dialog ends.
class SplitterApp : public WindowOwner {
public:
    static constexpr const char *kCompanyKey = "Ardenne Quirewright";
    static constexpr int kRecentFileCount = 4;

    SplitterApp();
    Q_DISABLE_COPY_MOVE(SplitterApp)

    // Runs the whole program; always false, so that the caller goes on to ExitInstance.
    // A document named on the command line is opened once the main window shows; when its name
    // could not be taken from the command line, `startupProblem` says why, in the preview.
    bool InitInstance(const QString &startupDocument = QString(), const QString &startupProblem = QString());
    // Writes the recent-file list back; returns the process exit code.
    int ExitInstance();
    // Asks the main dialog to open `path` (synchronously) and reports success in every case,
    // so a recent-file entry is never dropped because its file could not be opened.
    bool OpenDocumentFile(const QString &path);

    // Commands the main dialog does not handle itself: the recent-file entries and help.
    bool OnCommand(int commandId) override;
    bool OnUpdateCommand(CommandUpdateRecord &record) override;

    void AddToRecentFileList(const QString &path) override { recentFiles_.Add(path); }
    const RecentFileList &RecentFiles() const { return recentFiles_; }
    // Loads the standard settings: the recent-file list from the settings store.
    void LoadStdProfileSettings();

    SplitterDlg *MainWindow() const { return mainWindow_; }
    void SetMainWindow(SplitterDlg *dialog) { mainWindow_ = dialog; }

private:
    RecentFileList recentFiles_;
    SplitterDlg *mainWindow_ = nullptr;
};

} // namespace qw
