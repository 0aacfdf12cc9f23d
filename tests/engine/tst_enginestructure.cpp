// A part reads like the document it came from: its bookmarks, page labels, metadata and
// viewer settings follow its pages, and dump_data reports the outline and the labels.
#include "EngineProcess.h"
#include "PdfFixtures.h"
#include "PdfProbe.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// One bookmark of the manual fixture, as PdfProbe::outline() prints it, leading to page.
QString mark(const QString &name, int level, const QString &page)
{
    static const QMap<QString, QString> rest{
        {"Préface", "closed||-1"},     {"Part One", "open|[1 0 0]|2"},  {"Chapter 1\nIntroduction", "open||-1"},
        {"Section 1.1", "closed||-1"}, {"Section 1.2", "closed||-1"},   {"Chapter 2 — Use", "closed|[0 0 1]|1"},
        {"Section 2.1", "closed||-1"}, {"Appendix", "open|[0 .5 0]|3"}, {"Web site &#1", "closed||-1"},
        {"Appendix B", "closed||-1"},  {"Index", "closed||-1"}};
    return QString("%1|%2|%3|%4").arg(level).arg(name, page, rest.value(name));
}

QString web(int level)
{
    return mark("Web site &#1", level, "https://example.org/manual");
}

QString reportEntry(const QString &title, int level, int page)
{
    return QString("BookmarkBegin\nBookmarkTitle: %1\nBookmarkLevel: %2\nBookmarkPageNumber: %3\n")
        .arg(title)
        .arg(level)
        .arg(page);
}

QString reportRange(int first, int start, const QString &style, const QString &prefix = QString())
{
    return QString("PageLabelBegin\nPageLabelNewIndex: %1\nPageLabelStart: %2\nPageLabelNumStyle: %3\n")
               .arg(first)
               .arg(start)
               .arg(style)
           + (prefix.isEmpty() ? QString() : "PageLabelPrefix: " + prefix + "\n");
}

} // namespace

class TestEngineStructure : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void outlineFollowsThePages_data();
    void outlineFollowsThePages();
    void labelsFollowThePages_data();
    void labelsFollowThePages();
    void documentSettingsAreKept_data();
    void documentSettingsAreKept();
    void reportListsOutlineAndLabels_data();
    void reportListsOutlineAndLabels();
    void manyNamedDestinations_data();
    void manyNamedDestinations();

private:
    // ranges: one or more, separated by spaces.
    QString split(const QString &ranges, const QString &name, const QString &input = QString());
    QString report(const QString &input);

    QTemporaryDir m_dir;
    QString m_source;
    QString m_looped;
};

void TestEngineStructure::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_source = m_dir.filePath("manual.pdf");
    m_looped = m_dir.filePath("looped manual.pdf");
    QVERIFY(PdfFixtures::write(m_source, PdfFixtures::manual()));
    QVERIFY(PdfFixtures::write(m_looped, PdfFixtures::manual(true)));
    // The probe reads the fixture as it is meant.
    PdfProbe source(m_source);
    QVERIFY2(source.isOpen(), qPrintable(source.error()));
    QVERIFY2(source.outlineProblem().isEmpty(), qPrintable(source.outlineProblem()));
    QStringList labels;
    for (int i = 0; i < source.pageCount(); ++i)
        labels << source.label(i);
    QCOMPARE(labels.join(' '), QString("i ii iii 1 2 3 4 5 6 A-1 A-2 Index"));
    QCOMPARE(source.outline().size(), 11);
}

QString TestEngineStructure::split(const QString &ranges, const QString &name, const QString &input)
{
    const QString output = m_dir.filePath(name);
    const EngineProcess::Result result
        = EngineProcess::run(QStringList{"A=" + (input.isEmpty() ? m_source : input), "cat"} + ranges.split(' ')
                                 + QStringList{"output", output},
                             5000);
    if (result.exitCode != 0)
        qWarning("engine: %s", result.err.constData());
    return result.exitCode == 0 ? output : QString();
}

