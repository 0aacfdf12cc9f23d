// The build-time resource compiler: text pictures, bitmap and icon files, menu and toolbar sources.
#include "BitmapWriter.h"
#include "ResourceSources.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

namespace {

QImage decode(const Bytes &bytes, const char *format)
{
    QByteArray data(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, format).read();
}

std::string pix(int w, int h, int depth, const std::string &colours, const std::vector<std::string> &rows,
                const std::string &extra = {})
{
    std::string text = "# test picture\nsize " + std::to_string(w) + " " + std::to_string(h) + "\ndepth "
                       + std::to_string(depth) + "\n" + extra + colours + "pixels\n";
    for (const auto &row : rows)
        text += row + "\n";
    return text;
}

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const std::exception &e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

} // namespace

class TestResourceCompiler : public QObject {
    Q_OBJECT
private slots:
    void bitmapsDecodeToTheDrawnColours_data();
    void bitmapsDecodeToTheDrawnColours();
    void iconMaskBecomesTransparency();
    void faultyPicturesAreRefusedWithTheirLine_data();
    void faultyPicturesAreRefusedWithTheirLine();
    void menuSourceCompilesToTemplateBytes();
    void menuSourceWithPopupLastClosesBothLevels();
    void faultyMenuSourcesAreRefused_data();
    void faultyMenuSourcesAreRefused();
    void toolbarSourceGivesIdsAndStrip();
    void doubleSizeDrawings_data();
    void doubleSizeDrawings();
};

void TestResourceCompiler::bitmapsDecodeToTheDrawnColours_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("width");
    QTest::newRow("fourBitsOddWidth") << 4 << 5;
    QTest::newRow("eightBitsOddWidth") << 8 << 3;
    QTest::newRow("twentyFourBitsPaddedRows") << 24 << 5;
    QTest::newRow("fourBitsEvenWidth") << 4 << 16;
}

void TestResourceCompiler::bitmapsDecodeToTheDrawnColours()
{
    QFETCH(int, depth);
    QFETCH(int, width);
    // Three rows of different colours catch bottom-up row order and row padding faults.
    const std::string colours = "c r #FF0000\nc g #008000\nc b #0000FF\nc s #C0C0C0\n";
    std::string row0(std::size_t(width), 'r'), row1(std::size_t(width), 'g'), row2(std::size_t(width), 'b');
    row0.back() = 's';
    row2.front() = 's';
    const PixImage image = ParsePix(pix(width, 3, depth, colours, {row0, row1, row2}), "test");
    const Bytes bytes = WriteBmpFile(image);
    QCOMPARE(int(bytes[28]), depth); // biBitCount
    const QImage decoded = decode(bytes, "bmp");
    QCOMPARE(decoded.size(), QSize(width, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = image.at(x, y);
            QCOMPARE(decoded.pixelColor(x, y), QColor(c.r, c.g, c.b));
        }
}

void TestResourceCompiler::iconMaskBecomesTransparency()
{
    const PixImage image
        = ParsePix(pix(4, 2, 4, "c . #000000\nc w #FFFFFF\n", {".ww.", "w..w"}, "transparent .\n"), "icon");
    const QImage decoded = decode(WriteIcoFile(image), "ico");
    QCOMPARE(decoded.size(), QSize(4, 2));
    QCOMPARE(qAlpha(decoded.pixel(0, 0)), 0);
    QCOMPARE(decoded.pixelColor(1, 0), QColor(Qt::white));
    QCOMPARE(qAlpha(decoded.pixel(1, 1)), 0);
    QCOMPARE(decoded.pixelColor(3, 1), QColor(Qt::white));
}

void TestResourceCompiler::faultyPicturesAreRefusedWithTheirLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("rowTooShort") << QString::fromStdString(pix(3, 2, 24, "c w #FFFFFF\n", {"www", "ww"}))
                                 << "test:7: pixel row has 2 characters, not 3";
    QTest::newRow("undeclaredCharacter") << QString::fromStdString(pix(2, 1, 24, "c w #FFFFFF\n", {"wx"}))
                                         << "undeclared pixel character 'x'";
    QTest::newRow("missingRows") << QString::fromStdString(pix(2, 3, 24, "c w #FFFFFF\n", {"ww"}))
                                 << "only 1 of 3 pixel rows";
    QTest::newRow("badColour") << QString::fromStdString(pix(1, 1, 24, "c w #FFFFF\n", {"w"}))
                               << "colour must be written #RRGGBB";
    QTest::newRow("badDepth") << QString::fromStdString(pix(1, 1, 16, "c w #FFFFFF\n", {"w"}))
                              << "depth must be 4, 8 or 24";
    QTest::newRow("maskNotDeclared") << QString::fromStdString(pix(1, 1, 4, "c w #FFFFFF\n", {"w"}, "transparent .\n"))
                                     << "the transparent character must be declared";
}

