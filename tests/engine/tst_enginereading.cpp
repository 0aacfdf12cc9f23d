// How the engine reads: the document mapped into memory, its stored streams taken from the
// mapping, and only the standard fonts built in. None of it may change a byte of what is
// written, a file cut short while it is read must not end the process, and a page whose text
// is set in a standard font the document does not embed must still show that text.
#include "EngineProcess.h"
#include "PartWriter.h"
#include "PdfDocument.h"
#include "PdfFixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray streamObject(const QByteArray &dict, const QByteArray &data, const QByteArray &length)
{
    return "<< " + dict + " /Length " + length + " >>\nstream\n" + data + "\nendstream";
}

// Pages whose content streams' Length is right, too short, too long and indirect, and an
// image stream whose data ends with the bytes of a line end.
QByteArray streamLengths()
{
    QMap<int, QByteArray> o;
    const QByteArray text = "BT /F1 24 Tf 72 700 Td (Page) Tj ET";
    o[1] = "<< /Type /Catalog /Pages 2 0 R >>";
    o[2] = "<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R 6 0 R] /Count 4 /MediaBox [0 0 300 300]"
           " /Resources << /Font << /F1 20 0 R >> /XObject << /I 15 0 R >> >> >>";
    for (int page = 0; page < 4; ++page)
        o[3 + page] = "<< /Type /Page /Parent 2 0 R /Contents " + QByteArray::number(10 + page) + " 0 R >>";
    const QByteArray withImage = text + " q 10 0 0 10 0 0 cm /I Do Q";
    o[10] = streamObject("", withImage, QByteArray::number(withImage.size()));
    o[11] = streamObject("", text, QByteArray::number(text.size() - 9));
    o[12] = streamObject("", text, QByteArray::number(text.size() + 40));
    o[13] = streamObject("", text, "14 0 R");
    o[14] = QByteArray::number(text.size());
    o[15] = streamObject("/Type /XObject /Subtype /Image /Width 2 /Height 1 /ColorSpace /DeviceGray /BitsPerComponent 8",
                         "\r\n", "2");
    o[20] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    return PdfFixtures::assemble(o, "/Root 1 0 R");
}

// One page of Japanese text in a CID font that the document does not embed.
QByteArray unembeddedCjk()
{
    QMap<int, QByteArray> o;
    o[1] = "<< /Type /Catalog /Pages 2 0 R >>";
    o[2] = "<< /Type /Pages /Kids [3 0 R] /Count 1 /MediaBox [0 0 300 300] >>";
    o[3] = "<< /Type /Page /Parent 2 0 R /Contents 5 0 R /Resources << /Font << /F1 4 0 R >> >> >>";
    o[4] = "<< /Type /Font /Subtype /Type0 /BaseFont /HeiseiMin-W3 /Encoding /UniJIS-UCS2-H"
           " /DescendantFonts [6 0 R] >>";
    const QByteArray content = "BT /F1 48 Tf 40 150 Td <65E5672C8A9E> Tj ET";
    o[5] = streamObject("", content, QByteArray::number(content.size()));
    o[6] = "<< /Type /Font /Subtype /CIDFontType0 /BaseFont /HeiseiMin-W3"
           " /CIDSystemInfo << /Registry (Adobe) /Ordering (Japan1) /Supplement 2 >> /FontDescriptor 7 0 R >>";
    o[7] = "<< /Type /FontDescriptor /FontName /HeiseiMin-W3 /Flags 6 /FontBBox [0 -141 1000 859]"
           " /ItalicAngle 0 /Ascent 859 /Descent -141 /CapHeight 709 /StemV 69 >>";
    return PdfFixtures::assemble(o, "/Root 1 0 R");
}

// Dark pixels of the page drawn at 72 dpi, and its text, as MuPDF linked into this test
// (with the engine's fonts) reads them.
struct Drawn {
    int darkPixels = -1;
    QString text;
};

