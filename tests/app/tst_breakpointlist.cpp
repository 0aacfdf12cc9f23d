// The break point list and opening documents, driven by real keys and clicks on the real list.
// The engine is a stand-in beside this program that reports $FAKE_PAGES pages; size plans it
// leaves to the real engine.
#include "app/SplitterApp.h"
#include "app/PlaceBreakPointsDlg.h"
#include "app/ProgressPanel.h"
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "framework/AppMessageBox.h"
#include "framework/FileDialogs.h"
#include "framework/MenuAdapter.h"
#include "framework/MenuTracker.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"
#include "split/BreakPointModel.h"
#include "split/EngineRunner.h"
#include "support/StandInEngine.h"
#include "EngineProcess.h"
#include "PdfFixtures.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QApplication>
#include <QScopeGuard>
#include <QTest>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <QTreeView>

using namespace qw;

namespace {

const QByteArray kFakeEngine = R"(#!/bin/sh
for last in "$@"; do :; done
if [ "$2" = size_plan ]; then
  exec "$REAL_ENGINE" "$@"
elif [ "$2" = page_facts ]; then
  [ -n "$FAKE_SLOW" ] && sleep "$FAKE_SLOW"
  printf '%b' "$FAKE_FACTS" > "$last"
else
  printf 'NumberOfPages: %s\n%b' "$FAKE_PAGES" "$FAKE_OUTLINE" > "$last"
fi
)";

// Chapters at pages 5 and 9 of 12, a section at page 6.
const QByteArray kOutline = "BookmarkBegin\nBookmarkTitle: One\nBookmarkLevel: 1\nBookmarkPageNumber: 5\n"
                            "BookmarkBegin\nBookmarkTitle: One.1\nBookmarkLevel: 2\nBookmarkPageNumber: 6\n"
                            "BookmarkBegin\nBookmarkTitle: Two\nBookmarkLevel: 1\nBookmarkPageNumber: 9\n";

const QString BP = QStringLiteral("BreakPoint");
// In place of a separator kind: break points where a value in the pages' text changes.
constexpr int kAtChanges = -1;

// The states a menu entry can be seen in.
enum State { Enabled, Greyed };

State stateOf(QWidget *menu, int id)
{
    return MenuAdapter::StateOf(menu, id, 0) & (MenuFlag::Grayed | MenuFlag::Disabled) ? Greyed : Enabled;
}

} // namespace

class TestBreakPointList : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void openingFillsTheListAndSelectsPageOne();
    void insertBeforeASelectedPage();
    void deleteKeyRemovesTheSelectedBreakPoint();
    void breakPointsAreNeverDoubledOrFirst();
    void deleteOnAPageRowChangesNothing();
    void cleanAllRemovesEveryBreakPointInOneStep();
    void commandsWithoutSelectionDoNothing();
    void leftClickOnABreakPointOpensTheMenu();
    void rightClickMenuFollowsTheSelectedRow_data();
    void rightClickMenuFollowsTheSelectedRow();
    void contextMenuCommandsRunAfterTheMenuCloses();
    void leavePageOutFromTheContextMenu();
    void onePageDocument();
    void reopeningDiscardsBreakPoints();
    void failedCountLeavesTheListEmpty();
    void droppedFilesOpenTheFirstPdf();
    void openFileDialogOpensTheChosenFile();
    void documentNamedAtStartIsOpened();
    void placeBreakPoints_data();
    void placeBreakPoints();
    void placeAtSeparatorSheets_data();
    void placeAtSeparatorSheets();
    void placeBySize_data();
    void placeBySize();
    void buttonsAndMenuShowTheCommandsActions();
    void undoAndRedo_data();
    void undoAndRedo();

private:
    void open(int pages, const QString &path = QStringLiteral("/docs/a doc.pdf"));
    QStringList rows() const;
    QString selected() const;
    void select(int row);
    void clickRow(int row, Qt::MouseButton button);
    void key(Qt::Key key) { QTest::keyClick(probe::PageList(*dlg_), key); }
    QWidget *action() const { return dlg_->ActionPopup(); }
    int selectedRow() const;
    QList<State> insertAndDelete() const;
    void placeAtLevel(int level);
    static QByteArray statementFacts();
    // Places break points at separators through the dialog, with an engine that takes its time.
    void startSlowSeparatorPlan();

    std::unique_ptr<SplitterApp> app_;
    std::unique_ptr<SplitterDlg> dlg_;
    QStringList messages_;
    QList<QList<State>> menusShown_;
    int menuAnswer_ = 0;
    QStringList leaveOutShown_; // "Leave Page Out" as each menu showed it: "greyed", "checked" or "enabled"
    QTemporaryDir settings_;
};

void TestBreakPointList::initTestCase()
{
    QVERIFY(InstallStandInEngine(kFakeEngine));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
}

void TestBreakPointList::init()
{
    qputenv("FAKE_SLOW", "");
    messages_.clear();
    menusShown_.clear();
    menuAnswer_ = 0;
    leaveOutShown_.clear();
    AppMessageBox::SetResponder([this](const QString &text, unsigned) {
        messages_ << text;
        return MsgBox::IdOk;
    });
    MenuTracker::SetResponder([this](QMenu *menu, QPoint) {
        menusShown_.append({stateOf(menu, CmdId::ContextInsertBreakPoint),
                            stateOf(menu, CmdId::ContextDeleteBreakPoint),
                            stateOf(menu, CmdId::ContextCleanAllBreakPoints)});
        const unsigned flags = MenuAdapter::StateOf(menu, CmdId::ContextLeavePageOut, 0);
        leaveOutShown_ << (flags & MenuFlag::Grayed ? "greyed" : flags & MenuFlag::Checked ? "checked" : "enabled");
        return menuAnswer_;
    });
    app_ = std::make_unique<SplitterApp>();
    dlg_ = std::make_unique<SplitterDlg>(app_.get());
    app_->SetMainWindow(dlg_.get());
    dlg_->Create();
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
}

void TestBreakPointList::cleanup()
{
    dlg_.reset();
    app_.reset();
    AppMessageBox::SetResponder({});
    MenuTracker::SetResponder({});
    FileDialogs::SetOpenFileResponder({});
    // Nothing here ever has reason to show a message.
    QCOMPARE(messages_, QStringList());
}