void TestResourceCompiler::faultyPicturesAreRefusedWithTheirLine()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString error = errorOf([&] { ParsePix(text.toStdString(), "test"); });
    QVERIFY2(error.contains(expected), qPrintable(error));
}

void TestResourceCompiler::menuSourceCompilesToTemplateBytes()
{
    const Bytes bytes = CompileMenuSource(R"(MENU
BEGIN
    POPUP "&A"
    BEGIN
        MENUITEM "x\tF2", 7, GRAYED
        MENUITEM SEPARATOR
        MENUITEM "say ""é""", 0x10
    END
END
)",
                                          "m");
    const Bytes expected = {
        0,    0, 0,    0, // header
        0x90, 0, '&',  0, 'A', 0, 0,    0, // popup, last of the bar
        0x01, 0, 7,    0, 'x', 0, '\t', 0, 'F', 0, '2', 0, 0,   0, 0,    0, 0,   0, 0, 0, // separator
        0x80, 0, 0x10, 0, 's', 0, 'a',  0, 'y', 0, ' ', 0, '"', 0, 0xE9, 0, '"', 0, 0, 0,
    };
    QCOMPARE(bytes, expected);
}

void TestResourceCompiler::menuSourceWithPopupLastClosesBothLevels()
{
    const Bytes bytes
        = CompileMenuSource("MENU BEGIN POPUP \"a\" BEGIN POPUP \"b\" BEGIN MENUITEM \"c\", 1 END END END", "m");
    // Both popups are the last (and only) items of their levels.
    QCOMPARE(int(bytes[4]), 0x90);
    QCOMPARE(int(bytes[10]), 0x90);
    QCOMPARE(int(bytes[16]), 0x80);
}

void TestResourceCompiler::faultyMenuSourcesAreRefused_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missingEnd") << "MENU BEGIN POPUP \"a\" BEGIN MENUITEM \"b\", 1 END"
                                << "END is missing";
    QTest::newRow("unknownOption") << "MENU BEGIN MENUITEM \"b\", 1, SHINY END"
                                   << "unknown menu option 'SHINY'";
    QTest::newRow("idTooLarge") << "MENU BEGIN MENUITEM \"b\", 70000 END"
                                << "'70000' is not a number up to 65535";
    QTest::newRow("unterminatedText") << "MENU BEGIN MENUITEM \"b, 1 END"
                                      << "unterminated string";
    QTest::newRow("emptyLevel") << "MENU BEGIN POPUP \"a\" BEGIN END END"
                                << "needs at least one item";
}

void TestResourceCompiler::faultyMenuSourcesAreRefused()
{
    QFETCH(QString, source);
    QFETCH(QString, expected);
    const QString error = errorOf([&] { CompileMenuSource(source.toStdString(), "m"); });
    QVERIFY2(error.contains(expected), qPrintable(error));
}

