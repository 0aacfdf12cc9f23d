#pragma once

#include "controls/IconButton.h"
#include "framework/CommandUpdate.h"
#include "menu/GlyphMenu.h"
#include "OptionsDlg.h"

#include "split/OpenDocument.h"
#include "split/SeparatorRule.h"
#include "split/SplitJob.h"
#include "viewer/ViewerHost.h"

#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QSet>
#include <QIcon>
#include <QMargins>

#include <functional>
#include <memory>

class QKeyEvent;
class QMimeData;
class QMenu;
class QMenuBar;
class QAction;
class QPushButton;
class QTreeView;

namespace qw {

class ProgressPanel;
class WindowOwner;

// The private message that carries a path from the application object to the main dialog.
inline constexpr QEvent::Type WM_OPENDOCUMENT = QEvent::Type(QEvent::User + 400);

class OpenDocumentEvent : public QEvent {
public:
    explicit OpenDocumentEvent(QString path) : QEvent(WM_OPENDOCUMENT), path_(std::move(path)) { }
    const QString &path() const { return path_; }

private:
    QString path_;
};

// The main window: the page list with its break points, the preview, five command buttons
// and the menu bar. Every button, menu command and shortcut key ends in OnCommand, which
// routes it by id to the operation that handles it.
class SplitterDlg : public QDialog, public CommandUpdateTarget {
    Q_OBJECT
public:
    explicit SplitterDlg(WindowOwner *app = nullptr);
    ~SplitterDlg() override;

    // Creates the window's controls and initialises them (idempotent); DoModal does it first.
    void Create();
    int DoModal();

    // Routes a command, button or key command by id; false when nobody handles it.
    bool OnCommand(int commandId);
    void SendCommand(int commandId) { OnCommand(commandId); }

    void LayoutControls();
    // Gives the window the template's size, or what `available` (a screen's free area) leaves
    // for it inside a window frame where that is less, and centres the frame there. The buttons
    // keep their places; the list and the preview take what is left. Create does it for the
    // screen the window opens on.
    void FitInto(const QRect &available);
    // What a window frame may take around the window while the real frame is not known (before
    // the window is first shown): a title bar and borders of a common desktop.
    static constexpr QMargins kFrameAllowance{8, 40, 8, 8};
    void SetMainTitle();
    // Sends the command of a shortcut key (F2, F3, Delete, F4, F5, F7, Ctrl+O); true when the key was one.
    bool TranslateShortcutKey(const QKeyEvent *key);
    // Undoes (Ctrl+Z) or redoes (Ctrl+Shift+Z, Ctrl+Y) a break point edit; true when the key was
    // one of them.
    bool TranslateHistoryKey(const QKeyEvent *key);
    void UpdateMenuCommandStates(QWidget *popup);
    bool OnUpdateCommand(CommandUpdateRecord &record) override;

    // The local files of a drop, in the order the drop lists them.
    static QStringList DroppedPaths(const QMimeData *data);
    // Where the minimised window draws its icon: centred in the client area.
    static QPoint MinimisedIconOrigin(QSize client, QSize icon);

    QWidget *ClientArea() const { return client_; }
    QMenuBar *MenuBar() const;
    QWidget *ActionPopup() const;
    QWidget *Control(int id) const;
    QIcon QueryDragIcon() const { return AppIcon; }

    // What the preview shows while no document is open.
    //: Shown in the preview while no document is open; names the Open button and the File menu
    static constexpr const char *kNoDocumentHint = QT_TRANSLATE_NOOP(
        "qw::SplitterDlg", "Open a PDF with the Open button or File > Open..., or drop one here.");

    // Opening a document: the open-file dialog, the path message, dropped files.
    virtual void BrowseForDocument();
    virtual void OpenDocument(const QString &path);
    // Empties the page list and its history, and says in the preview why a document could not
    // be opened.
    void ShowOpenProblem(const QString &reason);
    virtual void OnDropFiles(const QStringList &paths);

    // The break point list: editing commands, and the list's selection and clicks.
    virtual void InsertBreakPoint();
    virtual void DeleteBreakPoint();
    virtual void CleanAllBreakPoints();
    void ToggleLeavePageOut();
    void PlaceAtSeparators(const SeparatorRule &rule, bool leaveOut);
    void PlaceBySize(qint64 limit);
    void PlaceAtChanges(const QString &expression);
    // Break points where bookmarks begin or every N pages, chosen in a dialog; and the rows
    // they become (existing break points stay, none is doubled).
    virtual void PlaceBreakPoints();
    void InsertBreakPointsBefore(const QList<int> &pages, int bookmarkLevel);
    // Tells why a plan found nothing, or what to know of how it was found; false when there is
    // nothing to take. And takes a plan as one step at the selected row.
    bool ShowPlanProblems(const qw::OpenDocument::Plan &plan);
    void TakePlan(const qw::OpenDocument::Plan &plan);
    void OnRowSelected();
    void OnRowClick();
    void OnRowRightClick();
    // The user turned the preview to `page`: its page row becomes the selected one.
    void OnPageShown(int page);
    // Says over the preview when the page on view is left out of every part.
    void UpdatePreviewNote();
    // The preview as thumbnails or as one page; remembered in the settings.
    void ShowThumbnails(bool shown);

    // The split.
    virtual void OnSplit();

    // Work in the background: a document being opened, a plan being made or a split running.
    // The window's thread never waits for it; what it finds arrives as events.
    bool IsBusy() const { return document_.IsBusy() || Splitting() || Planning() || Viewer.Loading(); }

