// What page_facts tells about pages, through the built engine, on stacks of pages made here as
// a scanner would make them: greyscale JPEG at 100 dpi, off-white paper with noise, specks and
// a slight skew. Each kind of page (a letter, a letter's short last page, a blank sheet showing
// the back's text through, a black sheet, QR and Code 128 sheets, a sheet with two linear codes)
// must be told from the others, and a born-digital page's text must be found however its case
// and spacing differ.
#include "AbortGuard.h"
#include "EngineProcess.h"
#include "PdfFixtures.h"
#include "ScanFixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <thread>

namespace {

using Sheet = ScanFixtures::Sheet;

const QByteArray kStatement = "BT /F1 14 Tf 72 700 Td (Statement of Account) Tj 0 -20 Td (Page 1 of 3) Tj"
                              " 0 -20 Td (The balance is) Tj 0 -20 Td (due on 1 June.) Tj ET";

// One block of a page_facts report by page number: its lines but PageFactsBegin.
QMap<int, QStringList> pagesOf(const QByteArray &report)
{
    QMap<int, QStringList> pages;
    int page = 0;
    for (const QByteArray &line : report.split('\n')) {
        if (line.startsWith("PageNumber: "))
            page = line.mid(12).toInt();
        else if (page > 0 && !line.isEmpty() && line != "PageFactsBegin")
            pages[page] << QString::fromUtf8(line);
    }
    return pages;
}

double valueOf(const QStringList &lines, const QString &key)
{
    for (const QString &line : lines)
        if (line.startsWith(key + ": "))
            return line.mid(key.size() + 2).toDouble();
    return -1;
}

} // namespace

class TestEnginePageFacts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void tellsEachKindOfSheetApart_data();
    void tellsEachKindOfSheetApart();
    void findsThePhraseInThePageText_data();
    void findsThePhraseInThePageText();
    void reportsThePageText();
    void reportsProgressAndIsTheSameOnAnyNumberOfThreads();
    void damagedPageIsReportedAndTheOthersAnalysed();
    void aPageWithoutItsObjectIsDamagedNotBlank();
    void refusesBadRequests_data();
    void refusesBadRequests();
    void aReaderThatAbortsLosesOnlyItsOwnWork();
    void pagesBeyondTheirLimitsAreGivenUpAlone_data();
    void pagesBeyondTheirLimitsAreGivenUpAlone();
    void aPageThatDoesNotStopEndsTheRun();

private:
    EngineProcess::Result facts(const QStringList &options, const QString &report, const QStringList &variables = {},
                                const QString &document = {});

    QTemporaryDir m_dir;
    QString m_stack;
    QMap<int, QStringList> m_coarse; // without barcodes: the page drawn coarse only
    QMap<int, QStringList> m_fine; // with barcodes: drawn fine, its ink measured on a reduction
};

EngineProcess::Result TestEnginePageFacts::facts(const QStringList &options, const QString &report,
                                                 const QStringList &variables, const QString &document)
{
    return EngineProcess::run(QStringList{document.isEmpty() ? m_stack : document, "page_facts"} + options
                                  + QStringList{"output", report},
                              variables, 60000);
}

void TestEnginePageFacts::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_stack = m_dir.filePath("stack.pdf");
    QVERIFY(PdfFixtures::write(m_stack, ScanFixtures::stack({Sheet::Letter, Sheet::LetterEnd, Sheet::BleedThrough, Sheet::Black,
                                               Sheet::QrCode, Sheet::Code128, Sheet::TwoLinearCodes},
                                              {kStatement})));
    for (const bool barcodes : {false, true}) {
        const QString report = m_dir.filePath(barcodes ? "fine.txt" : "coarse.txt");
        const auto result = facts(barcodes ? QStringList{"barcodes"} : QStringList{}, report);
        QVERIFY(!result.crashed);
        QVERIFY2(result.exitCode == 0, result.err.constData());
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("NumberOfPages: 8\n"));
        (barcodes ? m_fine : m_coarse) = pagesOf(text);
        QCOMPARE((barcodes ? m_fine : m_coarse).size(), 8);
    }
}

// The shares a caller can tell the kinds apart by: a blank sheet stays below kBlank however
// its back shows through, a letter's page stays well above it even with three lines.
constexpr double kBlank = 0.002;

