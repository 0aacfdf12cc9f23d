// What page_facts tells about pages, through the built engine, on stacks of pages made here as
// a scanner would make them: greyscale JPEG at 100 dpi, off-white paper with noise, specks and
// a slight skew. Each kind of page (a letter, a letter's short last page, a blank sheet showing
// the back's text through, a black sheet, QR and Code 128 sheets) must be told from the others,
// and a born-digital page's text must be found however its case and spacing differ.
#include "EngineProcess.h"
#include "PdfFixtures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#define ZX_USE_UTF8 1
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

namespace {

enum class Sheet { Letter, LetterEnd, BleedThrough, Black, QrCode, Code128 };

constexpr int kDpi = 100;
constexpr int kWidth = 850, kHeight = 1100; // US letter
constexpr const char *kQrText = "SEPARATOR QR-7 &#x";
constexpr const char *kCode128Text = "SEP-128-42";

void drawLines(QPainter &painter, int lines, int top, QColor ink)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(15); // 11 pt at 100 dpi
    painter.setFont(font);
    painter.setPen(ink);
    for (int i = 0; i < lines; ++i)
        painter.drawText(90, top + i * 22,
                         QStringLiteral("Dear customer, we write about the invoice of line %1 as agreed.").arg(i));
}

void drawCode(QPainter &painter, ZXing::BarcodeFormat format, const char *text, QRect where)
{
    const ZXing::BitMatrix bits
        = ZXing::MultiFormatWriter(format).setMargin(0).encode(std::string(text), where.width(), where.height());
    for (int y = 0; y < bits.height(); ++y)
        for (int x = 0; x < bits.width(); ++x)
            if (bits.get(x, y))
                painter.fillRect(where.x() + x, where.y() + y, 1, 1, QColor(25, 25, 25));
}

// The sheet as a scanner gives it: JPEG data of a greyscale image.
QByteArray scan(Sheet sheet, quint32 seed)
{
    QRandomGenerator random(seed);
    const int paper = sheet == Sheet::Black ? 28 : 236;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(paper, paper, paper));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(kWidth / 2.0, kHeight / 2.0);
        painter.rotate(0.5);
        painter.translate(-kWidth / 2.0, -kHeight / 2.0);
        switch (sheet) {
        case Sheet::Letter: drawLines(painter, 40, 120, QColor(30, 30, 30)); break;
        case Sheet::LetterEnd: drawLines(painter, 3, 120, QColor(30, 30, 30)); break;
        case Sheet::BleedThrough:
            // The other side's text, mirrored and faint.
            painter.translate(kWidth, 0);
            painter.scale(-1, 1);
            drawLines(painter, 40, 120, QColor(paper - 22, paper - 22, paper - 22));
            break;
        case Sheet::Black: break;
        case Sheet::QrCode: drawCode(painter, ZXing::BarcodeFormat::QRCode, kQrText, QRect(300, 300, 200, 200)); break;
        case Sheet::Code128:
            drawCode(painter, ZXing::BarcodeFormat::Code128, kCode128Text, QRect(250, 200, 350, 100));
            break;
        }
    }
    QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < kHeight; ++y) {
        uchar *row = grey.scanLine(y);
        for (int x = 0; x < kWidth; ++x)
            row[x] = static_cast<uchar>(qBound(0, row[x] + random.bounded(-12, 13), 255));
    }
    for (int speck = 0; speck < 25; ++speck) {
        const int x = random.bounded(kWidth - 2), y = random.bounded(kHeight - 2);
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                grey.scanLine(y + dy)[x + dx] = 40;
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!grey.save(&buffer, "JPEG", 75))
        qFatal("cannot write JPEG");
    return jpeg;
}

QByteArray stream(const QByteArray &dict, const QByteArray &data)
{
    return "<< " + dict + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

// Scanned sheets, each an image filling a letter page, then born-digital pages of text.
QByteArray stack(const QList<Sheet> &sheets, const QList<QByteArray> &textPages = {})
{
    QMap<int, QByteArray> o;
    QByteArray kids;
    const int pages = int(sheets.size() + textPages.size());
    for (int k = 0; k < pages; ++k) {
        const int page = 10 + 3 * k;
        kids += QByteArray::number(page) + " 0 R ";
        QByteArray content;
        if (k < sheets.size()) {
            o[page + 2] = stream("/Type /XObject /Subtype /Image /Width " + QByteArray::number(kWidth) + " /Height "
                                     + QByteArray::number(kHeight)
                                     + " /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /DCTDecode",
                                 scan(sheets[k], quint32(k + 1)));
            content = "q 612 0 0 792 0 0 cm /Im Do Q";
        } else {
            content = textPages[k - sheets.size()];
        }
        const QByteArray image = k < sheets.size() ? " /XObject << /Im " + QByteArray::number(page + 2) + " 0 R >>" : "";
        o[page] = "<< /Type /Page /Parent 2 0 R /Contents " + QByteArray::number(page + 1)
                  + " 0 R /Resources << /Font << /F1 3 0 R >>" + image + " >> >>";
        o[page + 1] = stream("", content);
    }
    o[1] = "<< /Type /Catalog /Pages 2 0 R >>";
    o[2] = "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages) + " /MediaBox [0 0 612 792] >>";
    o[3] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    return PdfFixtures::assemble(o, "/Root 1 0 R");
}

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
    void reportsProgressAndIsTheSameOnAnyNumberOfThreads();
    void damagedPageIsReportedAndTheOthersAnalysed();
    void refusesBadRequests_data();
    void refusesBadRequests();

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
    QVERIFY(PdfFixtures::write(m_stack, stack({Sheet::Letter, Sheet::LetterEnd, Sheet::BleedThrough, Sheet::Black,
                                               Sheet::QrCode, Sheet::Code128},
                                              {kStatement})));
    for (const bool barcodes : {false, true}) {
        const QString report = m_dir.filePath(barcodes ? "fine.txt" : "coarse.txt");
        const auto result = facts(barcodes ? QStringList{"barcodes"} : QStringList{}, report);
        QVERIFY(!result.crashed);
        QVERIFY2(result.exitCode == 0, result.err.constData());
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("NumberOfPages: 7\n"));
        (barcodes ? m_fine : m_coarse) = pagesOf(text);
        QCOMPARE((barcodes ? m_fine : m_coarse).size(), 7);
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
    QTest::addColumn<QString>("barcode");
    QTest::newRow("letter") << 1 << 10 * kBlank << 1.0 << false << QString();
    QTest::newRow("lettersLastPageOfThreeLines") << 2 << 3 * kBlank << 1.0 << false << QString();
    QTest::newRow("blankWithBleedThrough") << 3 << 0.0 << kBlank << false << QString();
    QTest::newRow("blackSheet") << 4 << 0.0 << 1.0 << true << QString();
    QTest::newRow("qrSheet") << 5 << 0.0 << 1.0 << false << QString("QRCode SEPARATOR QR-7 &#38;#x");
    QTest::newRow("code128Sheet") << 6 << 0.0 << 1.0 << false << QString("Code128 ") + kCode128Text;
    QTest::newRow("bornDigitalText") << 7 << kBlank << 1.0 << false << QString();
}

