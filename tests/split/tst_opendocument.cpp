// The open document through the real engine: what each plan finds in a document, that the model
// takes it as one step, and that the split job is made of what the document holds.
#include "PdfFixtures.h"
#include "split/OpenDocument.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qw;

class TestOpenDocument : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void plansPlaceWhatTheyFindAsOneStep_data();
    void plansPlaceWhatTheyFindAsOneStep();
    void jobCarriesTheDocumentsNames();
    void unreadableDocumentStaysClosed();

private:
    QTemporaryDir work_;
    QString chapters_;
};

void TestOpenDocument::initTestCase()
{
    QVERIFY(work_.isValid());
    // Twelve pages "Page k"; chapters begin on pages 1, 4, 7 and 10, each with a section on its
    // second page; chapter 3 is "Chapter 3: Input/Output".
    chapters_ = work_.filePath("chapters.pdf");
    QVERIFY(PdfFixtures::write(chapters_, PdfFixtures::chapters(4, 3)));
}

void TestOpenDocument::plansPlaceWhatTheyFindAsOneStep_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QList<int>>("breaks");
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("labelled");
    QTest::newRow("chapters") << "bookmarks:1:" << QList<int>{4, 7, 10} << 1 << QList<int>();
    QTest::newRow("sections") << "bookmarks:2:" << QList<int>{2, 4, 5, 7, 8, 10, 11} << 2 << QList<int>();
    QTest::newRow("matching titles only") << "bookmarks:1:input" << QList<int>{7} << 1 << QList<int>();
    QTest::newRow("every five") << "every:5" << QList<int>{6, 11} << 0 << QList<int>();
    // "Page 1" begins pages 1 and 10 to 12: documents that start side by side and on the last
    // page each begin a part of their own.
    QTest::newRow("document starts") << "separators:text:Page 1" << QList<int>{10, 11, 12} << 0
                                     << QList<int>{1, 10, 11, 12};
    QTest::newRow("size that fits") << "size:1000000000" << QList<int>() << 0 << QList<int>();
    // Only pages 10 to 12 have a value; the first value seen begins no part, pages without one
    // stay with the part before them.
    QTest::newRow("value changes") << "changes:page 1\\d" << QList<int>{11, 12} << 0 << QList<int>();
    QTest::newRow("value never changes") << "changes:(page) 1\\d" << QList<int>() << 0 << QList<int>();
}

void TestOpenDocument::plansPlaceWhatTheyFindAsOneStep()
{
    QFETCH(QString, way);
    QFETCH(QList<int>, breaks);
    QFETCH(int, level);
    QFETCH(QList<int>, labelled);

    OpenDocument document;
    QVERIFY(document.Open(chapters_));
    QCOMPARE(document.PageCount(), 12);
    const QString kind = way.section(':', 0, 0);
    const QString given = way.section(':', 1);
    OpenDocument::Plan plan;
    if (kind == "bookmarks")
        plan = document.AtBookmarks(given.section(':', 0, 0).toInt(),
                                    DocumentOutline::MatchExpression(given.section(':', 1)));
    else if (kind == "every")
        plan = document.Every(given.toInt());
    else if (kind == "separators")
        plan = document.AtSeparators(*SeparatorRule::Parse(given), false);
    else if (kind == "changes")
        plan = document.AtChanges(given);
    else
        plan = document.BySize(given.toLongLong());
    QVERIFY2(!plan.problem, qPrintable(plan.problem.Text()));
    QCOMPARE(plan.breaks, breaks);
    QCOMPARE(plan.separatorLabels.keys(), labelled);

    // Taken at the selected row as one step, which undo takes back whole.
    QCOMPARE(document.Take(plan, 3), !breaks.isEmpty());
    QCOMPARE(document.Breaks().BreakPages(), breaks);
    QCOMPARE(document.Breaks().History().count(), breaks.isEmpty() ? 0 : 1);
    QCOMPARE(document.Breaks().BookmarkLevel(), level);
    QCOMPARE(document.SeparatorLabels().keys(), labelled);
    document.Breaks().History().undo();
    QVERIFY(document.Breaks().BreakPages().isEmpty());
}

void TestOpenDocument::jobCarriesTheDocumentsNames()
{
    OpenDocument document;
    QVERIFY(document.Open(chapters_));
    QVERIFY(document.Take(document.AtBookmarks(1, {})));
    SplitSettings settings;
    settings.fileNamePattern = "{bookmark}";
    const SplitJob job = document.Job(settings);
    QCOMPARE(job.DocumentPath(), chapters_);
    QCOMPARE(job.Parts().size(), 4);
    QCOMPARE(job.Settings().bookmarkLevel, 1);
    QCOMPARE(QFileInfo(job.OutputPathOf(job.Parts().at(2))).fileName(), "Chapter 3: Input-Output.pdf");
    // The job reads only the file that was reported on: another one in its place is refused.
    QVERIFY(!job.Refusal());
    QVERIFY(PdfFixtures::write(work_.filePath("other.pdf"), PdfFixtures::tenPages()));
    QVERIFY(QFile::remove(chapters_) && QFile::rename(work_.filePath("other.pdf"), chapters_));
    QCOMPARE(job.Refusal().kind, SplitRefusal::Kind::DocumentChanged);
    QVERIFY(PdfFixtures::write(chapters_, PdfFixtures::chapters(4, 3)));
}

void TestOpenDocument::unreadableDocumentStaysClosed()
{
    OpenDocument document;
    QVERIFY(document.Open(chapters_));
    QVERIFY(document.Take(document.Every(2)));
    const QString garbage = work_.filePath("garbage.pdf");
    QVERIFY(PdfFixtures::write(garbage, PdfFixtures::garbage(true)));
    // A failed open leaves nothing of the document before: no pages, no history, no report.
    QVERIFY(!document.Open(garbage));
    QVERIFY(!document.IsOpen());
    QCOMPARE(document.Path(), garbage);
    QCOMPARE(document.Breaks().rowCount(), 0);
    QCOMPARE(document.Breaks().History().count(), 0);
    QCOMPARE(document.Report().status(), DocumentReport::Status::Unreadable);
}

QTEST_GUILESS_MAIN(TestOpenDocument)
#include "tst_opendocument.moc"