void TestBreakPointList::open(int pages, const QString &path)
{
    qputenv("FAKE_PAGES", QByteArray::number(pages));
    probe::Open(*dlg_, path);
}

QStringList TestBreakPointList::rows() const
{
    QStringList texts;
    for (int i = 0; i < probe::RowCount(*dlg_); ++i)
        texts << probe::RowText(*dlg_, i);
    return texts;
}

QString TestBreakPointList::selected() const
{
    const int row = probe::SelectedRow(*dlg_);
    return row < 0 ? QString() : probe::RowText(*dlg_, row);
}

void TestBreakPointList::select(int row)
{
    clickRow(row, Qt::LeftButton);
}

void TestBreakPointList::clickRow(int row, Qt::MouseButton button)
{
    QTreeView *list = probe::PageList(*dlg_);
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), button, {}, rect.center());
}

void TestBreakPointList::openingFillsTheListAndSelectsPageOne()
{
    open(3);
    QCOMPARE(rows(), QStringList({"1", "2", "3"}));
    QCOMPARE(selected(), QStringLiteral("1"));
    QCOMPARE(dlg_->DocumentPath, QStringLiteral("/docs/a doc.pdf"));
    QCOMPARE(app_->RecentFiles().paths().first(), QStringLiteral("/docs/a doc.pdf"));
    QVERIFY(probe::PageList(*dlg_)->hasFocus());
    QVERIFY(!probe::Button(*dlg_, CtrlId::InsertButton)->isEnabled());
    QVERIFY(!probe::Button(*dlg_, CtrlId::DeleteButton)->isEnabled());
    QVERIFY(probe::Button(*dlg_, CtrlId::SplitButton)->isEnabled());
    QCOMPARE(stateOf(action(), CmdId::SplitPdf), Enabled);
    QCOMPARE(stateOf(action(), CmdId::InsertBreakPoint), Greyed);
    QCOMPARE(stateOf(action(), CmdId::DeleteBreakPoint), Greyed);
    QVERIFY(dlg_->Breaks().HasRowImages());
    QVERIFY(!probe::RowIcon(*dlg_, 0).isNull());
}

void TestBreakPointList::insertBeforeASelectedPage()
{
    open(4);
    key(Qt::Key_Down);
    QCOMPARE(selected(), QStringLiteral("2"));
    QVERIFY(probe::Button(*dlg_, CtrlId::InsertButton)->isEnabled());
    QCOMPARE(stateOf(action(), CmdId::InsertBreakPoint), Enabled);
    QCOMPARE(stateOf(action(), CmdId::CleanAllBreakPoints), Greyed);

    key(Qt::Key_F2);
    QCOMPARE(rows(), QStringList({"1", BP, "2", "3", "4"}));
    QCOMPARE(selected(), QStringLiteral("2"));
    QVERIFY(!probe::Button(*dlg_, CtrlId::InsertButton)->isEnabled());
    QCOMPARE(stateOf(action(), CmdId::InsertBreakPoint), Greyed);
    key(Qt::Key_F2);
    QCOMPARE(rows(), QStringList({"1", BP, "2", "3", "4"}));

    // The button and both menu commands insert too.
    select(4);
    QTest::mouseClick(probe::Button(*dlg_, CtrlId::InsertButton), Qt::LeftButton);
    QCOMPARE(rows(), QStringList({"1", BP, "2", "3", BP, "4"}));
    QCOMPARE(probe::RowIcon(*dlg_, 4).isNull(), false);
}

void TestBreakPointList::deleteKeyRemovesTheSelectedBreakPoint()
{
    open(3);
    key(Qt::Key_Down);
    key(Qt::Key_F2);
    key(Qt::Key_Up);
    QCOMPARE(selected(), BP);
    QVERIFY(probe::Button(*dlg_, CtrlId::DeleteButton)->isEnabled());
    QVERIFY(!probe::Button(*dlg_, CtrlId::InsertButton)->isEnabled());
    QCOMPARE(stateOf(action(), CmdId::DeleteBreakPoint), Enabled);
    QCOMPARE(stateOf(action(), CmdId::CleanAllBreakPoints), Enabled);
    QCOMPARE(stateOf(action(), CmdId::InsertBreakPoint), Greyed);

    key(Qt::Key_Delete);
    QCOMPARE(rows(), QStringList({"1", "2", "3"}));
    QCOMPARE(selected(), QStringLiteral("2"));
    QVERIFY(probe::Button(*dlg_, CtrlId::InsertButton)->isEnabled());
    QVERIFY(!probe::Button(*dlg_, CtrlId::DeleteButton)->isEnabled());
    QCOMPARE(stateOf(action(), CmdId::InsertBreakPoint), Enabled);
    QCOMPARE(stateOf(action(), CmdId::DeleteBreakPoint), Greyed);
    QCOMPARE(stateOf(action(), CmdId::CleanAllBreakPoints), Greyed);
    QVERIFY(probe::PageList(*dlg_)->hasFocus());
}

void TestBreakPointList::breakPointsAreNeverDoubledOrFirst()
{
    open(4);
    select(2);
    key(Qt::Key_F2); // before 3
    select(2); // the break point row enables Clean All
    select(3); // page 3, right after the break point
    QCOMPARE(selected(), QStringLiteral("3"));
    QVERIFY(!probe::Button(*dlg_, CtrlId::InsertButton)->isEnabled());
    QVERIFY(!probe::Button(*dlg_, CtrlId::DeleteButton)->isEnabled());
    QCOMPARE(stateOf(action(), CmdId::CleanAllBreakPoints), Enabled); // left as it was
    key(Qt::Key_F2);
    select(0);
    key(Qt::Key_F2);
    QCOMPARE(rows(), QStringList({"1", "2", BP, "3", "4"}));
    // Only the last page row can follow the last break point: none is ever placed last.
    select(4);
    key(Qt::Key_F2);
    QCOMPARE(rows().last(), QStringLiteral("4"));
}

void TestBreakPointList::deleteOnAPageRowChangesNothing()
{
    open(3);
    select(1);
    key(Qt::Key_F2);
    select(2);
    for (Qt::Key k : {Qt::Key_F3, Qt::Key_Delete})
        key(k);
    QTest::mouseClick(probe::Button(*dlg_, CtrlId::DeleteButton), Qt::LeftButton);
    QCOMPARE(rows(), QStringList({"1", BP, "2", "3"}));
    QCOMPARE(selected(), QStringLiteral("2"));
}

