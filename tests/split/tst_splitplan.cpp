// The parts that break pages make, and the refusal of outputs that would destroy
// data or that the engine would refuse, found as the file system resolves them.
#include "core/FileStamp.h"
#include "split/OutputTarget.h"
#include "split/SplitPlan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace qw;

class TestSplitPlan : public QObject {
    Q_OBJECT
private slots:
    void breaksMakeParts_data();
    void breaksMakeParts();
    void separatorsMakeParts_data();
    void separatorsMakeParts();
    void outputConflicts_data();
    void outputConflicts();
    void existingOutputsAreNamed_data();
    void existingOutputsAreNamed();
};

void TestSplitPlan::breaksMakeParts_data()
{
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QList<int>>("breaks");
    QTest::addColumn<QList<int>>("leftOut");
    QTest::addColumn<QList<PartRange>>("parts");
    QTest::newRow("unsortedAndTwice") << 10 << QList<int>{8, 4, 8} << QList<int>{}
                                      << QList<PartRange>{{1, 3, 1, 3}, {4, 7, 2, 3}, {8, 10, 3, 3}};
    QTest::newRow("outsideTheDocument") << 3 << QList<int>{0, 1, 3, 4} << QList<int>{}
                                        << QList<PartRange>{{1, 2, 1, 2}, {3, 3, 2, 2}};
    QTest::newRow("noPages") << 0 << QList<int>{2} << QList<int>{} << QList<PartRange>{};
    QTest::newRow("leftOutInside") << 10 << QList<int>{4} << QList<int>{6, 2, 6}
                                   << QList<PartRange>{{1, 3, 1, 2, {2}}, {4, 10, 2, 2, {6}}};
    // A part whose pages are all left out is no part; pages left out at a part's ends shorten it.
    QTest::newRow("leftOutWholePartAndEnds") << 10 << QList<int>{4, 6} << QList<int>{4, 5, 6, 10}
                                             << QList<PartRange>{{1, 3, 1, 2}, {7, 9, 2, 2}};
}

void TestSplitPlan::breaksMakeParts()
{
    QFETCH(int, pageCount);
    QFETCH(QList<int>, breaks);
    QFETCH(QList<int>, leftOut);
    QFETCH(QList<PartRange>, parts);
    QCOMPARE(SplitPlan::FromBreaks(pageCount, breaks, leftOut), parts);
}

void TestSplitPlan::separatorsMakeParts_data()
{
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QList<int>>("separators");
    QTest::addColumn<QStringList>("kept"); // each part's page ranges, sheets kept
    QTest::addColumn<QStringList>("leftOut"); // the same with the sheets left out
    QTest::addColumn<QStringList>("starts"); // the same when each page found starts a document
    // 3 pages, separator, 1 page, separator, 4 pages.
    QTest::newRow("stack") << 10 << QList<int>{6, 4} << QStringList{"1-3", "4-5", "6-10"}
                           << QStringList{"1-3", "5", "7-10"} << QStringList{"1-3", "4-5", "6-10"};
    QTest::newRow("onFirstAndLastPage") << 8 << QList<int>{1, 8} << QStringList{"1-8"} << QStringList{"2-7"}
                                        << QStringList{"1-7", "8"};
    QTest::newRow("sideBySide") << 9 << QList<int>{4, 5, 6} << QStringList{"1-3", "4-9"} << QStringList{"1-3", "7-9"}
                                << QStringList{"1-3", "4", "5", "6-9"};
    QTest::newRow("runClosingTheDocument") << 6 << QList<int>{2, 5, 6} << QStringList{"1", "2-6"}
                                           << QStringList{"1", "3-4"} << QStringList{"1", "2-4", "5", "6"};
    QTest::newRow("onlySeparators") << 2 << QList<int>{1, 2} << QStringList{"1-2"} << QStringList{}
                                    << QStringList{"1", "2"};
    // Statements of 1, 2, 1, 1, 3, 1 and 1 pages, each beginning "Statement of account": one
    // part each, the one-page statements at the start, side by side and at the end too.
    QTest::newRow("statements") << 10 << QList<int>{1, 2, 4, 5, 6, 9, 10} << QStringList{"1-3", "4-10"}
                                << QStringList{"3", "7-8"} << QStringList{"1", "2-3", "4", "5", "6-8", "9", "10"};
}

void TestSplitPlan::separatorsMakeParts()
{
    QFETCH(int, pageCount);
    QFETCH(QList<int>, separators);
    for (const char *role : {"kept", "leftOut", "starts"}) {
        const SeparatorRole asRole = qstrcmp(role, "kept") == 0      ? SeparatorRole::Sheet
                                     : qstrcmp(role, "leftOut") == 0 ? SeparatorRole::LeftOutSheet
                                                                     : SeparatorRole::DocumentStart;
        const SeparatorPlan plan = SplitPlan::AtSeparators(pageCount, separators, asRole);
        QStringList parts;
        for (const PartRange &part : SplitPlan::FromBreaks(pageCount, plan.breaks, plan.leftOut)) {
            QStringList ranges;
            for (const auto &[from, to] : part.Ranges())
                ranges << (from == to ? QString::number(from) : QStringLiteral("%1-%2").arg(from).arg(to));
            parts << ranges.join(',');
        }
        QTEST(parts, role);
    }
}

