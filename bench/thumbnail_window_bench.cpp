// The real main window with its thumbnail grid on a long document: how long its thread is ever
// kept from answering while the grid is scrolled from the first page to the last, screenful by
// screenful and then in big jumps, and the peak memory of the window's process and of the
// engine process that draws the thumbnails.
//   quirewright_thumbnail_window_bench DOCUMENT [--timeout MS] [--every N] [--size WxH]
//     --timeout  longest wait at one position for its thumbnails (default 10000 ms)
//     --every    wait for the thumbnails only at every Nth screenful; the others are passed
//                after one short pause, as a quick scroll would (default 1: every screenful)
//     --size     the window's size (default 1000x700)
// Runs beside the engine, like the program (build/), on a display or with
// QT_QPA_PLATFORM=offscreen; bench/thumbnails_bench.sh runs it beside PDF Arranger.
//
// The window's lateness is a timer asking to tick every millisecond: how much later than that
// it ticks is how long the thread was busy (painting, reading the engine's pixels, scrolling).
// A position counts as drawn when every visible page's picture box in the window's backing
// store is no longer the plain placeholder, i.e. what a person would see, not what arrived.
// Memory is the kernel's peak resident set (VmHWM: private and shared pages) of this process
// and of every engine process it started, read from /proc while they live.
#include "app/SplitterApp.h"
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "framework/AppMessageBox.h"
#include "viewer/ThumbnailDelegate.h"
#include "viewer/ThumbnailGrid.h"

#include <QApplication>
#include <QBackingStore>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

using namespace qw;

namespace {

// A field of /proc/PID/status in kB, or -1 when the process (or the field) is gone.
long statusKilobytes(const QString &pid, const char *field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray name = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(name))
            return line.mid(name.size()).trimmed().split(' ').first().toLong();
    return -1;
}

// The engine processes this one started (its children named after the engine).
QStringList engineChildren()
{
    QStringList found;
    const QByteArray self = QByteArray::number(getpid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        if (pid.toLong() <= 0)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // "pid (comm) state ppid ...": comm may hold spaces, so it is read up to the last ')'.
        const qsizetype close = text.lastIndexOf(')');
        const QByteArray comm = text.mid(text.indexOf('(') + 1, close - text.indexOf('(') - 1);
        const QList<QByteArray> rest = text.mid(close + 2).split(' ');
        if (rest.size() > 1 && rest[1] == self && comm.startsWith("quirekit"))
            found << pid;
    }
    return found;
}

// Counts the paints of a widget, so that a picture is judged only once it has been painted.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

