// The main window: command routing, shortcut keys, ending, layout, start-up state, the
// application object's path message and recent-file entries.
#include "app/SplitterApp.h"
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "framework/MenuAdapter.h"
#include "framework/DialogUnits.h"
#include "core/SettingsStore.h"
#include "res/DialogTemplates.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace qw;

namespace {

// Records which operation each command reached.
class RecordingDlg : public SplitterDlg {
public:
    using SplitterDlg::SplitterDlg;
    QStringList calls;

    void BrowseForDocument() override { calls << "BrowseForDocument"; }
    void OpenDocument(const QString &path) override { calls << "OpenDocument " + path; }
    void InsertBreakPoint() override { calls << "InsertBreakPoint"; }
    void DeleteBreakPoint() override { calls << "DeleteBreakPoint"; }
    void CleanAllBreakPoints() override { calls << "CleanAllBreakPoints"; }
    void OnSplit() override { calls << "OnSplit"; }
    bool RunOptionsDialog() override
    {
        calls << "RunOptionsDialog";
        return false;
    }
    void ShowAboutBox() override { calls << "ShowAboutBox"; }
    void ViewWebSite() override { calls << "ViewWebSite"; }
};

// Counts the key presses that reach a widget.
class KeyCounter : public QObject {
public:
    int presses = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        presses += event->type() == QEvent::KeyPress;
        return false;
    }
};

QAction *menuCommand(SplitterDlg &dlg, int id)
{
    return MenuAdapter::FindCommand(dlg.MenuBar(), id);
}

} // namespace

class TestSplitterDlg : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void commandsReachTheirOperations_data();
    void commandsReachTheirOperations();
    void buttonsAndMenuEntriesRouteByTheirIds();
    void shortcutKeysAreTakenWhateverHasTheFocus();
    void altF4IsLeftToTheSystem();
    void enterAndEscapeDoNothing();
    void closeBoxEndsTheDialog();
    void exitEndsTheModalDialog();
    void layoutFollowsResizes_data();
    void layoutFollowsResizes();
    void windowFitsItsScreen_data();
    void windowFitsItsScreen();
    void windowOpensWithinItsScreen();
    void startUpState();
    void minimisedIconIsCentred();
    void openDocumentMessageReachesTheDialog();
    void recentFileEntriesOpenTheirFiles();
    void recentFilesSurviveARestart();

private:
    QTemporaryDir settingsDir_;
};

void TestSplitterDlg::initTestCase()
{
    // Keep the user's own settings out of reach.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    SettingsStore::SetRegistryKey(QString::fromLatin1(SplitterApp::kCompanyKey));
}

void TestSplitterDlg::commandsReachTheirOperations_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("operation");
    QTest::newRow("fileOpen") << CmdId::FileOpen << "BrowseForDocument";
    QTest::newRow("openButton") << CtrlId::OpenButton << "BrowseForDocument";
    QTest::newRow("fileOptions") << CmdId::FileOptions << "RunOptionsDialog";
    QTest::newRow("optionsButton") << CtrlId::OptionsButton << "RunOptionsDialog";
    QTest::newRow("actionInsert") << CmdId::InsertBreakPoint << "InsertBreakPoint";
    QTest::newRow("contextInsert") << CmdId::ContextInsertBreakPoint << "InsertBreakPoint";
    QTest::newRow("insertButton") << CtrlId::InsertButton << "InsertBreakPoint";
    QTest::newRow("actionDelete") << CmdId::DeleteBreakPoint << "DeleteBreakPoint";
    QTest::newRow("contextDelete") << CmdId::ContextDeleteBreakPoint << "DeleteBreakPoint";
    QTest::newRow("deleteButton") << CtrlId::DeleteButton << "DeleteBreakPoint";
    QTest::newRow("actionClean") << CmdId::CleanAllBreakPoints << "CleanAllBreakPoints";
    QTest::newRow("contextClean") << CmdId::ContextCleanAllBreakPoints << "CleanAllBreakPoints";
    QTest::newRow("actionSplit") << CmdId::SplitPdf << "OnSplit";
    QTest::newRow("splitButton") << CtrlId::SplitButton << "OnSplit";
    QTest::newRow("about") << CmdId::About << "ShowAboutBox";
    QTest::newRow("webSite") << CmdId::ViewWebSite << "ViewWebSite";
}

void TestSplitterDlg::commandsReachTheirOperations()
{
    QFETCH(int, id);
    QFETCH(QString, operation);
    RecordingDlg dlg;
    dlg.Create();
    QVERIFY(dlg.OnCommand(id));
    QCOMPARE(dlg.calls, QStringList{operation});
}