QString TestEngineStructure::report(const QString &input)
{
    const QString path = input + ".txt";
    if (EngineProcess::run({input, "dump_data", "output", path}, 5000).exitCode != 0)
        return QString();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TestEngineStructure::outlineFollowsThePages_data()
{
    QTest::addColumn<QString>("range");
    QTest::addColumn<bool>("looped");
    QTest::addColumn<QStringList>("outline");
    const QStringList whole{
        mark("Préface", 1, "1"),     mark("Part One", 1, "0"),    mark("Chapter 1\nIntroduction", 2, "4"),
        mark("Section 1.1", 3, "5"), mark("Section 1.2", 3, "6"), mark("Chapter 2 — Use", 2, "7"),
        mark("Section 2.1", 3, "8"), mark("Appendix", 1, "10"),   web(2),
        mark("Appendix B", 2, "11"), mark("Index", 1, "12")};
    QTest::newRow("whole") << "A1-12" << false << whole;
    // A heading stays above the entries kept below it; an entry with a web address has no
    // page to be left out with, so it moves up to the nearest kept entry.
    QTest::newRow("middle") << "A4-8" << false
                            << QStringList{mark("Part One", 1, "0"),
                                           mark("Chapter 1\nIntroduction", 2, "1"),
                                           mark("Section 1.1", 3, "2"),
                                           mark("Section 1.2", 3, "3"),
                                           mark("Chapter 2 — Use", 2, "4"),
                                           mark("Section 2.1", 3, "5"),
                                           web(1)};
    QTest::newRow("childrenLifted") << "A5-11" << false
                                    << QStringList{mark("Part One", 1, "0"),
                                                   mark("Section 1.1", 2, "1"),
                                                   mark("Section 1.2", 2, "2"),
                                                   mark("Chapter 2 — Use", 2, "3"),
                                                   mark("Section 2.1", 3, "4"),
                                                   mark("Appendix", 1, "6"),
                                                   web(2),
                                                   mark("Appendix B", 2, "7")};
    QTest::newRow("reversed") << "A8-4" << false
                              << QStringList{mark("Part One", 1, "0"),
                                             mark("Chapter 1\nIntroduction", 2, "5"),
                                             mark("Section 1.1", 3, "4"),
                                             mark("Section 1.2", 3, "3"),
                                             mark("Chapter 2 — Use", 2, "2"),
                                             mark("Section 2.1", 3, "1"),
                                             web(1)};
    QTest::newRow("noEntryInside") << "A2-3" << false << QStringList{web(1)};
    // Sections 1.1 and 1.2 lie in the gap between the ranges; Chapter 1, left without
    // entries below it, reads closed.
    QTest::newRow("gapBetweenRanges") << "A4 A7-8" << false
                                      << QStringList{mark("Part One", 1, "0"), "2|Chapter 1\nIntroduction|1|closed||-1",
                                                     mark("Chapter 2 — Use", 2, "2"), mark("Section 2.1", 3, "3"),
                                                     web(1)};
    // Index's Next leads back to the first entry, Section 2.1's First up to Part One.
    QTest::newRow("loopedOutline") << "A1-12" << true << whole;
}

void TestEngineStructure::outlineFollowsThePages()
{
    QFETCH(QString, range);
    QFETCH(bool, looped);
    QFETCH(QStringList, outline);
    const QString output = split(range, QString(QTest::currentDataTag()) + ".pdf", looped ? m_looped : m_source);
    QVERIFY(!output.isEmpty());
    PdfProbe part(output);
    QVERIFY2(part.isOpen(), qPrintable(part.error()));
    QVERIFY2(part.outlineProblem().isEmpty(), qPrintable(part.outlineProblem()));
    QCOMPARE(part.outline(), outline);
    // Named destinations are written out: the part has no name tree to look them up in.
    QVERIFY(!part.catalog("Names").contains("Dests"));
}

void TestEngineStructure::labelsFollowThePages_data()
{
    QTest::addColumn<QString>("ranges");
    QTest::addColumn<QList<int>>("pages"); // the source pages of the part, counting from 1
    // The part's label ranges: a new one only where the numbering does not simply continue.
    QTest::addColumn<int>("labelRanges");
    QTest::newRow("whole") << "A1-12" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12} << 4;
    QTest::newRow("insideFrontMatter") << "A2-5" << QList<int>{2, 3, 4, 5} << 2;
    QTest::newRow("fromBodyStart") << "A4-8" << QList<int>{4, 5, 6, 7, 8} << 1;
    QTest::newRow("intoAppendix") << "A6-11" << QList<int>{6, 7, 8, 9, 10, 11} << 2;
    QTest::newRow("appendixAndIndex") << "A11-12" << QList<int>{11, 12} << 2;
    QTest::newRow("reversed") << "A12-1" << QList<int>{12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1} << 12;
    QTest::newRow("onePage") << "A3" << QList<int>{3} << 1;
    // 1 2, then 4 5: the numbering jumps inside one of the source's label ranges.
    QTest::newRow("gapInsideLabelRange") << "A4-5 A7-8" << QList<int>{4, 5, 7, 8} << 2;
    QTest::newRow("gapAcrossLabelRanges") << "A2 A5-6 A11" << QList<int>{2, 5, 6, 11} << 3;
    QTest::newRow("rangesThatMeet") << "A4-5 A6-7" << QList<int>{4, 5, 6, 7} << 1;
}

