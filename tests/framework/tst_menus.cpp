// Menus built from templates, and reading and changing their entries by command or position.
#include "framework/MenuAdapter.h"
#include "framework/MenuBuilder.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace qw;

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void menuBarFromTemplate();
    void contextMenuFromTemplate();
    void enableByCommandSearchesPopups();
    void enableByPositionAndPreviousState();
    void stateOfSeparatorsAndPopups();
    void missingTemplateBuildsNothing();
};

void TestMenus::menuBarFromTemplate()
{
    QWidget window;
    QMenuBar *bar = MenuBuilder::BuildMenuBar(ResId::MenuBar, &window);
    QVERIFY(bar);
    QCOMPARE(MenuAdapter::ItemCount(bar), 3);
    QMenu *file = MenuAdapter::SubMenuAt(bar, 0);
    QVERIFY(file);
    QCOMPARE(file->title(), QStringLiteral("&File"));
    QCOMPARE(MenuAdapter::ItemCount(file), 7);
    QCOMPARE(MenuAdapter::CommandIdOf(MenuAdapter::ActionAt(file, 0)), CmdId::FileOpen);
    QVERIFY(MenuAdapter::ActionAt(file, 1)->isSeparator());
    QAction *recent = MenuAdapter::ActionAt(file, 4);
    QCOMPARE(recent->text(), QStringLiteral("Recent File"));
    QVERIFY(!recent->isEnabled());
    QCOMPARE(MenuAdapter::CommandIdOf(MenuAdapter::ActionAt(file, 6)), CmdId::FileExit);

    QMenu *action = MenuAdapter::SubMenuAt(bar, 1);
    QCOMPARE(action->title(), QStringLiteral("&Action"));
    QCOMPARE(MenuAdapter::ActionAt(action, 2)->text(), QStringLiteral("&Clean All Break Points\tF4"));
    QCOMPARE(MenuAdapter::SubMenuAt(bar, 2)->title(), QStringLiteral("&Help"));
    QVERIFY(!MenuAdapter::SubMenuAt(file, 0));
    QVERIFY(!MenuAdapter::ActionAt(bar, 3));
    QVERIFY(!MenuAdapter::ActionAt(bar, -1));
}

void TestMenus::contextMenuFromTemplate()
{
    QWidget window;
    QMenu *popup = MenuBuilder::BuildPopupMenu(ResId::ListContextMenu, &window);
    QVERIFY(popup);
    QCOMPARE(MenuAdapter::ItemCount(popup), 3);
    QCOMPARE(MenuAdapter::PositionOf(popup, CmdId::ContextDeleteBreakPoint), 1);
    for (int i = 0; i < 3; ++i)
        QVERIFY(MenuAdapter::ActionAt(popup, i)->isEnabled());
}

void TestMenus::enableByCommandSearchesPopups()
{
    QWidget window;
    QMenuBar *bar = MenuBuilder::BuildMenuBar(ResId::MenuBar, &window);
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
    QWidget window;
    QMenuBar *bar = MenuBuilder::BuildMenuBar(ResId::MenuBar, &window);
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
    QWidget window;
    QMenuBar *bar = MenuBuilder::BuildMenuBar(ResId::MenuBar, &window);
    QVERIFY(MenuAdapter::StateOf(bar, 0, MenuFlag::ByPosition) & MenuFlag::Popup);
    QMenu *help = MenuAdapter::SubMenuAt(bar, 2);
    QVERIFY(MenuAdapter::StateOf(help, 1, MenuFlag::ByPosition) & MenuFlag::Separator);
    QCOMPARE(MenuAdapter::CommandIdOf(MenuAdapter::ActionAt(help, 1)), 0);
    QCOMPARE(MenuAdapter::StateOf(help, CmdId::FileOpen, 0), MenuAdapter::NotFound);
}

void TestMenus::missingTemplateBuildsNothing()
{
    QWidget window;
    QVERIFY(!MenuBuilder::BuildMenuBar(4242, &window));
    QVERIFY(!MenuBuilder::BuildPopupMenu(4242, &window));
}

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
