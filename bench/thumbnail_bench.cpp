// How long the window's thread is kept busy while thumbnails come, and how soon the first
// screenful arrives: ThumbnailSource on a document, the visible pages prioritized as a grid
// would, scrolled from the first page to the last in screenfuls. A timer ticking every
// millisecond stands in for the window: the longest gap between its ticks is the longest the
// window would not respond.
//   quirewright_thumbnail_bench DOCUMENT PAGES [WIDTH] [SCREENFUL]
#include "core/FileStamp.h"
#include "split/ThumbnailSource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: quirewright_thumbnail_bench DOCUMENT PAGES [WIDTH] [SCREENFUL]\n");
        return 2;
    }
    const QString document = args[1];
    const int pages = args[2].toInt();
    const int width = args.size() > 3 ? args[3].toInt() : 120;
    const int screenful = args.size() > 4 ? args[4].toInt() : 40;

    qw::ThumbnailSource source;
    source.SetWidth(width);
    QElapsedTimer clock;
    qint64 longestGap = 0, last = 0, firstScreen = -1;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = qMax(longestGap, now - last);
        last = now;
    });
    int top = 1, shown = 0;
    const auto prioritizeScreen = [&] {
        QList<int> wanted;
        for (int page = top; page < top + screenful && page <= pages; ++page)
            wanted << page;
        // Then the next screenful, as a grid would ask for the pages around.
        for (int page = top + screenful; page < top + 2 * screenful && page <= pages; ++page)
            wanted << page;
        source.Prioritize(wanted);
    };
    QObject::connect(&source, &qw::ThumbnailSource::ThumbnailReady, [&](int page) {
        (void)source.Thumbnail(page);
        if (page >= top && page < top + screenful && ++shown == qMin(screenful, pages - top + 1)) {
            if (firstScreen < 0)
                firstScreen = clock.elapsed();
            top += screenful;
            shown = 0;
            if (top > pages) {
                app.quit();
                return;
            }
            prioritizeScreen();
        }
    });
    QObject::connect(&source, &qw::ThumbnailSource::Unavailable, [&](const QString &why) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        app.exit(1);
    });
    clock.start();
    ticker.start();
    source.Open(document, qw::FileStamp::Of(document), pages);
    prioritizeScreen();
    const int result = app.exec();
    std::printf("%d pages at %d px in screenfuls of %d: first screenful after %lld ms, all after %lld ms "
                "(%.1f ms a page); longest the window's thread was busy: %.1f ms\n",
                pages, width, screenful, firstScreen, clock.elapsed(), double(clock.elapsed()) / pages,
                longestGap / 1e6);
    return result;
}
