// How long the main window's thread is ever kept from its events while a long document is
// opened and split: a timer asks to tick every millisecond, and the longest gap between two
// ticks is the longest the window could not repaint or take input.
//   quirewright_event_loop_bench [PAGES] [PARTS]     (default 30000 pages, 30 parts)
// Writes its own document of PAGES pages, runs beside the engine like the program (build/),
// offscreen or on a display; bench/event_loop_bench.sh runs it. Ends with a PASS or FAIL line
// against the target of 50 ms.
#include "BenchWindow.h"

#include "app/SplitterDlg.h"
#include "framework/AppMessageBox.h"
#include "support/MainWindowProbe.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace qw;

namespace {

constexpr qint64 kTargetMs = 50;

// A document of `pages` pages, each saying "Page k", written object by object.
bool writeDocument(const QString &path, int pages)
{
    QByteArray out = "%PDF-1.7\n";
    QList<qint64> offsets;
    const auto object = [&](const QByteArray &body) {
        offsets << out.size();
        out += QByteArray::number(offsets.size()) + " 0 obj\n" + body + "\nendobj\n";
    };
    // 1 catalog, 2 page tree, 3 font, then a content stream and a page for each page.
    QByteArray kids;
    for (int page = 0; page < pages; ++page)
        kids += QByteArray::number(5 + 2 * page) + " 0 R ";
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Count " + QByteArray::number(pages) + " /Kids [" + kids + "] >>");
    object("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    for (int page = 1; page <= pages; ++page) {
        const QByteArray text = "BT /F1 24 Tf 72 720 Td (Page " + QByteArray::number(page) + ") Tj ET";
        object("<< /Length " + QByteArray::number(text.size()) + " >>\nstream\n" + text + "\nendstream");
        object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 3 0 R >> >> "
               "/Contents "
               + QByteArray::number(offsets.size()) + " 0 R >>");
    }
    const qint64 xref = out.size();
    out += "xref\n0 " + QByteArray::number(offsets.size() + 1) + "\n0000000000 65535 f \n";
    for (qint64 offset : offsets)
        out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(offsets.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
           + QByteArray::number(xref) + "\n%%EOF\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

// The longest gap between ticks of a 1-ms timer while `work` runs and the window is busy.
qint64 longestBlock(const BenchDlg &dlg, const std::function<void()> &work)
{
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] { longest = qMax(longest, sinceTick.restart()); });
    tick.start(1);
    sinceTick.start();
    work();
    longest = qMax(longest, sinceTick.elapsed());
    probe::WaitUntilIdle(dlg, 600000);
    return longest;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int pages = arguments.size() > 1 ? arguments.at(1).toInt() : 30000;
    const int parts = arguments.size() > 2 ? arguments.at(2).toInt() : 30;
    QTemporaryDir work;
    const QString document = work.filePath(QStringLiteral("long document.pdf"));
    if (pages < parts || parts < 1 || !writeDocument(document, pages)) {
        std::fprintf(stderr, "usage: quirewright_event_loop_bench [PAGES] [PARTS]\n");
        return 2;
    }
    AppMessageBox::SetResponder([](const QString &text, unsigned) {
        if (!text.startsWith(QLatin1String("Split PDF file success!")))
            std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return MsgBox::IdNo;
    });

    BenchDlg dlg;
    dlg.outFolder = work.filePath(QStringLiteral("parts"));
    QDir().mkpath(dlg.outFolder);
    dlg.Create();
    dlg.show();
    QElapsedTimer clock;
    clock.start();
    const qint64 opening = longestBlock(dlg, [&] { dlg.OpenDocument(document); });
    const double openSeconds = clock.nsecsElapsed() / 1e9;
    if (probe::RowCount(dlg) != pages) {
        std::fprintf(stderr, "the document did not open (%d rows)\n", probe::RowCount(dlg));
        return 1;
    }
    QList<int> breaks;
    for (int part = 1; part < parts; ++part)
        breaks << 1 + part * pages / parts;
    dlg.InsertBreakPointsBefore(breaks, 0);
    clock.restart();
    const qint64 splitting = longestBlock(dlg, [&] { dlg.OnSplit(); });
    const double splitSeconds = clock.nsecsElapsed() / 1e9;
    if (QDir(dlg.outFolder).entryList({QStringLiteral("*.pdf")}).size() != parts) {
        std::fprintf(stderr, "the split did not write %d parts\n", parts);
        return 1;
    }
    std::printf("document: %d pages, split into %d parts\n", pages, parts);
    std::printf("opening:   %.2f s, longest the window waited: %lld ms\n", openSeconds, opening);
    std::printf("splitting: %.2f s, longest the window waited: %lld ms\n", splitSeconds, splitting);
    const bool pass = opening <= kTargetMs && splitting <= kTargetMs;
    std::printf("%s: the window never waited more than %lld ms (target: at most %lld ms)\n", pass ? "PASS" : "FAIL",
                qMax(opening, splitting), kTargetMs);
    return pass ? 0 : 1;
}