void TestBreakPointList::cleanAllRemovesEveryBreakPointInOneStep()
{
    open(9);
    for (int row : {1, 3, 5, 7, 9, 11, 13, 15}) {
        select(row);
        key(Qt::Key_F2);
    }
    QCOMPARE(rows().count(BP), 8);
    QCOMPARE(rows().size(), 17);
    select(1);
    QCOMPARE(selected(), BP);
    key(Qt::Key_F4);
    QCOMPARE(rows(), QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    // Nothing else changes until another row is selected: no selection, states as they were.
    QCOMPARE(selected(), QString());
    QVERIFY(probe::Button(*dlg_, CtrlId::DeleteButton)->isEnabled());
    QCOMPARE(stateOf(action(), CmdId::DeleteBreakPoint), Enabled);

    // On a list without break points, or an empty one, it changes nothing.
    key(Qt::Key_F4);
    QCOMPARE(rows().size(), 9);
}

void TestBreakPointList::commandsWithoutSelectionDoNothing()
{
    for (Qt::Key k : {Qt::Key_F2, Qt::Key_F3, Qt::Key_Delete, Qt::Key_F4})
        key(k); // empty list
    QVERIFY(rows().isEmpty());
    QTest::mouseClick(probe::PageList(*dlg_)->viewport(), Qt::RightButton, {}, QPoint(20, 20));
    QVERIFY(menusShown_.isEmpty());

    open(3);
    select(1);
    key(Qt::Key_F2);
    select(1);
    key(Qt::Key_F4); // removes the selected break point: no row is selected now
    probe::Button(*dlg_, CtrlId::InsertButton)->setEnabled(true);
    key(Qt::Key_F2);
    key(Qt::Key_F3);
    QCOMPARE(rows(), QStringList({"1", "2", "3"}));
}

void TestBreakPointList::leftClickOnABreakPointOpensTheMenu()
{
    open(3);
    select(1);
    QVERIFY(menusShown_.isEmpty()); // a page row shows no menu
    key(Qt::Key_F2);
    select(1);
    QCOMPARE(selected(), BP);
    QCOMPARE(menusShown_.size(), 1);
    QCOMPARE(menusShown_.first(), QList<State>({Greyed, Enabled, Enabled}));
}

void TestBreakPointList::rightClickMenuFollowsTheSelectedRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<State>>("menu");
    QTest::addColumn<bool>("insert");
    QTest::addColumn<bool>("remove");
    // Rows: 1, BreakPoint, 2, 3
    QTest::newRow("breakPointRow") << 1 << QList<State>{Greyed, Enabled, Enabled} << false << true;
    QTest::newRow("insertablePageRow") << 3 << QList<State>{Enabled, Greyed, Greyed} << true << false;
    QTest::newRow("pageOne") << 0 << QList<State>{Greyed, Greyed, Enabled} << false << false;
    QTest::newRow("pageAfterBreakPoint") << 2 << QList<State>{Greyed, Greyed, Enabled} << false << false;
}

void TestBreakPointList::rightClickMenuFollowsTheSelectedRow()
{
    QFETCH(int, row);
    QFETCH(QList<State>, menu);
    QFETCH(bool, insert);
    QFETCH(bool, remove);
    open(3);
    select(1);
    key(Qt::Key_F2);
    clickRow(row, Qt::RightButton);
    QCOMPARE(probe::PageList(*dlg_)->currentIndex().row(), row);
    QCOMPARE(menusShown_.size(), 1);
    QCOMPARE(menusShown_.last(), menu);
    QCOMPARE(probe::Button(*dlg_, CtrlId::InsertButton)->isEnabled(), insert);
    QCOMPARE(probe::Button(*dlg_, CtrlId::DeleteButton)->isEnabled(), remove);
    QCOMPARE(stateOf(action(), CmdId::InsertBreakPoint), insert ? Enabled : Greyed);
    QCOMPARE(stateOf(action(), CmdId::DeleteBreakPoint), remove ? Enabled : Greyed);
}

void TestBreakPointList::contextMenuCommandsRunAfterTheMenuCloses()
{
    open(3);
    select(2);
    menuAnswer_ = CmdId::ContextInsertBreakPoint;
    clickRow(2, Qt::RightButton);
    QTRY_COMPARE(rows(), QStringList({"1", "2", BP, "3"}));
    menuAnswer_ = CmdId::ContextDeleteBreakPoint;
    clickRow(2, Qt::RightButton);
    QTRY_COMPARE(rows(), QStringList({"1", "2", "3"}));
    QCOMPARE(selected(), QStringLiteral("3"));
}

// The entry added to the context menu leaves the selected page out of every part and takes it
// back in; its row looks apart, the parts skip it, and undo takes the leave-out back.
void TestBreakPointList::leavePageOutFromTheContextMenu()
{
    open(4);
    select(2);
    key(Qt::Key_F2); // rows: 1, 2, BreakPoint, 3, 4
    menuAnswer_ = CmdId::ContextLeavePageOut;
    clickRow(4, Qt::RightButton);
    QTRY_VERIFY(dlg_->Breaks().IsLeftOut(4));
    QVERIFY(probe::PageList(*dlg_)->model()->index(4, 0).data(BreakPointModel::LeftOutRole).toBool());
    QCOMPARE(dlg_->Preview().Note(), QStringLiteral("Page 4 is left out of every part"));
    QVERIFY(probe::RowIcon(*dlg_, 4).pixmap(32).toImage() != probe::RowIcon(*dlg_, 3).pixmap(32).toImage());
    QCOMPARE(dlg_->Breaks().Parts(), (QList<PartRange>{{1, 2, 1, 2}, {3, 3, 2, 2}}));

    menuAnswer_ = 0;
    clickRow(4, Qt::RightButton);
    clickRow(2, Qt::RightButton);
    menuAnswer_ = CmdId::ContextLeavePageOut;
    clickRow(4, Qt::RightButton);
    QTRY_VERIFY(!dlg_->Breaks().IsLeftOut(4));
    QCOMPARE(dlg_->Preview().Note(), QString());
    QCOMPARE(leaveOutShown_, QStringList({"enabled", "checked", "greyed", "checked"}));

    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(dlg_->Breaks().IsLeftOut(4));
    QCOMPARE(rows(), QStringList({"1", "2", BP, "3", "4"}));
}

