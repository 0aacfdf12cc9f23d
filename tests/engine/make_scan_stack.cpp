// Writes a scanned stack for benchmarks: letters of one to five pages (each ending on a short
// page) with a separator sheet between them, the separators taking turns: blank with
// bleed-through, black, QR code, Code 128. The manifest, when asked for, names each
// separator's page and kind ("4 blank"), one a line, for checking what was found.
//   make_scan_stack <output.pdf> <pages> [<manifest.txt>]
#include "PdfFixtures.h"
#include "ScanFixtures.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int pages = argc == 3 || argc == 4 ? QByteArray(argv[2]).toInt() : 0;
    if (pages < 1) {
        std::fprintf(stderr, "usage: make_scan_stack <output.pdf> <pages> [<manifest.txt>]\n");
        return 2;
    }
    using Sheet = ScanFixtures::Sheet;
    const Sheet separators[] = {Sheet::BleedThrough, Sheet::Black, Sheet::QrCode, Sheet::Code128};
    QList<Sheet> sheets;
    for (int letter = 0; sheets.size() < pages; ++letter) {
        if (letter > 0)
            sheets << separators[(letter - 1) % 4];
        const int length = letter % 5 + 1;
        for (int page = 1; page <= length; ++page)
            sheets << (page == length ? Sheet::LetterEnd : Sheet::Letter);
    }
    sheets.resize(pages);
    if (argc == 4) {
        QFile manifest(QString::fromLocal8Bit(argv[3]));
        if (!manifest.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 1;
        const char *kinds[] = {"blank", "dark", "qr", "code128"};
        for (int page = 0; page < sheets.size(); ++page)
            for (int kind = 0; kind < 4; ++kind)
                if (sheets.at(page) == separators[kind])
                    manifest.write(QByteArray::number(page + 1) + ' ' + kinds[kind] + '\n');
    }
    return PdfFixtures::write(QString::fromLocal8Bit(argv[1]), ScanFixtures::stack(sheets)) ? 0 : 1;
}