void TestSplitPlan::outputConflicts_data()
{
    using Kind = SplitRefusal::Kind;
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<SplitRefusal>("expected"); // paths from the temporary folder, "@/"
    QTest::newRow("distinct") << QStringList{"a 1.pdf", "a 2.pdf"} << SplitRefusal();
    QTest::newRow("sameNameForAllParts") << QStringList{"a.x.pdf", "a.x.pdf", "a.x.pdf"}
                                         << SplitRefusal{Kind::TwoPartsOneName, "@/a.x.pdf", 2, 1};
    QTest::newRow("overTheDocument") << QStringList{"a 1.pdf", "a.pdf"}
                                     << SplitRefusal{Kind::PartOverDocument, "@/a.pdf", 2};
    QTest::newRow("documentSpelledOtherwise") << QStringList{"./sub/../a.pdf"}
                                              << SplitRefusal{Kind::PartOverDocument, "@/a.pdf", 1};
    QTest::newRow("documentThroughALinkedFolder") << QStringList{"link/a.pdf"}
                                                  << SplitRefusal{Kind::PartOverDocument, "@/a.pdf", 1};
    QTest::newRow("hardLinkToTheDocument") << QStringList{"hard.pdf"}
                                           << SplitRefusal{Kind::PartOverDocument, "@/hard.pdf", 1};
    QTest::newRow("partsCollidingThroughALink") << QStringList{"b.pdf", "link/b.pdf"}
                                                << SplitRefusal{Kind::TwoPartsOneName, "@/b.pdf", 2, 1};
    // ".." after a linked folder leads to the parent of the link's target, as the engine finds it.
    QTest::newRow("dotDotAfterALinkedFolder") << QStringList{"out/../x.pdf", "real/x.pdf"}
                                              << SplitRefusal{Kind::TwoPartsOneName, "@/real/x.pdf", 2, 1};
    // What the engine would refuse is found before any part is written, named as it resolves.
    QTest::newRow("folderMissing") << QStringList{"a 1.pdf", "missing/a 2.pdf"}
                                   << SplitRefusal{Kind::PartFolderMissing, "@/missing/a 2.pdf", 2};
    QTest::newRow("folderAtTheName") << QStringList{"folder.pdf"}
                                     << SplitRefusal{Kind::FolderInTheWay, "@/folder.pdf", 1};
    QTest::newRow("pipeAtTheName") << QStringList{"pipe.pdf"} << SplitRefusal{Kind::NotAFileInTheWay, "@/pipe.pdf", 1};
    QTest::newRow("danglingLink") << QStringList{"dangling.pdf"}
                                  << SplitRefusal{Kind::DanglingLinkInTheWay, "@/dangling.pdf", 1, 0, "nowhere.pdf"};
    QTest::newRow("linkToAFolder") << QStringList{"tofolder.pdf"}
                                   << SplitRefusal{Kind::LinkToNonFileInTheWay, "@/tofolder.pdf", 1};
    QTest::newRow("readOnlyFile") << QStringList{"ro.pdf"} << SplitRefusal{Kind::ReadOnlyFile, "@/ro.pdf", 1};
}

void TestSplitPlan::outputConflicts()
{
    QFETCH(QStringList, outputs);
    QFETCH(SplitRefusal, expected);
    QTemporaryDir temporary;
    const QString dir = QFileInfo(temporary.path()).canonicalFilePath();
    const auto at = [&](const char *name) { return dir + '/' + name; };
    QVERIFY(QDir(dir).mkpath("sub") && QDir(dir).mkpath("real/inner") && QDir(dir).mkdir("folder.pdf"));
    QVERIFY(QFile::link(dir, at("link")) && QFile::link(at("real/inner"), at("out")));
    QFile document(at("a.pdf"));
    QVERIFY(document.open(QIODevice::WriteOnly));
    QVERIFY(::link(QFile::encodeName(at("a.pdf")).constData(), QFile::encodeName(at("hard.pdf")).constData()) == 0);
    QVERIFY(::mkfifo(QFile::encodeName(at("pipe.pdf")).constData(), 0644) == 0);
    QVERIFY(QFile::link("nowhere.pdf", at("dangling.pdf")) && QFile::link(at("sub"), at("tofolder.pdf")));
    QFile readOnly(at("ro.pdf"));
    QVERIFY(readOnly.open(QIODevice::WriteOnly) && readOnly.setPermissions(QFile::ReadOwner));

    QList<OutputTarget> targets;
    for (const QString &output : outputs)
        targets << OutputTarget::Resolve(dir, output);
    const SplitRefusal conflict = SplitPlan::FindOutputConflict(FileStamp::Of(document.fileName()), targets);
    expected.path.replace("@", dir);
    QVERIFY2(conflict == expected, qPrintable(conflict.Text()));
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
    // A link that leads nowhere is something the archive move would not replace either.
    QVERIFY(QFile::link(dir.filePath("nowhere"), outputs.last()));

    const QStringList found = SplitPlan::ExistingOutputs(outputs);
    QCOMPARE(found, outputs.mid(0, existing) << outputs.last());
    const QString question = SplitPlan::ReplaceQuestion(found.mid(0, existing));
    QVERIFY2(question.startsWith(start.replace("%1", dir.path())), qPrintable(question));
    QVERIFY2(question.endsWith(end.replace("%1", dir.path())), qPrintable(question));
}

QTEST_GUILESS_MAIN(TestSplitPlan)
#include "tst_splitplan.moc"
