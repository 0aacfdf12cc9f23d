// The preview area of the real window: the hint without a document, the reason a document
// failed to open, and paging there that the page list follows. Real PDFs, the real engine
// beside this program.
#include "PdfFixtures.h"
#include "PdfProbe.h"
#include "app/SplitterApp.h"
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "framework/AppMessageBox.h"
#include "framework/MenuTracker.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>

#include <limits>

using namespace qw;

namespace {

// The kinds of file a failed open is tried with.
enum class Broken { PasswordProtected, TextFile, EmptyFile, Missing, Folder, Damaged };

} // namespace

class TestWindowHints : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void hintWithoutDocument();
    void failedOpenTellsWhyInThePreview_data();
    void failedOpenTellsWhyInThePreview();
    void pagingInThePreviewSelectsTheRow_data();
    void pagingInThePreviewSelectsTheRow();
    void previewDrawsTheSelectedPage_data();
    void previewDrawsTheSelectedPage();

private:
    QPdfView *view() const { return qobject_cast<QPdfView *>(dlg_->Preview().Control().Window()); }
    int pageOnView() const { return view()->pageNavigator()->currentPage() + 1; }
    QString selectedRow() const;
    bool readerShown() const { return view()->isVisibleTo(&dlg_->Preview()); }
    int pageDrawn() const;

    QTemporaryDir dir_;
    QString good_;
    QString chapters_;
    std::unique_ptr<SplitterApp> app_;
    std::unique_ptr<SplitterDlg> dlg_;
    QStringList messages_;
    // The document's own renderings of its pages, at the size the preview last drew a page.
    mutable QList<QImage> renders_;
    mutable QSize renderSize_;
};

void TestWindowHints::initTestCase()
{
    QVERIFY(dir_.isValid());
    good_ = dir_.filePath("ten.pdf");
    chapters_ = dir_.filePath("chapters.pdf");
    QVERIFY(PdfFixtures::write(good_, PdfFixtures::tenPages()));
    QVERIFY(PdfFixtures::write(chapters_, PdfFixtures::chapters(8, 5)));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("settings"));
}

void TestWindowHints::init()
{
    messages_.clear();
    AppMessageBox::SetResponder([this](const QString &text, unsigned) {
        messages_ << text;
        return MsgBox::IdOk;
    });
    // A click on a break point row would show its menu; nothing is chosen from it.
    MenuTracker::SetResponder([](QMenu *, QPoint) { return 0; });
    app_ = std::make_unique<SplitterApp>();
    dlg_ = std::make_unique<SplitterDlg>(app_.get());
    app_->SetMainWindow(dlg_.get());
    dlg_->Create();
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
}

void TestWindowHints::cleanup()
{
    dlg_.reset();
    app_.reset();
    AppMessageBox::SetResponder({});
    MenuTracker::SetResponder({});
    // A failed open tells its reason in the preview, never in a message box.
    QCOMPARE(messages_, QStringList());
}

QString TestWindowHints::selectedRow() const
{
    const QModelIndexList rows = probe::PageList(*dlg_)->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().data().toString() : QStringLiteral("<%1 selected>").arg(rows.size());
}

void TestWindowHints::hintWithoutDocument()
{
    const QString hint = "Open a PDF with the Open button or File > Open..., or drop one here.";
    QCOMPARE(dlg_->Preview().Message(), hint);
    QVERIFY(!readerShown());
    // The hint is painted over a plain pane: text in a second colour shows it was drawn.
    const QImage pane = dlg_->Preview().grab().toImage();
    QVERIFY(pane.width() > 200 && pane.height() > 100);
    const QRgb background = pane.pixel(2, 2);
    bool drawn = false;
    for (int y = 0; y < pane.height() && !drawn; ++y)
        for (int x = 0; x < pane.width() && !drawn; ++x)
            drawn = pane.pixel(x, y) != background;
    QVERIFY(drawn);
}

void TestWindowHints::failedOpenTellsWhyInThePreview_data()
{
    QTest::addColumn<Broken>("kind");
    QTest::addColumn<QString>("reason"); // %1: the file's path
    QTest::newRow("passwordProtected") << Broken::PasswordProtected << "This PDF is protected by a password";
    QTest::newRow("textFile") << Broken::TextFile << "This file is not a PDF";
    QTest::newRow("emptyFile") << Broken::EmptyFile << "This file is not a PDF";
    QTest::newRow("folderNamedPdf") << Broken::Folder << "This file is not a PDF";
    QTest::newRow("missingFile") << Broken::Missing << "The file no longer exists";
    // Anything else is told in the engine's own words.
    QTest::newRow("damaged") << Broken::Damaged << "This PDF could not be read: cannot open '%1': no objects found";
}

