// What a part contains: the right pages in the right order with their boxes, rotation,
// links, form fields, labels and document information, and nothing of the pages left out.
#include "EngineProcess.h"
#include "PdfFixtures.h"
#include "PdfProbe.h"

#include <QFile>
#include <QPdfDocument>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

class TestEngineParts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void reportDescribesDocument();
    void partHasRequestedPagesInOrder_data();
    void partHasRequestedPagesInOrder();
    void boxesAndRotationBecomeExplicit();
    void linksInsideThePartPointAtCopiedPages();
    void linksInReversedPartFollowTheirPages();
    void linksAcrossRangesKeepOnlyPagesWritten_data();
    void linksAcrossRangesKeepOnlyPagesWritten();
    void pagesLeftOutAreNotCarriedAlong_data();
    void pagesLeftOutAreNotCarriedAlong();
    void formKeepsOnlyCopiedWidgets();
    void informationAndLabelsAreKept();
    void ownerPasswordOnlyDocumentIsDecrypted();
    void pagesListedTwiceCountTwice_data();
    void pagesListedTwiceCountTwice();
    void pageListedThousandsOfTimes();
    void linkToPageListedTwiceFollowsItsCopy();
    void everyCommandCountsTheSamePages_data();
    void everyCommandCountsTheSamePages();

private:
    // ranges: one or more, separated by spaces.
    QString split(const QString &ranges, const QString &name, const QString &input = QString(), int timeoutMs = 20000);

    QTemporaryDir m_dir;
    QString m_source;
};

void TestEngineParts::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_source = m_dir.filePath("ten pages.pdf");
    QVERIFY(PdfFixtures::write(m_source, PdfFixtures::tenPages()));
    PdfProbe source(m_source);
    QVERIFY2(source.isOpen(), qPrintable(source.error()));
    QCOMPARE(source.pageCount(), 10);
}

QString TestEngineParts::split(const QString &ranges, const QString &name, const QString &input, int timeoutMs)
{
    const QString output = m_dir.filePath(name);
    const EngineProcess::Result result
        = EngineProcess::run(QStringList{"A=" + (input.isEmpty() ? m_source : input), "cat"} + ranges.split(' ')
                                 + QStringList{"output", output},
                             timeoutMs);
    if (result.exitCode != 0)
        qWarning("engine: %s", result.err.constData());
    return result.exitCode == 0 ? output : QString();
}

void TestEngineParts::reportDescribesDocument()
{
    const QString report = m_dir.filePath("report.txt");
    const EngineProcess::Result result = EngineProcess::run({m_source, "dump_data", "output", report});
    QCOMPARE(result.exitCode, 0);
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    // The Subject holds the same words; the real count must still come first.
    QVERIFY2(text.startsWith("NumberOfPages: 10\n"), qPrintable(text));
    QCOMPARE(text.indexOf("NumberOfPages: "), 0);
    QVERIFY(text.contains("\nInfoSubject: NumberOfPages: 99\n"));
    QVERIFY(text.contains("\nInfoTitle: Quire Test\n"));
    QVERIFY(text.contains("\nInfoAuthor: Ann Author\n"));
    QVERIFY(text.contains("\nPdfVersion: 1.6\n"));
    QVERIFY(text.contains("\nEncrypted: no\n"));
    // Page 1 is A4 turned by the Rotate it inherits.
    QVERIFY(text.contains("\nFirstPageSize: 842 595\n"));
    QVERIFY(text.contains("\nFirstPageRotation: 90\n"));
}

void TestEngineParts::partHasRequestedPagesInOrder_data()
{
    QTest::addColumn<QString>("range");
    QTest::addColumn<QList<int>>("pages");
    QTest::newRow("firstPages") << "A1-3" << QList<int>{1, 2, 3};
    QTest::newRow("acrossTreeNodes") << "A4-7" << QList<int>{4, 5, 6, 7};
    QTest::newRow("reversedRange") << "A7-4" << QList<int>{7, 6, 5, 4};
    QTest::newRow("singlePage") << "A5" << QList<int>{5};
    QTest::newRow("singlePageAsRange") << "A10-10" << QList<int>{10};
    QTest::newRow("wholeDocument") << "A1-10" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("wholeDocumentReversed") << "A10-1" << QList<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    QTest::newRow("twoRanges") << "A1-3 A5-9" << QList<int>{1, 2, 3, 5, 6, 7, 8, 9};
    QTest::newRow("rangesInAnyOrderAndDirection") << "A9-8 A2 A5-6" << QList<int>{9, 8, 2, 5, 6};
}

