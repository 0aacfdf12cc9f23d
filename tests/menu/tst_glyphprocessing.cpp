// The colour arithmetic and pixel work on menu glyphs, checked on hand-made glyphs, the
// program's own bitmaps and pictures painted through a real QPainter.
#include "menu/GlyphProcessing.h"
#include "menu/ImageList.h"
#include "res/ResourceIds.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QTest>

using namespace qw;

namespace {

constexpr QRgb kFace = 0xFFD4D0C8;
constexpr QRgb kShadow = 0xFF808080;
constexpr QRgb kHighlight = 0xFFFFFFFF;
constexpr QRgb kText = 0xFF000000;

void setButtonColours(QRgb face, QRgb shadow, QRgb highlight, QRgb text)
{
    QPalette palette = QGuiApplication::palette();
    palette.setColor(QPalette::Button, QColor::fromRgb(face));
    palette.setColor(QPalette::Dark, QColor::fromRgb(shadow));
    palette.setColor(QPalette::Light, QColor::fromRgb(highlight));
    palette.setColor(QPalette::ButtonText, QColor::fromRgb(text));
    QGuiApplication::setPalette(palette);
}

constexpr QRgb kStripShadow = 0xFF445566;
constexpr QRgb kStripHighlight = 0xFFFAFAF0;
constexpr QRgb kStripText = 0xFF112233;

// A pixel expected in an image of a list.
struct Probe {
    int image, x, y;
    QRgb colour;
};

using Legend = QList<QPair<QChar, QRgb>>;

// A picture drawn as text, one character per pixel.
QImage picture(const QStringList &rows, const Legend &legend)
{
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (const auto &[c, colour] : legend)
                if (rows[y][x] == c)
                    image.setPixel(x, y, colour);
    return image;
}

QStringList describe(const QImage &image, const Legend &legend)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            QChar c = u'?';
            for (const auto &[key, colour] : legend)
                if (image.pixel(x, y) == colour)
                    c = key;
            row += c;
        }
        rows << row;
    }
    return rows;
}

} // namespace

class TestGlyphProcessing : public QObject {
    Q_OBJECT
private slots:
    void init() { setButtonColours(kFace, kShadow, kHighlight, kText); }
    void colourArithmetic_data();
    void colourArithmetic();
    void transformations_data();
    void transformations();
    void backgroundInGlyphFormat_data();
    void backgroundInGlyphFormat();
    void disabledDrawing_data();
    void disabledDrawing();
    void tickAndDot_data();
    void tickAndDot();
    void imageListMasksAndReplaces();
    void bitmapResources_data();
    void bitmapResources();
};

void TestGlyphProcessing::colourArithmetic_data()
{
    QTest::addColumn<bool>("towardWhite");
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<double>("factor");
    QTest::addColumn<QRgb>("expected");
    const QRgb some = qRgb(30, 60, 90);
    QTest::newRow("whiteZeroFactorUnchanged") << true << some << 0.0 << some;
    QTest::newRow("whiteFactorAboveOneUnchanged") << true << some << 1.5 << some;
    QTest::newRow("whiteNegativeFactorUnchanged") << true << some << -0.3 << some;
    QTest::newRow("whiteFactorOneGivesWhite") << true << some << 1.0 << qRgb(255, 255, 255);
    QTest::newRow("blackTruncatedTo76") << true << qRgb(0, 0, 0) << 0.3 << qRgb(76, 76, 76);
    QTest::newRow("channelsApart") << true << some << 0.3 << qRgb(97, 118, 139);
    QTest::newRow("blackZeroFactorUnchanged") << false << some << 0.0 << some;
    QTest::newRow("blackFactorAboveOneUnchanged") << false << some << 1.5 << some;
    QTest::newRow("whiteScaledTo249") << false << qRgb(255, 255, 255) << 0.02 << qRgb(249, 249, 249);
    QTest::newRow("blackFactorOneGivesBlack") << false << some << 1.0 << qRgb(0, 0, 0);
}

void TestGlyphProcessing::colourArithmetic()
{
    QFETCH(bool, towardWhite);
    QFETCH(QRgb, colour);
    QFETCH(double, factor);
    QFETCH(QRgb, expected);
    QCOMPARE(towardWhite ? BlendTowardWhite(colour, factor) : ScaleTowardBlack(colour, factor), expected);
}