void TestBreakPointList::onePageDocument()
{
    open(1);
    QCOMPARE(rows(), QStringList{"1"});
    key(Qt::Key_F2);
    QCOMPARE(rows(), QStringList{"1"});
    QVERIFY(!probe::Button(*dlg_, CtrlId::InsertButton)->isEnabled());
    QVERIFY(probe::Button(*dlg_, CtrlId::SplitButton)->isEnabled());
}

void TestBreakPointList::reopeningDiscardsBreakPoints()
{
    open(3);
    select(1);
    key(Qt::Key_F2);
    open(3);
    QCOMPARE(rows(), QStringList({"1", "2", "3"}));
    open(2, "/docs/other.pdf");
    QCOMPARE(rows(), QStringList({"1", "2"}));
    QCOMPARE(app_->RecentFiles().paths(), QStringList({"/docs/other.pdf", "/docs/a doc.pdf"}));
}

void TestBreakPointList::failedCountLeavesTheListEmpty()
{
    open(3);
    open(0, "/docs/broken.pdf");
    QVERIFY(rows().isEmpty());
    QCOMPARE(dlg_->DocumentPath, QStringLiteral("/docs/broken.pdf"));
    QCOMPARE(app_->RecentFiles().paths().first(), QStringLiteral("/docs/broken.pdf"));
    QVERIFY(!dlg_->Breaks().HasRowImages());
    // Splitting stays available from the earlier document; it finds nothing to split.
    QVERIFY(probe::Button(*dlg_, CtrlId::SplitButton)->isEnabled());

    // Opened through its recent-file entry, a file that cannot be counted keeps the entry.
    app_->OnCommand(CmdId::RecentFileFirst);
    QCOMPARE(app_->RecentFiles().paths().first(), QStringLiteral("/docs/broken.pdf"));
    QCOMPARE(app_->RecentFiles().size(), 2);
}

void TestBreakPointList::droppedFilesOpenTheFirstPdf()
{
    qputenv("FAKE_PAGES", "2");
    const auto drop = [this](const QStringList &paths) {
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        urls << QUrl("https://example.org/remote.pdf"); // not a local file: never opened
        QMimeData data;
        data.setUrls(urls);
        dlg_->OnDropFiles(SplitterDlg::DroppedPaths(&data));
        probe::WaitUntilIdle(*dlg_);
    };
    drop({"/in/notes.txt", "/in/Scan.PDF", "/in/second.pdf"});
    QCOMPARE(dlg_->DocumentPath, QStringLiteral("/in/Scan.PDF"));
    drop({"/in/a.pdf", "/in/b.pdf"});
    QCOMPARE(dlg_->DocumentPath, QStringLiteral("/in/a.pdf"));
    drop({"/in/odd_pdf"}); // no dot needed before the last three characters
    QCOMPARE(dlg_->DocumentPath, QStringLiteral("/in/odd_pdf"));
    drop({"/in/notes.txt", "/in/pdf.doc"});
    QCOMPARE(dlg_->DocumentPath, QStringLiteral("/in/odd_pdf"));
    QVERIFY(dlg_->acceptDrops());
}

void TestBreakPointList::openFileDialogOpensTheChosenFile()
{
    qputenv("FAKE_PAGES", "5");
    OpenFileRequest asked;
    QString answer;
    FileDialogs::SetOpenFileResponder([&](const OpenFileRequest &request) {
        asked = request;
        return answer;
    });
    QTest::mouseClick(probe::Button(*dlg_, CtrlId::OpenButton), Qt::LeftButton); // cancelled
    QVERIFY(rows().isEmpty());
    QCOMPARE(asked.defaultSuffix, QStringLiteral("PDF"));
    QCOMPARE(asked.nameFilters.size(), 3);
    QVERIFY(asked.nameFilters.first().startsWith("All Supported Formats"));
    QVERIFY(asked.nameFilters.at(1).startsWith("PDF Files (*.pdf"));

    answer = "/docs/chosen.pdf";
    MenuAdapter::FindCommand(dlg_->MenuBar(), CmdId::FileOpen)->trigger();
    QCOMPARE(dlg_->DocumentPath, answer);
    QVERIFY(probe::WaitUntilIdle(*dlg_));
    QCOMPARE(rows().size(), 5);
    // Ctrl+O asks too; O alone is the list's own key.
    answer = "/docs/by key.pdf";
    key(Qt::Key_O);
    QCOMPARE(dlg_->DocumentPath, QStringLiteral("/docs/chosen.pdf"));
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(dlg_->DocumentPath, answer);
}

void TestBreakPointList::documentNamedAtStartIsOpened()
{
    qputenv("FAKE_PAGES", "4");
    SplitterApp app;
    QString opened;
    int rows = 0;
    QString desktopEntry;
    // Looks once the program's own dialog shows the document (or gives up after a while), then
    // ends it as the close box would.
    QElapsedTimer waited;
    waited.start();
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        SplitterDlg *main = app.MainWindow();
        if (!main || !main->isVisible())
            return;
        if (probe::RowCount(*main) == 0 && waited.elapsed() < 10000)
            return;
        opened = main->DocumentPath;
        rows = probe::RowCount(*main);
        desktopEntry = QGuiApplication::desktopFileName();
        look.stop();
        main->close();
    });
    look.start(5);
    QVERIFY(!app.InitInstance("/docs/named at start.pdf"));
    QCOMPARE(opened, QStringLiteral("/docs/named at start.pdf"));
    QCOMPARE(rows, 4);
    QCOMPARE(app.RecentFiles().paths().first(), opened);
    // The window names the desktop entry that is installed for the program, so the desktop
    // shows it with the entry's name and icon.
    QCOMPARE(desktopEntry + ".desktop", QFileInfo(QStringLiteral(QUIREWRIGHT_DESKTOP_ENTRY)).fileName());
}