void TestEngineParts::partHasRequestedPagesInOrder()
{
    QFETCH(QString, range);
    QFETCH(QList<int>, pages);
    const QString output = split(range, QString(QTest::currentDataTag()) + ".pdf");
    QVERIFY(!output.isEmpty());
    PdfProbe part(output);
    QVERIFY2(part.isOpen(), qPrintable(part.error()));
    QCOMPARE(part.pageCount(), pages.size());
    for (int i = 0; i < pages.size(); ++i)
        QVERIFY2(part.page(i).text.startsWith(QString("Page %1").arg(pages[i])), qPrintable(part.page(i).text));
}

void TestEngineParts::boxesAndRotationBecomeExplicit()
{
    const QString output = split("A1-10", "boxes.pdf");
    QVERIFY(!output.isEmpty());
    PdfProbe part(output);
    QVERIFY(part.isOpen());
    // Inherited from the root (MediaBox) and from the first node (Rotate).
    QCOMPARE(part.page(0).mediaBox, QString("0 0 595 842"));
    QCOMPARE(part.page(0).rotate, 90);
    QCOMPARE(part.page(4).rotate, 90);
    QCOMPARE(part.page(5).mediaBox, QString("0 0 612 792"));
    QCOMPARE(part.page(5).rotate, -1);
    QCOMPARE(part.page(6).mediaBox, QString("0 0 595 842"));
    QCOMPARE(part.page(6).cropBox, QString("10 20 500 700"));
    QCOMPARE(part.page(7).rotate, 180);
    QCOMPARE(part.page(7).userUnit, 2.0);
    QCOMPARE(part.page(9).mediaBox, QString("0 0 842 595"));
    QCOMPARE(part.page(9).bleedBox, QString("5 5 837 590"));
    QCOMPARE(part.page(9).trimBox, QString("10 10 832 585"));
    QCOMPARE(part.page(9).artBox, QString("20 20 822 575"));
}

void TestEngineParts::linksInsideThePartPointAtCopiedPages()
{
    const QString output = split("A1-4", "links.pdf");
    QVERIFY(!output.isEmpty());
    PdfProbe part(output);
    QVERIFY(part.isOpen());
    // 1 -> 3 by a destination array.
    QCOMPARE(part.page(0).links.size(), 1);
    QCOMPARE(part.page(0).links[0].targetPage, 2);
    // 2 -> 9 by a GoTo action: page 9 is left out, so the link goes; the widget stays.
    QCOMPARE(part.page(1).links.size(), 0);
    QCOMPARE(part.page(1).annotationCount, 1);
    // 3 -> "chapter4" stays (as the copied page 4), 3 -> "nine" goes.
    QCOMPARE(part.page(2).links.size(), 1);
    QCOMPARE(part.page(2).links[0].targetPage, 3);
    // The web link and the note stay.
    QCOMPARE(part.page(3).links.size(), 1);
    QCOMPARE(part.page(3).links[0].uri, QString("https://example.org/quire"));
    QCOMPARE(part.page(3).annotationCount, 2);
}

void TestEngineParts::linksInReversedPartFollowTheirPages()
{
    const QString output = split("A4-1", "reversed links.pdf");
    QVERIFY(!output.isEmpty());
    PdfProbe part(output);
    QVERIFY(part.isOpen());
    // Source page 1 is now the last page; its link to page 3 leads to the second page.
    QCOMPARE(part.page(3).links.size(), 1);
    QCOMPARE(part.page(3).links[0].targetPage, 1);
    QCOMPARE(part.page(1).links.size(), 1);
    QCOMPARE(part.page(1).links[0].targetPage, 0);
}

void TestEngineParts::linksAcrossRangesKeepOnlyPagesWritten_data()
{
    QTest::addColumn<QString>("ranges");
    // For each page of the part, the pages (0-based) its links inside the part lead to.
    QTest::addColumn<QStringList>("targets");
    // Source page 3 links to 4 (kept across the gap) and 9 (not written); page 4's link is to the web.
    QTest::newRow("linkOverTheGapKept") << "A1 A3-4" << QStringList{"1", "2", ""};
    QTest::newRow("linksIntoTheGapDropped") << "A1-2 A4" << QStringList{"", "", ""};
    // 9 -> 1, 1 -> 3, 2 -> 9 by a GoTo action, 3 -> 9 by name; 3 -> 4 is left out.
    QTest::newRow("linksBackToAnEarlierRange") << "A9 A1-3" << QStringList{"1", "3", "0", "0"};
}