void TestEnginePageFacts::tellsEachKindOfSheetApart_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<double>("inkAtLeast");
    QTest::addColumn<double>("inkBelow");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QStringList>("barcodes");
    const QString code128 = QString("Code128 ") + ScanFixtures::kCode128Text;
    QTest::newRow("letter") << 1 << 10 * kBlank << 1.0 << false << QStringList();
    QTest::newRow("lettersLastPageOfThreeLines") << 2 << 3 * kBlank << 1.0 << false << QStringList();
    QTest::newRow("blankWithBleedThrough") << 3 << 0.0 << kBlank << false << QStringList();
    QTest::newRow("blackSheet") << 4 << 0.0 << 1.0 << true << QStringList();
    QTest::newRow("qrSheet") << 5 << 0.0 << 1.0 << false << QStringList{"QRCode SEPARATOR QR-7 &#38;#x"};
    QTest::newRow("code128Sheet") << 6 << 0.0 << 1.0 << false << QStringList{code128};
    QTest::newRow("twoLinearCodes") << 7 << 0.0 << 1.0 << false
                                    << QStringList{code128, QString("Code39 ") + ScanFixtures::kCode39Text};
    QTest::newRow("bornDigitalText") << 8 << kBlank << 1.0 << false << QStringList();
}

void TestEnginePageFacts::tellsEachKindOfSheetApart()
{
    QFETCH(int, page);
    QFETCH(double, inkAtLeast);
    QFETCH(double, inkBelow);
    QFETCH(bool, dark);
    QFETCH(QStringList, barcodes);
    for (const QStringList &lines : {m_coarse.value(page), m_fine.value(page)}) {
        const double ink = valueOf(lines, "InkShare"), darkShare = valueOf(lines, "DarkShare");
        QVERIFY2(ink >= inkAtLeast && ink < inkBelow, qPrintable(lines.join(", ")));
        QVERIFY2(dark ? darkShare > 0.9 : darkShare < 0.05, qPrintable(lines.join(", ")));
        QVERIFY(!lines.join("\n").contains("PageDamaged"));
    }
    QStringList lines;
    for (const QString &barcode : barcodes)
        lines << "Barcode: " + barcode;
    QCOMPARE(m_fine.value(page).filter("Barcode: "), lines);
    QVERIFY(m_coarse.value(page).filter("Barcode").isEmpty());
}

void TestEnginePageFacts::findsThePhraseInThePageText_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("withoutInk"); // the text read without drawing the page
    QTest::addColumn<QString>("line"); // where it begins, as the page has it; empty: not found
    QTest::newRow("otherCase") << "page 1 OF 3" << false << "Page 1 of 3";
    QTest::newRow("runsOfWhiteSpace") << "  Page\t1  of\n3 " << false << "Page 1 of 3";
    QTest::newRow("acrossALineBreak") << "balance is due" << false << "The balance is";
    QTest::newRow("acrossALineBreakUndrawn") << "BALANCE IS due" << true << "The balance is";
    QTest::newRow("wordsOutOfOrder") << "1 of page" << false << "";
    QTest::newRow("partOfAWordOnly") << "Statem" << false << "Statement of Account";
    QTest::newRow("endOfALine") << "account" << false << "Statement of Account";
    QTest::newRow("notThere") << "Page 2 of 3" << false << "";
    QTest::newRow("notThereUndrawn") << "Page 2 of 3" << true << "";
}

void TestEnginePageFacts::findsThePhraseInThePageText()
{
    QFETCH(QString, phrase);
    QFETCH(bool, withoutInk);
    QFETCH(QString, line);
    const QString report = m_dir.filePath("phrase.txt");
    QCOMPARE(facts(QStringList{"text", phrase} + (withoutInk ? QStringList{"without_ink"} : QStringList()), report)
                 .exitCode,
             0);
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QMap<int, QStringList> pages = pagesOf(file.readAll());
    QCOMPARE(pages.size(), 8);
    for (int page = 1; page <= 8; ++page) { // the scans hold no text, which is told
        const bool found = !line.isEmpty() && page == 8;
        const QStringList expected = found      ? QStringList{"TextMatch: yes", "MatchedLine: " + line}
                                     : page < 8 ? QStringList{"TextMatch: no", "TextFound: no"}
                                                : QStringList{"TextMatch: no"};
        const QRegularExpression textLines("^(TextMatch|TextFound|MatchedLine): ");
        QCOMPARE(withoutInk ? pages.value(page) : pages.value(page).filter(textLines), expected);
    }
}

// The whole text of a page, for an expression the program matches: its lines as they stand,
// joined by single spaces; a scan has none, which is told.
void TestEnginePageFacts::reportsThePageText()
{
    const QString report = m_dir.filePath("text.txt");
    QCOMPARE(facts({"page_text", "without_ink"}, report).exitCode, 0);
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QMap<int, QStringList> pages = pagesOf(file.readAll());
    QCOMPARE(pages.size(), 8);
    for (int page = 1; page < 8; ++page)
        QCOMPARE(pages.value(page), QStringList{"TextFound: no"});
    const QStringList text = pages.value(8).filter(QRegularExpression("^PageText: "));
    QCOMPARE(text.size(), 1);
    for (const char *part : {"Statement of Account Page 1 of 3", "The balance is due"})
        QVERIFY2(text.first().contains(part), qPrintable(text.first()));
    QVERIFY(!text.first().contains("  "));
}

