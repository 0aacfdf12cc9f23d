// The page list as a person sees it in the real window: it fits its 130 pixels without a
// horizontal bar, a selected row is highlighted as one, the selected row stays in view when a
// break point goes in above it, and a right click below the last row shows no menu.
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "framework/MenuTracker.h"
#include "support/StandInEngine.h"

#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

using namespace qw;

namespace {

const QByteArray kFakeEngine = R"(#!/bin/sh
for last in "$@"; do :; done
printf 'NumberOfPages: %s\n' "$FAKE_PAGES" > "$last"
)";

} // namespace

class TestPageList : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fitsWithoutAHorizontalBar();
    void selectedRowIsHighlightedAsOne();
    void selectedRowStaysInViewAfterInsert();
    void rightClickBelowTheLastRowShowsNoMenu();

private:
    void open(int pages);
    QTreeView *list() const { return probe::PageList(*dlg_); }
    // Whole rows only; the column is a little wider than the list shows.
    bool inView(const QModelIndex &row) const
    {
        const QRect rect = list()->visualRect(row);
        return rect.top() >= 0 && rect.bottom() < list()->viewport()->height();
    }

    std::unique_ptr<SplitterDlg> dlg_;
    int menus_ = 0;
};

void TestPageList::initTestCase()
{
    QVERIFY(InstallStandInEngine(kFakeEngine));
    MenuTracker::SetResponder([this](QMenu *, QPoint) {
        ++menus_;
        return 0;
    });
}

void TestPageList::init()
{
    menus_ = 0;
    dlg_ = std::make_unique<SplitterDlg>();
    dlg_->Create();
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
}

void TestPageList::cleanup()
{
    dlg_.reset();
}

void TestPageList::open(int pages)
{
    qputenv("FAKE_PAGES", QByteArray::number(pages));
    probe::Open(*dlg_, QStringLiteral("/docs/long.pdf"));
}

void TestPageList::fitsWithoutAHorizontalBar()
{
    open(200);
    QCOMPARE(list()->width(), 130);
    QTRY_VERIFY(list()->verticalScrollBar()->isVisible());
    QVERIFY(!list()->horizontalScrollBar()->isVisible());
}

void TestPageList::selectedRowIsHighlightedAsOne()
{
    open(5);
    list()->setFocus();
    const QRect row = list()->visualRect(list()->model()->index(0, 0));
    const QImage image = list()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb highlight = list()->palette().color(QPalette::Active, QPalette::Highlight).rgb();
    // Left of the icon, right of it, between icon and text, and at the text cell's edges: no
    // cell of its own, no focus frame.
    for (int x : {1, 24, 30, 60, row.right() - 1})
        for (int y : {row.top() + 1, row.center().y(), row.bottom() - 1})
            QVERIFY2(image.pixel(x, y) == highlight, qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
}

void TestPageList::selectedRowStaysInViewAfterInsert()
{
    open(200);
    // The rows are laid out once the list shows its scroll bar.
    QTRY_VERIFY(list()->verticalScrollBar()->isVisible());
    QPersistentModelIndex last;
    // The last row that is still whole in view.
    for (int row = 0; row < list()->model()->rowCount(); ++row) {
        const QModelIndex index = list()->model()->index(row, 0);
        if (!inView(index))
            break;
        last = index;
    }
    QVERIFY(last.isValid());
    list()->setCurrentIndex(last);
    QTest::keyClick(list(), Qt::Key_F2);
    QCOMPARE(list()->indexAbove(last).data().toString(), QStringLiteral("BreakPoint"));
    QTRY_VERIFY(inView(last));
}

void TestPageList::rightClickBelowTheLastRowShowsNoMenu()
{
    open(2);
    const QRect second = list()->visualRect(list()->model()->index(1, 0));
    QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, QPoint(60, second.bottom() + 20));
    QCOMPARE(menus_, 0);
    QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, second.center());
    QCOMPARE(menus_, 1);
}

QTEST_MAIN(TestPageList)
#include "tst_pagelist.moc"