Drawn draw(const QString &path, int pageIndex)
{
    Drawn drawn;
    fz_context *ctx = fz_new_context(nullptr, nullptr, FZ_STORE_DEFAULT);
    pdf_document *doc = nullptr;
    fz_page *page = nullptr;
    fz_pixmap *pixmap = nullptr;
    fz_stext_page *text = nullptr;
    fz_buffer *buffer = nullptr;
    fz_var(doc);
    fz_var(page);
    fz_var(pixmap);
    fz_var(text);
    fz_var(buffer);
    fz_try(ctx)
    {
        doc = pdf_open_document(ctx, QFile::encodeName(path).constData());
        page = fz_load_page(ctx, &doc->super, pageIndex);
        pixmap = fz_new_pixmap_from_page(ctx, page, fz_identity, fz_device_gray(ctx), 0);
        const unsigned char *samples = fz_pixmap_samples(ctx, pixmap);
        const int count = fz_pixmap_width(ctx, pixmap) * fz_pixmap_height(ctx, pixmap);
        drawn.darkPixels = int(std::count_if(samples, samples + count, [](unsigned char v) { return v < 128; }));
        text = fz_new_stext_page_from_page(ctx, page, nullptr);
        buffer = fz_new_buffer_from_stext_page(ctx, text);
        drawn.text = QString::fromUtf8(fz_string_from_buffer(ctx, buffer)).simplified();
    }
    fz_always(ctx)
    {
        fz_drop_buffer(ctx, buffer);
        fz_drop_stext_page(ctx, text);
        fz_drop_pixmap(ctx, pixmap);
        fz_drop_page(ctx, page);
        pdf_drop_document(ctx, doc);
    }
    fz_catch(ctx)
    {
        qWarning("cannot draw %s: %s", qPrintable(path), fz_caught_message(ctx));
    }
    fz_drop_context(ctx);
    return drawn;
}

} // namespace

class TestEngineReading : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void partsAndReportsMatchTheReference_data();
    void partsAndReportsMatchTheReference();
    void fileCutShortWhileReadIsNoCrash_data();
    void fileCutShortWhileReadIsNoCrash();
    void onlyTheStandardFontsAreBuiltIn();
    void unembeddedFontsAreDrawnOrLeftOut();

private:
    QString write(const QString &name, const QByteArray &data);

    QTemporaryDir m_dir;
};

void TestEngineReading::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestEngineReading::write(const QString &name, const QByteArray &data)
{
    const QString path = m_dir.filePath(name);
    return PdfFixtures::write(path, data) ? path : QString();
}

void TestEngineReading::partsAndReportsMatchTheReference_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("range");
    QTest::newRow("links, fields, labels") << PdfFixtures::tenPages() << "10-1";
    QTest::newRow("bookmarks, metadata") << PdfFixtures::manual() << "4-9";
    QTest::newRow("named outline") << PdfFixtures::namedOutline(120) << "3-7";
    QTest::newRow("damaged object stream") << PdfFixtures::damagedObjectStream("Contents") << "1-2";
    QTest::newRow("stream lengths") << streamLengths() << "1-4";
    QTest::newRow("page listed twice") << PdfFixtures::pageTwiceInOneKids() << "1-3";
}

// The reference engine reads through a stream, copies every stream's data, keeps all of
// MuPDF's fonts and frees everything: what the built engine writes must be the same bytes.
void TestEngineReading::partsAndReportsMatchTheReference()
{
    QFETCH(QByteArray, document);
    QFETCH(QString, range);
    const QString source = write(QStringLiteral("source %1.pdf").arg(QTest::currentDataTag()), document);
    QVERIFY(!source.isEmpty());
    const QList<QStringList> commands = {{"A=" + source, "cat", "A" + range, "output"},
                                         {"A=" + source, "cat", "A1-1", "output"},
                                         {source, "dump_data", "output"}};
    for (const QStringList &command : commands) {
        QByteArray written[2];
        for (int which = 0; which < 2; ++which) {
            const QString output = m_dir.filePath(QStringLiteral("out%1").arg(which));
            const EngineProcess::Result result
                = which == 0 ? EngineProcess::run(command + QStringList{output})
                             : EngineProcess::runProgram(QStringLiteral(QUIREKIT_REFERENCE_PATH),
                                                         command + QStringList{output});
            QVERIFY2(result.exitCode == 0 && !result.crashed,
                     qPrintable(command.join(' ') + ": " + QString::fromUtf8(result.err)));
            QFile file(output);
            QVERIFY(file.open(QIODevice::ReadOnly));
            written[which] = file.readAll();
        }
        QVERIFY2(!written[0].isEmpty() && written[0] == written[1], qPrintable(command.join(' ')));
    }
}

void TestEngineReading::fileCutShortWhileReadIsNoCrash_data()
{
    QTest::addColumn<bool>("mapped");
    QTest::newRow("mapped") << true;
    QTest::newRow("stream") << false;
}

