// The break point model without any window: built from its own sources and QtCore and QtGui
// only, so a widget creeping into it stops this program from building.
#include "split/BreakPointModel.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace qw;

class TestBreakPointModel : public QObject {
    Q_OBJECT
private slots:
    void editsAndTheirHistory_data();
    void editsAndTheirHistory();
    void rowsAgreeWithWhatTheyShow();

private:
    // The rows as shown: page numbers, "(p)" for page p left out, and "|" for a break point row.
    static QString shown(const BreakPointModel &model);
};

QString TestBreakPointModel::shown(const BreakPointModel &model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString text = model.index(row).data().toString();
        if (model.index(row).data(BreakPointModel::LeftOutRole).toBool())
            rows << "(" + text + ")";
        else
            rows << (text == QLatin1String(BreakPointModel::kBreakPointText) ? QStringLiteral("|") : text);
    }
    return rows.join(' ');
}

void TestBreakPointModel::editsAndTheirHistory_data()
{
    // Each step: "insert R", "delete R", "clean S" (S the selected row), "place P,P@L S [O,O]"
    // (O the pages left out besides), "out R", "in R" (a page row left out or taken back in),
    // "undo", "redo". After the script: the rows, the bookmark level, the parts, the steps that can be
    // undone, and the rows undo and redo asked to select (-1: the selection stays).
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("parts");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QList<int>>("replayed");

    QTest::newRow("insert before a page") << 4 << QStringList{"insert 2"} << "1 2 | 3 4" << 0 << 2 << 1 << QList<int>{};
    QTest::newRow("never before page 1, never doubled, never on a break point")
        << 4 << QStringList{"insert 0", "insert 1", "insert 2", "insert 2"} << "1 | 2 3 4" << 0 << 2 << 1
        << QList<int>{};
    QTest::newRow("delete only break point rows")
        << 4 << QStringList{"insert 2", "delete 3", "delete 0", "delete 2"} << "1 2 3 4" << 0 << 1 << 2 << QList<int>{};
    QTest::newRow("clean all is one step, and nothing to clean is none")
        << 6 << QStringList{"insert 1", "insert 4", "clean 0", "clean 0"} << "1 2 3 4 5 6" << 0 << 1 << 3
        << QList<int>{};
    QTest::newRow("placement keeps what is there and skips what may not stand")
        << 9 << QStringList{"insert 4", "place 1,3,4,5,99@2 0"} << "1 2 | 3 | 4 | 5 6 7 8 9" << 2 << 4 << 2
        << QList<int>{};
    QTest::newRow("a placement that adds nothing sets the level, no step")
        << 5 << QStringList{"insert 2", "place 3@1 0"} << "1 2 | 3 4 5" << 1 << 2 << 1 << QList<int>{};
    QTest::newRow("undo and redo a delete select the break point, then its page")
        << 5 << QStringList{"insert 2", "delete 2", "undo", "redo"} << "1 2 3 4 5" << 0 << 1 << 2
        << QList<int>{2, 2};
    QTest::newRow("undo a placement restores the level")
        << 8 << QStringList{"place 3,6@1 4", "place 2@3 0", "undo"} << "1 2 | 3 4 5 | 6 7 8" << 1 << 3 << 1
        << QList<int>{0};
    QTest::newRow("undo of clean all brings every break point back, and the one selected")
        << 6 << QStringList{"place 2,4,6@0 3", "clean 4", "undo"} << "1 | 2 3 | 4 5 | 6" << 0 << 4 << 1
        << QList<int>{4};
    QTest::newRow("a new edit drops what could be redone")
        << 5 << QStringList{"insert 3", "undo", "insert 1", "redo"} << "1 | 2 3 4 5" << 0 << 2 << 1 << QList<int>{3};
    QTest::newRow("a page left out and taken back in, each one step")
        << 5 << QStringList{"out 2", "out 2", "in 2", "undo"} << "1 2 (3) 4 5" << 0 << 1 << 1 << QList<int>{2};
    QTest::newRow("a placement that leaves separators out is one step, undone whole")
        << 6 << QStringList{"place 3@0 0 3,6", "undo", "redo"} << "1 2 | (3) 4 5 (6)" << 0 << 2 << 1
        << QList<int>{0, 0};
    QTest::newRow("a page row left out takes a break point as any page row does")
        << 4 << QStringList{"out 2", "insert 2", "delete 2"} << "1 2 (3) 4" << 0 << 1 << 3 << QList<int>{};
    QTest::newRow("clean all keeps the pages left out")
        << 4 << QStringList{"place 2,4@0 0 4", "clean 0"} << "1 2 3 (4)" << 0 << 1 << 2 << QList<int>{};
    QTest::newRow("every page left out makes no part")
        << 2 << QStringList{"out 0", "out 1"} << "(1) (2)" << 0 << 0 << 2 << QList<int>{};
    QTest::newRow("a one-page document takes no break point")
        << 1 << QStringList{"insert 0", "place 1,2@1 0"} << "1" << 1 << 1 << 0 << QList<int>{};
}

