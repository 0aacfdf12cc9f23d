// size_plan through the built engine: the parts it plans, written with its own cat, are
// each at most the limit (but a single page larger than it), and as few as sharing allows.
#include "EngineProcess.h"
#include "PdfFixtures.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestEngineSizePlan : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void partsWrittenByCatFitTheLimit_data();
    void partsWrittenByCatFitTheLimit();

private:
    struct Part {
        int first = 0;
        int last = 0;
        qint64 bytes = 0;
    };
    struct Plan {
        int pages = 0;
        QList<Part> parts;
        QList<int> oversize;
    };
    static Plan parse(const QByteArray &report);
    qint64 catBytes(const QString &document, int first, int last);

    QTemporaryDir m_dir;
};

void TestEngineSizePlan::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

TestEngineSizePlan::Plan TestEngineSizePlan::parse(const QByteArray &report)
{
    Plan plan;
    for (const QByteArray &line : report.split('\n')) {
        const int colon = line.indexOf(": ");
        const QByteArray key = line.left(colon), value = line.mid(colon + 2);
        if (key == "NumberOfPages")
            plan.pages = value.toInt();
        else if (line == "PartBegin")
            plan.parts.append(Part());
        else if (key == "PartFirstPage" && !plan.parts.isEmpty())
            plan.parts.last().first = value.toInt();
        else if (key == "PartLastPage" && !plan.parts.isEmpty())
            plan.parts.last().last = value.toInt();
        else if (key == "PartBytes" && !plan.parts.isEmpty())
            plan.parts.last().bytes = value.toLongLong();
        else if (key == "OversizePage")
            plan.oversize.append(value.toInt());
    }
    return plan;
}

qint64 TestEngineSizePlan::catBytes(const QString &document, int first, int last)
{
    const QString part = m_dir.filePath("part.pdf");
    QFile::remove(part);
    const EngineProcess::Result result = EngineProcess::run(
        {"A=" + document, "cat", QString("A%1-%2").arg(first).arg(last), "output", part});
    return result.exitCode == 0 ? QFileInfo(part).size() : -1;
}

void TestEngineSizePlan::partsWrittenByCatFitTheLimit_data()
{
    QTest::addColumn<QByteArray>("document");
    // A negative limit -d is the whole document as cat writes it, over d.
    QTest::addColumn<qlonglong>("limit");
    QTest::addColumn<int>("partCount"); // -1: not fixed by the case
    QTest::addColumn<QList<int>>("oversize");

    const QList<int> none;
    // Each part holds the 60,000-byte font and four 40,000-byte images: a fifth would not fit.
    QTest::newRow("evenPages") << PdfFixtures::weighted(QList<int>(12, 40000), 60000) << 250000LL << 3 << none;
    // Counted for every page, the font would leave each page alone in its part.
    QTest::newRow("sharedFontCountedOnce") << PdfFixtures::weighted(QList<int>(10, 5000), 200000) << 300000LL << 1
                                           << none;
    // The font goes again into every part.
    QTest::newRow("sharedFontInEveryPart") << PdfFixtures::weighted(QList<int>(8, 50000), 100000) << 260000LL << 3
                                           << none;
    QTest::newRow("unevenPages") << PdfFixtures::weighted({90000, 5000, 5000, 120000, 1000, 70000, 70000, 3000}, 20000)
                                 << 160000LL << -1 << none;
    QTest::newRow("pageOverTheLimitAlone")
        << PdfFixtures::weighted({30000, 30000, 400000, 30000, 30000}, 10000) << 150000LL << 3 << QList<int>{3};
    QTest::newRow("limitBelowEveryPage") << PdfFixtures::weighted(QList<int>(4, 1000), 1000) << 500LL << 4
                                         << QList<int>{1, 2, 3, 4};
    QTest::newRow("onePage") << PdfFixtures::weighted({1000}, 1000) << 1000000LL << 1 << none;
    // Bookmarks, labels, links, fields and document entries go with the parts as cat writes them.
    QTest::newRow("manualWithBookmarks") << PdfFixtures::manual() << -3LL << -1 << none;
    QTest::newRow("linksAndFields") << PdfFixtures::tenPages() << -2LL << -1 << none;
}

void TestEngineSizePlan::partsWrittenByCatFitTheLimit()
{
    QFETCH(QByteArray, document);
    QFETCH(qlonglong, limit);
    QFETCH(int, partCount);
    QFETCH(QList<int>, oversize);
    const QString source = m_dir.filePath("source.pdf");
    QVERIFY(PdfFixtures::write(source, document));
    const QString report = m_dir.filePath("plan.txt");
    QFile::remove(report);

    const EngineProcess::Result probe = EngineProcess::run({source, "dump_data", "output", report});
    QCOMPARE(probe.exitCode, 0);
    QFile dump(report);
    QVERIFY(dump.open(QIODevice::ReadOnly));
    const int pages = parse(dump.readAll()).pages;
    dump.close();
    if (limit < 0)
        limit = catBytes(source, 1, pages) / -limit;
    QVERIFY(limit > 0);

    QFile::remove(report);
    const EngineProcess::Result result
        = EngineProcess::run({source, "size_plan", QString::number(limit), "output", report});
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QVERIFY2(result.out.trimmed().endsWith(QString("Progress: %1/%1").arg(pages).toUtf8()), result.out.constData());
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const Plan plan = parse(file.readAll());
    QCOMPARE(plan.pages, pages);
    QCOMPARE(plan.oversize, oversize);
    if (partCount >= 0)
        QCOMPARE(plan.parts.size(), partCount);

    qint64 written = 0;
    int next = 1;
    for (const Part &part : plan.parts) {
        QCOMPARE(part.first, next);
        QVERIFY(part.last >= part.first);
        next = part.last + 1;
        const qint64 bytes = catBytes(source, part.first, part.last);
        // The plan's sizes are the sizes the parts have when written.
        QCOMPARE(bytes, part.bytes);
        const bool alone = part.first == part.last && oversize.contains(part.first);
        QVERIFY2(bytes <= limit || alone,
                 qPrintable(QString("pages %1-%2: %3 bytes").arg(part.first).arg(part.last).arg(bytes)));
        QCOMPARE(bytes > limit, alone);
        written += bytes;
    }
    QCOMPARE(next, pages + 1);
    const qint64 ideal = (written + limit - 1) / limit;
    QVERIFY2(plan.parts.size() <= qMax<qint64>(2 * ideal, oversize.size() + 1),
             qPrintable(QString("%1 parts, %2 would do").arg(plan.parts.size()).arg(ideal)));
}

QTEST_GUILESS_MAIN(TestEngineSizePlan)
#include "tst_enginesizeplan.moc"
