// Measures the program around the engine, on a large document:
//  - opening: the time from the page count's arrival until the list is filled and page 1 is
//    painted in the preview (the whole open minus a page count query of its own);
//  - splitting: a whole split through the main window into 20 parts against the same 20
//    engine runs started directly, as a ratio (the driver's overhead).
// Runs beside the engine, like the program: build/quirewright_bench BIG.pdf [repetitions]
#include "BenchWindow.h"

#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "framework/AppMessageBox.h"
#include "core/CommandLine.h"
#include "split/EngineRunner.h"
#include "split/PageCountQuery.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPdfView>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <cstdio>

using namespace qw;

namespace {

constexpr int kParts = 20;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Waits until the widget has been painted once more.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted |= event->type() == QEvent::Paint;
        return false;
    }
};

double openSeconds(BenchDlg &dlg, const QString &document)
{
    auto *view = qobject_cast<QPdfView *>(dlg.Preview().Control().Window());
    PaintWatch watch(view ? view->viewport() : &dlg);
    QElapsedTimer timer;
    timer.start();
    dlg.OpenDocument(document);
    while (!watch.painted && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return timer.nsecsElapsed() / 1e9;
}

double countSeconds(const QString &document, int *pages)
{
    QElapsedTimer timer;
    timer.start();
    *pages = QueryPageCount(document);
    return timer.nsecsElapsed() / 1e9;
}

// Break points spread evenly, so the split makes kParts parts.
void placeBreakPoints(BenchDlg &dlg, int pages)
{
    QTreeView *list = probe::PageList(dlg);
    for (int part = kParts - 1; part >= 1; --part) {
        const int page = 1 + part * pages / kParts;
        list->setCurrentIndex(list->model()->index(page - 1, 0));
        dlg.InsertBreakPoint();
    }
}

double rawRunsSeconds(const QString &document, const QString &outFolder, int pages)
{
    QElapsedTimer timer;
    timer.start();
    for (int part = 0; part < kParts; ++part) {
        const int first = 1 + part * pages / kParts;
        const int last = (part + 1) * pages / kParts;
        QProcess engine;
        engine.setProcessChannelMode(QProcess::MergedChannels);
        engine.start(EngineRunner::EnginePath(), {"A=" + document, "cat", QStringLiteral("A%1-%2").arg(first).arg(last),
                                                  "output", outFolder + QStringLiteral("/raw %1.pdf").arg(part + 1)});
        engine.waitForFinished(-1);
        if (engine.exitCode() != 0) {
            std::fprintf(stderr, "engine failed: %s\n", engine.readAll().constData());
            return -1;
        }
    }
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: quirewright_bench BIG.pdf [repetitions]\n");
        return 2;
    }
    const QString document = QFileInfo(arguments.at(1)).absoluteFilePath();
    const int repetitions = arguments.size() > 2 ? arguments.at(2).toInt() : 5;
    QTemporaryDir out;
    AppMessageBox::SetResponder([](const QString &text, unsigned) {
        if (!text.startsWith(QLatin1String("Split PDF file success!")))
            std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
        return MsgBox::IdNo;
    });

    std::vector<double> afterCount, counts, driver, raw;
    int pages = 0;
    for (int r = 0; r < repetitions; ++r) {
        // A folder per repetition: parts already there would make the split ask first.
        const QString folder = out.filePath(QString::number(r));
        QDir().mkpath(folder);
        BenchDlg dlg;
        dlg.outFolder = folder;
        dlg.Create();
        dlg.show();
        counts.push_back(countSeconds(document, &pages));
        const double open = openSeconds(dlg, document);
        afterCount.push_back(open - counts.back());
        if (probe::RowCount(dlg) != pages || pages <= 0) {
            std::fprintf(stderr, "the document did not open (%d pages)\n", pages);
            return 1;
        }
        placeBreakPoints(dlg, pages);
        raw.push_back(rawRunsSeconds(document, folder, pages));
        QElapsedTimer timer;
        timer.start();
        dlg.OnSplit();
        probe::WaitUntilIdle(dlg);
        driver.push_back(timer.nsecsElapsed() / 1e9);
        if (QDir(folder).entryList({"*.pdf"}).size() != 2 * kParts) {
            std::fprintf(stderr, "the split did not write %d parts\n", kParts);
            return 1;
        }
    }
    std::printf("document: %d pages; medians of %d runs\n", pages, repetitions);
    std::printf("page count query:                    %.4f s\n", median(counts));
    std::printf("open after the count (list + page 1): %.4f s   (target: at most 0.3 s)\n", median(afterCount));
    std::printf("split into %d parts through the driver: %.4f s\n", kParts, median(driver));
    std::printf("the same %d engine runs alone:          %.4f s\n", kParts, median(raw));
    std::printf("driver overhead: %+.1f %%   (target: at most +5 %%)\n", (median(driver) / median(raw) - 1) * 100);
    return 0;
}
