// The parts a list of rows or of break pages makes, and the refusal of outputs that would destroy data.
#include "split/SplitPlan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qw;

namespace {
const QString BP = QStringLiteral("BreakPoint");
}

class TestSplitPlan : public QObject {
    Q_OBJECT
private slots:
    void rowsMakeParts_data();
    void rowsMakeParts();
    void breaksMakeParts_data();
    void breaksMakeParts();
    void outputConflicts_data();
    void outputConflicts();
    void existingOutputsAreNamed_data();
    void existingOutputsAreNamed();
};

void TestSplitPlan::rowsMakeParts_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<PartRange>>("parts");
    QTest::newRow("noBreakPoints") << QStringList{"1", "2", "3"} << QList<PartRange>{{1, 3, 1, 1}};
    QTest::newRow("onePage") << QStringList{"1"} << QList<PartRange>{{1, 1, 1, 1}};
    QTest::newRow("everyPageAPart") << QStringList{"1", BP, "2", BP, "3"}
                                    << QList<PartRange>{{1, 1, 1, 3}, {2, 2, 2, 3}, {3, 3, 3, 3}};
    QTest::newRow("tenPagesBeforeFourAndEight")
        << QStringList{"1", "2", "3", BP, "4", "5", "6", "7", BP, "8", "9", "10"}
        << QList<PartRange>{{1, 3, 1, 3}, {4, 7, 2, 3}, {8, 10, 3, 3}};
    QTest::newRow("textsAreNotParsed") << QStringList{"x", "", BP, "9"} << QList<PartRange>{{1, 2, 1, 2}, {3, 3, 2, 2}};
    QTest::newRow("otherCaseIsAPage") << QStringList{"1", "breakpoint", "2"} << QList<PartRange>{{1, 3, 1, 1}};
    // Lists the window never makes: no empty part, no range that runs backwards.
    QTest::newRow("breakPointsSideBySide")
        << QStringList{"1", BP, BP, "2"} << QList<PartRange>{{1, 1, 1, 2}, {2, 2, 2, 2}};
    QTest::newRow("breakPointFirstAndLast") << QStringList{BP, "1", "2", BP} << QList<PartRange>{{1, 2, 1, 1}};
    QTest::newRow("onlyBreakPoints") << QStringList{BP, BP} << QList<PartRange>{};
}

void TestSplitPlan::rowsMakeParts()
{
    QFETCH(QStringList, rows);
    QFETCH(QList<PartRange>, parts);
    QCOMPARE(SplitPlan::FromRows(rows, BP), parts);
}

void TestSplitPlan::breaksMakeParts_data()
{
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QList<int>>("breaks");
    QTest::addColumn<QList<PartRange>>("parts");
    QTest::newRow("unsortedAndTwice") << 10 << QList<int>{8, 4, 8}
                                      << QList<PartRange>{{1, 3, 1, 3}, {4, 7, 2, 3}, {8, 10, 3, 3}};
    QTest::newRow("outsideTheDocument") << 3 << QList<int>{0, 1, 3, 4} << QList<PartRange>{{1, 2, 1, 2}, {3, 3, 2, 2}};
    QTest::newRow("noPages") << 0 << QList<int>{2} << QList<PartRange>{};
}

void TestSplitPlan::breaksMakeParts()
{
    QFETCH(int, pageCount);
    QFETCH(QList<int>, breaks);
    QFETCH(QList<PartRange>, parts);
    QCOMPARE(SplitPlan::FromBreaks(pageCount, breaks), parts);
}

void TestSplitPlan::outputConflicts_data()
{
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<QString>("expected");
    QTest::newRow("distinct") << QStringList{"%1/a 1.pdf", "%1/a 2.pdf"} << QString();
    QTest::newRow("sameNameForAllParts") << QStringList{"%1/a.x.pdf", "%1/a.x.pdf", "%1/a.x.pdf"}
                                         << "Parts 1 and 2 would both be written to";
    QTest::newRow("overTheDocument") << QStringList{"%1/a 1.pdf", "%1/a.pdf"}
                                     << "Part 2 would be written over the document being split";
    QTest::newRow("documentSpelledOtherwise")
        << QStringList{"%1/./sub/../a.pdf"} << "Part 1 would be written over the document";
    QTest::newRow("documentThroughALinkedFolder")
        << QStringList{"%1/link/a.pdf"} << "Part 1 would be written over the document";
    QTest::newRow("partsCollidingThroughALink")
        << QStringList{"%1/b.pdf", "%1/link/b.pdf"} << "Parts 1 and 2 would both be written to";
}

void TestSplitPlan::outputConflicts()
{
    QFETCH(QStringList, outputs);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("sub");
    QFile::link(dir.path(), dir.filePath("link"));
    QFile document(dir.filePath("a.pdf"));
    QVERIFY(document.open(QIODevice::WriteOnly));
    for (QString &output : outputs)
        output = output.arg(dir.path());
    const QString conflict = SplitPlan::FindOutputConflict(document.fileName(), outputs);
    if (expected.isEmpty())
        QCOMPARE(conflict, QString());
    else
        QVERIFY2(conflict.startsWith(expected), qPrintable(conflict));
}

void TestSplitPlan::existingOutputsAreNamed_data()
{
    QTest::addColumn<int>("existing");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("one") << 1 << "This file already exists:\n\n%1/part 1.pdf\n\n"
                         << "replace it with the new parts?";
    QTest::newRow("three") << 3 << "These 3 files already exist:\n\n%1/part 1.pdf\n%1/part 2.pdf\n%1/part 3.pdf\n\n"
                           << "replace them with the new parts?";
    QTest::newRow("twelve") << 12 << "These 12 files already exist:\n\n%1/part 1.pdf\n"
                            << "%1/part 10.pdf\nand 2 more\n\nDo you want to replace them with the new parts?";
}

void TestSplitPlan::existingOutputsAreNamed()
{
    QFETCH(int, existing);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QTemporaryDir dir;
    QStringList outputs;
    for (int part = 1; part <= existing + 2; ++part)
        outputs << dir.filePath(QStringLiteral("part %1.pdf").arg(part));
    for (int part = 0; part < existing; ++part)
        QVERIFY(QFile(outputs.at(part)).open(QIODevice::WriteOnly));
    // A link that leads nowhere is something a new part would replace too.
    QVERIFY(QFile::link(dir.filePath("nowhere"), outputs.last()));

    const QStringList found = SplitPlan::ExistingOutputs(outputs);
    QCOMPARE(found, outputs.mid(0, existing) << outputs.last());
    const QString question = SplitPlan::ReplaceQuestion(found.mid(0, existing));
    QVERIFY2(question.startsWith(start.replace("%1", dir.path())), qPrintable(question));
    QVERIFY2(question.endsWith(end.replace("%1", dir.path())), qPrintable(question));
}

QTEST_GUILESS_MAIN(TestSplitPlan)
#include "tst_splitplan.moc"