// Another program truncates the document after it was opened: the pages past the new end
// cannot be read any more (a mapped file would raise SIGBUS there). The part fails as a
// changed document, and the process goes on.
void TestEngineReading::fileCutShortWhileReadIsNoCrash()
{
    QFETCH(bool, mapped);
    const auto reading = mapped ? quirekit::PdfDocument::Reading::Mapped : quirekit::PdfDocument::Reading::Stream;
    const QString source = write(QStringLiteral("cut %1.pdf").arg(QTest::currentDataTag()),
                                 PdfFixtures::chapters(60, 5));
    QVERIFY(!source.isEmpty());
    quirekit::PdfDocument document;
    QVERIFY(document.open(QFile::encodeName(source).toStdString(), nullptr, reading).ok);
    QCOMPARE(document.pageCount(), 300);
    // At a page boundary, so that every byte past the new end lies in a page the file no longer has.
    QVERIFY(::truncate(QFile::encodeName(source).constData(), (document.fileSize() / 3) & ~qint64(4095)) == 0);

    const QByteArray output = QFile::encodeName(m_dir.filePath("cut part.pdf"));
    const int fd = ::open(output.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    QVERIFY(fd >= 0);
    {
        quirekit::PartWriter writer(document);
        (void)writer.write({quirekit::PageRange{1, 300}}, fd);
    }
    ::close(fd);
    const quirekit::Status unchanged = document.unchangedSinceOpened();
    QVERIFY(!unchanged.ok);
    QCOMPARE(unchanged.cause, quirekit::Status::Cause::Changed);
}

void TestEngineReading::onlyTheStandardFontsAreBuiltIn()
{
    fz_context *ctx = fz_new_context(nullptr, nullptr, FZ_STORE_UNLIMITED);
    QVERIFY(ctx);
    int length = -1;
    for (const char *name : {"Courier", "Courier-Oblique", "Courier-Bold", "Courier-BoldOblique", "Helvetica",
                             "Helvetica-Oblique", "Helvetica-Bold", "Helvetica-BoldOblique", "Times-Roman",
                             "Times-Italic", "Times-Bold", "Times-BoldItalic", "Symbol", "ZapfDingbats"}) {
        QVERIFY2(fz_lookup_base14_font(ctx, name, &length) && length > 1000, name);
    }
    const unsigned char *times = fz_lookup_base14_font(ctx, "Times-Bold", &length);
    QCOMPARE(fz_lookup_builtin_font(ctx, "Times New Roman", 1, 0, &length), times);
    // CJK text is loaded with a standard font in place of the CJK one.
    int index = -1;
    QCOMPARE(fz_lookup_cjk_font(ctx, FZ_ADOBE_JAPAN, &length, &index), fz_lookup_base14_font(ctx, "Helvetica", &length));
    QVERIFY(!fz_lookup_noto_font(ctx, 0, 0, &length, &index));
    QVERIFY(!fz_lookup_noto_emoji_font(ctx, &length));
    QCOMPARE(fz_lookup_cjk_ordering_by_language("zh-Hant"), int(FZ_ADOBE_CNS));
    QCOMPARE(fz_lookup_cjk_ordering_by_language("ko"), int(FZ_ADOBE_KOREA));
    fz_drop_context(ctx);
}

// Helvetica, which the test documents name without embedding it, is drawn from the built-in
// font. A CJK font that is not embedded has no built-in font of its own: its characters are
// left undrawn, but the text still reads as the characters it is (MuPDF may put spaces
// between them, as it cannot measure their glyphs).
void TestEngineReading::unembeddedFontsAreDrawnOrLeftOut()
{
    const QString latin = write("latin.pdf", PdfFixtures::tenPages());
    const Drawn page = draw(latin, 0);
    QVERIFY2(page.darkPixels > 100, qPrintable(QString::number(page.darkPixels)));
    QVERIFY2(page.text.contains("Page 1"), qPrintable(page.text));

    const QString cjk = write("cjk.pdf", unembeddedCjk());
    const Drawn japanese = draw(cjk, 0);
    QCOMPARE(japanese.darkPixels, 0);
    QCOMPARE(QString(japanese.text).remove(QLatin1Char(' ')), QString::fromUtf8("日本語"));
}

QTEST_GUILESS_MAIN(TestEngineReading)
#include "tst_enginereading.moc"