void TestEngineParts::linksAcrossRangesKeepOnlyPagesWritten()
{
    QFETCH(QString, ranges);
    QFETCH(QStringList, targets);
    PdfProbe part(split(ranges, QString(QTest::currentDataTag()) + ".pdf"));
    QVERIFY2(part.isOpen(), qPrintable(part.error()));
    QStringList found;
    for (int i = 0; i < part.pageCount(); ++i) {
        QStringList pages;
        for (const PdfProbe::Link &link : part.page(i).links)
            if (link.uri.isEmpty())
                pages << QString::number(link.targetPage);
        found << pages.join(',');
    }
    QCOMPARE(found, targets);
}

void TestEngineParts::pagesLeftOutAreNotCarriedAlong_data()
{
    QTest::addColumn<QString>("range");
    QTest::addColumn<bool>("hasPageNine");
    // Pages 2 and 3 link to page 9 and share a field with it.
    QTest::newRow("linksAndFieldToPageNine") << "A1-3" << false;
    QTest::newRow("reversedWithoutNine") << "A8-2" << false;
    QTest::newRow("pageNineItself") << "A9" << true;
    QTest::newRow("gapOverPageNine") << "A1-8 A10" << false;
}

void TestEngineParts::pagesLeftOutAreNotCarriedAlong()
{
    QFETCH(QString, range);
    QFETCH(bool, hasPageNine);
    const QString output = split(range, QString(QTest::currentDataTag()) + ".pdf");
    QVERIFY(!output.isEmpty());
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.contains(PdfFixtures::kPageNineMarker), hasPageNine);
    QCOMPARE(bytes.contains(PdfFixtures::kWidgetNineMarker), hasPageNine);
    PdfProbe part(output);
    QVERIFY(part.isOpen());
    for (int i = 0; i < part.pageCount(); ++i) {
        QCOMPARE(part.page(i).text.contains(PdfFixtures::kPageNineMarker), hasPageNine);
        for (const PdfProbe::Link &link : part.page(i).links)
            QVERIFY(link.targetPage >= 0 || !link.uri.isEmpty());
    }
    if (!hasPageNine)
        QVERIFY2(part.objectCount() < 20 * part.pageCount(), qPrintable(QString::number(part.objectCount())));
}

void TestEngineParts::formKeepsOnlyCopiedWidgets()
{
    PdfProbe firstPages(split("A1-3", "form first.pdf"));
    QVERIFY(firstPages.isOpen());
    QCOMPARE(firstPages.fieldCount(), 1);
    QCOMPARE(firstPages.fieldKidCount(), 1);

    PdfProbe whole(split("A1-10", "form whole.pdf"));
    QVERIFY(whole.isOpen());
    QCOMPARE(whole.fieldCount(), 1);
    QCOMPARE(whole.fieldKidCount(), 2);

    PdfProbe noWidgets(split("A4-5", "form none.pdf"));
    QVERIFY(noWidgets.isOpen());
    QCOMPARE(noWidgets.fieldCount(), 0);
}

void TestEngineParts::informationAndLabelsAreKept()
{
    PdfProbe part(split("A3-5", "labels.pdf"));
    QVERIFY(part.isOpen());
    QCOMPARE(part.info("Title"), QString("Quire Test"));
    QCOMPARE(part.info("Author"), QString("Ann\nAuthor"));
    QCOMPARE(part.info("Creator"), QString("fixtures"));
    // Source labels: i ii iii, then Ch-1, Ch-2...: the part shows iii, Ch-1, Ch-2.
    const QString labels = part.pageLabels();
    QVERIFY2(labels.contains("0<</S/r/St 3>>"), qPrintable(labels));
    QVERIFY2(labels.contains("1<</S/D/P(Ch-)/St 1>>"), qPrintable(labels));
    QVERIFY(!labels.contains("2<<"));

    PdfProbe reversed(split("A5-4", "labels reversed.pdf"));
    QVERIFY(reversed.isOpen());
    const QString reversedLabels = reversed.pageLabels();
    QVERIFY2(reversedLabels.contains("0<</S/D/P(Ch-)/St 2>>"), qPrintable(reversedLabels));
    QVERIFY2(reversedLabels.contains("1<</S/D/P(Ch-)/St 1>>"), qPrintable(reversedLabels));
}