enum Transformation { Faded, Shadow, Disabled, Silver };

void TestGlyphProcessing::transformations_data()
{
    QTest::addColumn<int>("transformation");
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<int>("platform");
    QTest::addColumn<QList<QRgb>>("expected"); // for face, black, white, silver, RGB(30,60,91)
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255);
    const QRgb other = qRgb(30, 60, 91);
    QTest::newRow("faded") << int(Faded) << QRgb(0) << 1
                           << QList<QRgb>{kFace, qRgb(76, 76, 76), white, qRgb(210, 210, 210), qRgb(97, 118, 140)};
    const QRgb paleShadow = qRgb(190, 190, 190);
    QTest::newRow("shadowPaleWhenNotThemed")
        << int(Shadow) << QRgb(0) << 1 << QList<QRgb>{kFace, paleShadow, paleShadow, paleShadow, paleShadow};
    QTest::newRow("shadowPlainWhenThemed")
        << int(Shadow) << QRgb(0) << 7 << QList<QRgb>{kFace, kShadow, kShadow, kShadow, kShadow};
    // Brightness 192 and 181 / 3 = 60 (in integers) tint the shadow by 192/255 and 60/255.
    const QRgb tintedSilver = qRgb(223, 223, 223), tintedOther = qRgb(157, 157, 157);
    QTest::newRow("disabledKeepsFaceWithoutBackground")
        << int(Disabled) << QRgb(0) << 1 << QList<QRgb>{kFace, kShadow, white, tintedSilver, tintedOther};
    QTest::newRow("disabledOnBackground")
        << int(Disabled) << qRgb(0x12, 0x34, 0x56) << 1
        << QList<QRgb>{qRgb(0x12, 0x34, 0x56), kShadow, white, tintedSilver, tintedOther};
    QTest::newRow("silverBecomesFace") << int(Silver) << QRgb(0) << 1 << QList<QRgb>{kFace, black, white, kFace, other};
}

void TestGlyphProcessing::transformations()
{
    QFETCH(int, transformation);
    QFETCH(QRgb, background);
    QFETCH(int, platform);
    QFETCH(QList<QRgb>, expected);
    // One row only: the background reference must not be read from the glyph itself.
    QImage glyph(5, 1, QImage::Format_RGB32);
    const QList<QRgb> pixels{kFace, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(192, 192, 192), qRgb(30, 60, 91)};
    for (int x = 0; x < 5; ++x)
        glyph.setPixel(x, 0, pixels[x]);

    MenuLook look;
    look.platformCode = platform;
    switch (Transformation(transformation)) {
    case Faded: MakeFadedGlyph(glyph); break;
    case Shadow: MakeShadowGlyph(glyph, look); break;
    case Disabled: MakeDisabledGlyph(glyph, background); break;
    case Silver: ReplaceSilverWithFace(glyph); break;
    }

    QList<QRgb> actual;
    for (int x = 0; x < 5; ++x)
        actual << glyph.pixel(x, 0);
    QCOMPARE(actual, expected);
}

void TestGlyphProcessing::backgroundInGlyphFormat_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("rgb16RoundsTheFace") << QImage::Format_RGB16;
    QTest::newRow("indexed") << QImage::Format_Indexed8;
}

void TestGlyphProcessing::backgroundInGlyphFormat()
{
    QFETCH(QImage::Format, format);
    QImage glyph(2, 2, format);
    if (format == QImage::Format_Indexed8) {
        glyph.setColorTable({kFace, qRgb(0, 0, 0)});
        glyph.fill(0);
        glyph.setPixel(1, 1, 1);
    } else {
        glyph.fill(QColor::fromRgb(kFace));
        glyph.setPixel(1, 1, qRgb(0, 0, 0));
    }
    const QRgb storedFace = glyph.pixel(0, 0);
    MakeFadedGlyph(glyph);
    for (const QPoint face : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1)})
        QCOMPARE(glyph.pixel(face), storedFace);
    QVERIFY(qGray(glyph.pixel(1, 1)) > 70 && qGray(glyph.pixel(1, 1)) < 80);
}

