#include "ScanFixtures.h"

#include "PdfFixtures.h"

#include <QBuffer>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QRandomGenerator>

#define ZX_USE_UTF8 1
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

namespace {

constexpr int kWidth = 850, kHeight = 1100; // US letter at 100 dpi

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

QByteArray stream(const QByteArray &dict, const QByteArray &data)
{
    return "<< " + dict + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

} // namespace

QByteArray ScanFixtures::scan(Sheet sheet, quint32 seed)
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
            painter.translate(kWidth, 0);
            painter.scale(-1, 1);
            drawLines(painter, 40, 120, QColor(paper - 22, paper - 22, paper - 22));
            break;
        case Sheet::Black: break;
        case Sheet::QrCode: drawCode(painter, ZXing::BarcodeFormat::QRCode, kQrText, QRect(300, 300, 200, 200)); break;
        case Sheet::Code128:
            drawCode(painter, ZXing::BarcodeFormat::Code128, kCode128Text, QRect(250, 200, 350, 100));
            break;
        case Sheet::TwoLinearCodes:
            drawCode(painter, ZXing::BarcodeFormat::Code128, kCode128Text, QRect(250, 200, 350, 100));
            drawCode(painter, ZXing::BarcodeFormat::Code39, kCode39Text, QRect(250, 600, 350, 100));
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

QByteArray ScanFixtures::stack(const QList<Sheet> &sheets, const QList<QByteArray> &textPages)
{
    QMap<int, QByteArray> o;
    QByteArray kids;
    const int pages = int(sheets.size() + textPages.size());
    for (int k = 0; k < pages; ++k) {
        const int page = 10 + 3 * k;
        kids += QByteArray::number(page) + " 0 R ";
        QByteArray content;
        QByteArray image;
        if (k < sheets.size()) {
            o[page + 2] = stream("/Type /XObject /Subtype /Image /Width " + QByteArray::number(kWidth) + " /Height "
                                     + QByteArray::number(kHeight)
                                     + " /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /DCTDecode",
                                 scan(sheets[k], quint32(k + 1)));
            content = "q 612 0 0 792 0 0 cm /Im Do Q";
            image = " /XObject << /Im " + QByteArray::number(page + 2) + " 0 R >>";
        } else {
            content = textPages[k - sheets.size()];
        }
        o[page] = "<< /Type /Page /Parent 2 0 R /Contents " + QByteArray::number(page + 1)
                  + " 0 R /Resources << /Font << /F1 3 0 R >>" + image + " >> >>";
        o[page + 1] = stream("", content);
    }
    o[1] = "<< /Type /Catalog /Pages 2 0 R >>";
    o[2] = "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages) + " /MediaBox [0 0 612 792] >>";
    o[3] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    return PdfFixtures::assemble(o, "/Root 1 0 R");
}