void TestBreakPointList::placeBreakPoints_data()
{
    QTest::addColumn<QByteArray>("outline");
    QTest::addColumn<QString>("choice"); // a level (and what titles must contain), or "every N"
    QTest::addColumn<QString>("offered"); // the dialog's levels as shown
    QTest::addColumn<QStringList>("rows");
    const QStringList chapters{"1", "2", "3", "4", BP, "5", "6", "7", "8", BP, "9", "10", "11", "12"};
    // The break point before page 9 is there already: it stays, and is not doubled.
    QTest::newRow("chapters") << kOutline << "1"
                              << "1 (3 parts)|1 to 2 (4 parts)" << chapters;
    QTest::newRow("sections") << kOutline << "2"
                              << "1 (3 parts)|1 to 2 (4 parts)"
                              << QStringList{"1", "2", "3", "4", BP, "5", BP, "6", "7", "8", BP, "9", "10", "11", "12"};
    // Only the bookmarks whose title matches place break points; the counts follow the match.
    QTest::newRow("sectionsMatching") << kOutline << "2 ONE\\.1$"
                                      << "1 (1 part)|1 to 2 (2 parts)"
                                      << QStringList{"1", "2", "3", "4", "5", BP, "6", "7", "8", BP, "9", "10", "11", "12"};
    // Titles as manuals have them: a non-breaking space reads as a space, and \w and case follow
    // Unicode ("4.&nbsp;Memcheck", "Übersicht").
    QTest::newRow("unicodeTitles")
        << QByteArray("BookmarkBegin\nBookmarkTitle: One\nBookmarkLevel: 1\nBookmarkPageNumber: 5\n"
                      "BookmarkBegin\nBookmarkTitle: 4.\xC2\xA0Memcheck\nBookmarkLevel: 2\nBookmarkPageNumber: 6\n"
                      "BookmarkBegin\nBookmarkTitle: \xC3\x9C" "bersicht\nBookmarkLevel: 1\nBookmarkPageNumber: 9\n")
        << "2 4. MEMCHECK|^\\w+$"
        << "1 (3 parts)|1 to 2 (4 parts)"
        << QStringList{"1", "2", "3", "4", BP, "5", BP, "6", "7", "8", BP, "9", "10", "11", "12"};
    // A wrong expression is named beside its field, and places nothing.
    QTest::newRow("wrongExpression") << kOutline << "cancel (x"
                                     << "1 (1 part)|1 to 2 (1 part)"
                                     << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", BP, "9", "10", "11", "12"};
    QTest::newRow("everyFourPages") << QByteArray() << "every 4"
                                    << "" << chapters;
    QTest::newRow("cancelled") << kOutline << "cancel"
                               << "1 (3 parts)|1 to 2 (4 parts)"
                               << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", BP, "9", "10", "11", "12"};
}

void TestBreakPointList::placeBreakPoints()
{
    QFETCH(QByteArray, outline);
    QFETCH(QString, choice);
    QFETCH(QString, offered);
    QFETCH(QStringList, rows);
    // Without rows there is nothing to place break points in.
    dlg_->UpdateMenuCommandStates(action());
    QCOMPARE(stateOf(action(), CmdId::PlaceBreakPoints), Greyed);
    qputenv("FAKE_OUTLINE", outline);
    open(12);
    select(8);
    key(Qt::Key_F2);
    dlg_->UpdateMenuCommandStates(action());
    QCOMPARE(stateOf(action(), CmdId::PlaceBreakPoints), Enabled);

    QStringList levels;
    QTimer::singleShot(0, this, [&] {
        auto *place = qobject_cast<PlaceBreakPointsDlg *>(QApplication::activeModalWidget());
        QVERIFY(place);
        if (!choice.startsWith("every") && choice.contains(' '))
            QTest::keyClicks(place->BookmarkMatch, choice.section(' ', 1));
        const bool wrong = choice.endsWith("(x");
        QCOMPARE(place->MatchProblem->isVisibleTo(place), wrong);
        if (wrong)
            QCOMPARE(place->MatchProblem->text(), "Not a valid expression: missing closing parenthesis at character 2.");
        for (int i = 0; i < place->LevelCombo->count(); ++i)
            levels << place->LevelCombo->itemText(i);
        if (choice.startsWith("cancel")) {
            place->reject();
        } else if (choice.startsWith("every")) {
            QVERIFY(!place->AtBookmarks->isEnabled());
            place->PagesSpin->setValue(choice.section(' ', 1).toInt());
            QCOMPARE(place->EveryCount->text(), QStringLiteral("3 parts"));
            place->accept();
        } else {
            place->LevelCombo->setCurrentIndex(choice.section(' ', 0, 0).toInt() - 1);
            place->accept();
        }
    });
    dlg_->OnCommand(CmdId::PlaceBreakPoints);
    QVERIFY(probe::WaitUntilIdle(*dlg_));
    qputenv("FAKE_OUTLINE", "");
    QCOMPARE(levels.join('|'), offered);
    QCOMPARE(this->rows(), rows);
    QCOMPARE(dlg_->Breaks().BookmarkLevel(),
             choice.startsWith("every") || choice.startsWith("cancel") ? 0 : choice.section(' ', 0, 0).toInt());
}