void TestGlyphProcessing::disabledDrawing_data()
{
    QTest::addColumn<bool>("embossed");
    QTest::addColumn<QStringList>("glyph"); // f face, k black, r red, h highlight
    QTest::addColumn<int>("sourceX");
    QTest::addColumn<QStringList>("expected"); // m untouched, b background, s shadow, h highlight, g tint of red
    const QStringList glyph{"ffff", "fkrf", "ffhf", "ffff"};
    // Dark pixels in shadow over a highlight copy one pixel down and right, the hole at the
    // white pixel showing the background.
    const QStringList embossed{"mmmmmm", "mbbbbm", "mbssbb", "mbbhhb", "mbbbbb", "mmbbbb"};
    QTest::newRow("embossed") << true << glyph << 0 << embossed;
    QStringList strip;
    for (const QString &row : glyph)
        strip << "kkkk" + row;
    QTest::newRow("embossedFromStrip") << true << strip << 4 << embossed;
    QTest::newRow("tinted") << false << glyph << 0
                            << QStringList{"mmmmmm", "mbbbbm", "mbsgbm", "mbbhbm", "mbbbbm", "mmmmmm"};
}

void TestGlyphProcessing::disabledDrawing()
{
    QFETCH(bool, embossed);
    QFETCH(QStringList, glyph);
    QFETCH(int, sourceX);
    QFETCH(QStringList, expected);
    const QRgb background = qRgb(0x30, 0x60, 0xA0);
    QImage image = picture(glyph, {{u'f', kFace}, {u'k', qRgb(0, 0, 0)}, {u'r', qRgb(255, 0, 0)}, {u'h', kHighlight}});
    QImage target(6, 6, QImage::Format_RGB32);
    target.fill(Qt::magenta);
    {
        QPainter painter(&target);
        if (embossed)
            DrawEmbossedGlyph(painter, 1, 1, 4, 4, image, sourceX, 0, background);
        else
            DrawTintedGlyph(painter, 1, 1, 4, 4, image, background);
    }
    const Legend legend{{u'm', qRgb(255, 0, 255)},
                        {u'b', background},
                        {u's', kShadow},
                        {u'h', kHighlight},
                        {u'g', qRgb(170, 170, 170)}};
    QCOMPARE(describe(target, legend), expected);
}

void TestGlyphProcessing::tickAndDot_data()
{
    QTest::addColumn<int>("shape"); // 0 tick, 1 narrow tick, 2 dot
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("tick") << 0 << QStringList{".........", ".......#.", "......##.", ".#...###.", ".##.###..",
                                              ".#####...", "..###....", "...#.....", "........."};
    QTest::newRow("narrowTick") << 1 << QStringList{".........", ".......#.", "......##.", ".#...##..", ".##.##...",
                                                    "..###....", "...#.....", ".........", "........."};
    QTest::newRow("dot") << 2 << QStringList{".........", "..####...", ".######..", ".######..", ".######..",
                                             ".######..", "..####...", ".........", "........."};
}

void TestGlyphProcessing::tickAndDot()
{
    QFETCH(int, shape);
    QFETCH(QStringList, expected);
    const QRgb red = qRgb(255, 0, 0);
    QImage target(9, 9, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    // What the caller had set must neither leak into the pixels nor be lost.
    const QPen pen(Qt::blue, 3);
    const QBrush brush(Qt::green);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen);
    painter.setBrush(brush);
    QVERIFY(shape == 2 ? PaintRadioDot(painter, 1, 1, red) : PaintCheckTick(painter, 1, 1, red, shape == 1));
    QCOMPARE(painter.pen(), pen);
    QCOMPARE(painter.brush(), brush);
    painter.end();
    QCOMPARE(describe(target, {{u'.', qRgb(255, 255, 255)}, {u'#', red}}), expected);

    QPainter inactive;
    QVERIFY(!PaintCheckTick(inactive, 0, 0, red, false));
    QVERIFY(!PaintRadioDot(inactive, 0, 0, red));
}

