// The recent-file list: its order and size, its storage, and its entries in the File menu.
#include "framework/CommandUpdate.h"
#include "framework/MenuAdapter.h"
#include "framework/RecentFileList.h"
#include "res/MenuTemplate.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace qw;

namespace {
constexpr int kFirst = 57616;

// The File menu's shape: the placeholder between two separators, with entries around it.
QMenu *fileMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    MenuAdapter::MakeCommand(menu, "&Open...", 32771);
    menu->addSeparator();
    MenuAdapter::MakeCommand(menu, "Recent File", kFirst, MenuFlag::Grayed);
    menu->addSeparator();
    MenuAdapter::MakeCommand(menu, "&Exit", 32773);
    return menu;
}

QStringList texts(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}
} // namespace

class TestRecentFileList : public QObject {
    Q_OBJECT
private slots:
    void keepsFourMostRecentFirst();
    void reopeningMovesToTheTop();
    void commandsMapToEntries();
    void storageRoundTripAndJunk();
    void menuShowsNumberedEntriesInPlaceOfPlaceholder();
    void emptyListKeepsGreyedPlaceholder();
};

void TestRecentFileList::keepsFourMostRecentFirst()
{
    RecentFileList list(kFirst, 4);
    for (const char *p : {"/d/1.pdf", "/d/2.pdf", "/d/3.pdf", "/d/4.pdf", "/d/5.pdf"})
        list.Add(QString::fromLatin1(p));
    QCOMPARE(list.paths(), QStringList({"/d/5.pdf", "/d/4.pdf", "/d/3.pdf", "/d/2.pdf"}));
    list.Add(QString());
    QCOMPARE(list.size(), 4);
}

void TestRecentFileList::reopeningMovesToTheTop()
{
    RecentFileList list(kFirst, 4);
    list.Add("/d/a.pdf");
    list.Add("/d/b.pdf");
    list.Add("/d/c.pdf");
    list.Add("/d/./a.pdf"); // the same file, spelled differently
    QCOMPARE(list.paths(), QStringList({"/d/./a.pdf", "/d/c.pdf", "/d/b.pdf"}));
    // Names differing only in case are different files here.
    list.Add("/d/B.pdf");
    QCOMPARE(list.size(), 4);
}

void TestRecentFileList::commandsMapToEntries()
{
    RecentFileList list(kFirst, 4);
    list.Add("/d/a.pdf");
    list.Add("/d/b.pdf");
    QCOMPARE(list.PathOfCommand(kFirst), QStringLiteral("/d/b.pdf"));
    QCOMPARE(list.PathOfCommand(kFirst + 1), QStringLiteral("/d/a.pdf"));
    QVERIFY(list.PathOfCommand(kFirst + 2).isEmpty());
    QVERIFY(list.PathOfCommand(kFirst - 1).isEmpty());
    list.Remove(0);
    list.Remove(7);
    QCOMPARE(list.paths(), QStringList({"/d/a.pdf"}));
}

void TestRecentFileList::storageRoundTripAndJunk()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("settings.ini");
    {
        RecentFileList list(kFirst, 4);
        list.Add("/d/é ü.pdf");
        list.Add("/d/with \"quote\".pdf");
        QSettings settings(file, QSettings::IniFormat);
        list.WriteList(settings);
    }
    {
        RecentFileList list(kFirst, 4);
        QSettings settings(file, QSettings::IniFormat);
        list.ReadList(settings);
        QCOMPARE(list.paths(), QStringList({"/d/with \"quote\".pdf", "/d/é ü.pdf"}));
    }
    {
        // A hand-edited store: gaps, duplicates and more entries than the list holds.
        QSettings settings(file, QSettings::IniFormat);
        settings.beginGroup("Recent File List");
        settings.remove(QString());
        settings.setValue("File1", "/d/x.pdf");
        settings.setValue("File2", "");
        settings.setValue("File3", "/d/x.pdf");
        settings.setValue("File4", "/d/y.pdf");
        settings.setValue("File5", "/d/z.pdf");
        settings.endGroup();
        RecentFileList list(kFirst, 4);
        list.ReadList(settings);
        QCOMPARE(list.paths(), QStringList({"/d/x.pdf", "/d/y.pdf"}));
        // Writing a shorter list leaves no stale entry behind.
        list.WriteList(settings);
        settings.beginGroup("Recent File List");
        QCOMPARE(settings.childKeys(), QStringList({"File1", "File2"}));
    }
}

void TestRecentFileList::menuShowsNumberedEntriesInPlaceOfPlaceholder()
{
    QWidget window;
    QMenu *menu = fileMenu(&window);
    RecentFileList list(kFirst, 4);
    list.Add("/d/R&D.pdf");
    list.Add("/d/b.pdf");

    CommandUpdateRecord record{2, kFirst, menu, MenuAdapter::ItemCount(menu)};
    list.UpdateMenu(record);
    QCOMPARE(texts(menu), QStringList({"&Open...", "-", "&1 /d/b.pdf", "&2 /d/R&&D.pdf", "-", "&Exit"}));
    QCOMPARE(MenuAdapter::CommandIdOf(menu->actions().at(3)), kFirst + 1);
    QVERIFY(menu->actions().at(2)->isEnabled());
    QCOMPARE(record.index, 3); // the walk goes on after the last entry
    QCOMPARE(record.indexMax, 6);

    // Opening the menu again after the list changed shows the new list, once.
    list.Remove(1);
    CommandUpdateRecord again{2, kFirst, menu, MenuAdapter::ItemCount(menu)};
    list.UpdateMenu(again);
    QCOMPARE(texts(menu), QStringList({"&Open...", "-", "&1 /d/b.pdf", "-", "&Exit"}));
}

void TestRecentFileList::emptyListKeepsGreyedPlaceholder()
{
    QWidget window;
    QMenu *menu = fileMenu(&window);
    RecentFileList list(kFirst, 4);
    list.Add("/d/a.pdf");
    CommandUpdateRecord record{2, kFirst, menu, MenuAdapter::ItemCount(menu)};
    list.UpdateMenu(record);
    list.Remove(0);
    CommandUpdateRecord again{2, kFirst, menu, MenuAdapter::ItemCount(menu)};
    list.UpdateMenu(again);
    QCOMPARE(texts(menu), QStringList({"&Open...", "-", "Recent File", "-", "&Exit"}));
    QVERIFY(!menu->actions().at(2)->isEnabled());
    QCOMPARE(MenuAdapter::CommandIdOf(menu->actions().at(2)), kFirst);
}

QTEST_MAIN(TestRecentFileList)
#include "tst_recentfilelist.moc"