void TestEngineParts::ownerPasswordOnlyDocumentIsDecrypted()
{
    // Opens without a password; the part must carry readable, not still-encrypted, data.
    const QString locked = m_dir.filePath("owner only.pdf");
    QVERIFY(PdfProbe::encrypt(m_source, locked, QString()));
    const QString report = m_dir.filePath("owner only.txt");
    QCOMPARE(EngineProcess::run({locked, "dump_data", "output", report}).exitCode, 0);
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.startsWith("NumberOfPages: 10\n"));
    QVERIFY(text.contains("\nEncrypted: yes\n"));
    QVERIFY(text.contains("\nInfoTitle: Quire Test\n"));

    const QString output = m_dir.filePath("owner only part.pdf");
    QCOMPARE(EngineProcess::run({"A=" + locked, "cat", "A8-9", "output", output}).exitCode, 0);
    QFile part(output);
    QVERIFY(part.open(QIODevice::ReadOnly));
    QVERIFY(!part.readAll().contains("/Encrypt"));
    PdfProbe probe(output);
    QVERIFY2(probe.isOpen(), qPrintable(probe.error()));
    QCOMPARE(probe.page(0).text, QString("Page 8"));
    QVERIFY(probe.page(1).text.startsWith("Page 9"));
    QCOMPARE(probe.info("Title"), QString("Quire Test"));
}

void TestEngineParts::pagesListedTwiceCountTwice_data()
{
    QTest::addColumn<QByteArray>("document");
    // Each page of the part as "text|own Rotate|own MediaBox": what it inherited along the
    // way it was listed, made explicit.
    QTest::addColumn<QStringList>("pages");
    const QString plain = "|-1|0 0 300 300";
    const QString turned = "|90|0 0 300 300";
    QTest::newRow("pageTwiceInOneKids") << PdfFixtures::pageTwiceInOneKids()
                                        << QStringList{"Page A" + plain, "Page A" + plain, "Page B" + plain};
    QTest::newRow("pageUnderTwoParents") << PdfFixtures::pageUnderTwoParents()
                                         << QStringList{"Page A|90|0 0 200 200", "Page A|180|0 0 400 400",
                                                        "Page B|180|0 0 400 400"};
    QTest::newRow("sharedBranch") << PdfFixtures::sharedBranch()
                                  << QStringList{"Page A" + turned, "Page B" + turned, "Page C" + plain,
                                                 "Page A" + turned, "Page B" + turned};
}

void TestEngineParts::pagesListedTwiceCountTwice()
{
    QFETCH(QByteArray, document);
    QFETCH(QStringList, pages);
    const QString tag = QTest::currentDataTag();
    const QString input = m_dir.filePath(tag + ".pdf");
    QVERIFY(PdfFixtures::write(input, document));

    // The page list must agree with the preview's, or a break point lands on another page
    // than the one shown.
    QPdfDocument preview;
    QCOMPARE(preview.load(input), QPdfDocument::Error::None);
    QCOMPARE(preview.pageCount(), pages.size());
    const QString report = m_dir.filePath(tag + ".txt");
    QCOMPARE(EngineProcess::run({input, "dump_data", "output", report}).exitCode, 0);
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.startsWith("NumberOfPages: " + QByteArray::number(pages.size()) + "\n"), text.constData());

    PdfProbe part(split(QString("A1-%1").arg(pages.size()), tag + " part.pdf", input));
    QVERIFY2(part.isOpen(), qPrintable(part.error()));
    QCOMPARE(part.pageCount(), pages.size());
    QSet<int> pageObjects;
    for (int i = 0; i < pages.size(); ++i) {
        const PdfProbe::Page &page = part.page(i);
        QCOMPARE(QString("%1|%2|%3").arg(page.text).arg(page.rotate).arg(page.mediaBox), pages[i]);
        pageObjects.insert(page.objectNumber);
    }
    QCOMPARE(pageObjects.size(), pages.size());
}

void TestEngineParts::pageListedThousandsOfTimes()
{
    // More listings than MuPDF can count references to one object (sanitizer builds see a leak).
    const int times = 33000;
    const QString input = m_dir.filePath("listed often.pdf");
    QVERIFY(PdfFixtures::write(input, PdfFixtures::pageListed(times)));
    // Read by another reader than MuPDF, which would take long to read each page's text.
    QPdfDocument part;
    // A sanitizer build on a busy machine takes far longer than the usual run.
    QCOMPARE(part.load(split(QString("A1-%1").arg(times + 1), "listed often part.pdf", input, 100000)),
             QPdfDocument::Error::None);
    QCOMPARE(part.pageCount(), times + 1);
    QCOMPARE(part.pagePointSize(times), QSizeF(300, 300));
}