void TestSplitterDlg::buttonsAndMenuEntriesRouteByTheirIds()
{
    RecordingDlg dlg;
    dlg.Create();
    dlg.show();
    QTest::mouseClick(probe::Button(dlg, CtrlId::OpenButton), Qt::LeftButton);
    QTest::mouseClick(probe::Button(dlg, CtrlId::OptionsButton), Qt::LeftButton);
    QTest::mouseClick(probe::Button(dlg, CtrlId::InsertButton), Qt::LeftButton); // disabled: nothing happens
    probe::Button(dlg, CtrlId::InsertButton)->setEnabled(true);
    QTest::mouseClick(probe::Button(dlg, CtrlId::InsertButton), Qt::LeftButton);
    menuCommand(dlg, CmdId::About)->trigger();
    menuCommand(dlg, CmdId::FileOpen)->trigger();
    QCOMPARE(dlg.calls, QStringList({"BrowseForDocument", "RunOptionsDialog", "InsertBreakPoint", "ShowAboutBox",
                                     "BrowseForDocument"}));
    QVERIFY(!dlg.OnCommand(4242));
}

void TestSplitterDlg::shortcutKeysAreTakenWhateverHasTheFocus()
{
    RecordingDlg dlg;
    dlg.Create();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    KeyCounter listKeys;
    probe::PageList(dlg)->installEventFilter(&listKeys);
    probe::PageList(dlg)->setFocus();

    // The Action items are greyed at start; the keys run their commands all the same.
    for (Qt::Key key : {Qt::Key_F2, Qt::Key_F3, Qt::Key_Delete, Qt::Key_F4, Qt::Key_F5})
        QTest::keyClick(probe::PageList(dlg), key);
    QCOMPARE(dlg.calls, QStringList({"InsertBreakPoint", "DeleteBreakPoint", "DeleteBreakPoint", "CleanAllBreakPoints",
                                     "OnSplit"}));
    QCOMPARE(listKeys.presses, 0);
    QTest::keyClick(probe::PageList(dlg), Qt::Key_Down);
    QCOMPARE(listKeys.presses, 1);

    dlg.calls.clear();
    QTest::keyClick(probe::Button(dlg, CtrlId::OpenButton), Qt::Key_F2);
    QTest::keyClick(&dlg, Qt::Key_Delete);
    QTest::keyClick(probe::PageList(dlg), Qt::Key_F5, Qt::ControlModifier);
    QCOMPARE(dlg.calls, QStringList({"InsertBreakPoint", "DeleteBreakPoint", "OnSplit"}));
}

void TestSplitterDlg::altF4IsLeftToTheSystem()
{
    RecordingDlg dlg;
    dlg.Create();
    dlg.show();
    QTest::keyClick(probe::PageList(dlg), Qt::Key_F4, Qt::AltModifier);
    QVERIFY(dlg.calls.isEmpty());
}

void TestSplitterDlg::enterAndEscapeDoNothing()
{
    RecordingDlg dlg;
    dlg.Create();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    probe::PageList(dlg)->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(probe::PageList(dlg), key);
        QTest::keyClick(&dlg, key);
    }
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.result(), 0);
    QVERIFY(dlg.calls.isEmpty());
    dlg.reject();
    QVERIFY(dlg.isVisible());
}

void TestSplitterDlg::closeBoxEndsTheDialog()
{
    RecordingDlg dlg;
    dlg.Create();
    dlg.show();
    QVERIFY(dlg.close());
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(CtrlId::Cancel));
}

void TestSplitterDlg::exitEndsTheModalDialog()
{
    RecordingDlg dlg;
    QTimer::singleShot(0, &dlg, [&dlg] { menuCommand(dlg, CmdId::FileExit)->trigger(); });
    QCOMPARE(dlg.DoModal(), int(CtrlId::Cancel));
    QVERIFY(!dlg.isVisible());
}

void TestSplitterDlg::layoutFollowsResizes_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("large") << QSize(1200, 900);
    QTest::newRow("small") << QSize(400, 300);
    QTest::newRow("smallerThanTheOffsets") << QSize(100, 40);
}