void TestWindowHints::failedOpenTellsWhyInThePreview()
{
    QFETCH(Broken, kind);
    QFETCH(QString, reason);
    const QString path = dir_.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
    switch (kind) {
    case Broken::PasswordProtected: QVERIFY(PdfProbe::encrypt(good_, path, "secret")); break;
    case Broken::TextFile: QVERIFY(PdfFixtures::write(path, "just some text\n")); break;
    case Broken::EmptyFile: QVERIFY(PdfFixtures::write(path, {})); break;
    case Broken::Folder: QVERIFY(QDir().mkpath(path)); break;
    case Broken::Damaged: QVERIFY(PdfFixtures::write(path, "%PDF-1.4\nthis is nothing\n")); break;
    case Broken::Missing: break;
    }

    // A good document first: the failed open must not leave it on view beside an empty list.
    probe::Open(*dlg_, good_);
    QCOMPARE(probe::RowCount(*dlg_), 10);
    QCOMPARE(dlg_->Preview().Message(), QString());
    QVERIFY(readerShown());
    QCOMPARE(view()->document()->pageCount(), 10);

    probe::Open(*dlg_, path);
    QCOMPARE(probe::RowCount(*dlg_), 0);
    QCOMPARE(dlg_->Preview().Message(), QString(reason).replace("%1", path));
    QVERIFY(!readerShown());
    QCOMPARE(view()->document()->pageCount(), 0);

    // The next good open takes the reason away.
    probe::Open(*dlg_, good_);
    QCOMPARE(dlg_->Preview().Message(), QString());
    QVERIFY(readerShown());
    QCOMPARE(view()->document()->pageCount(), 10);
    QCOMPARE(pageOnView(), 1);
}

void TestWindowHints::pagingInThePreviewSelectsTheRow_data()
{
    // Steps: a key into the preview, "wheel:<delta>" over it, or "row:<n>" selected in the list.
    // After each step the page on view and the selected row. A break point stands before
    // page 3 (row 2), so row n is page n + 1 up to page 2 and page n from page 3 on.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("pageKeys") << QStringList{"PgDown", "PgDown", "PgDown", "PgUp"} << QList<int>{2, 3, 4, 3}
                              << QStringList{"2", "3", "4", "3"};
    QTest::newRow("arrowKeysStopAtPageOne") << QStringList{"Down", "Right", "Left", "Up", "Up"}
                                            << QList<int>{2, 3, 2, 1, 1} << QStringList{"2", "3", "2", "1", "1"};
    QTest::newRow("lastAndFirstPage") << QStringList{"End", "PgDown", "Home"} << QList<int>{40, 40, 1}
                                      << QStringList{"40", "40", "1"};
    QTest::newRow("wheelNotches") << QStringList{"wheel:-120", "wheel:-240", "wheel:120"} << QList<int>{2, 4, 3}
                                  << QStringList{"2", "4", "3"};
    // A fine wheel turns a page once its parts make a notch; turning back starts afresh.
    QTest::newRow("wheelParts") << QStringList{"wheel:-60", "wheel:-60", "wheel:-90", "wheel:40", "wheel:-30"}
                                << QList<int>{1, 2, 2, 2, 2} << QStringList{"1", "2", "2", "2", "2"};
    // Selecting a row shows its page, and paging goes on from there; a break point row shows
    // nothing new and paging then selects a page row again.
    QTest::newRow("rowsAndPaging") << QStringList{"row:10", "PgDown", "row:2", "PgUp", "row:2", "PgDown"}
                                   << QList<int>{10, 11, 11, 10, 10, 11}
                                   << QStringList{"10", "11", "BreakPoint", "10", "BreakPoint", "11"};
}

