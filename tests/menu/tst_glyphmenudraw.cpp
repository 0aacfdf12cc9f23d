// Owner-drawn entries measured and drawn in both looks, checked pixel by pixel against the
// rectangles and colours the drawing is made of, and a real popup drawn through them.
#include "LookGuard.h"
#include "framework/MenuAdapter.h"
#include "framework/SystemColours.h"
#include "menu/GlyphMenu.h"
#include "menu/GlyphProcessing.h"
#include "menu/ImageList.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QScopeGuard>
#include <QTest>

using namespace qw;

namespace {

constexpr int W = MenuLook().iconWidth;
constexpr int H = MenuLook().iconHeight;
constexpr QRect kEntry(0, 0, 240, 22);
// What the entry is drawn over, so that a pixel the drawing leaves alone shows it.
constexpr QRgb kCanvas = 0xFFFF00FF;
constexpr int kUntouched = -1;

QRgb sys(int index)
{
    return GetSysColour(index).rgb();
}

struct Entry {
    QString text;
    unsigned flags = MenuFlag::OwnerDraw;
    bool withImage = true;
};

} // namespace

class TestGlyphMenuDraw : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void measure_data();
    void measure();
    void flatLook_data();
    void flatLook();
    void classicLook_data();
    void classicLook();
    void textSitsInItsRectangle();
    void disabledGlyphs();
    void popupIsDrawnByItsMenu();
    void disabledTextIsReadable_data();
    void disabledTextIsReadable();

private:
    QImage draw(const Entry &entry, unsigned state, QRect rect = kEntry);

    GlyphMenu menu_;
    int imageOffset_ = -1;
};

void TestGlyphMenuDraw::initTestCase()
{
    // Distinct colours, so that every pixel tells which rule painted it.
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
    palette.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xFF));
    palette.setColor(QPalette::Highlight, QColor(0x31, 0x6A, 0xC5));
    palette.setColor(QPalette::HighlightedText, QColor(0xFF, 0xFF, 0xF0));
    palette.setColor(QPalette::ButtonText, QColor(0x00, 0x00, 0x00));
    palette.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    palette.setColor(QPalette::Light, QColor(0xFE, 0xFE, 0xFE));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x8C, 0x8C, 0x8C));
    QApplication::setPalette(palette);
    // The program's look, which every test starts from.
    MenuLook flat = GlyphMenu::Look();
    flat.plainDrawMode = 1;
    GlyphMenu::SetLook(flat);
    QVERIFY(menu_.LoadFromResource(ResId::MenuBar));
    QVERIFY(menu_.ApplyToolbarImages(ResId::CommandToolbar));
    imageOffset_ = GlyphMenu::SharedOffsetOf(CmdId::FileOpen);
    QVERIFY(GlyphMenu::HasVariantSet(imageOffset_));
}

QImage TestGlyphMenuDraw::draw(const Entry &entry, unsigned state, QRect rect)
{
    GlyphMenuItem item;
    item.text = entry.text;
    item.menuFlags = entry.flags;
    item.sharedOffset = entry.withImage ? imageOffset_ : -1;
    QImage image(rect.size(), QImage::Format_RGB32);
    image.fill(kCanvas);
    QPainter painter(&image);
    painter.setFont(GlyphMenu::MenuFont());
    menu_.DrawItem({state, rect, &painter, nullptr, 1, &item});
    painter.end();
    return image;
}

void TestGlyphMenuDraw::measure_data()
{
    QTest::addColumn<int>("drawMode");
    QTest::addColumn<bool>("separator");
    QTest::addColumn<int>("extraWidth"); // beyond the text's width
    QTest::addColumn<int>("minimumHeight");
    QTest::newRow("flat") << 1 << false << W + 7 + 8 << H + 7;
    QTest::newRow("classic") << 0 << false << 2 * W + 1 << H + 4;
    QTest::newRow("flatSeparator") << 1 << true << 0 << 3;
    QTest::newRow("classicSeparator") << 0 << true << 0 << (H + 4) / 2;
}

