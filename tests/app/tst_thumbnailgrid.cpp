// The preview's thumbnail grid: what it draws for parts, break points and pages left out, read
// back from the rendered widget; and, in the real window beside a stand-in engine, that the grid
// and the page list are one selection and that the grid's clicks and keys make the list's edits.
#include "app/SplitterApp.h"
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "support/StandInEngine.h"
#include "framework/AppMessageBox.h"
#include "core/SettingsStore.h"
#include "framework/MenuAdapter.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"
#include "split/BreakPointModel.h"
#include "viewer/ThumbnailGrid.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>

using namespace qw;

namespace {

// Counts pages; draws every page asked for as one white pixel, unless the file named by
// $FAKE_BROKEN exists: then it fails at once, as an engine that keeps stopping.
const QByteArray kFakeEngine = R"(#!/bin/sh
for last in "$@"; do :; done
if [ "$2" = render_pages ]; then
  [ -e "$FAKE_BROKEN" ] && exit 1
  printf 'Pages: %s\n' "$FAKE_PAGES"
  while read page width; do printf 'Page %s 1 1 3\n\377\377\377' "$page"; done
  exit 0
fi
[ "$2" = dump_data ] || exit 1
printf 'NumberOfPages: %s\n' "$FAKE_PAGES" > "$last"
)";

// Page p's picture: one grey, darker for later pages, so that each can be told apart.
QColor pictureColour(int page)
{
    return QColor::fromRgb(240 - 10 * page, 240 - 10 * page, 250);
}

bool near(QColor seen, QColor expected)
{
    return std::abs(seen.red() - expected.red()) + std::abs(seen.green() - expected.green())
               + std::abs(seen.blue() - expected.blue())
           < 30;
}

} // namespace

class TestThumbnailGrid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void drawsPartsCutsAndCrossings_data();
    void drawsPartsCutsAndCrossings();
    void gridAndListAreOneSelection();
    void columnsStayAlignedWithCutLines_data();
    void columnsStayAlignedWithCutLines();
    void zoomKeepsTheSelectedRowInView_data();
    void zoomKeepsTheSelectedRowInView();
    void problemBandGoesWhenPicturesComeBack();

private:
    QTemporaryDir settings_;
};

void TestThumbnailGrid::initTestCase()
{
    QVERIFY(InstallStandInEngine(kFakeEngine));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
}

void TestThumbnailGrid::drawsPartsCutsAndCrossings_data()
{
    QTest::addColumn<QList<int>>("breaks");
    QTest::addColumn<QList<int>>("leftOut");
    QTest::newRow("threePartsAPageLeftOut") << QList<int>{4, 8} << QList<int>{6};
    QTest::newRow("onePartFirstPageLeftOut") << QList<int>{} << QList<int>{1};
    QTest::newRow("aPartOfOnePage") << QList<int>{2, 3} << QList<int>{};
}