void TestWindowHints::pagingInThePreviewSelectsTheRow()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, pages);
    QFETCH(QStringList, rows);
    probe::Open(*dlg_, chapters_);
    QTreeView *list = probe::PageList(*dlg_);
    QCOMPARE(probe::RowCount(*dlg_), 40);
    list->setCurrentIndex(list->model()->index(2, 0));
    QTest::keyClick(list, Qt::Key_F2);
    QCOMPARE(probe::RowText(*dlg_, 2), QStringLiteral("BreakPoint"));
    list->setCurrentIndex(list->model()->index(0, 0));
    QCOMPARE(pageOnView(), 1);

    dlg_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QString &step = steps.at(i);
        if (step.startsWith("row:")) {
            list->setCurrentIndex(list->model()->index(step.mid(4).toInt(), 0));
        } else if (step.startsWith("wheel:")) {
            const QPoint centre = view()->viewport()->rect().center();
            QWheelEvent wheel(centre, view()->viewport()->mapToGlobal(centre), {}, {0, step.mid(6).toInt()},
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view()->viewport(), &wheel);
        } else {
            view()->setFocus();
            const Qt::Key key = step == "PgDown"  ? Qt::Key_PageDown
                                : step == "PgUp"  ? Qt::Key_PageUp
                                : step == "Down"  ? Qt::Key_Down
                                : step == "Up"    ? Qt::Key_Up
                                : step == "Right" ? Qt::Key_Right
                                : step == "Left"  ? Qt::Key_Left
                                : step == "Home"  ? Qt::Key_Home
                                                  : Qt::Key_End;
            QTest::keyClick(view(), key);
            // The user goes on paging where they are: the list does not take the focus.
            QCOMPARE(QApplication::focusWidget(), view());
        }
        const QByteArray where = QStringLiteral("after step %1 (%2)").arg(i + 1).arg(step).toUtf8();
        QVERIFY2(pageOnView() == pages.at(i), where + " page " + QByteArray::number(pageOnView()));
        QVERIFY2(selectedRow() == rows.at(i), where + " row " + selectedRow().toUtf8());
        // The selected row is scrolled into the list's view.
        const QRect shown = list->visualRect(list->selectionModel()->selectedRows().value(0));
        QVERIFY2(shown.top() >= 0 && shown.bottom() <= list->viewport()->rect().bottom(), where);
    }
}

// The page the preview's picture shows: of the document's own renderings of its pages, at the
// size the preview draws the page, the one nearest to the picture; 0 while no page is drawn.
int TestWindowHints::pageDrawn() const
{
    const QImage shot = view()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The page is the white area on the view's darker background.
    int left = shot.width(), top = shot.height(), right = -1, bottom = -1;
    for (int y = 0; y < shot.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x)
            if (line[x] == 0xFFFFFFFF) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
    }
    if (right - left < 50 || bottom - top < 50)
        return 0;
    const QRect page(QPoint(left, top), QPoint(right, bottom));
    const QImage drawn = shot.copy(page);
    // Rendering every page anew at each look would take longer than the reader's own drawing.
    if (renderSize_ != page.size()) {
        renderSize_ = page.size();
        renders_.clear();
        for (int index = 0; index < view()->document()->pageCount(); ++index) {
            QImage own(page.size(), QImage::Format_RGB32);
            own.fill(Qt::white);
            QPainter painter(&own);
            painter.drawImage(0, 0, view()->document()->render(index, page.size()));
            painter.end();
            renders_ << own;
        }
    }
    int nearest = 0;
    qint64 nearestDistance = std::numeric_limits<qint64>::max();
    for (qsizetype index = 0; index < renders_.size(); ++index) {
        qint64 distance = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            const auto *own = reinterpret_cast<const QRgb *>(renders_.at(index).constScanLine(y));
            const auto *shown = reinterpret_cast<const QRgb *>(drawn.constScanLine(y));
            for (int x = 0; x < drawn.width(); ++x)
                distance += qAbs(qGray(own[x]) - qGray(shown[x]));
        }
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = int(index) + 1;
        }
    }
    return nearest;
}

void TestWindowHints::previewDrawsTheSelectedPage_data()
{
    // Keys pressed in the page list, or "open" to open the document again; after each step the
    // page whose picture the preview must show.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<int>>("pages");
    QTest::newRow("downThenUp") << QStringList{"Down", "Up"} << QList<int>{2, 1};
    QTest::newRow("endThenHome") << QStringList{"End", "Home", "Down"} << QList<int>{10, 1, 2};
    QTest::newRow("reopenedFromPageThree") << QStringList{"Down", "Down", "open"} << QList<int>{2, 3, 1};
}

void TestWindowHints::previewDrawsTheSelectedPage()
{
    QFETCH(QStringList, steps);
    QFETCH(QList<int>, pages);
    probe::Open(*dlg_, good_);
    QTreeView *list = probe::PageList(*dlg_);
    QCOMPARE(probe::RowCount(*dlg_), 10);
    QTRY_COMPARE(pageDrawn(), 1);
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const QString &step = steps.at(i);
        if (step == "open") {
            probe::Open(*dlg_, good_);
        } else {
            list->setFocus();
            QTest::keyClick(list, step == "Down"  ? Qt::Key_Down
                                  : step == "Up"  ? Qt::Key_Up
                                  : step == "End" ? Qt::Key_End
                                                  : Qt::Key_Home);
        }
        // The reader draws its pages in the background, so the picture may take a moment.
        QTRY_COMPARE_WITH_TIMEOUT(pageDrawn(), pages.at(i), 3000);
    }
}

QTEST_MAIN(TestWindowHints)
#include "tst_windowhints.moc"