void TestGlyphMenuDraw::measure()
{
    QFETCH(int, drawMode);
    QFETCH(bool, separator);
    QFETCH(int, extraWidth);
    QFETCH(int, minimumHeight);
    LookGuard look;
    look.Set([drawMode](MenuLook &changed) { changed.plainDrawMode = drawMode; });
    GlyphMenuItem item;
    item.text = separator ? QString() : QStringLiteral("&Insert Break Point\tF2");
    item.menuFlags = separator ? MenuFlag::Separator | MenuFlag::OwnerDraw : MenuFlag::OwnerDraw;
    MeasureItemStruct measure{&item, 0, 0};
    menu_.MeasureItem(measure);
    // Without the modern shell the text is measured in the default font, as the platform does.
    const int textWidth = separator ? 0 : QFontMetrics(QApplication::font()).horizontalAdvance(item.text);
    QCOMPARE(measure.itemWidth, textWidth + extraWidth);
    const int line = GlyphMenu::MenuLineHeight();
    if (separator && drawMode == 1)
        QCOMPARE(measure.itemHeight, 3);
    else if (separator)
        QCOMPARE(measure.itemHeight, qMax(line >> 1, minimumHeight));
    else
        QCOMPARE(measure.itemHeight, qMax(line, minimumHeight));
}

void TestGlyphMenuDraw::flatLook_data()
{
    const QRgb column = BlendTowardWhite(sys(SysColour::BtnFace), 0.25);
    const QRgb background = ScaleTowardBlack(sys(SysColour::Window), 0.02);
    const QRgb frame = sys(SysColour::Highlight);
    const QRgb fill = BlendTowardWhite(frame, 0.85);
    QTest::addColumn<unsigned>("state");
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<QRgb>>("colours");
    // The column of 23 pixels, the background right of it, the glyph cell frame.
    QTest::newRow("normal") << 0u << unsigned(MenuFlag::OwnerDraw)
                            << QList<QPoint>{{1, 10}, {22, 10}, {23, 10}, {230, 10}}
                            << QList<QRgb>{column, column, background, background};
    // Framed in the highlight colour and filled with its pale blend, glyph cell included.
    QTest::newRow("selected") << ItemState::Selected << unsigned(MenuFlag::OwnerDraw)
                              << QList<QPoint>{{0, 0}, {239, 21}, {2, 2}, {230, 10}}
                              << QList<QRgb>{frame, frame, fill, fill};
    // A disabled entry under the mouse is drawn as if it were not.
    QTest::newRow("disabledSelected") << (ItemState::Selected | ItemState::Grayed) << unsigned(MenuFlag::OwnerDraw)
                                      << QList<QPoint>{{0, 0}, {1, 10}, {230, 10}}
                                      << QList<QRgb>{column, column, background};
    // An etched line across the middle, from the column's pad on; the column stays.
    QTest::newRow("separator") << 0u << unsigned(MenuFlag::Separator | MenuFlag::OwnerDraw)
                               << QList<QPoint>{{30, 11}, {30, 12}, {29, 11}, {5, 11}, {30, 10}}
                               << QList<QRgb>{sys(SysColour::BtnShadow), sys(SysColour::BtnHighlight), background,
                                              column, background};
}

void TestGlyphMenuDraw::flatLook()
{
    QFETCH(unsigned, state);
    QFETCH(unsigned, flags);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<QRgb>, colours);
    const QImage image = draw({QStringLiteral("&Open..."), flags}, state);
    for (int i = 0; i < points.size(); ++i)
        QVERIFY2(image.pixel(points[i]) == colours[i], qPrintable(QStringLiteral("(%1,%2) is %3, not %4")
                                                                      .arg(points[i].x())
                                                                      .arg(points[i].y())
                                                                      .arg(image.pixel(points[i]), 0, 16)
                                                                      .arg(colours[i], 0, 16)));
}

void TestGlyphMenuDraw::classicLook_data()
{
    QTest::addColumn<unsigned>("state");
    QTest::addColumn<int>("platform");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<int>>("colours"); // system colour indexes; kUntouched: left as it was
    // Selected: only the part right of the glyph cell is highlighted.
    QTest::newRow("selected") << ItemState::Selected << 1 << QList<QPoint>{{W + 4, 10}, {W + 5, 10}, {230, 10}}
                              << QList<int>{kUntouched, SysColour::Highlight, SysColour::Highlight};
    // With the modern shell the selected glyph's cell is raised.
    QTest::newRow("raisedCell") << ItemState::Selected << 7 << QList<QPoint>{{0, 3}, {W + 3, 3}, {0, H + 5}}
                                << QList<int>{SysColour::BtnHighlight, SysColour::BtnShadow, SysColour::BtnShadow};
    QTest::newRow("sunkenCheckedCell") << (ItemState::Selected | ItemState::Checked) << 7
                                       << QList<QPoint>{{0, 3}, {W + 3, 3}}
                                       << QList<int>{SysColour::BtnShadow, SysColour::BtnHighlight};
    // Without it there is no frame to see.
    QTest::newRow("flatCell") << ItemState::Selected << 1 << QList<QPoint>{{0, 3}, {W + 3, 3}, {1, 3}}
                              << QList<int>{kUntouched, kUntouched, SysColour::Menu};
}