void TestEnginePageFacts::reportsProgressAndIsTheSameOnAnyNumberOfThreads()
{
    QByteArray reports[2];
    for (const int threads : {1, 3}) {
        const QString report = m_dir.filePath(QString("threads%1.txt").arg(threads));
        const auto result = facts({"barcodes", "text", "due"}, report, {QString("QUIREKIT_THREADS=%1").arg(threads)});
        QCOMPARE(result.exitCode, 0);
        QByteArray progress;
        for (int page = 1; page <= 8; ++page)
            progress += "Progress: " + QByteArray::number(page) + "/8\n";
        QCOMPARE(result.out, progress);
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        reports[threads == 1 ? 0 : 1] = file.readAll();
    }
    QCOMPARE(reports[1], reports[0]);
}

void TestEnginePageFacts::damagedPageIsReportedAndTheOthersAnalysed()
{
    QByteArray pdf = ScanFixtures::stack({Sheet::LetterEnd, Sheet::LetterEnd, Sheet::Black});
    // The second scan's JPEG data without its header: the page cannot show what it holds,
    // and drawn without it would look like a blank sheet.
    const int second = pdf.indexOf("/Filter /DCTDecode", pdf.indexOf("/Filter /DCTDecode") + 1);
    const int data = pdf.indexOf("stream\n", second) + 7;
    for (int i = data; i < data + 600; ++i)
        pdf[i] = 0;
    const QString path = m_dir.filePath("damaged.pdf");
    QVERIFY(PdfFixtures::write(path, pdf));
    const QString report = m_dir.filePath("damaged.txt");
    QCOMPARE(facts({}, report, {}, path).exitCode, 0);
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QMap<int, QStringList> pages = pagesOf(file.readAll());
    QVERIFY2(pages.value(2).filter("PageDamaged: ").size() == 1, qPrintable(pages.value(2).join(", ")));
    QVERIFY(valueOf(pages.value(1), "InkShare") > 3 * kBlank);
    QVERIFY(valueOf(pages.value(3), "DarkShare") > 0.9);
}

// Counted where the tree lists it, but with nothing to draw: it is no blank sheet.
void TestEnginePageFacts::aPageWithoutItsObjectIsDamagedNotBlank()
{
    const QString path = m_dir.filePath("freed.pdf");
    QVERIFY(PdfFixtures::write(path, PdfFixtures::freedPage()));
    const QString report = m_dir.filePath("freed.txt");
    QCOMPARE(facts({}, report, {}, path).exitCode, 0);
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QMap<int, QStringList> pages = pagesOf(file.readAll());
    QVERIFY(valueOf(pages.value(1), "InkShare") > 0.05);
    QCOMPARE(pages.value(2).size(), 1);
    QVERIFY2(pages.value(2).first().startsWith("PageDamaged: page 2 cannot be drawn"),
             qPrintable(pages.value(2).join(", ")));
}

void TestEnginePageFacts::refusesBadRequests_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QString>("message");
    QTest::newRow("phraseLeftOut") << QStringList{"text"} << QStringList() << "missing the phrase after 'text'";
    QTest::newRow("emptyPhrase") << QStringList{"text", " \t"} << QStringList() << "the phrase after 'text' is empty";
    QTest::newRow("unknownKeyword") << QStringList{"colours"} << QStringList() << "unknown keyword 'colours'";
    QTest::newRow("nothingLeftToReport") << QStringList{"without_ink"} << QStringList() << "nothing to report";
    QTest::newRow("barcodesTwice") << QStringList{"barcodes", "barcodes"} << QStringList() << "given twice";
    QTest::newRow("noThreads") << QStringList() << QStringList{"QUIREKIT_THREADS=0"} << "QUIREKIT_THREADS must be";
    QTest::newRow("threadsNotANumber") << QStringList() << QStringList{"QUIREKIT_THREADS=two"}
                                       << "QUIREKIT_THREADS must be";
    QTest::newRow("noSeconds") << QStringList() << QStringList{"QUIREKIT_PAGE_SECONDS=0"}
                               << "QUIREKIT_PAGE_SECONDS must be";
    QTest::newRow("memoryBeyondAnyMachine")
        << QStringList() << QStringList{"QUIREKIT_PAGE_MEMORY=99999999"} << "QUIREKIT_PAGE_MEMORY must be";
}

void TestEnginePageFacts::refusesBadRequests()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, variables);
    QFETCH(QString, message);
    const QString report = m_dir.filePath("refused.txt");
    const auto result = facts(options, report, variables);
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.contains(message.toUtf8()), result.err.constData());
    QVERIFY(!QFile::exists(report));
}