void TestEngineStructure::labelsFollowThePages()
{
    QFETCH(QString, ranges);
    QFETCH(QList<int>, pages);
    QFETCH(int, labelRanges);
    PdfProbe source(m_source);
    PdfProbe part(split(ranges, QString(QTest::currentDataTag()) + " labels.pdf"));
    QVERIFY2(part.isOpen(), qPrintable(part.error()));
    QCOMPARE(part.pageCount(), pages.size());
    for (int i = 0; i < part.pageCount(); ++i)
        QCOMPARE(part.label(i), source.label(pages[i] - 1));
    QCOMPARE(part.pageLabels().count("<<"), labelRanges);
}

void TestEngineStructure::documentSettingsAreKept_data()
{
    QTest::addColumn<QString>("range");
    QTest::addColumn<int>("openPage"); // 0-based in the part, -1: no opening page
    // The document opens at its page 5.
    QTest::newRow("openPageInside") << "A4-8" << 1;
    QTest::newRow("openPageFirst") << "A5" << 0;
    QTest::newRow("openPageLeftOut") << "A6-12" << -1;
}

void TestEngineStructure::documentSettingsAreKept()
{
    QFETCH(QString, range);
    QFETCH(int, openPage);
    PdfProbe part(split(range, QString(QTest::currentDataTag()) + " settings.pdf"));
    QVERIFY2(part.isOpen(), qPrintable(part.error()));
    QCOMPARE(part.openActionPage(), openPage);
    QCOMPARE(part.catalog("OpenAction").isEmpty(), openPage < 0);
    QCOMPARE(part.info("Title"), QString("Quire Manual"));
    QVERIFY(part.metadata().contains(PdfFixtures::kManualXmpMarker));
    QCOMPARE(part.catalog("Lang"), QString("(de-CH)"));
    QCOMPARE(part.catalog("PageLayout"), QString("/TwoColumnRight"));
    QCOMPARE(part.catalog("PageMode"), QString("/UseOutlines"));
    // The print range names the source's pages, which are other pages in the part.
    QCOMPARE(part.catalog("ViewerPreferences"), QString("<</DisplayDocTitle true>>"));
}