void TestGlyphMenuDraw::classicLook()
{
    QFETCH(unsigned, state);
    QFETCH(int, platform);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<int>, colours);
    LookGuard look;
    look.Set([platform](MenuLook &classic) {
        classic.plainDrawMode = 0;
        classic.themedDrawMode = 0;
        classic.platformCode = platform;
    });
    // 23 pixels high: the glyph cell (H + 4) sits 2 pixels down.
    const QImage image = draw({QStringLiteral("&Open...")}, state, QRect(0, 0, 240, 23));
    for (int i = 0; i < points.size(); ++i)
        QVERIFY2(image.pixel(points[i]) == (colours[i] == kUntouched ? kCanvas : sys(colours[i])),
                 qPrintable(QStringLiteral("(%1,%2) is %3")
                                .arg(points[i].x())
                                .arg(points[i].y())
                                .arg(image.pixel(points[i]), 0, 16)));
}

void TestGlyphMenuDraw::textSitsInItsRectangle()
{
    // The left part begins at the text rectangle's left edge; the accelerator ends W pixels
    // before the entry's right edge; a disabled classic entry is engraved.
    const auto inkColumns = [](const QImage &image, QRgb ink) {
        int first = image.width(), last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (image.pixel(x, y) == ink) {
                    first = qMin(first, x);
                    last = qMax(last, x);
                }
        return std::pair{first, last};
    };
    const Entry entry{QStringLiteral("&Insert Break Point\tF2"), MenuFlag::OwnerDraw, false};
    const auto [flatFirst, flatLast] = inkColumns(draw(entry, 0), sys(SysColour::MenuText));
    QVERIFY2(flatFirst >= W + 7 + 8 && flatFirst <= W + 7 + 8 + 2, qPrintable(QString::number(flatFirst)));
    QVERIFY2(flatLast < kEntry.width() - W && flatLast > kEntry.width() - W - 6, qPrintable(QString::number(flatLast)));

    LookGuard look;
    look.Set([](MenuLook &classic) { classic.plainDrawMode = 0; });
    const QImage disabled = draw(entry, ItemState::Grayed);
    const auto [greyFirst, greyLast] = inkColumns(disabled, sys(SysColour::GrayText));
    const auto [lightFirst, lightLast] = inkColumns(disabled, sys(SysColour::BtnHighlight));
    QVERIFY(greyFirst >= W + 9 && greyFirst <= W + 11);
    QVERIFY(lightFirst > greyFirst && lightLast > greyLast);
}

void TestGlyphMenuDraw::disabledGlyphs()
{
    // Flat: the stored disabled variant over the column colour, at the glyph position (4, 4).
    const QImage flat = draw({QStringLiteral("&Open...")}, ItemState::Grayed);
    QImage expected(W, H, QImage::Format_RGB32);
    expected.fill(BlendTowardWhite(sys(SysColour::BtnFace), 0.25));
    QPainter painter(&expected);
    painter.drawImage(0, 0, GlyphMenu::SharedImages->GetIcon(imageOffset_ + 3));
    painter.end();
    QCOMPARE(flat.copy(4, 4, W, H), expected);

    // Classic: embossed, in nothing but the highlight and the shadow over the menu colour.
    LookGuard look;
    look.Set([](MenuLook &classic) { classic.plainDrawMode = 0; });
    const QImage classic = draw({QStringLiteral("&Open...")}, ItemState::Grayed, QRect(0, 0, 240, 23));
    QSet<QRgb> colours;
    for (int y = 4; y < 4 + H; ++y)
        for (int x = 2; x < 2 + W; ++x)
            colours.insert(classic.pixel(x, y));
    QCOMPARE(colours, QSet<QRgb>({sys(SysColour::Menu), sys(SysColour::BtnHighlight), sys(SysColour::BtnShadow)}));

    // Once a menu has loaded a glyph bitmap whose colours could not be remapped (the 256-colour
    // picture), the classic look tints disabled glyphs instead: the menu's own look learns it.
    GlyphMenu *file = GlyphMenu::FromHandle(menu_.SubMenuAt(0));
    QVERIFY(file->AppendItem(QStringLiteral("&Picture"), 0, 40100, ResId::InsertPicture));
    QVERIFY(GlyphMenu::Look().nonPaletteGlyphsSeen);
    QImage glyph;
    RenderImageToBitmap(*GlyphMenu::SharedImages, imageOffset_, glyph, GlyphMenu::Look());
    QImage tinted(W, H, QImage::Format_RGB32);
    painter.begin(&tinted);
    DrawTintedGlyph(painter, 0, 0, W, H, glyph, sys(SysColour::Menu));
    painter.end();
    QCOMPARE(draw({QStringLiteral("&Open...")}, ItemState::Grayed, QRect(0, 0, 240, 23)).copy(2, 4, W, H), tinted);
}

