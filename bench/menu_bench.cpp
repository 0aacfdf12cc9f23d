// Measures opening the File popup of the program's own menus: building the menu bar from its
// template with the toolbar's glyphs, bringing the popup in line, measuring and drawing every
// entry; against a plain QMenu with the same entries and glyphs, measured and drawn the same way.
// Runs offscreen: build/quirewright_menu_bench [repetitions]
#include "framework/MenuAdapter.h"
#include "menu/GlyphMenu.h"
#include "menu/ImageList.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QMenu>
#include <QPixmap>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qw;

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Measures and draws every entry, as showing the popup does.
void measureAndDraw(QMenu *menu)
{
    menu->adjustSize();
    const QPixmap picture = menu->grab();
    if (picture.isNull())
        std::fprintf(stderr, "menu_bench: the popup was not drawn\n");
}

// The time to build the menu bar with its glyphs, and then to open the File popup.
std::pair<double, double> ownMenu()
{
    QElapsedTimer clock;
    clock.start();
    GlyphMenu bar;
    bar.LoadFromResource(ResId::MenuBar);
    bar.ApplyToolbarImages(ResId::CommandToolbar);
    const double built = clock.nsecsElapsed() / 1e6;
    clock.restart();
    QMenu *file = bar.SubMenuAt(0);
    GlyphMenu::RefreshPopup(GlyphMenu::FromHandle(file));
    measureAndDraw(file);
    return {built, clock.nsecsElapsed() / 1e6};
}

double plainMenu(const QList<std::pair<QString, QIcon>> &entries)
{
    QElapsedTimer clock;
    clock.start();
    QMenu file;
    for (const auto &[text, icon] : entries) {
        if (text.isEmpty())
            file.addSeparator();
        else
            file.addAction(icon, text);
    }
    measureAndDraw(&file);
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    MenuLook look = GlyphMenu::Look();
    look.plainDrawMode = 1;
    look.themedDrawMode = 1;
    GlyphMenu::SetLook(look);

    // The same entries and glyphs for the plain menu, taken from the program's own.
    GlyphMenu model;
    model.LoadFromResource(ResId::MenuBar);
    model.ApplyToolbarImages(ResId::CommandToolbar);
    const GlyphMenu *file = GlyphMenu::FromHandle(model.SubMenuAt(0));
    QList<std::pair<QString, QIcon>> entries;
    for (const auto &item : file->Items()) {
        const QImage glyph = item->sharedOffset >= 0 ? GlyphMenu::SharedImages->GetIcon(item->sharedOffset) : QImage();
        entries.append({item->text, glyph.isNull() ? QIcon() : QIcon(QPixmap::fromImage(glyph))});
    }

    std::vector<double> built, opened, plain;
    for (int i = 0; i < repetitions; ++i) {
        // Alternating, so that neither always runs on a warmer cache.
        if (i % 2)
            plain.push_back(plainMenu(entries));
        const auto [build, open] = ownMenu();
        built.push_back(build);
        opened.push_back(open);
        if (!(i % 2))
            plain.push_back(plainMenu(entries));
    }
    const double own = median(built) + median(opened), plainMedian = median(plain);
    std::printf("the File popup, medians of %d runs:\n", repetitions);
    std::printf("  GlyphMenu: build the bar with glyphs %.3f ms, open the popup (measure + draw) %.3f ms\n",
                median(built), median(opened));
    std::printf("  plain QMenu: build + measure + draw   %.3f ms\n", plainMedian);
    std::printf("  ratio, opening only:          %.2f\n", median(opened) / plainMedian);
    std::printf("  ratio, building and opening:  %.2f\n", own / plainMedian);
    return 0;
}