void TestBreakPointModel::editsAndTheirHistory()
{
    QFETCH(int, pages);
    QFETCH(QStringList, script);
    BreakPointModel model;
    // Every signal the model sends is checked against what its rows say before and after.
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.Reset(pages);
    QSignalSpy replayed(&model, &BreakPointModel::Replayed);
    for (const QString &step : script) {
        const QStringList words = step.split(' ');
        const int at = words.value(words[0] == "place" ? 2 : words.size() - 1).toInt();
        const auto pagesIn = [](const QString &list) {
            QList<int> pages;
            for (const QString &page : list.split(',', Qt::SkipEmptyParts))
                pages << page.toInt();
            return pages;
        };
        if (words[0] == "insert") {
            model.InsertBefore(at);
        } else if (words[0] == "delete") {
            model.Delete(at);
        } else if (words[0] == "clean") {
            model.CleanAll(at);
        } else if (words[0] == "place") {
            const QStringList what = words[1].split('@');
            model.Place(pagesIn(what[0]), what[1].toInt(), at, pagesIn(words.value(3)));
        } else if (words[0] == "out" || words[0] == "in") {
            model.SetLeftOut(at, words[0] == "out");
        } else if (words[0] == "undo") {
            model.History().undo();
        } else {
            model.History().redo();
        }
    }
    QTEST(shown(model), "rows");
    QTEST(model.BookmarkLevel(), "level");
    QTEST(int(model.Parts().size()), "parts");
    QTEST(model.History().index(), "steps");
    QList<int> rows;
    for (const QList<QVariant> &signal : replayed)
        rows << signal.at(0).toInt();
    QTEST(rows, "replayed");
}

void TestBreakPointModel::rowsAgreeWithWhatTheyShow()
{
    // Random break points on documents of a few sizes: every row's kind, page and place agree
    // with its text, and the parts cover the pages once, in order.
    QRandomGenerator random(7);
    for (int pages : {1, 2, 3, 17, 200}) {
        BreakPointModel model;
        model.Reset(pages);
        QList<int> wanted;
        for (int page = 2; page <= pages; ++page)
            if (random.bounded(3) == 0)
                wanted << page;
        model.Place(wanted, 0, -1);
        QCOMPARE(model.BreakPages(), wanted);
        QCOMPARE(model.rowCount(), pages + wanted.size());
        int page = 0;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString text = model.index(row).data().toString();
            const bool breakPoint = text == QLatin1String(BreakPointModel::kBreakPointText);
            QCOMPARE(model.IsBreakPoint(row), breakPoint);
            if (breakPoint) {
                QCOMPARE(model.PageAt(row), page + 1);
                QVERIFY(!model.IsInsertable(row + 1));
            } else {
                QCOMPARE(text.toInt(), ++page);
                QCOMPARE(model.PageAt(row), page);
                QCOMPARE(model.RowOfPage(page), row);
                QCOMPARE(model.IsInsertable(row), page > 1 && !wanted.contains(page));
            }
        }
        QCOMPARE(page, pages);
        int next = 1;
        for (const PartRange &part : model.Parts()) {
            QCOMPARE(part.firstPage, next);
            next = part.lastPage + 1;
        }
        QCOMPARE(next, pages + 1);
    }
}

QTEST_GUILESS_MAIN(TestBreakPointModel)
#include "tst_breakpointmodel.moc"