void TestBreakPointList::placeAtSeparatorSheets_data()
{
    QTest::addColumn<int>("kind"); // SeparatorRule::Kind, or kAtChanges
    QTest::addColumn<QString>("text"); // what is looked for, or the expression whose value changes
    QTest::addColumn<bool>("leaveOut");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<int>>("leftOut");
    QTest::addColumn<QString>("message");
    // Page 4 is a blank sheet, page 6 a black one; pages 1, 2, 4, 5, 6, 9 and 10 begin statements
    // ("Statement of account"); a break point stands before page 9 already.
    QTest::newRow("blankSheetsLeftOut") << int(SeparatorRule::Kind::Blank) << "Statement of account" << true
                                        << QStringList{"1", "2", "3", BP, "4", "5", "6", "7", "8", BP, "9", "10"}
                                        << QList<int>{4} << "";
    QTest::newRow("darkSheetsKept") << int(SeparatorRule::Kind::Dark) << "Statement of account" << false
                                    << QStringList{"1", "2", "3", "4", "5", BP, "6", "7", "8", BP, "9", "10"}
                                    << QList<int>{} << "";
    QTest::newRow("noneFound") << int(SeparatorRule::Kind::Barcode) << "Statement of account" << true
                               << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", BP, "9", "10"} << QList<int>{}
                               << "No page has a barcode containing \"Statement of account\". The break points are "
                                  "as they were.";
    // Each statement is a part, the one-page ones too, side by side and at the end.
    QTest::newRow("statementsKept") << int(SeparatorRule::Kind::Text) << "Statement of account" << false
                                    << QStringList{"1", BP, "2", "3", BP, "4", BP, "5", BP, "6", "7", "8", BP, "9", BP,
                                                   "10"}
                                    << QList<int>{}
                                    << "Page 3 has no text to search (a scanned page has none), so the phrase cannot "
                                       "be found there.";
    // An expression finds the same statements in the pages' text.
    QTest::newRow("statementsMatched") << int(SeparatorRule::Kind::Match) << "Statement of account" << false
                                       << QStringList{"1", BP, "2", "3", BP, "4", BP, "5", BP, "6", "7", "8", BP, "9",
                                                      BP, "10"}
                                       << QList<int>{}
                                       << "Page 3 has no text to search (a scanned page has none), so the phrase "
                                          "cannot be found there.";
    // A part begins where the value the expression finds changes; pages without one stay.
    QTest::newRow("accountNumbersChange") << kAtChanges << "statement of account (\\d+)" << false
                                          << QStringList{"1", BP, "2", "3", BP, "4", BP, "5", BP, "6", "7", "8", BP,
                                                         "9", BP, "10"}
                                          << QList<int>{}
                                          << "Page 3 has no text to search (a scanned page has none), so the phrase "
                                             "cannot be found there.";
    QTest::newRow("valueNeverChanges")
        << kAtChanges << "(statement) of" << false << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", BP, "9", "10"}
        << QList<int>{}
        << "Page 3 has no text to search (a scanned page has none), so the phrase cannot be found there.Every page "
           "that \"(statement) of\" matches has the same value; the break points are as they were.";
}

// Ten pages as the engine reports them: page 4 a blank sheet, page 6 a black one, pages 1, 2,
// 4, 5, 6, 9 and 10 beginning statements ("Statement of account <page>"), page 3 a scan
// without text.
QByteArray TestBreakPointList::statementFacts()
{
    QByteArray facts = "NumberOfPages: 10\n";
    for (int page = 1; page <= 10; ++page) {
        const bool starts = QList<int>{1, 2, 4, 5, 6, 9, 10}.contains(page);
        facts += "PageFactsBegin\nPageNumber: " + QByteArray::number(page) + "\nInkShare: "
                 + (page == 4 ? "0.0010" : "0.1000") + "\nDarkShare: " + (page == 6 ? "0.9500" : "0.0100")
                 + "\nTextMatch: " + (starts ? "yes" : "no") + "\n"
                 + (page == 3 ? QByteArray("TextFound: no\n")
                              : "PageText: " + QByteArray(starts ? "Statement of account " : "Balance ")
                                    + QByteArray::number(page) + "\n");
    }
    return facts;
}

// The engine's page facts (here a stand-in's) make break points and pages left out in one
// step, which undo takes back whole.
void TestBreakPointList::placeAtSeparatorSheets()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(bool, leaveOut);
    QFETCH(QStringList, rows);
    QFETCH(QList<int>, leftOut);
    QFETCH(QString, message);
    qputenv("FAKE_FACTS", statementFacts());
    open(10);
    select(8);
    key(Qt::Key_F2);
    QTimer::singleShot(0, this, [&] {
        auto *place = qobject_cast<PlaceBreakPointsDlg *>(QApplication::activeModalWidget());
        QVERIFY(place);
        if (kind == kAtChanges) {
            QTest::keyClicks(place->ChangeExpression, text);
            QVERIFY(place->AtChanges->isChecked());
            place->accept();
            return;
        }
        place->AtSeparators->setChecked(true);
        place->SeparatorKind->setCurrentIndex(place->SeparatorKind->findData(kind));
        place->SeparatorText->setText(text);
        place->LeaveOut->setChecked(leaveOut);
        // The dialog says which rule applies: pages found by what they say start documents.
        const bool starts = !leaveOut && kind != int(SeparatorRule::Kind::Blank) && kind != int(SeparatorRule::Kind::Dark);
        QCOMPARE(place->SeparatorRuleNote->text().startsWith("Each page found is the first page"), starts);
        place->accept();
    });
    dlg_->OnCommand(CmdId::PlaceBreakPoints);
    QVERIFY(probe::WaitUntilIdle(*dlg_));
    QCOMPARE(this->rows(), rows);
    QCOMPARE(dlg_->Breaks().LeftOutPages(), leftOut);
    QCOMPARE(messages_.join(""), message);
    messages_.clear();
    if (message.startsWith("No page") || message.contains("same value"))
        return; // nothing was placed, so there is nothing to undo
    dlg_->OnCommand(CmdId::Undo);
    QCOMPARE(dlg_->Breaks().LeftOutPages(), QList<int>{});
    QCOMPARE(dlg_->Breaks().BreakPages(), QList<int>{9});
}

void TestBreakPointList::startSlowSeparatorPlan()
{
    qputenv("FAKE_FACTS", "NumberOfPages: " + QByteArray::number(dlg_->Breaks().PageCount()) + "\n");
    qputenv("FAKE_SLOW", "30");
    QTimer::singleShot(0, this, [] {
        auto *place = qobject_cast<PlaceBreakPointsDlg *>(QApplication::activeModalWidget());
        QVERIFY(place);
        place->AtSeparators->setChecked(true);
        place->accept();
    });
    dlg_->OnCommand(CmdId::PlaceBreakPoints);
}