struct Peaks {
    long hwm = 0; // kB, the kernel's peak RSS
    long anon = 0; // kB, the largest RssAnon seen
    long file = 0; // kB, the largest RssFile seen: mapped files, the document among them
};

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QString document;
    int timeoutMs = 10000, every = 1, width = 1000, height = 700;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--timeout") && i + 1 < arguments.size())
            timeoutMs = arguments[++i].toInt();
        else if (argument == QLatin1String("--every") && i + 1 < arguments.size())
            every = std::max(1, arguments[++i].toInt());
        else if (argument == QLatin1String("--size") && i + 1 < arguments.size()) {
            const QStringList size = arguments[++i].split(QLatin1Char('x'));
            width = size.value(0).toInt();
            height = size.value(1).toInt();
        } else
            document = QFileInfo(argument).absoluteFilePath();
    }
    if (document.isEmpty() || width < 200 || height < 200) {
        std::fprintf(stderr, "usage: quirewright_thumbnail_window_bench DOCUMENT [--timeout MS] [--every N] "
                             "[--size WxH]\n");
        return 2;
    }
    // The person's own settings are neither read nor changed.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    int messages = 0;
    AppMessageBox::SetResponder([&](const QString &text, unsigned) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        ++messages;
        return MsgBox::IdOk;
    });

    SplitterApp app;
    SplitterDlg dlg(&app);
    app.SetMainWindow(&dlg);
    dlg.Create();
    dlg.resize(width, height);
    dlg.show();
    QElapsedTimer clock;
    clock.start();
    while (!dlg.windowHandle() || !dlg.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    app.OpenDocumentFile(document);
    probe::WaitUntilIdle(dlg);
    const int pages = dlg.Breaks().PageCount();
    if (probe::RowCount(dlg) != pages || pages <= 0) {
        std::fprintf(stderr, "the document did not open\n");
        return 1;
    }
    const double openSeconds = clock.nsecsElapsed() / 1e9;

    ThumbnailGrid &grid = dlg.Preview().Thumbnails();
    QScrollBar *bar = grid.verticalScrollBar();
    const QColor placeholder = grid.palette().color(QPalette::Midlight);
    ThumbnailMetrics metrics;
    metrics.width = grid.ThumbnailWidth();
    metrics.captionHeight = grid.fontMetrics().height() + 2;

    // Every visible page drawn with a picture: its box, as the backing store holds it, is not
    // the placeholder's plain colour (a page has its own white, its text and its border).
    // Only what was painted after the grid moved counts; that a placeholder was seen at some
    // positions shows the rule tells the two apart.
    QString unreadable;
    PaintCount paintCount(grid.viewport());
    int paintsBefore = 0, placeholdersSeen = 0;
    bool placeholderSeen = false;
    const auto visibleDrawn = [&]() -> bool {
        if (paintCount.paints == paintsBefore)
            return false;
        QBackingStore *store = dlg.backingStore();
        auto *image = store ? dynamic_cast<QImage *>(store->paintDevice()) : nullptr;
        if (!image) {
            unreadable = QStringLiteral("the window's backing store is not an image");
            return false;
        }
        const double ratio = image->devicePixelRatio();
        const QRect view = grid.viewport()->rect();
        for (int page : grid.PagesInView()) {
            const QRect cell = grid.visualRect(dlg.Breaks().index(dlg.Breaks().RowOfPage(page)));
            const QRect box = metrics.PictureBox(cell).intersected(view).adjusted(2, 2, -2, -2);
            if (box.height() < 8)
                continue; // a sliver at the edge says nothing
            const QPoint origin = grid.viewport()->mapTo(&dlg, box.topLeft());
            int other = 0, seen = 0;
            for (int y = 0; y < box.height(); y += 3)
                for (int x = 0; x < box.width(); x += 3) {
                    const QPoint at((origin.x() + x) * ratio, (origin.y() + y) * ratio);
                    if (!image->rect().contains(at))
                        continue;
                    ++seen;
                    other += QColor(image->pixel(at)).rgb() != placeholder.rgb();
                }
            if (seen == 0 || other * 20 < seen) {
                if (seen > 0 && !placeholderSeen) {
                    placeholderSeen = true;
                    ++placeholdersSeen;
                }
                return false;
            }
        }
        return true;
    };

    // The window's lateness: every gap between ticks beyond the millisecond asked for.
    std::vector<double> lateness;
    lateness.reserve(1 << 20);
    QElapsedTimer tickClock;
    qint64 lastTick = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    // The worst in each phase, to tell the grid's first showing from the scrolling.
    const char *phase = "showing the grid";
    std::vector<std::pair<const char *, double>> phaseWorst;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = tickClock.nsecsElapsed();
        const double late = std::max<double>(0, (now - lastTick) / 1e6 - 1);
        lateness.push_back(late);
        lastTick = now;
        if (phaseWorst.empty() || phaseWorst.back().first != phase)
            phaseWorst.emplace_back(phase, 0);
        phaseWorst.back().second = std::max(phaseWorst.back().second, late);
    });

    // Memory, read every 100 ms: the window's own, and each engine's while it lives.
    Peaks own;
    std::map<QString, Peaks> engines;
    const auto sample = [&] {
        own.anon = std::max(own.anon, statusKilobytes(QStringLiteral("self"), "RssAnon"));
        own.hwm = std::max(own.hwm, statusKilobytes(QStringLiteral("self"), "VmHWM"));
        own.file = std::max(own.file, statusKilobytes(QStringLiteral("self"), "RssFile"));
        for (const QString &pid : engineChildren()) {
            Peaks &peaks = engines[pid];
            peaks.hwm = std::max(peaks.hwm, statusKilobytes(pid, "VmHWM"));
            peaks.anon = std::max(peaks.anon, statusKilobytes(pid, "RssAnon"));
            peaks.file = std::max(peaks.file, statusKilobytes(pid, "RssFile"));
        }
    };
    QTimer sampler;
    sampler.setInterval(100);
    QObject::connect(&sampler, &QTimer::timeout, sample);

    // Waits, with the event loop running, until the visible thumbnails are drawn or the
    // timeout; false on the timeout.
    int timeouts = 0;
    const auto waitDrawn = [&](int ms) {
        QElapsedTimer waited;
        waited.start();
        placeholderSeen = false;
        while (waited.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
            if (visibleDrawn())
                return true;
        }
        ++timeouts;
        return false;
    };
    const auto pause = [](int ms) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, ms);
    };

    tickClock.start();
    ticker.start();
    sampler.start();
    QElapsedTimer firstScreen;
    firstScreen.start();
    paintsBefore = paintCount.paints;
    dlg.ShowThumbnails(true);
    const bool firstDrawn = waitDrawn(timeoutMs * 3);
    const double firstSeconds = firstScreen.nsecsElapsed() / 1e9;
    if (!unreadable.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(unreadable));
        return 1;
    }
    const int perScreen = int(grid.PagesInView().size());

    // Top to bottom, a screenful at a time.
    phase = "scrolling screenful by screenful";
    QElapsedTimer scrollClock;
    scrollClock.start();
    int positions = 0, waited = 0;
    for (int step = 1; bar->value() < bar->maximum(); ++step) {
        paintsBefore = paintCount.paints;
        bar->setValue(std::min(bar->maximum(), bar->value() + bar->pageStep()));
        ++positions;
        if (step % every == 0 || bar->value() == bar->maximum()) {
            ++waited;
            waitDrawn(timeoutMs);
        } else {
            pause(16);
        }
    }
    const double scrollSeconds = scrollClock.nsecsElapsed() / 1e9;
    // Then jumps across the document, as a drag of the scroll bar's handle would make.
    const double jumps[] = {0.5, 0.1, 0.9, 0.0, 0.75, 0.25, 1.0, 0.33};
    std::vector<double> jumpSeconds;
    phase = "jumping";
    for (double at : jumps) {
        QElapsedTimer jumpClock;
        jumpClock.start();
        paintsBefore = paintCount.paints;
        bar->setValue(int(at * bar->maximum()));
        waitDrawn(timeoutMs);
        jumpSeconds.push_back(jumpClock.nsecsElapsed() / 1e9);
    }
    ticker.stop();
    sample();
    const QStringList alive = engineChildren();

    const double worst = lateness.empty() ? 0 : *std::max_element(lateness.begin(), lateness.end());
    std::printf("document: %s, %d pages; window %dx%d, grid %dx%d, %d pages a screenful\n",
                qPrintable(QFileInfo(document).fileName()), pages, width, height, grid.viewport()->width(),
                grid.viewport()->height(), perScreen);
    std::printf("open (list filled): %.2f s; first screenful drawn %.2f s after F7%s\n", openSeconds, firstSeconds,
                firstDrawn ? "" : " (timed out)");
    std::printf("scrolled %d screenfuls in %.1f s (thumbnails awaited at %d), then %zu jumps (median %.2f s); "
                "%d positions timed out after %d ms; placeholders seen first at %d of them\n",
                positions, scrollSeconds, waited, jumpSeconds.size(), percentile(jumpSeconds, 0.5), timeouts,
                timeoutMs, placeholdersSeen);
    std::printf("event loop lateness over %zu ticks: worst %.1f ms, 99.9th percentile %.2f ms, 99th %.2f ms, "
                "median %.3f ms; ticks over 50 ms: %zu\n",
                lateness.size(), worst, percentile(lateness, 0.999), percentile(lateness, 0.99),
                percentile(lateness, 0.5),
                size_t(std::count_if(lateness.begin(), lateness.end(), [](double l) { return l > 50; })));
    for (const auto &[name, worstThere] : phaseWorst)
        std::printf("  worst while %s: %.1f ms\n", name, worstThere);
    long engineHwm = 0, engineAnon = 0, engineFile = 0;
    for (const auto &[pid, peaks] : engines) {
        engineHwm = std::max(engineHwm, peaks.hwm);
        engineAnon = std::max(engineAnon, peaks.anon);
        engineFile = std::max(engineFile, peaks.file);
    }
    std::printf("peak memory (VmHWM): window %.1f MiB, engine %.1f MiB (%zu engine process%s, %lld alive at the "
                "end), sum %.1f MiB\n",
                own.hwm / 1024.0, engineHwm / 1024.0, engines.size(), engines.size() == 1 ? "" : "es",
                qlonglong(alive.size()), (own.hwm + engineHwm) / 1024.0);
    std::printf("peak private memory (RssAnon, sampled): window %.1f MiB, engine %.1f MiB\n", own.anon / 1024.0,
                engineAnon / 1024.0);
    std::printf("peak mapped files (RssFile, sampled): window %.1f MiB, engine %.1f MiB\n", own.file / 1024.0,
                engineFile / 1024.0);
    // For bench/thumbnails_bench.sh.
    std::printf("RESULT worst_ms=%.2f p99_ms=%.2f window_hwm_kb=%ld engine_hwm_kb=%ld window_anon_kb=%ld "
                "engine_anon_kb=%ld timeouts=%d messages=%d\n",
                worst, percentile(lateness, 0.99), own.hwm, engineHwm, own.anon, engineAnon, timeouts, messages);
    return firstDrawn ? 0 : 1;
}
