// Output folders and names of the parts.
#include "split/OutputNaming.h"

#include <QTest>

using namespace qw;

class TestOutputNaming : public QObject {
    Q_OBJECT
private slots:
    void foldersByOption_data();
    void foldersByOption();
    void patterns_data();
    void patterns();
    void replaceFirstOnly();
};

void TestOutputNaming::foldersByOption_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("basePath");
    QTest::addColumn<QString>("folder");
    QTest::newRow("askedFolder") << 1 << "/docs/manual.pdf"
                                 << "/asked/manual"
                                 << "/asked/";
    QTest::newRow("fixedFolder") << 2 << "/docs/manual.pdf"
                                 << "/out/manual"
                                 << "/out/";
    QTest::newRow("sameFolder") << 3 << "/docs/manual.pdf"
                                << "/docs/manual"
                                << "/docs/";
    QTest::newRow("unknownTypeZero") << 0 << "/docs/manual.pdf"
                                     << "/docs/manual"
                                     << "/docs/";
    QTest::newRow("unknownTypeSeven") << 7 << "/docs/manual.pdf"
                                      << "/docs/manual"
                                      << "/docs/";
    QTest::newRow("dotsInName") << 3 << "/docs/scan.final.pdf"
                                << "/docs/scan.final"
                                << "/docs/";
    QTest::newRow("noExtension") << 3 << "/docs/scan"
                                 << "/docs/scan"
                                 << "/docs/";
    QTest::newRow("dotInFolderOnly") << 3 << "/docs.v2/scan"
                                     << "/docs.v2/scan"
                                     << "/docs.v2/";
    QTest::newRow("noFolder") << 3 << "scan.pdf"
                              << "scan"
                              << "";
    QTest::newRow("folderEndingInSeparator") << 2 << "/docs/a.pdf"
                                             << "/out//a"
                                             << "/out//";
}

void TestOutputNaming::foldersByOption()
{
    QFETCH(int, type);
    QFETCH(QString, document);
    QFETCH(QString, basePath);
    QFETCH(QString, folder);
    const QString outFolder = QTest::currentDataTag() == QByteArray("folderEndingInSeparator") ? "/out/" : "/out";
    const OutputLocation location = ResolveOutputLocation(document, type, "/asked", outFolder);
    QCOMPARE(location.basePath, basePath);
    QCOMPARE(location.outputFolder, folder);
}

void TestOutputNaming::patterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("path");
    // Part 2 of 3, pages 5 to 9, of /docs/manual.pdf written beside it.
    QTest::newRow("partNumber") << "{basename} {part}" << 2 << "/docs/manual 2.pdf";
    QTest::newRow("partOfCount") << "{basename} {part} of {filecount}" << 2 << "/docs/manual 2 of 3.pdf";
    QTest::newRow("paddedPart") << "{basename} {part:0000}" << 2 << "/docs/manual 0002.pdf";
    QTest::newRow("pageRange") << "{basename} from page {pagebegin} to {pageend}" << 2
                               << "/docs/manual from page 5 to 9.pdf";
    QTest::newRow("emptyPattern") << "" << 2 << "/docs/manual 2.pdf";
    QTest::newRow("secondTokenStaysLiteral") << "{part}-{part}" << 1 << "1-{part}.pdf";
    QTest::newRow("paddingNeverCuts") << "{basename} {part:0000}" << 12345 << "/docs/manual 12345.pdf";
    QTest::newRow("capitalTokenIsLiteral") << "{basename} {Part}" << 2 << "/docs/manual {Part}.pdf";
    QTest::newRow("basenameOnly") << "{basename}" << 3 << "/docs/manual.pdf";
    QTest::newRow("textKeptAsIs") << "  {basename}  x " << 2 << "  /docs/manual  x .pdf";
    // The part's bookmark title comes last: a token inside the title stays as it is.
    QTest::newRow("bookmark") << "{part:0000} {bookmark}" << 2 << "0002 Intro {part}.pdf";
    QTest::newRow("bookmarkBeforeOthers") << "{bookmark} {part}" << 2 << "Intro {part} 2.pdf";
    QTest::newRow("separatorLast") << "{separator} {bookmark} {part}" << 2 << "SEP {bookmark} Intro {part} 2.pdf";
}

void TestOutputNaming::patterns()
{
    QFETCH(QString, pattern);
    QFETCH(int, part);
    QFETCH(QString, path);
    const OutputLocation location = ResolveOutputLocation("/docs/manual.pdf", 3, {}, {});
    QCOMPARE(ExpandNamePattern(pattern, location.basePath, 5, 9, part, 3, "Intro {part}", "SEP {bookmark}"), path);
}

void TestOutputNaming::replaceFirstOnly()
{
    // A token that arrives inside a value is replaced in place of the pattern's own.
    const OutputLocation location = ResolveOutputLocation("/docs/{part} notes.pdf", 3, {}, {});
    QCOMPARE(ExpandNamePattern("{basename} {part}", location.basePath, 1, 1, 7, 1), "/docs/7 notes {part}.pdf");
    // "{part}" is never found inside "{part:0000}".
    QCOMPARE(ExpandNamePattern("{part:0000}", "", 1, 1, 7, 1), "0007.pdf");
    QString text = "a{x}b{x}";
    QVERIFY(ReplaceFirst(text, "{x}", "1"));
    QCOMPARE(text, QStringLiteral("a1b{x}"));
    QVERIFY(!ReplaceFirst(text, "{X}", "2"));
    QCOMPARE(text, QStringLiteral("a1b{x}"));
}

QTEST_GUILESS_MAIN(TestOutputNaming)
#include "tst_outputnaming.moc"