void TestEnginePageFacts::tellsEachKindOfSheetApart()
{
    QFETCH(int, page);
    QFETCH(double, inkAtLeast);
    QFETCH(double, inkBelow);
    QFETCH(bool, dark);
    QFETCH(QString, barcode);
    for (const QStringList &lines : {m_coarse.value(page), m_fine.value(page)}) {
        const double ink = valueOf(lines, "InkShare"), darkShare = valueOf(lines, "DarkShare");
        QVERIFY2(ink >= inkAtLeast && ink < inkBelow, qPrintable(lines.join(", ")));
        QVERIFY2(dark ? darkShare > 0.9 : darkShare < 0.05, qPrintable(lines.join(", ")));
        QVERIFY(!lines.join("\n").contains("PageDamaged"));
    }
    QCOMPARE(m_fine.value(page).filter("Barcode: "), barcode.isEmpty() ? QStringList() : QStringList{"Barcode: " + barcode});
    QVERIFY(m_coarse.value(page).filter("Barcode").isEmpty());
}

void TestEnginePageFacts::findsThePhraseInThePageText_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("found");
    QTest::newRow("otherCase") << "page 1 OF 3" << true;
    QTest::newRow("runsOfWhiteSpace") << "  Page\t1  of\n3 " << true;
    QTest::newRow("acrossALineBreak") << "balance is due" << true;
    QTest::newRow("wordsOutOfOrder") << "1 of page" << false;
    QTest::newRow("partOfAWordOnly") << "Statem" << true;
    QTest::newRow("notThere") << "Page 2 of 3" << false;
}

void TestEnginePageFacts::findsThePhraseInThePageText()
{
    QFETCH(QString, phrase);
    QFETCH(bool, found);
    const QString report = m_dir.filePath("phrase.txt");
    QCOMPARE(facts({"text", phrase}, report).exitCode, 0);
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QMap<int, QStringList> pages = pagesOf(file.readAll());
    QCOMPARE(pages.size(), 7);
    for (int page = 1; page <= 7; ++page) // the scans hold no text
        QVERIFY2(pages.value(page).contains(QString("TextMatch: ") + (found && page == 7 ? "yes" : "no")),
                 qPrintable(QString::number(page)));
}

void TestEnginePageFacts::reportsProgressAndIsTheSameOnAnyNumberOfThreads()
{
    QByteArray reports[2];
    for (const int threads : {1, 3}) {
        const QString report = m_dir.filePath(QString("threads%1.txt").arg(threads));
        const auto result = facts({"barcodes", "text", "due"}, report, {QString("QUIREKIT_THREADS=%1").arg(threads)});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray("Progress: 1/7\nProgress: 2/7\nProgress: 3/7\nProgress: 4/7\nProgress: 5/7\n"
                                        "Progress: 6/7\nProgress: 7/7\n"));
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        reports[threads == 1 ? 0 : 1] = file.readAll();
    }
    QCOMPARE(reports[1], reports[0]);
}

void TestEnginePageFacts::damagedPageIsReportedAndTheOthersAnalysed()
{
    QByteArray pdf = stack({Sheet::LetterEnd, Sheet::LetterEnd, Sheet::Black});
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

void TestEnginePageFacts::refusesBadRequests_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QString>("message");
    QTest::newRow("phraseLeftOut") << QStringList{"text"} << QStringList() << "missing the phrase after 'text'";
    QTest::newRow("emptyPhrase") << QStringList{"text", " \t"} << QStringList() << "the phrase after 'text' is empty";
    QTest::newRow("unknownKeyword") << QStringList{"colours"} << QStringList() << "unknown keyword 'colours'";
    QTest::newRow("barcodesTwice") << QStringList{"barcodes", "barcodes"} << QStringList() << "given twice";
    QTest::newRow("noThreads") << QStringList() << QStringList{"QUIREKIT_THREADS=0"} << "QUIREKIT_THREADS must be";
    QTest::newRow("threadsNotANumber") << QStringList() << QStringList{"QUIREKIT_THREADS=two"}
                                       << "QUIREKIT_THREADS must be";
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

QTEST_MAIN(TestEnginePageFacts)
#include "tst_enginepagefacts.moc"