void TestResourceCompiler::toolbarSourceGivesIdsAndStrip()
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    for (const char *name : {"a.pix", "b.pix"}) {
        std::ofstream(folder + "/" + name)
            << pix(2, 1, 4, "c k #000000\nc s #C0C0C0\n", {name[0] == 'a' ? "ks" : "sk"});
    }
    const CompiledToolbar toolbar
        = CompileToolbarSource("TOOLBAR 2 1\nBUTTON 10 a.pix\nSEPARATOR\nBUTTON 11 b.pix\n", folder, "t");
    const Bytes expected = {1, 0, 2, 0, 1, 0, 3, 0, 10, 0, 0, 0, 11, 0};
    QCOMPARE(toolbar.toolbar, expected);
    QCOMPARE(toolbar.strip.width, 4);
    QVERIFY(toolbar.strip.at(0, 0) == (Rgb{0, 0, 0}));
    QVERIFY(toolbar.strip.at(3, 0) == (Rgb{0, 0, 0}));
    QVERIFY(toolbar.strip.at(2, 0) == (Rgb{192, 192, 192}));

    const QString wrongSize = errorOf([&] { CompileToolbarSource("TOOLBAR 3 1\nBUTTON 10 a.pix\n", folder, "t"); });
    QVERIFY2(wrongSize.contains("is not a 3 by 1 picture"), qPrintable(wrongSize));
}

void TestResourceCompiler::doubleSizeDrawings_data()
{
    // Beside a.pix (2 by 1, "ks") and b.pix (2 by 1, "sk"): the @2x drawings given, and what the
    // toolbar of the two makes of them: its strip at twice the size, row by row, or the error.
    QTest::addColumn<QStringList>("drawings"); // "name=row/row"
    QTest::addColumn<QString>("strip");
    QTest::addColumn<QString>("error");
    QTest::newRow("noneDrawn") << QStringList() << QString() << QString();
    // b is doubled pixel for pixel, so the strip always has a cell for every glyph.
    QTest::newRow("oneDrawn") << QStringList{"a@2x.pix=kkss/ksks"} << "kksssskk/kskssskk" << QString();
    QTest::newRow("bothDrawn") << QStringList{"a@2x.pix=kkss/ksks", "b@2x.pix=sssk/sskk"} << "kksssssk/kskssskk"
                               << QString();
    QTest::newRow("notTwiceTheSize") << QStringList{"a@2x.pix=kksss/kskss"} << QString() << "a@2x.pix: picture is";
}

void TestResourceCompiler::doubleSizeDrawings()
{
    QFETCH(QStringList, drawings);
    QFETCH(QString, strip);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string colours = "c k #000000\nc s #C0C0C0\n";
    std::ofstream(folder + "/a.pix") << pix(2, 1, 4, colours, {"ks"});
    std::ofstream(folder + "/b.pix") << pix(2, 1, 4, colours, {"sk"});
    for (const QString &drawing : drawings) {
        const QStringList rows = drawing.section('=', 1).split('/');
        std::vector<std::string> lines;
        for (const QString &row : rows)
            lines.push_back(row.toStdString());
        std::ofstream(folder + "/" + drawing.section('=', 0, 0).toStdString())
            << pix(int(lines.front().size()), int(lines.size()), 4, colours, lines);
    }
    CompiledToolbar toolbar;
    const QString failure = errorOf(
        [&] { toolbar = CompileToolbarSource("TOOLBAR 2 1\nBUTTON 10 a.pix\nBUTTON 11 b.pix\n", folder, "t"); });
    if (!error.isEmpty()) {
        QVERIFY2(failure.contains(error), qPrintable(failure));
        return;
    }
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QString drawn;
    for (int y = 0; y < toolbar.doubleStrip.height; ++y) {
        drawn += y > 0 ? "/" : "";
        for (int x = 0; x < toolbar.doubleStrip.width; ++x)
            drawn += toolbar.doubleStrip.at(x, y) == Rgb{0, 0, 0} ? 'k' : 's';
    }
    QCOMPARE(drawn, strip);
}

QTEST_GUILESS_MAIN(TestResourceCompiler)
#include "tst_resourcecompiler.moc"