// The commands are actions whose states are set in one place; the buttons and the Action popup
// show exactly those states, through selections, edits, undo and work in the background. A plan
// that takes long shows its bar over the window, whose events go on, and Cancel there stops its
// engine and leaves the break points as they were, saying nothing.
void TestBreakPointList::buttonsAndMenuShowTheCommandsActions()
{
    const auto shownAsSet = [this](const char *step) {
        const QList<std::pair<int, int>> followers{{CtrlId::InsertButton, CmdId::InsertBreakPoint},
                                                   {CtrlId::DeleteButton, CmdId::DeleteBreakPoint},
                                                   {CtrlId::SplitButton, CmdId::SplitPdf},
                                                   {CtrlId::OptionsButton, CmdId::FileOptions}};
        for (const auto &[button, command] : followers)
            if (probe::Button(*dlg_, button)->isEnabled() != dlg_->Command(command)->isEnabled())
                return QString("%1: button %2").arg(step).arg(button);
        dlg_->UpdateMenuCommandStates(action());
        for (int command : {CmdId::InsertBreakPoint, CmdId::DeleteBreakPoint, CmdId::CleanAllBreakPoints,
                            CmdId::SplitPdf, CmdId::PlaceBreakPoints, CmdId::Undo, CmdId::Redo})
            if ((stateOf(action(), command) == Enabled) != dlg_->Command(command)->isEnabled())
                return QString("%1: menu entry %2").arg(step).arg(command);
        return QString();
    };
    const auto enabled = [this](int command) { return dlg_->Command(command)->isEnabled(); };
    QCOMPARE(shownAsSet("nothing open"), QString());
    QVERIFY(!enabled(CmdId::SplitPdf) && !enabled(CmdId::PlaceBreakPoints));
    open(6);
    QCOMPARE(shownAsSet("opened"), QString());
    QVERIFY(enabled(CmdId::SplitPdf) && enabled(CmdId::PlaceBreakPoints) && !enabled(CmdId::Undo));
    select(3);
    QCOMPARE(shownAsSet("page 4 selected"), QString());
    QVERIFY(enabled(CmdId::InsertBreakPoint));
    key(Qt::Key_F2);
    QCOMPARE(shownAsSet("break point put in"), QString());
    QVERIFY(!enabled(CmdId::InsertBreakPoint) && enabled(CmdId::Undo) && !enabled(CmdId::Redo));
    select(3);
    QCOMPARE(shownAsSet("break point selected"), QString());
    QVERIFY(enabled(CmdId::DeleteBreakPoint) && enabled(CmdId::CleanAllBreakPoints));
    dlg_->OnCommand(CmdId::Undo);
    QCOMPARE(shownAsSet("undone"), QString());
    QVERIFY(enabled(CmdId::Redo) && !enabled(CmdId::Undo));
    // A plan running in the background holds the history and the other plans.
    startSlowSeparatorPlan();
    QCOMPARE(shownAsSet("planning"), QString());
    QVERIFY(!enabled(CmdId::Redo) && !enabled(CmdId::PlaceBreakPoints));
    ProgressPanel *panel = nullptr;
    QTRY_VERIFY((panel = dlg_->findChild<ProgressPanel *>()) && panel->isVisible());
    QCOMPARE(panel->LabelText(), "Looking for separator sheets...");
    dlg_->OnCommand(CmdId::Redo); // held back while the plan runs
    QVERIFY(dlg_->Breaks().BreakPages().isEmpty());
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(panel->findChild<QPushButton *>(), Qt::LeftButton);
    QVERIFY(probe::WaitUntilIdle(*dlg_));
    QVERIFY2(clock.elapsed() < 10000, "the engine was waited for");
    QTRY_VERIFY(!dlg_->findChild<ProgressPanel *>());
    QVERIFY(dlg_->Breaks().BreakPages().isEmpty());
    QCOMPARE(shownAsSet("plan cancelled"), QString());
    QVERIFY(enabled(CmdId::Redo) && enabled(CmdId::PlaceBreakPoints));
}

void TestBreakPointList::placeBySize_data()
{
    QTest::addColumn<QList<int>>("imageBytes"); // of each page; every page shares a font of 100,000 bytes
    QTest::addColumn<double>("megabytes");
    QTest::addColumn<QList<int>>("breaks");
    QTest::addColumn<QString>("message");

    // The break point already before page 2 stays.
    QTest::newRow("partsOfAtMost") << QList<int>(8, 50000) << 0.26 << QList<int>{2, 4, 7} << "";
    QTest::newRow("pageOverTheLimitNamed")
        << QList<int>{30000, 30000, 400000, 30000, 30000} << 0.2 << QList<int>{2, 3, 4}
        << "Page 3 alone is larger than 200 KB, so its part will be larger than that.";
    QTest::newRow("wholeDocumentFits") << QList<int>(3, 1000) << 1.0 << QList<int>{2}
                                       << "The whole document fits in one part of at most 1 MB; the break points are as "
                                          "they were.";
}

// Through the real dialog and the real engine, on the very file opened.
void TestBreakPointList::placeBySize()
{
    QFETCH(QList<int>, imageBytes);
    QFETCH(double, megabytes);
    QFETCH(QList<int>, breaks);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath("scans.pdf");
    QVERIFY(PdfFixtures::write(path, PdfFixtures::weighted(imageBytes, 100000)));
    qputenv("REAL_ENGINE", EngineProcess::program().toLocal8Bit());
    open(int(imageBytes.size()), path);
    select(1);
    key(Qt::Key_F2);
    QTimer::singleShot(0, this, [&] {
        auto *place = qobject_cast<PlaceBreakPointsDlg *>(QApplication::activeModalWidget());
        QVERIFY(place);
        place->SizeSpin->setValue(megabytes);
        QVERIFY(place->AtMostSize->isChecked()); // choosing a size chooses the way
        place->accept();
    });
    dlg_->OnCommand(CmdId::PlaceBreakPoints);
    QVERIFY(probe::WaitUntilIdle(*dlg_));
    QCOMPARE(dlg_->Breaks().BreakPages(), breaks);
    QCOMPARE(messages_.join(""), message);
    messages_.clear();
    if (breaks == QList<int>{2})
        return; // nothing was placed, so there is nothing to undo
    dlg_->OnCommand(CmdId::Undo); // the placement, as a whole
    QCOMPARE(dlg_->Breaks().BreakPages(), QList<int>{2});
}

int TestBreakPointList::selectedRow() const
{
    return probe::SelectedRow(*dlg_);
}

QList<State> TestBreakPointList::insertAndDelete() const
{
    return {probe::Button(*dlg_, CtrlId::InsertButton)->isEnabled() ? Enabled : Greyed, stateOf(action(), CmdId::InsertBreakPoint),
            probe::Button(*dlg_, CtrlId::DeleteButton)->isEnabled() ? Enabled : Greyed, stateOf(action(), CmdId::DeleteBreakPoint)};
}