void TestSplitterDlg::layoutFollowsResizes()
{
    QFETCH(QSize, size);
    RecordingDlg dlg;
    dlg.Create();
    dlg.show();
    dlg.resize(size);
    QTRY_COMPARE(dlg.size(), size);
    QWidget *client = dlg.ClientArea();
    const int menuHeight = dlg.MenuBar()->height();
    QVERIFY(menuHeight > 0);
    QCOMPARE(client->geometry(), QRect(0, menuHeight, size.width(), size.height() - menuHeight));
    const int w = client->width();
    const int h = client->height();
    QCOMPARE(probe::PageList(dlg)->geometry(), QRect(5, 60, 130, qMax(0, h - 62)));
    QCOMPARE(dlg.Preview().geometry(), QRect(140, 60, qMax(0, w - 140), qMax(0, h - 60)));
    QCOMPARE(dlg.Control(CtrlId::TopLine)->geometry(), QRect(0, 0, w, 2));
    // The buttons keep their template places along the top.
    QCOMPARE(probe::Button(dlg, CtrlId::OpenButton)->y(), probe::Button(dlg, CtrlId::SplitButton)->y());
    QVERIFY(probe::Button(dlg, CtrlId::OpenButton)->x() < probe::Button(dlg, CtrlId::InsertButton)->x());
    QVERIFY(probe::Button(dlg, CtrlId::OpenButton)->geometry().bottom() < 60);
}

namespace {

// The buttons are whole and clear of the list and the preview, which have room for some rows
// and some page; all of them inside the client area.
void verifyControlsReachable(SplitterDlg &dlg)
{
    const QRect client = dlg.ClientArea()->rect();
    const QRect list = probe::PageList(dlg)->geometry();
    const QRect preview = dlg.Preview().geometry();
    for (int id : {CtrlId::OpenButton, CtrlId::InsertButton, CtrlId::DeleteButton, CtrlId::OptionsButton,
                   CtrlId::SplitButton}) {
        const QRect button = probe::Button(dlg, id)->geometry();
        QVERIFY2(client.contains(button), qPrintable(QString::number(id)));
        QVERIFY(!button.intersects(list) && !button.intersects(preview));
    }
    QVERIFY(client.contains(list) && client.contains(preview));
    QVERIFY(list.height() >= 10 * probe::PageList(dlg)->fontMetrics().height());
    QVERIFY(preview.width() >= 400 && preview.height() >= list.height());
}

} // namespace

void TestSplitterDlg::windowFitsItsScreen_data()
{
    QTest::addColumn<QRect>("available"); // the screen's free area, in logical pixels
    QTest::newRow("fullHdAt200Percent") << QRect(0, 0, 960, 540);
    QTest::newRow("fullHdAt200PercentAboveATaskbar") << QRect(0, 0, 960, 500);
    QTest::newRow("hdAt150Percent") << QRect(0, 0, 1280, 680);
    QTest::newRow("secondScreenAt200Percent") << QRect(1920, 0, 960, 540);
    QTest::newRow("roomForTheTemplate") << QRect(0, 0, 1920, 1040);
}

// The window and its frame fit the screen's free area: at the template's size where there is
// room, else smaller, the buttons whole at their places and the list and the preview shorter.
void TestSplitterDlg::windowFitsItsScreen()
{
    QFETCH(QRect, available);
    RecordingDlg dlg;
    dlg.Create();
    const DialogTemplate *main = FindDialogTemplate(ResId::MainDialog);
    const QSize client = DialogUnits::ForFont(dlg.font()).ToPixels(main->size);
    const QSize full(client.width(), client.height() + dlg.MenuBar()->sizeHint().height());
    dlg.FitInto(available);
    const QRect frame(dlg.pos(), dlg.size().grownBy(SplitterDlg::kFrameAllowance));
    QVERIFY(available.contains(frame));
    if (available.width() >= 1600)
        QCOMPARE(dlg.size(), full);
    else
        QCOMPARE(dlg.size(), available.size().shrunkBy(SplitterDlg::kFrameAllowance).boundedTo(full));
    // Nothing asks for more than the screen has.
    const QSize room = available.size().shrunkBy(SplitterDlg::kFrameAllowance);
    QVERIFY(dlg.minimumSizeHint().width() <= room.width() && dlg.minimumSizeHint().height() <= room.height());
    QVERIFY(dlg.minimumSize().width() <= room.width() && dlg.minimumSize().height() <= room.height());

    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.size(), frame.size().shrunkBy(SplitterDlg::kFrameAllowance));
    verifyControlsReachable(dlg);
}

// As the program opens it, on the screen it runs on (the offscreen one is smaller than the template).
void TestSplitterDlg::windowOpensWithinItsScreen()
{
    RecordingDlg dlg;
    dlg.Create();
    const QRect available = dlg.screen()->availableGeometry();
    const QRect frame(dlg.pos(), dlg.size().grownBy(SplitterDlg::kFrameAllowance));
    QVERIFY(available.contains(frame));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(available.contains(dlg.frameGeometry()));
    verifyControlsReachable(dlg);
}