// Each page's cell is tinted as its stretch between break points (by turns), a page left out
// has no tint and is crossed out over its picture, and a break point is a dark dashed line.
void TestThumbnailGrid::drawsPartsCutsAndCrossings()
{
    QFETCH(QList<int>, breaks);
    QFETCH(QList<int>, leftOut);
    BreakPointModel model;
    model.Reset(10);
    model.Place(breaks, 0, -1, leftOut);
    ThumbnailGrid grid;
    grid.setModel(&model);
    ThumbnailGrid::Source source;
    source.pictures.picture = [](int page) {
        QImage picture(60, 85, QImage::Format_RGB32);
        picture.fill(pictureColour(page));
        return picture;
    };
    grid.SetSource(source);
    grid.SetThumbnailWidth(ThumbnailGrid::kSmallest);
    grid.resize(520, 900);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const QImage shot = grid.viewport()->grab().toImage();
    const QPalette palette = grid.palette();
    ThumbnailMetrics metrics;
    metrics.width = grid.ThumbnailWidth();
    int cuts = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QRect cell = grid.visualRect(model.index(row));
        QVERIFY2(shot.rect().contains(cell), "every row is on view");
        if (model.IsBreakPoint(row)) {
            ++cuts;
            int dark = 0;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                dark += QColor(shot.pixel(cell.center().x(), y)).lightness() < 100;
            QVERIFY2(dark > cell.height() / 4 && dark < cell.height(), qPrintable(QString::number(dark)));
            continue;
        }
        const int page = model.PageAt(row);
        const int stretch = int(std::upper_bound(breaks.cbegin(), breaks.cend(), page) - breaks.cbegin()) + 1;
        const QColor tint = leftOut.contains(page) ? palette.color(QPalette::Base)
                                                   : ThumbnailDelegate::StretchTint(palette, stretch);
        // At the top right: the gap on the left is a cut line's where one stands.
        QCOMPARE(QColor(shot.pixel(cell.topRight() + QPoint(-2, 2))).name(), tint.name());
        const QRect picture = metrics.PictureBox(cell);
        const QColor middle = shot.pixel(picture.center());
        const QColor beside = shot.pixel(picture.center() + QPoint(picture.width() / 4, 0));
        QVERIFY2(near(middle, leftOut.contains(page) ? ThumbnailDelegate::CrossColour() : pictureColour(page)),
                 qPrintable(QString("page %1: %2").arg(page).arg(middle.name())));
        QVERIFY2(near(beside, pictureColour(page)), qPrintable(QString("page %1").arg(page)));
    }
    QCOMPARE(cuts, breaks.size());
    // Tints told apart: neighbouring stretches differ, and neither is the plain background.
    QVERIFY(ThumbnailDelegate::StretchTint(palette, 1) != ThumbnailDelegate::StretchTint(palette, 2));
    QVERIFY(ThumbnailDelegate::StretchTint(palette, 1) != palette.color(QPalette::Base));
}