void TestGlyphMenuDraw::popupIsDrawnByItsMenu()
{
    QMenu *file = menu_.SubMenuAt(0);
    file->adjustSize();
    const QRect open = file->actionGeometry(MenuAdapter::ActionAt(file, 0));
    const QRect separator = file->actionGeometry(MenuAdapter::ActionAt(file, 1));
    QCOMPARE(separator.height(), 3);
    QCOMPARE(open.height(), qMax(GlyphMenu::MenuLineHeight(), H + 7));
    const QImage image = file->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb column = BlendTowardWhite(sys(SysColour::BtnFace), 0.25);
    QCOMPARE(image.pixel(open.left() + 1, open.center().y()), column);
    QCOMPARE(image.pixel(open.right() - 2, open.center().y()), ScaleTowardBlack(sys(SysColour::Window), 0.02));
    QCOMPARE(image.pixel(separator.left() + 30, separator.top() + 1), sys(SysColour::BtnShadow));
}

void TestGlyphMenuDraw::disabledTextIsReadable_data()
{
    // The system's grey text in black on white; the plain flat look blends it toward white.
    constexpr QRgb kGreyText = 0xFF6D6D6D;
    QTest::addColumn<int>("platformCode");
    QTest::addColumn<int>("drawMode");
    QTest::addColumn<QRgb>("disabledInk");
    QTest::newRow("flat") << 1 << 1 << BlendTowardWhite(kGreyText, 0.4);
    QTest::newRow("themedFlat") << 7 << 1 << kGreyText;
    QTest::newRow("classic") << 1 << 0 << kGreyText;
}

void TestGlyphMenuDraw::disabledTextIsReadable()
{
    QFETCH(int, platformCode);
    QFETCH(int, drawMode);
    QFETCH(QRgb, disabledInk);
    // Black on white, with the pale disabled text that Qt's own palette has.
    const QPalette saved = QApplication::palette();
    const auto restore = qScopeGuard([&saved] { QApplication::setPalette(saved); });
    QPalette palette = saved;
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0xBE, 0xBE, 0xBE));
    QApplication::setPalette(palette);
    LookGuard look;
    look.Set([=](MenuLook &changed) {
        changed.platformCode = platformCode;
        changed.themedDrawMode = changed.plainDrawMode = drawMode;
    });

    // The darkest pixel of an entry's text is the colour it is drawn in.
    QMenu *file = menu_.SubMenuAt(0);
    QAction *open = MenuAdapter::ActionAt(file, 0);
    const auto ink = [file, open] {
        file->adjustSize();
        const QRect entry = file->actionGeometry(open);
        const QImage image = file->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QRgb darkest = 0xFFFFFFFF;
        for (int y = entry.top(); y <= entry.bottom(); ++y)
            for (int x = entry.left() + W + 9; x < entry.right() - W; ++x)
                if (qGray(image.pixel(x, y)) < qGray(darkest))
                    darkest = image.pixel(x, y);
        return darkest;
    };
    QCOMPARE(ink(), sys(SysColour::MenuText));
    open->setEnabled(false);
    const QRgb disabled = ink();
    open->setEnabled(true);
    const auto hex = [](QRgb colour) { return QStringLiteral("#%1").arg(colour & 0xFFFFFF, 6, 16, QChar('0')); };
    QVERIFY2(qAbs(qGray(disabled) - qGray(disabledInk)) <= 1,
             qPrintable(hex(disabled) + " instead of " + hex(disabledInk)));
}

QTEST_MAIN(TestGlyphMenuDraw)
#include "tst_glyphmenudraw.moc"