void TestGlyphProcessing::imageListMasksAndReplaces()
{
    // Two whole images and a partial one, which is dropped.
    QImage strip(40, 15, QImage::Format_RGB32);
    strip.fill(qRgb(10, 20, 30));
    strip.setPixel(0, 0, qRgb(192, 192, 192));
    strip.setPixel(1, 0, qRgb(192, 192, 193));
    strip.setPixel(17, 14, qRgb(192, 192, 192));
    ImageList list(16, 15);
    QCOMPARE(list.AddMasked(strip, 0x00C0C0C0), 0);
    QCOMPARE(list.Count(), 2);
    const QImage first = list.GetIcon(0);
    QCOMPARE(first.format(), QImage::Format_ARGB32);
    QCOMPARE(first.pixel(0, 0), 0u);
    QCOMPARE(first.pixel(1, 0), 0xFFC0C0C1);
    QCOMPARE(list.GetIcon(1).pixel(1, 14), 0u);

    QCOMPARE(list.AddMasked(strip, 0xC0C0C0), 2);
    QCOMPARE(list.AddMasked(strip.copy(0, 0, 16, 14), 0xC0C0C0), -1); // too short
    QCOMPARE(list.AddMasked(QImage(), 0xC0C0C0), -1);
    QCOMPARE(list.Count(), 4);
    QVERIFY(list.GetIcon(4).isNull());

    QImage big(32, 30, QImage::Format_ARGB32);
    big.fill(Qt::red);
    QCOMPARE(list.ReplaceIcon(1, big), 1);
    QCOMPARE(list.GetIcon(1).pixel(15, 14), 0xFFFF0000); // scaled to the list's size
    QCOMPARE(list.ReplaceIcon(-1, first), 4);
    QCOMPARE(list.ReplaceIcon(5, first), -1);
    QCOMPARE(list.ReplaceIcon(0, QImage()), -1);
    QCOMPARE(list.Count(), 5);

    // Rendering puts the transparent parts on the button face.
    QImage rendered;
    QVERIFY(RenderImageToBitmap(list, 4, rendered, MenuLook()));
    QCOMPARE(rendered.size(), QSize(16, 15));
    QCOMPARE(rendered.pixel(0, 0), kFace);
    QCOMPARE(rendered.pixel(1, 0), 0xFFC0C0C1);
    QVERIFY(RenderImageToBitmap(list, 99, rendered, MenuLook()));
    QCOMPARE(rendered.pixel(8, 8), kFace);
}

void TestGlyphProcessing::bitmapResources_data()
{
    QTest::addColumn<int>("bitmapId");
    QTest::addColumn<QRgb>("face");
    QTest::addColumn<int>("images");
    QTest::addColumn<bool>("nonPalette");
    QTest::addColumn<QList<Probe>>("probes");
    // The insert glyph of the strip: black, white, grey and silver take the button colours,
    // maroon and red stay.
    QTest::newRow("stripTakesButtonColours")
        << int(ResId::CommandToolbar) << kFace << 18 << false
        << QList<Probe>{{8, 0, 0, kStripText}, {8, 1, 0, kStripHighlight}, {8, 2, 1, kStripShadow},
                        {8, 10, 0, 0},         {8, 0, 7, qRgb(255, 0, 0)}, {8, 0, 6, qRgb(128, 0, 0)}};
    // The 256-colour picture has no silver; its near-white shade stands in as the button face
    // to show that the mask is the face colour of the moment.
    QTest::newRow("pictureLoadedPlainly")
        << int(ResId::InsertPicture) << qRgb(0xF8, 0xF8, 0xF8) << 2 << true
        << QList<Probe>{{0, 0, 0, qRgb(255, 255, 255)}, {0, 2, 0, qRgb(0x6E, 0x6E, 0x6E)}, {0, 3, 0, 0}};
    QTest::newRow("missing") << 9999 << kFace << 0 << false << QList<Probe>{};
}

void TestGlyphProcessing::bitmapResources()
{
    QFETCH(int, bitmapId);
    QFETCH(QRgb, face);
    QFETCH(int, images);
    QFETCH(bool, nonPalette);
    QFETCH(QList<Probe>, probes);
    setButtonColours(face, kStripShadow, kStripHighlight, kStripText);
    MenuLook look;
    ImageList list(look.iconWidth, look.iconHeight);
    QCOMPARE(AddBitmapResource(list, bitmapId, look), images > 0);
    QCOMPARE(list.Count(), images);
    QCOMPARE(look.nonPaletteGlyphsSeen, nonPalette);
    for (const Probe &probe : probes)
        QCOMPARE(list.GetIcon(probe.image).pixel(probe.x, probe.y), probe.colour);
}

QTEST_MAIN(TestGlyphProcessing)
#include "tst_glyphprocessing.moc"