void TestEngineParts::linkToPageListedTwiceFollowsItsCopy()
{
    // B links to A, which is listed first and second.
    const QString input = m_dir.filePath("linked twice.pdf");
    QVERIFY(PdfFixtures::write(input, PdfFixtures::pageUnderTwoParents()));
    PdfProbe whole(split("A1-3", "linked twice whole.pdf", input));
    QVERIFY2(whole.isOpen(), qPrintable(whole.error()));
    QCOMPARE(whole.page(2).links.size(), 1);
    QCOMPARE(whole.page(2).links[0].targetPage, 0);

    // Without the first listing the link leads to the copy of the second.
    PdfProbe tail(split("A2-3", "linked twice tail.pdf", input));
    QVERIFY2(tail.isOpen(), qPrintable(tail.error()));
    QCOMPARE(tail.page(1).links.size(), 1);
    QCOMPARE(tail.page(1).links[0].targetPage, 0);
}

void TestEngineParts::everyCommandCountsTheSamePages_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("pages");
    // A Count that equals the number of Kids, though a kid is a node of two pages.
    QTest::newRow("countHidesANode") << PdfFixtures::lyingCounts() << 3;
    // ...or though a kid is a node of none.
    QTest::newRow("countHidesAnEmptyNode") << PdfFixtures::emptyNodeCountedAsPage() << 1;
    QTest::newRow("tenBillionPagesClaimed") << PdfFixtures::claimsTenBillionPages() << 1;
    // Deeper than MuPDF follows a page's parents; qpdf counts it as two pages too.
    QTest::newRow("treeDeeperThanMupdfFollows") << PdfFixtures::deepTree(1000) << 2;
    // Deeper than a thread's stack holds a walk that recurses.
    QTest::newRow("treeDeeperThanAStack") << PdfFixtures::deepTree(150000) << 2;
    QTest::newRow("danglingPageReference") << PdfFixtures::danglingPage() << 2;
    QTest::newRow("pageTreeCycle") << PdfFixtures::cyclicTree() << 2;
}

// The count dump_data reports is the one every other command works with, so that a split planned
// from it never finds a part outside the document; and a Count that claims billions never makes
// a command take memory by it.
void TestEngineParts::everyCommandCountsTheSamePages()
{
    QFETCH(QByteArray, content);
    QFETCH(int, pages);
    QTemporaryDir dir;
    const QString input = dir.filePath("document.pdf");
    QVERIFY(PdfFixtures::write(input, content));
    const QByteArray counted = "NumberOfPages: " + QByteArray::number(pages) + "\n";
    // A run that believed a Count of billions took gigabytes; this one takes tens of MiB (a few
    // hundred under the address sanitizer).
    constexpr qint64 kMostKiB = 1024 * 1024;
    const auto readAll = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };

    qint64 peak = 0;
    EngineProcess::Result result
        = EngineProcess::runMeasured({input, "dump_data", "output", dir.filePath("data.txt")}, {}, peak);
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QVERIFY(readAll(dir.filePath("data.txt")).startsWith(counted));
    QVERIFY2(peak < kMostKiB, qPrintable(QString::number(peak)));

    // Two threads, each opening the document for itself.
    result = EngineProcess::runMeasured({input, "page_facts", "output", dir.filePath("facts.txt")},
                                        {"QUIREKIT_THREADS=2"}, peak);
    QVERIFY2(result.exitCode == 0, result.err.constData());
    const QByteArray facts = readAll(dir.filePath("facts.txt"));
    QVERIFY(facts.startsWith(counted));
    QCOMPARE(facts.count("PageFactsBegin"), pages);
    QVERIFY2(peak < kMostKiB, qPrintable(QString::number(peak)));

    result = EngineProcess::runMeasured({input, "render_pages"}, {}, peak);
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QCOMPARE(result.out, "Pages: " + QByteArray::number(pages) + "\n");
    QVERIFY2(peak < kMostKiB, qPrintable(QString::number(peak)));

    result = EngineProcess::run({input, "size_plan", "1000000", "output", dir.filePath("plan.txt")});
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QVERIFY(readAll(dir.filePath("plan.txt")).startsWith(counted));

    const QString all = "A1-" + QString::number(pages);
    result = EngineProcess::run({"A=" + input, "cat", all, "output", dir.filePath("all.pdf")});
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QCOMPARE(PdfProbe(dir.filePath("all.pdf")).pageCount(), pages);
    const QString beyond = "A" + QString::number(pages + 1);
    result = EngineProcess::run({"A=" + input, "cat", beyond, "output", dir.filePath("beyond.pdf")});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains("is outside the document (" + QByteArray::number(pages)), result.err.constData());
}

QTEST_GUILESS_MAIN(TestEngineParts)
#include "tst_engineparts.moc"