void TestSplitterDlg::startUpState()
{
    RecordingDlg dlg;
    QVERIFY(dlg.DocumentPath.isEmpty());
    dlg.Create();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Quirewright v2.0"));
    QVERIFY(!dlg.windowIcon().isNull());
    QVERIFY(!dlg.QueryDragIcon().isNull());
    QVERIFY(dlg.acceptDrops());

    QVERIFY(probe::Button(dlg, CtrlId::OpenButton)->isEnabled());
    QVERIFY(probe::Button(dlg, CtrlId::OptionsButton)->isEnabled());
    QVERIFY(!probe::Button(dlg, CtrlId::InsertButton)->isEnabled());
    QVERIFY(!probe::Button(dlg, CtrlId::DeleteButton)->isEnabled());
    QVERIFY(!probe::Button(dlg, CtrlId::SplitButton)->isEnabled());

    QWidget *action = dlg.ActionPopup();
    QVERIFY(action);
    for (int id : {CmdId::InsertBreakPoint, CmdId::DeleteBreakPoint, CmdId::CleanAllBreakPoints, CmdId::SplitPdf})
        QCOMPARE(MenuAdapter::StateOf(action, id, 0), MenuFlag::Grayed | MenuFlag::Disabled | MenuFlag::OwnerDraw);
    for (int id : {CmdId::FileOpen, CmdId::FileOptions, CmdId::FileExit, CmdId::About, CmdId::ViewWebSite})
        QVERIFY(menuCommand(dlg, id)->isEnabled());

    QCOMPARE(probe::PageList(dlg)->model()->columnCount(), 1);
    QCOMPARE(probe::PageList(dlg)->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Page No."));
    QCOMPARE(probe::PageList(dlg)->model()->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignCenter));
    QCOMPARE(probe::PageList(dlg)->columnWidth(0), 120);
    QCOMPARE(probe::RowCount(dlg), 0);
    QCOMPARE(probe::PageList(dlg)->selectionMode(), QAbstractItemView::SingleSelection);
}

void TestSplitterDlg::minimisedIconIsCentred()
{
    QCOMPARE(SplitterDlg::MinimisedIconOrigin(QSize(100, 80), QSize(32, 32)), QPoint(34, 24));
    QCOMPARE(SplitterDlg::MinimisedIconOrigin(QSize(101, 81), QSize(32, 32)), QPoint(35, 25));
    QCOMPARE(SplitterDlg::MinimisedIconOrigin(QSize(20, 20), QSize(32, 32)), QPoint(-5, -5));
}

void TestSplitterDlg::openDocumentMessageReachesTheDialog()
{
    SplitterApp app;
    RecordingDlg dlg(&app);
    dlg.Create();
    QVERIFY(app.OpenDocumentFile("/nowhere/a b.pdf")); // reported even with no dialog to open it
    app.SetMainWindow(&dlg);
    QVERIFY(app.OpenDocumentFile("/nowhere/a b.pdf"));
    QCOMPARE(dlg.calls, QStringList({"OpenDocument /nowhere/a b.pdf"}));
}

void TestSplitterDlg::recentFileEntriesOpenTheirFiles()
{
    SplitterApp app;
    app.AddToRecentFileList("/docs/old.pdf");
    app.AddToRecentFileList("/docs/new.pdf");
    RecordingDlg dlg(&app);
    app.SetMainWindow(&dlg);
    dlg.Create();
    QMenu *file = MenuAdapter::SubMenuAt(dlg.MenuBar(), 0);
    emit file->aboutToShow();
    QAction *second = MenuAdapter::FindCommand(file, CmdId::RecentFileFirst + 1);
    QVERIFY(second);
    QCOMPARE(second->text(), QStringLiteral("&2 /docs/old.pdf"));
    second->trigger();
    QCOMPARE(dlg.calls, QStringList({"OpenDocument /docs/old.pdf"}));
    // The entry stays even though nothing was opened.
    QCOMPARE(app.RecentFiles().paths(), QStringList({"/docs/new.pdf", "/docs/old.pdf"}));
    // Opening the menu again shows each file once.
    emit file->aboutToShow();
    QCOMPARE(MenuAdapter::ItemCount(file), 8);
}

void TestSplitterDlg::recentFilesSurviveARestart()
{
    {
        SplitterApp app;
        for (const char *p : {"/d/1.pdf", "/d/2.pdf", "/d/3.pdf", "/d/4.pdf", "/d/5.pdf"})
            app.AddToRecentFileList(QString::fromLatin1(p));
        QCOMPARE(app.ExitInstance(), 0);
    }
    SplitterApp app;
    app.LoadStdProfileSettings();
    QCOMPARE(app.RecentFiles().paths(), QStringList({"/d/5.pdf", "/d/4.pdf", "/d/3.pdf", "/d/2.pdf"}));
}

QTEST_MAIN(TestSplitterDlg)
#include "tst_splitterdlg.moc"
