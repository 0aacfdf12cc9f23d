// Sizes as people write them, and the size plan through the real engine beside this program.
#include "split/SizePlanQuery.h"

#include "PdfFixtures.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qw;

using ProblemKind = PagesCommand::Problem::Kind;

class TestSizePlanQuery : public QObject {
    Q_OBJECT
private slots:
    void parseSize_data();
    void parseSize();
    void planOfTheOpenedFile_data();
    void planOfTheOpenedFile();
};

void TestSizePlanQuery::parseSize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qlonglong>("bytes"); // 0: refused
    QTest::addColumn<QString>("why");

    QTest::newRow("plainBytes") << "123456" << 123456LL << "";
    QTest::newRow("kiloIsAThousand") << "500K" << 500000LL << "";
    QTest::newRow("megaWithByteAndSpace") << " 10 MB " << 10000000LL << "";
    QTest::newRow("lowerCaseGiga") << "2g" << 2000000000LL << "";
    QTest::newRow("bytesSuffix") << "999B" << 999LL << "";
    QTest::newRow("zero") << "0M" << 0LL << "0 bytes";
    QTest::newRow("negative") << "-5M" << 0LL << "not a size";
    QTest::newRow("fraction") << "1.5M" << 0LL << "not a size";
    QTest::newRow("unknownUnit") << "10T" << 0LL << "not a size";
    QTest::newRow("junkAfter") << "10Mx" << 0LL << "not a size";
    QTest::newRow("empty") << "  " << 0LL << "No size";
    QTest::newRow("overflowsWithUnit") << "9223372036854776G" << 0LL << "more than can be counted";
    QTest::newRow("overflowsDigits") << "99999999999999999999" << 0LL << "more than can be counted";
}

void TestSizePlanQuery::parseSize()
{
    QFETCH(QString, text);
    QFETCH(qlonglong, bytes);
    QFETCH(QString, why);
    QString reason;
    const std::optional<qint64> parsed = SizePlanQuery::ParseSize(text, &reason);
    QCOMPARE(parsed.value_or(0), bytes);
    if (bytes == 0)
        QVERIFY2(reason.contains(why), qPrintable(reason));
}

void TestSizePlanQuery::planOfTheOpenedFile_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<qlonglong>("limit");
    QTest::addColumn<bool>("replaced"); // another file takes the document's name after it was opened
    QTest::addColumn<QList<int>>("breaks");
    QTest::addColumn<QList<int>>("oversize");
    QTest::addColumn<ProblemKind>("problem");

    const QByteArray even = PdfFixtures::weighted(QList<int>(8, 50000), 100000);
    QTest::newRow("threeParts") << even << 260000LL << false << QList<int>{4, 7} << QList<int>{} << ProblemKind::None;
    QTest::newRow("oversizePage") << PdfFixtures::weighted({30000, 30000, 400000, 30000, 30000}, 10000) << 150000LL
                                  << false << QList<int>{3, 4} << QList<int>{3} << ProblemKind::None;
    QTest::newRow("documentReplaced") << even << 260000LL << true << QList<int>{} << QList<int>{}
                                      << ProblemKind::DocumentChanged;
}

void TestSizePlanQuery::planOfTheOpenedFile()
{
    QFETCH(QByteArray, document);
    QFETCH(qlonglong, limit);
    QFETCH(bool, replaced);
    QFETCH(QList<int>, breaks);
    QFETCH(QList<int>, oversize);
    QFETCH(ProblemKind, problem);
    QTemporaryDir dir;
    const QString path = dir.filePath("doc.pdf");
    QVERIFY(PdfFixtures::write(path, document));
    const FileStamp identity = FileStamp::Of(path);
    if (replaced) {
        QVERIFY(QFile::remove(path));
        QVERIFY(PdfFixtures::write(path, document));
    }
    int lastDone = 0;
    const SizePlanQuery::Result result = SizePlanQuery::Run(path, identity, limit, [&](int done, int) {
        lastDone = qMax(lastDone, done);
        return true;
    });
    QVERIFY(!result.stopped);
    QCOMPARE(result.problem.kind, problem);
    QCOMPARE(result.breaks, breaks);
    QCOMPARE(result.oversizePages, oversize);
}

QTEST_GUILESS_MAIN(TestSizePlanQuery)
#include "tst_sizeplanquery.moc"
