#pragma once

#include "framework/CommandUpdate.h"
#include "split/OptionsDlg.h"
#include "viewer/ViewerHost.h"

#include <QDialog>
#include <QEvent>
#include <QHash>
#include <QIcon>

#include <functional>

class QKeyEvent;
class QMenu;
class QMenuBar;
class QPushButton;
class QTreeWidget;
class SplitterApp;

// The private message that carries a path from the application object to the main dialog.
inline constexpr QEvent::Type WM_OPENDOCUMENT = QEvent::Type(QEvent::User + 400);

class OpenDocumentEvent : public QEvent {
public:
    explicit OpenDocumentEvent(QString path) : QEvent(WM_OPENDOCUMENT), path_(std::move(path)) {}
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
    explicit SplitterDlg(SplitterApp *app = nullptr);
    ~SplitterDlg() override;

    // Creates the window's controls and initialises them (idempotent); DoModal does it first.
    void Create();
    int DoModal();

    // Routes a command, button or key command by id; false when nobody handles it.
    bool OnCommand(int commandId);
    void SendCommand(int commandId) { OnCommand(commandId); }

    void LayoutControls();
    void SetMainTitle();
    // Sends the command of a shortcut key (F2, F3, Delete, F4, F5); true when the key was one.
    bool TranslateShortcutKey(const QKeyEvent *key);
    void UpdateMenuCommandStates(QWidget *popup);
    bool OnUpdateCommand(CommandUpdateRecord &record) override;

    // Where the minimised window draws its icon: centred in the client area.
    static QPoint MinimisedIconOrigin(QSize client, QSize icon);

    QWidget *ClientArea() const { return client_; }
    QMenuBar *MenuBar() const { return MainMenu; }
    QWidget *ActionPopup() const;
    QWidget *Control(int id) const;
    QIcon QueryDragIcon() const { return AppIcon; }

    // Operations of the commands. Opening, break points, splitting, options, the About box and
    // the preview are filled in by their own subsystems.
    virtual void BrowseForDocument() {}
    virtual void OpenDocument(const QString &) {}
    virtual void OnDropFiles(const QStringList &) {}
    virtual void InsertBreakPoint() {}
    virtual void DeleteBreakPoint() {}
    virtual void CleanAllBreakPoints() {}
    virtual void OnRowSelected() {}
    virtual void OnRowClick() {}
    virtual void OnRowRightClick() {}
    virtual void OnSplit() {}
    virtual bool RunOptionsDialog() { return false; }
    virtual void ShowAboutBox() {}
    virtual void ViewWebSite() {}

    // The members, in the order the window is built from them.
    ViewerHost Viewer;
    OptionsDlg Options;
    QString DocumentPath;
    QString AskedFolder;
    QPushButton *OpenButton = nullptr;
    QPushButton *DeleteButton = nullptr;
    QPushButton *InsertButton = nullptr;
    QPushButton *SplitButton = nullptr;
    QPushButton *OptionsButton = nullptr;
    QTreeWidget *PageList = nullptr;
    QList<QIcon> RowImages;
    QString OutputFolder;
    QIcon AppIcon;
    QMenuBar *MainMenu = nullptr;

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
    void OnOK() {}
    void OnCancel() {}
    void EndDialog(int result);
    void OnInitMenuPopup(QMenu *popup);
    void BuildRoutingTable();
    void ConnectCommandSources();

    SplitterApp *app_;
    QWidget *client_ = nullptr;
    QHash<int, std::function<void()>> routes_;
    bool created_ = false;
};