// The window with the grid switched on: one selection with the list both ways; a click in the
// gap before a page, the keys F2, Delete, Ctrl+Z and the arrows act as in the list; a double
// click shows the page alone; Ctrl+wheel and Ctrl+minus size the thumbnails; the choice of
// face is remembered.
void TestThumbnailGrid::gridAndListAreOneSelection()
{
    AppMessageBox::SetResponder([](const QString &, unsigned) { return MsgBox::IdOk; });
    qputenv("FAKE_PAGES", "10");
    auto app = std::make_unique<SplitterApp>();
    auto dlg = std::make_unique<SplitterDlg>(app.get());
    app->SetMainWindow(dlg.get());
    dlg->Create();
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    probe::Open(*dlg, "/docs/ten.pdf");
    QVERIFY(!dlg->Preview().ThumbnailsShown()); // off until asked for
    QTreeView *list = probe::PageList(*dlg);
    QTest::keyClick(list, Qt::Key_F7);
    QVERIFY(dlg->Preview().ThumbnailsShown());
    ThumbnailGrid &grid = dlg->Preview().Thumbnails();
    QVERIFY(grid.isVisible());
    QWidget *action = dlg->ActionPopup();
    dlg->UpdateMenuCommandStates(action);
    QVERIFY(MenuAdapter::StateOf(action, CmdId::ShowThumbnails, 0) & MenuFlag::Checked);

    const auto rowTexts = [&] {
        QStringList texts;
        for (int row = 0; row < probe::RowCount(*dlg); ++row)
            texts << probe::RowText(*dlg, row);
        return texts.join(' ');
    };
    const auto selected = [&] { return probe::RowText(*dlg, probe::SelectedRow(*dlg)); };
    const auto centreOf = [&](int row) { return grid.visualRect(dlg->Breaks().index(row)).center(); };

    // The list selects, the grid follows; the grid is clicked, the list follows.
    list->setCurrentIndex(dlg->Breaks().index(4));
    QCOMPARE(grid.currentIndex().row(), 4);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf(7));
    QCOMPARE(selected(), QString("8"));
    QVERIFY(grid.hasFocus());
    QTest::keyClick(grid.viewport(), Qt::Key_Right);
    QCOMPARE(selected(), QString("9"));
    QTest::keyClick(grid.viewport(), Qt::Key_Home);
    QCOMPARE(selected(), QString("1"));

    // A click in the gap before page 4 cuts there, as F2 on its row would; undo takes it back.
    const QRect four = grid.visualRect(dlg->Breaks().index(3));
    QCOMPARE(grid.GapPageAt(four.topLeft() + QPoint(2, four.height() / 2)), 4);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, four.topLeft() + QPoint(2, four.height() / 2));
    QCOMPARE(rowTexts(), QString("1 2 3 BreakPoint 4 5 6 7 8 9 10"));
    QTest::keyClick(grid.viewport(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(rowTexts(), QString("1 2 3 4 5 6 7 8 9 10"));
    // F2 on page 6 selected in the grid, then the cut line clicked and deleted with Delete.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf(5));
    QTest::keyClick(grid.viewport(), Qt::Key_F2);
    QCOMPARE(rowTexts(), QString("1 2 3 4 5 BreakPoint 6 7 8 9 10"));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf(5));
    QCOMPARE(selected(), QString("BreakPoint"));
    QTest::keyClick(grid.viewport(), Qt::Key_Return);
    QTest::keyClick(grid.viewport(), Qt::Key_Escape);
    QVERIFY(dlg->isVisible());
    QCOMPARE(rowTexts(), QString("1 2 3 4 5 BreakPoint 6 7 8 9 10"));
    QTest::keyClick(grid.viewport(), Qt::Key_Delete);
    QCOMPARE(rowTexts(), QString("1 2 3 4 5 6 7 8 9 10"));

    // Sizes: a step up with Ctrl+wheel, back with Ctrl+minus.
    QWheelEvent wheel(centreOf(0), grid.viewport()->mapToGlobal(centreOf(0)), {}, {0, 120}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &wheel);
    QCOMPARE(grid.ThumbnailWidth(), 150);
    QTest::keyClick(grid.viewport(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(grid.ThumbnailWidth(), ThumbnailGrid::kDefaultWidth);

    // A double click shows the page alone.
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centreOf(2));
    QVERIFY(!dlg->Preview().ThumbnailsShown());
    QCOMPARE(selected(), QString("3"));

    // The face chosen last is the one the next window starts with.
    QTest::keyClick(list, Qt::Key_F7);
    dlg.reset();
    auto again = std::make_unique<SplitterDlg>(app.get());
    again->Create();
    QVERIFY(again->Preview().ThumbnailsShown());
}

namespace {

// A grid of `pages` pages with break points before `breaks`, shown at `size`.
struct ShownGrid {
    ShownGrid(int pages, const QList<int> &breaks, QSize size, int thumbnailWidth = ThumbnailGrid::kSmallest)
    {
        model.Reset(pages);
        model.Place(breaks, 0, -1);
        grid.setModel(&model);
        grid.SetThumbnailWidth(thumbnailWidth);
        grid.resize(size);
        grid.show();
    }
    QRect cell(int row) const { return grid.visualRect(model.index(row)); }

    BreakPointModel model;
    ThumbnailGrid grid;
};

} // namespace

void TestThumbnailGrid::columnsStayAlignedWithCutLines_data()
{
    QTest::addColumn<QList<int>>("breaks");
    QTest::addColumn<int>("width");
    QTest::newRow("cutInTheFirstLine") << QList<int>{3} << 520;
    QTest::newRow("cutsBeforeEveryPage") << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << 520;
    QTest::newRow("oneColumn") << QList<int>{2, 5} << 100;
}

// A cut line takes no column: every page stands where it would without break points, so the
// columns run straight through lines with and without cut lines. The cut line lies in the gap
// of the page after it; a click there finds the cut line, a click on the picture the page, and
// the gap of a page without a cut line still cuts.
void TestThumbnailGrid::columnsStayAlignedWithCutLines()
{
    QFETCH(QList<int>, breaks);
    QFETCH(int, width);
    const int pages = 24;
    ShownGrid plain(pages, {}, {width, 900});
    ShownGrid cut(pages, breaks, {width, 900});
    QVERIFY(QTest::qWaitForWindowExposed(&plain.grid) && QTest::qWaitForWindowExposed(&cut.grid));
    ThumbnailMetrics metrics;
    metrics.width = cut.grid.ThumbnailWidth();
    for (int row = 0; row < cut.model.rowCount(); ++row) {
        if (cut.model.IsBreakPoint(row))
            continue;
        const int page = cut.model.PageAt(row);
        const QRect cell = cut.cell(row);
        QCOMPARE(cell, plain.cell(page - 1));
        QCOMPARE(cut.grid.indexAt(metrics.PictureBox(cell).center()).row(), row);
        const QPoint gap = ThumbnailMetrics::GapBox(cell).center();
        if (breaks.contains(page)) {
            QVERIFY(cell.contains(cut.cell(row - 1)));
            QCOMPARE(cut.grid.indexAt(gap).row(), row - 1);
        } else if (page > 1) {
            QCOMPARE(cut.grid.GapPageAt(gap), page);
        }
    }
}

void TestThumbnailGrid::zoomKeepsTheSelectedRowInView_data()
{
    // Steps: 1 and -1 turn the wheel with Ctrl held, 2 and -2 press Ctrl+plus and Ctrl+minus.
    QTest::addColumn<QString>("selected"); // "last" or "first" page on view, or "cut"
    QTest::addColumn<QList<int>>("steps");
    QTest::newRow("lastOnViewZoomedIn") << "last" << QList<int>{1, 1, 2, 2};
    QTest::newRow("lastOnViewZoomedOut") << "last" << QList<int>{-1, -2, -1};
    QTest::newRow("firstOnViewZoomedIn") << "first" << QList<int>{2, 1, 1};
    QTest::newRow("cutLineZoomedInAndOut") << "cut" << QList<int>{1, 1, -2, -2, -2};
}

// The row selected on view stays on view whatever the zoom.
void TestThumbnailGrid::zoomKeepsTheSelectedRowInView()
{
    QFETCH(QString, selected);
    QFETCH(QList<int>, steps);
    ShownGrid shown(80, {34}, {560, 640}, ThumbnailGrid::kDefaultWidth);
    ThumbnailGrid &grid = shown.grid;
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.scrollTo(shown.model.index(shown.model.RowOfPage(30)), QAbstractItemView::PositionAtTop);
    const QList<int> onView = grid.PagesInView();
    QVERIFY(onView.contains(34));
    const int page = selected == "last" ? onView.last() : selected == "first" ? onView.first() : 34;
    const QModelIndex row = shown.model.index(shown.model.RowOfPage(page) - (selected == "cut" ? 1 : 0));
    grid.selectionModel()->select(row, QItemSelectionModel::ClearAndSelect);
    const QRect view = grid.viewport()->rect();
    for (int step : steps) {
        const int before = grid.ThumbnailWidth();
        if (qAbs(step) == 1) {
            const QPoint at = view.center();
            QWheelEvent wheel(at, grid.viewport()->mapToGlobal(at), {}, {0, 120 * step}, Qt::NoButton,
                              Qt::ControlModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid.viewport(), &wheel);
        } else {
            QTest::keyClick(&grid, step > 0 ? Qt::Key_Plus : Qt::Key_Minus, Qt::ControlModifier);
        }
        QVERIFY(grid.ThumbnailWidth() != before);
        const QRect cell = grid.visualRect(row);
        // Whole when it fits the pane, else its top.
        QVERIFY(cell.height() > view.height() ? view.contains(cell.topLeft()) : view.contains(cell));
    }
}

// The band that says the engine stopped goes once the engine, started anew, sends pictures.
void TestThumbnailGrid::problemBandGoesWhenPicturesComeBack()
{
    AppMessageBox::SetResponder([](const QString &, unsigned) { return MsgBox::IdOk; });
    QTemporaryDir dir;
    const QString broken = dir.filePath("broken");
    QFile marker(broken);
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.close();
    qputenv("FAKE_PAGES", "10");
    qputenv("FAKE_BROKEN", broken.toLocal8Bit());
    SettingsStore::Open()->setValue("Preview/Thumbnails", false);
    auto app = std::make_unique<SplitterApp>();
    SplitterDlg dlg(app.get());
    app->SetMainWindow(&dlg);
    dlg.Create();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    probe::Open(dlg, "/docs/ten.pdf");
    QTreeView *list = probe::PageList(dlg);
    ThumbnailGrid &grid = dlg.Preview().Thumbnails();
    QTest::keyClick(list, Qt::Key_F7);
    QTRY_VERIFY(!grid.Problem().isEmpty());

    QVERIFY(QFile::remove(broken));
    QTest::keyClick(list, Qt::Key_F7);
    QTest::keyClick(list, Qt::Key_F7);
    QVERIFY(grid.isVisible());
    QTRY_VERIFY(grid.Problem().isEmpty());
    qunsetenv("FAKE_BROKEN");
}

QTEST_MAIN(TestThumbnailGrid)
#include "tst_thumbnailgrid.moc"