void TestBreakPointList::placeAtLevel(int level)
{
    QTimer::singleShot(0, this, [level] {
        auto *place = qobject_cast<PlaceBreakPointsDlg *>(QApplication::activeModalWidget());
        QVERIFY(place);
        place->LevelCombo->setCurrentIndex(level - 1);
        place->accept();
    });
    dlg_->OnCommand(CmdId::PlaceBreakPoints);
    QVERIFY(probe::WaitUntilIdle(*dlg_));
}

void TestBreakPointList::undoAndRedo_data()
{
    // Steps: "openN" opens N pages, "selR" clicks row R, keys by name, "level2" places break
    // points at the bookmarks of levels 1 to 2, "button" puts the focus on a button for the keys
    // that follow, and "undo", "redo" (Ctrl+Shift+Z), "redoY" (Ctrl+Y), or "menuUndo" and
    // "menuRedo" (the Action menu's entries, which are enabled as the history allows).
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("bookmarkLevel");
    const QStringList five{"1", "2", "3", "4", "5"};
    const QStringList before3{"1", "2", BP, "3", "4", "5"};
    const QStringList three{"1", BP, "2", BP, "3", BP, "4", "5", "6"};
    const QStringList before9{"1", "2", "3", "4", "5", "6", "7", "8", BP, "9", "10", "11", "12"};
    const QStringList placed{"1", "2", "3", "4", BP, "5", BP, "6", "7", "8", BP, "9", "10", "11", "12"};
    QTest::newRow("insertUndone") << "open5 sel2 F2 undo" << five << 2 << 0;
    QTest::newRow("insertRedone") << "open5 sel2 F2 undo redo" << before3 << 3 << 0;
    // The selection goes back to where the edit was made, wherever it is now.
    QTest::newRow("undoSelectsWhereTheEditWasMade") << "open5 sel2 F2 sel5 undo" << five << 2 << 0;
    QTest::newRow("twoUndoneOneRedoneWithCtrlY") << "open5 sel2 F2 sel5 F2 undo undo redoY" << before3 << 3 << 0;
    QTest::newRow("deleteUndoneSelectsTheBreakPoint") << "open5 sel2 F2 sel2 F3 undo" << before3 << 2 << 0;
    QTest::newRow("deleteRedone") << "open5 sel2 F2 sel2 Delete undo redo" << five << 2 << 0;
    QTest::newRow("cleanAllUndone") << "open6 sel1 F2 sel3 F2 sel5 F2 sel3 F4 undo" << three << 3 << 0;
    QTest::newRow("cleanAllRedone") << "open6 sel1 F2 sel3 F2 sel5 F2 sel3 F4 undo redo"
                                    << QStringList{"1", "2", "3", "4", "5", "6"} << 2 << 0;
    // The break point before page 9 was there before: it stays.
    QTest::newRow("placementUndoneAsAWhole") << "open12 sel8 F2 level2 undo" << before9 << 9 << 0;
    QTest::newRow("placementRedone") << "open12 sel8 F2 level2 undo undo redo redo" << placed << 11 << 2;
    QTest::newRow("openEmptiesTheRedos") << "open5 sel2 F2 undo open5 redo" << five << 0 << 0;
    QTest::newRow("openEmptiesTheUndos") << "open5 sel2 F2 sel2 F3 open5 undo" << five << 0 << 0;
    QTest::newRow("nothingToUndo") << "undo redo open3 undo redo" << QStringList{"1", "2", "3"} << 0 << 0;
    QTest::newRow("keysWithTheFocusOnAButton") << "open5 sel2 F2 button undo button redo" << before3 << 3 << 0;
    QTest::newRow("fromTheMenu") << "open6 sel1 F2 sel3 F2 menuUndo menuUndo menuRedo" << QStringList{"1", BP, "2", "3", "4", "5", "6"} << 2 << 0;
    QTest::newRow("menuWithNothingToUndo") << "open5 menuUndo menuRedo" << five << 0 << 0;
}

void TestBreakPointList::undoAndRedo()
{
    QFETCH(QString, steps);
    QFETCH(QStringList, rows);
    QFETCH(int, selected);
    QFETCH(int, bookmarkLevel);
    const QHash<QString, Qt::Key> keys{
        {"F2", Qt::Key_F2}, {"F3", Qt::Key_F3}, {"Delete", Qt::Key_Delete}, {"F4", Qt::Key_F4}};
    QWidget *target = probe::PageList(*dlg_);
    // The bookmarks come with the report the engine gives when the document is opened.
    qputenv("FAKE_OUTLINE", kOutline);
    const auto noOutline = qScopeGuard([] { qputenv("FAKE_OUTLINE", ""); });
    for (const QString &step : steps.split(' ')) {
        if (step.startsWith("open")) {
            open(step.mid(4).toInt());
        } else if (step.startsWith("sel")) {
            select(step.mid(3).toInt());
        } else if (keys.contains(step)) {
            key(keys.value(step));
        } else if (step == "level2") {
            placeAtLevel(2);
        } else if (step.startsWith("menu")) {
            // The entry is enabled exactly when the history has a step to take.
            const int id = step == "menuUndo" ? CmdId::Undo : CmdId::Redo;
            dlg_->UpdateMenuCommandStates(action());
            const bool can = id == CmdId::Undo ? dlg_->Breaks().History().canUndo() : dlg_->Breaks().History().canRedo();
            QCOMPARE(stateOf(action(), id), can ? Enabled : Greyed);
            MenuAdapter::FindCommand(dlg_->MenuBar(), id)->trigger();
        } else if (step == "button") {
            target = probe::Button(*dlg_, CtrlId::OptionsButton);
            target->setFocus();
        } else {
            if (step == "undo")
                QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
            else if (step == "redo")
                QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            else
                QTest::keyClick(target, Qt::Key_Y, Qt::ControlModifier);
            // The commands stand as selecting the row now selected sets them.
            const int row = selectedRow();
            if (row >= 0 && probe::RowCount(*dlg_) > 1) {
                const QList<State> states = insertAndDelete();
                select(row == 0 ? 1 : 0);
                select(row);
                QCOMPARE(insertAndDelete(), states);
            }
        }
    }
    QCOMPARE(this->rows(), rows);
    QCOMPARE(selectedRow(), selected);
    QCOMPARE(dlg_->Breaks().BookmarkLevel(), bookmarkLevel);
}

QTEST_MAIN(TestBreakPointList)
#include "tst_breakpointlist.moc"