    // Shows the options; true only when they were confirmed with Ok.
    virtual bool RunOptionsDialog();

    // The help commands: the About box, and the web site in the user's browser. Both work
    // with or without a document and change nothing of the window.
    virtual void ShowAboutBox();
    virtual void ViewWebSite();

    // The window's commands by command id, as actions whose enabled state the buttons and the
    // Action popup show; nullptr for a command that has none.
    QAction *Command(int commandId) const { return actions_.value(commandId); }

    // The break points of the open document, which the page list shows; and the preview.
    const BreakPointModel &Breaks() const { return document_.Breaks(); }
    ViewerHost &Preview() { return Viewer; }
    const ViewerHost &Preview() const { return Viewer; }

    OptionsDlg Options;
    QString DocumentPath;
    QString AskedFolder;
    QString OutputFolder;
    QIcon AppIcon;

public slots:
    void reject() override { OnCancel(); }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    int OnCreate();
    bool OnInitDialog();
    void DoDataExchange();
    bool PreTranslateMessage(QKeyEvent *key);
    void OnOK() { }
    void OnCancel() { }
    void EndDialog(int result);
    void OnInitMenuPopup(QMenu *popup);

    // The selected row (the first, at most one exists), or -1; and what it is.
    int SelectedRow() const;
    void SelectRow(int row);
    // Selects the row an undo or redo was made at (-1: the selected one), whose commands follow.
    void OnReplayed(int row);
    // Empties the page list, its history and what is known of the document.
    void ForgetRows();
    void SetActionCommand(int commandId, bool enabled);
    // The commands' actions, and their states set from commands_, the open document, its
    // history and the work running, then shown on the buttons and the Action popup.
    void CreateCommands();
    void ShowCommandStates();
    // The enabling of the Insert and Delete commands for the kinds of selected row.
    void EnableForBreakPointRow();
    void EnableForInsertableRow();
    void DisableInsert();
    void ConnectPopups(QWidget *menu);
    // The thumbnail grid: it views the list's rows and selection; a click in the gap before a
    // page puts a break point there, a double click shows the page alone.
    void SetUpThumbnails();
    // The engine draws thumbnails only while the grid is shown and a document is open.
    void ServeThumbnails();
    void OnGapClicked(int page);
    void OnPageOpened(int page);
    std::unique_ptr<GlyphMenu> BuildContextMenu();

    // The split: its checks and questions before the first part; the question before existing
    // files are replaced.
    void SplitDocument();
    bool ConfirmReplacing(const QStringList &existing);
    // Says once for each name pattern that text in braces in it is no token (the batch mode
    // says it once a run); the split goes on with the pattern as it is.
    void WarnOfUnknownTokens(const QString &pattern);
    // Writes the parts in the background with a progress panel, then tells how it ended.
    void RunInBackground(std::shared_ptr<const SplitJob> job);
    void ReportSplit(const SplitJob &job, const SplitResult &result);
    bool Splitting() const { return splitTask_ != nullptr; }
    // A plan that runs the engine: its panel while it runs, and what to do with what it found.
    void PlanInBackground(const QString &label, std::function<void(const qw::OpenDocument::Plan &)> taken);
    void OnPlanReady(const qw::OpenDocument::Plan &plan);
    void EndPlan();
    bool Planning() const { return planPanel_ != nullptr; }
    // The document's report has come: its rows, or why it could not be opened.
    void OnOpened();
    void EndOpenCursor();
    // Commands that would change the document or the options under a running split or plan.
    // Whether a split or a plan running now holds `commandId` back.
    bool IsHeldBack(int commandId) const;
    void ShowContextMenu(QMenu *menu, QPoint position);
    void BuildRoutingTable();
    void ConnectCommandSources();

    // The window's parts, in the order it is built from them.
    ViewerHost Viewer;
    IconButton *OpenButton = nullptr;
    IconButton *DeleteButton = nullptr;
    IconButton *InsertButton = nullptr;
    IconButton *SplitButton = nullptr;
    IconButton *OptionsButton = nullptr;
    QTreeView *PageList = nullptr;
    GlyphMenu MainMenu;

    WindowOwner *app_;
    QWidget *client_ = nullptr;
    QHash<int, std::function<void()>> routes_;
    bool created_ = false;
    QSize templateSize_; // the window's size from its template: the client area and the menu bar
    // What the editing and split commands are enabled for, as the rules for the selected row
    // and the open document leave it; the buttons and menus show it, and the commands test it.
    struct CommandStates {
        bool insert = false; // Insert Break Point: the selected row may take one before it
        bool deleteRow = false; // Delete Break Point: a break point row was selected
        bool cleanAll = false; // Clean All, enabled and greyed with Delete but for other rows
        bool split = false; // a document has been opened
    } commands_;
    QHash<int, QAction *> actions_;
    QAction *undoSource_ = nullptr; // the history's own Undo and Redo actions
    QAction *redoSource_ = nullptr;
    std::unique_ptr<BackgroundTask> splitTask_; // the split running, if any
    ProgressPanel *planPanel_ = nullptr; // the plan being made, if any
    std::function<void(const qw::OpenDocument::Plan &)> planTaken_;
    bool openCursor_ = false; // the wait cursor is up while the document is being read
    QSet<QString> patternsWarnedOf_; // the patterns whose unknown tokens were told
    int previewPage_ = 1; // the page the preview was last turned to
    // The open document: its report, its break points and their history, its separator labels
    // and its thumbnails (drawn by the engine while the grid is shown); every open starts it afresh.
    qw::OpenDocument document_;
    bool thumbnailsServing_ = false;
};

} // namespace qw