// The barcode reader of Debian's zxing-cpp ends the process on a failed assertion for some
// images; such a reading must cost only itself, in any thread, as often as it happens.
void TestEnginePageFacts::aReaderThatAbortsLosesOnlyItsOwnWork()
{
    const auto readings = [] {
        int kept = 0;
        for (int i = 0; i < 3; ++i) {
            if (!quirekit::AbortGuard::run([] { std::abort(); }))
                ++kept;
            if (quirekit::AbortGuard::run([&] { ++kept; }) && kept != 2 * (i + 1))
                return false;
        }
        return kept == 6;
    };
    bool otherThread = false;
    std::thread thread([&] { otherThread = readings(); });
    const bool thisThread = readings();
    thread.join();
    QVERIFY(thisThread);
    QVERIFY(otherThread);
}

void TestEnginePageFacts::pagesBeyondTheirLimitsAreGivenUpAlone_data()
{
    QTest::addColumn<QByteArray>("content"); // page 2 is an ordinary page
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("unreadable"); // page 1's reason, empty when it is analysed
    const QString late = "page 1 was given up: it takes longer than 1 second to draw";
    const QString large = "page 1 was given up: it needs more than 64 MiB of memory to draw";
    // Operators that take no memory, without end: only the time stops them.
    const QByteArray endlessMoves = PdfFixtures::endlessContent("1 0 0 1 0 0 cm\n");
    QTest::newRow("endlessOperators") << endlessMoves << QStringList() << late;
    QTest::newRow("endlessOperatorsReadForText") << endlessMoves << QStringList{"without_ink", "text", "blue"} << late;
    // A path that grows without end: the memory stops it long before the time.
    const QByteArray endlessPath = PdfFixtures::endlessContent("0 0 1 1 re\n");
    QTest::newRow("endlessPath") << endlessPath << QStringList() << large;
    QTest::newRow("endlessPathForBarcodes") << endlessPath << QStringList{"barcodes"} << large;
    // Pages of absurd size are drawn within the pixel cap.
    QTest::newRow("pageOfAbsurdSize") << PdfFixtures::pageOfSize("[0 0 99999999 99999999]") << QStringList() << "";
    QTest::newRow("pageOfAbsurdHeight") << PdfFixtures::pageOfSize("[0 0 1 1000000000000000000000000000000]")
                                        << QStringList{"barcodes"} << "";
}

void TestEnginePageFacts::pagesBeyondTheirLimitsAreGivenUpAlone()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, options);
    QFETCH(QString, unreadable);
    const QString path = m_dir.filePath("limits.pdf");
    QVERIFY(PdfFixtures::write(path, content));
    const QString report = m_dir.filePath("limits.txt");
    qint64 peak = 0;
    QElapsedTimer timer;
    timer.start();
    const auto result = EngineProcess::runMeasured(
        QStringList{path, "page_facts"} + options + QStringList{"output", report},
        {"QUIREKIT_PAGE_SECONDS=1", "QUIREKIT_PAGE_MEMORY=64", "QUIREKIT_THREADS=1"}, peak, 60000);
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY2(peak < 512 * 1024, qPrintable(QString::number(peak)));
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QMap<int, QStringList> pages = pagesOf(file.readAll());
    QCOMPARE(pages.size(), 2);
    if (unreadable.isEmpty()) {
        QVERIFY2(pages.value(1).filter("Unreadable").isEmpty(), qPrintable(pages.value(1).join(", ")));
    } else {
        // Given up, with no facts that could make it look blank or like a separator.
        QCOMPARE(pages.value(1), QStringList{"Unreadable: " + unreadable});
    }
    // The blue square of the page after it.
    if (!options.contains("without_ink"))
        QVERIFY2(valueOf(pages.value(2), "InkShare") > 0.05, qPrintable(pages.value(2).join(", ")));
    else
        QCOMPARE(pages.value(2), (QStringList{"TextMatch: no", "TextFound: no"})); // a square, no text
}

// Decoding a content stream that inflates to nothing but blanks is one step MuPDF does not
// interrupt: the run ends as a failure after as long again, rather than never, and writes nothing.
void TestEnginePageFacts::aPageThatDoesNotStopEndsTheRun()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("blanks.pdf");
    QVERIFY(PdfFixtures::write(path, PdfFixtures::endlessContent(QByteArray(64, ' '))));
    QElapsedTimer timer;
    timer.start();
    const auto result = facts({}, dir.filePath("blanks.txt"), {"QUIREKIT_PAGE_SECONDS=1"}, path);
    QVERIFY(!result.timedOut);
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains("quirekit: page 1 does not stop drawing when its time is up"), result.err.constData());
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"blanks.pdf"});
}

QTEST_MAIN(TestEnginePageFacts)
#include "tst_enginepagefacts.moc"