void TestEngineStructure::reportListsOutlineAndLabels_data()
{
    QTest::addColumn<QString>("range"); // empty: the document itself
    QTest::addColumn<QString>("expected");
    const QString head = "PdfVersion: 1.6\nEncrypted: no\nInfoTitle: Quire Manual\nFirstPageSize: 300 400\n"
                         "FirstPageRotation: 0\n";
    const QString document
        = "NumberOfPages: 12\n" + head + reportEntry("Préface", 1, 1) + reportEntry("Part One", 1, 0)
          + reportEntry("Chapter 1&#10;Introduction", 2, 4) + reportEntry("Section 1.1", 3, 5)
          + reportEntry("Section 1.2", 3, 6) + reportEntry("Chapter 2 — Use", 2, 7) + reportEntry("Section 2.1", 3, 8)
          + reportEntry("Appendix", 1, 10) + reportEntry("Web site &#38;#1", 2, 0) + reportEntry("Appendix B", 2, 11)
          + reportEntry("Index", 1, 12) + reportRange(1, 1, "LowercaseRomanNumerals")
          + reportRange(4, 1, "DecimalArabicNumerals") + reportRange(10, 1, "DecimalArabicNumerals", "A-")
          + reportRange(12, 1, "NoNumber", "Index");
    QTest::newRow("document") << QString() << document;
    QTest::newRow("partFromFrontMatter") << "A2-5"
                                         << "NumberOfPages: 4\n" + head + reportEntry("Part One", 1, 0)
                                                + reportEntry("Chapter 1&#10;Introduction", 2, 3)
                                                + reportEntry("Section 1.1", 3, 4)
                                                + reportEntry("Web site &#38;#1", 1, 0)
                                                + reportRange(1, 2, "LowercaseRomanNumerals")
                                                + reportRange(3, 1, "DecimalArabicNumerals");
    // Each item once, however its links loop.
    QTest::newRow("loopedOutline") << "looped" << document;
}

void TestEngineStructure::reportListsOutlineAndLabels()
{
    QFETCH(QString, range);
    QFETCH(QString, expected);
    QString input = m_source;
    if (range == "looped")
        input = m_looped;
    else if (!range.isEmpty())
        input = split(range, QString(QTest::currentDataTag()) + ".pdf");
    QVERIFY(!input.isEmpty());
    QCOMPARE(report(input), expected);
}

void TestEngineStructure::manyNamedDestinations_data()
{
    // Past a few dozen names they are looked up in an index rather than searched for.
    QTest::addColumn<int>("entries");
    QTest::newRow("few") << 5;
    QTest::newRow("many") << 300;
}

void TestEngineStructure::manyNamedDestinations()
{
    QFETCH(int, entries);
    const QString input = m_dir.filePath(QString("named %1.pdf").arg(entries));
    QVERIFY(PdfFixtures::write(input, PdfFixtures::namedOutline(entries)));
    QString expectedReport;
    QStringList expectedOutline;
    for (int j = 0; j < entries; ++j) {
        const int page = PdfFixtures::namedOutlinePage(j);
        expectedReport += reportEntry(QString("Entry %1").arg(j), 1, page);
        if (page >= 3 && page <= 5)
            expectedOutline << QString("1|Entry %1|%2|closed||-1").arg(j).arg(page - 2);
    }
    expectedReport += reportEntry("Entry missing", 1, 0);
    const QString text = report(input);
    QCOMPARE(text.mid(text.indexOf("BookmarkBegin")), expectedReport);

    PdfProbe part(split("A3-5", QString("named %1 part.pdf").arg(entries), input));
    QVERIFY2(part.isOpen(), qPrintable(part.error()));
    QVERIFY2(part.outlineProblem().isEmpty(), qPrintable(part.outlineProblem()));
    QCOMPARE(part.outline(), expectedOutline);
}

QTEST_GUILESS_MAIN(TestEngineStructure)
#include "tst_enginestructure.moc"
