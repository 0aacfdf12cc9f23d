// Reading and changing menu entries by command or position, the way the platform's menu
// functions do: appending and modifying entries, their flags, texts and item data.
#include "framework/MenuAdapter.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace qw;

namespace {

// A menu bar shaped like the program's: File (Open, a separator, Exit), Action (four
// commands), Help (View Web Site, a separator, About), made with the plain functions.
struct MenuBar {
    QMenuBar bar;
    QMenu file{QStringLiteral("&File")}, action{QStringLiteral("&Action")}, help{QStringLiteral("&Help")};
    MenuBar()
    {
        const auto popup = [this](QMenu &menu) {
            MenuAdapter::AppendMenu(&bar, MenuFlag::Popup, quintptr(&menu), menu.title(), nullptr);
        };
        const auto command = [](QMenu &menu, int id, const char *text) {
            MenuAdapter::AppendMenu(&menu, 0, quintptr(id), QString::fromLatin1(text), nullptr);
        };
        const auto separator = [](QMenu &menu) { MenuAdapter::AppendMenu(&menu, MenuFlag::Separator, 0, {}, nullptr); };
        popup(file);
        command(file, CmdId::FileOpen, "&Open...");
        separator(file);
        command(file, CmdId::FileExit, "&Exit");
        popup(action);
        command(action, CmdId::InsertBreakPoint, "&Insert Break Point\tF2");
        command(action, CmdId::DeleteBreakPoint, "&Delete Break Point\tF3");
        command(action, CmdId::CleanAllBreakPoints, "&Clean All Break Points\tF4");
        command(action, CmdId::SplitPdf, "&Split PDF Based Break Points\tF5");
        popup(help);
        command(help, CmdId::ViewWebSite, "&View Web Site");
        separator(help);
        command(help, CmdId::About, "&About...");
    }
};

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void appendAndModifyLikeThePlatform();
    void enableByCommandSearchesPopups();
    void enableByPositionAndPreviousState();
    void stateOfSeparatorsAndPopups();
};

void TestMenus::appendAndModifyLikeThePlatform()
{
    MenuBar menus;
    QCOMPARE(MenuAdapter::ItemCount(&menus.bar), 3);
    QCOMPARE(MenuAdapter::SubMenuAt(&menus.bar, 1), &menus.action);
    QCOMPARE(MenuAdapter::ItemIdAt(&menus.bar, 1), -1);
    QCOMPARE(MenuAdapter::ItemIdAt(&menus.file, 1), 0);
    QCOMPARE(MenuAdapter::ItemIdAt(&menus.file, 2), CmdId::FileExit);
    QCOMPARE(MenuAdapter::ItemIdAt(&menus.file, 3), -1);
    QCOMPARE(MenuAdapter::MenuString(&menus.bar, 0, MenuFlag::ByPosition), QStringLiteral("&File"));
    QCOMPARE(MenuAdapter::MenuString(&menus.bar, CmdId::SplitPdf, 0, 6), QStringLiteral("&Split"));

    // Owner-drawn, an entry carries its item data and gives no text of its own.
    int record = 0;
    QVERIFY(MenuAdapter::ModifyMenu(&menus.bar, CmdId::FileExit, MenuFlag::OwnerDraw, CmdId::FileExit,
                                    QStringLiteral("&Exit"), &record));
    QAction *exit = MenuAdapter::ActionAt(&menus.file, 2);
    QCOMPARE(MenuAdapter::ItemData(exit), &record);
    QCOMPARE(MenuAdapter::StateOf(&menus.file, 2, MenuFlag::ByPosition), MenuFlag::OwnerDraw);
    QVERIFY(MenuAdapter::MenuString(&menus.file, 2, MenuFlag::ByPosition).isEmpty());
    // Back to a plain string entry: the data goes, the text is there again.
    QVERIFY(MenuAdapter::ModifyMenu(&menus.file, 2, MenuFlag::ByPosition, 99, QStringLiteral("E&xit"), &record));
    QVERIFY(!MenuAdapter::ItemData(exit));
    QCOMPARE(MenuAdapter::ItemIdAt(&menus.file, 2), 99);
    QCOMPARE(MenuAdapter::MenuString(&menus.file, 2, MenuFlag::ByPosition), QStringLiteral("E&xit"));
    // An entry can become a separator, and nothing is changed where there is no entry.
    QVERIFY(MenuAdapter::ModifyMenu(&menus.file, 2, MenuFlag::ByPosition | MenuFlag::Separator, 0, {}, nullptr));
    QVERIFY(exit->isSeparator());
    QVERIFY(!MenuAdapter::ModifyMenu(&menus.file, 7, MenuFlag::ByPosition, 1, {}, nullptr));
    QVERIFY(!MenuAdapter::AppendMenu(&menus.file, MenuFlag::Popup, 0, {}, nullptr));
}

void TestMenus::enableByCommandSearchesPopups()
{
    MenuBar menus;
    QMenuBar *bar = &menus.bar;
    QCOMPARE(MenuAdapter::EnableItem(bar, CmdId::SplitPdf, MenuFlag::Grayed | MenuFlag::Disabled), 0u);
    QAction *split = MenuAdapter::FindCommand(bar, CmdId::SplitPdf);
    QVERIFY(split);
    QVERIFY(!split->isEnabled());
    QCOMPARE(MenuAdapter::StateOf(bar, CmdId::SplitPdf, 0), MenuFlag::Grayed | MenuFlag::Disabled);
    QCOMPARE(MenuAdapter::EnableItem(bar, CmdId::SplitPdf, 0), MenuFlag::Grayed | MenuFlag::Disabled);
    QVERIFY(split->isEnabled());
    QCOMPARE(MenuAdapter::EnableItem(bar, 4242, 0), MenuAdapter::NotFound);
}

void TestMenus::enableByPositionAndPreviousState()
{
    MenuBar menus;
    QMenuBar *bar = &menus.bar;
    QMenu *action = MenuAdapter::SubMenuAt(bar, 1);
    QCOMPARE(MenuAdapter::EnableItem(action, 1, MenuFlag::ByPosition | MenuFlag::Grayed), 0u);
    QVERIFY(!MenuAdapter::ActionAt(action, 1)->isEnabled());
    QCOMPARE(MenuAdapter::StateOf(action, 1, MenuFlag::ByPosition), MenuFlag::Grayed);
    // Grey alone and disabled alone both make the entry unusable.
    QCOMPARE(MenuAdapter::EnableItem(action, 1, MenuFlag::ByPosition | MenuFlag::Disabled), MenuFlag::Grayed);
    QVERIFY(!MenuAdapter::ActionAt(action, 1)->isEnabled());
    QCOMPARE(MenuAdapter::EnableItem(action, 9, MenuFlag::ByPosition), MenuAdapter::NotFound);
}

void TestMenus::stateOfSeparatorsAndPopups()
{
    MenuBar menus;
    QMenuBar *bar = &menus.bar;
    QVERIFY(MenuAdapter::StateOf(bar, 0, MenuFlag::ByPosition) & MenuFlag::Popup);
    QMenu *help = MenuAdapter::SubMenuAt(bar, 2);
    QVERIFY(MenuAdapter::StateOf(help, 1, MenuFlag::ByPosition) & MenuFlag::Separator);
    QCOMPARE(MenuAdapter::CommandIdOf(MenuAdapter::ActionAt(help, 1)), 0);
    QCOMPARE(MenuAdapter::StateOf(help, CmdId::FileOpen, 0), MenuAdapter::NotFound);
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
