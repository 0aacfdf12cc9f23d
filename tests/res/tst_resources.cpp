// The program's compiled resources and the readers of the menu-template and toolbar layouts.
#include "framework/ResourceStore.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"
#include "res/ToolbarResource.h"

#include <QTest>

using namespace qw;

namespace {

QByteArray templateBytes(std::initializer_list<int> words)
{
    QByteArray bytes;
    for (int w : words) {
        bytes.append(char(w & 0xFF));
        bytes.append(char((w >> 8) & 0xFF));
    }
    return bytes;
}

std::vector<unsigned> idsOf(const MenuTemplateItem &popup)
{
    std::vector<unsigned> ids;
    for (const auto &child : popup.children)
        ids.push_back(child.record.id);
    return ids;
}

int bitCountOfBitmap(QByteArrayView bytes)
{
    return quint8(bytes[28]);
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT
private slots:
    void menuBarTemplate();
    void contextMenuTemplate();
    void malformedMenuTemplatesAreRefused_data();
    void malformedMenuTemplatesAreRefused();
    void popupLastAtItsLevelClosesBothLevels();
    void toolbarGivesEachCommandItsImage();
    void malformedToolbarsAreRefused_data();
    void malformedToolbarsAreRefused();
    void picturesHaveTheirSizesAndDepths_data();
    void picturesHaveTheirSizesAndDepths();
    void iconsAreSixteenColoursWithAMask_data();
    void iconsAreSixteenColoursWithAMask();
    void missingResourcesGiveNothing();
};

void TestResources::menuBarTemplate()
{
    const auto menu = ParseMenuTemplate(ResourceStore::Find("MENU", ResId::MenuBar));
    QVERIFY(menu);
    QCOMPARE(menu->size(), std::size_t(3));
    QCOMPARE((*menu)[0].record.text, QStringLiteral("&File"));
    QCOMPARE((*menu)[1].record.text, QStringLiteral("&Action"));
    QCOMPARE((*menu)[2].record.text, QStringLiteral("&Help"));
    QVERIFY((*menu)[2].record.endsLevel());

    const std::vector<unsigned> file = {32771, 0, 32772, 0, 57616, 0, 32773};
    QCOMPARE(idsOf((*menu)[0]), file);
    const auto &recent = (*menu)[0].children[4].record;
    QCOMPARE(recent.text, QStringLiteral("Recent File"));
    QVERIFY(recent.flags & MenuFlag::Grayed);

    // The program's own commands come after the Action menu's entries, behind separators.
    const std::vector<unsigned> action = {32778, 32779, 32780, 32781, 0, 32800, 0, 32801, 32802, 0, 32804};
    QCOMPARE(idsOf((*menu)[1]), action);
    QCOMPARE((*menu)[1].children[0].record.text, QStringLiteral("&Insert Break Point\tF2"));
    QCOMPARE((*menu)[1].children[3].record.text, QStringLiteral("&Split PDF Based Break Points\tF5"));
    for (const auto &item : (*menu)[1].children)
        QCOMPARE(item.record.flags & (MenuFlag::Grayed | MenuFlag::Disabled), 0u);

    const std::vector<unsigned> help = {32788, 0, 32787};
    QCOMPARE(idsOf((*menu)[2]), help);
    QCOMPARE((*menu)[2].children[2].record.text, QStringLiteral("&About..."));
}

void TestResources::contextMenuTemplate()
{
    const auto menu = ParseMenuTemplate(ResourceStore::Find("MENU", ResId::ListContextMenu));
    QVERIFY(menu);
    QCOMPARE(menu->size(), std::size_t(1));
    QCOMPARE((*menu)[0].record.text, QStringLiteral("popup"));
    // The list's own three entries, then the one added after them.
    const std::vector<unsigned> ids = {32784, 32785, 32786, 0, 32803};
    QCOMPARE(idsOf((*menu)[0]), ids);
    QCOMPARE((*menu)[0].children[2].record.text, QStringLiteral("&Clean All Break Points"));
}

void TestResources::malformedMenuTemplatesAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("headerOnly") << templateBytes({0, 0});
    QTest::newRow("unknownVersion") << templateBytes({1, 0, 0x80, 5, 'a', 0});
    QTest::newRow("offsetBeyondData") << templateBytes({0, 40, 0x80, 5, 'a', 0});
    QTest::newRow("textWithoutTerminator") << templateBytes({0, 0, 0x80, 5, 'a', 'b'});
    QTest::newRow("idCutShort") << templateBytes({0, 0, 0x80}).chopped(1);
    QTest::newRow("levelNeverEnds") << templateBytes({0, 0, 0x10, 'P', 0, 0, 5, 'a', 0});
    QTest::newRow("dataAfterLastLevel") << templateBytes({0, 0, 0x80, 5, 'a', 0, 0, 6, 'b', 0});
}

void TestResources::malformedMenuTemplatesAreRefused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!ParseMenuTemplate(bytes));
}

void TestResources::popupLastAtItsLevelClosesBothLevels()
{
    // bar: "A" { 1 }, "B" (last) { "C" (last) { 2 (last) } }
    const QByteArray bytes
        = templateBytes({0, 0, 0x10, 'A', 0, 0x80, 1, 'x', 0, 0x90, 'B', 0, 0x90, 'C', 0, 0x80, 2, 'y', 0});
    const auto menu = ParseMenuTemplate(bytes);
    QVERIFY(menu);
    QCOMPARE(menu->size(), std::size_t(2));
    QCOMPARE((*menu)[1].children.size(), std::size_t(1));
    QCOMPARE((*menu)[1].children[0].children[0].record.id, 2u);
    QCOMPARE((*menu)[1].children[0].children[0].record.text, QStringLiteral("y"));

    // A flat reader sees the items in file order, popups without ids.
    MenuTemplateReader reader(bytes);
    MenuTemplateRecord record;
    QStringList texts;
    while (reader.next(record))
        texts << record.text;
    QVERIFY(!reader.failed());
    QCOMPARE(texts, QStringList({"A", "x", "B", "C", "y"}));
}

void TestResources::toolbarGivesEachCommandItsImage()
{
    const auto toolbar = ParseToolbarResource(ResourceStore::Find("TOOLBAR", ResId::CommandToolbar));
    QVERIFY(toolbar);
    QCOMPARE(toolbar->imageWidth, 16);
    QCOMPARE(toolbar->imageHeight, 15);
    QCOMPARE(toolbar->imageCount(), 18);
    const std::pair<unsigned, int> images[] = {
        {57600, 0},  {32771, 1},  {57603, 2},  {32781, 3},  {57634, 4},  {57637, 5},
        {57607, 6},  {32787, 7},  {32778, 8},  {32779, 9},  {32788, 10}, {32772, 11},
        {32780, 12}, {32773, 13}, {32784, 15}, {32785, 16}, {32786, 17},
    };
    for (const auto &[id, image] : images)
        QCOMPARE(toolbar->imageOf(id), image);
    // "Recent File" has no image, and image 14 belongs to none of the menu commands.
    QCOMPARE(toolbar->imageOf(57616), -1);
    QVERIFY(std::none_of(std::begin(images), std::end(images), [](const auto &p) { return p.second == 14; }));

    const QImage strip = ResourceStore::LoadBitmap(ResId::CommandToolbar);
    QCOMPARE(strip.size(), QSize(18 * 16, 15));
    QCOMPARE(bitCountOfBitmap(ResourceStore::Find("BITMAP", ResId::CommandToolbar)), 4);
}

void TestResources::malformedToolbarsAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("tooShort") << templateBytes({1, 16, 15});
    QTest::newRow("wrongVersion") << templateBytes({2, 16, 15, 1, 100});
    QTest::newRow("fewerIdsThanCount") << templateBytes({1, 16, 15, 3, 100, 101});
    QTest::newRow("moreIdsThanCount") << templateBytes({1, 16, 15, 1, 100, 101});
    QTest::newRow("zeroImageSize") << templateBytes({1, 0, 15, 1, 100});
    QTest::newRow("oddLength") << templateBytes({1, 16, 15, 1, 100}).append('\0');
}

void TestResources::malformedToolbarsAreRefused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!ParseToolbarResource(bytes));
}

void TestResources::picturesHaveTheirSizesAndDepths_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("bits");
    QTest::newRow("open") << ResId::OpenPicture << 24;
    QTest::newRow("insert") << ResId::InsertPicture << 8;
    QTest::newRow("delete") << ResId::DeletePicture << 8;
    QTest::newRow("split") << ResId::SplitPicture << 24;
    QTest::newRow("options") << ResId::OptionsPicture << 8;
}

void TestResources::picturesHaveTheirSizesAndDepths()
{
    QFETCH(int, id);
    QFETCH(int, bits);
    QCOMPARE(bitCountOfBitmap(ResourceStore::Find("BITMAP", id)), bits);
    const QImage image = ResourceStore::LoadBitmap(id);
    QCOMPARE(image.size(), QSize(32, 32));
    // White is the transparent colour: the corners are background, the middle is drawn.
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    int drawn = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            drawn += image.pixelColor(x, y) != QColor(Qt::white);
    QVERIFY2(drawn > 100, "the picture is nearly empty");
}

void TestResources::iconsAreSixteenColoursWithAMask_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("application") << ResId::AppIcon;
    QTest::newRow("pageRow") << ResId::PageRowIcon;
    QTest::newRow("breakPointRow") << ResId::BreakPointRowIcon;
}

void TestResources::iconsAreSixteenColoursWithAMask()
{
    QFETCH(int, id);
    const QByteArrayView bytes = ResourceStore::Find("ICON", id);
    QVERIFY(bytes.size() > 22);
    QCOMPARE(quint8(bytes[6]), quint8(32)); // width
    QCOMPARE(quint8(bytes[7]), quint8(32)); // height
    QCOMPARE(quint8(bytes[8]), quint8(16)); // colours
    const QImage image = ResourceStore::LoadIconImage(id);
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(image.hasAlphaChannel());
    int clear = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            clear += qAlpha(image.pixel(x, y)) == 0;
    QVERIFY2(clear > 0 && clear < 32 * 32, "the icon is fully clear or has no transparent pixel");
}

void TestResources::missingResourcesGiveNothing()
{
    QVERIFY(ResourceStore::Find("MENU", 4242).isEmpty());
    QVERIFY(ResourceStore::Find("ICON", ResId::MenuBar).isEmpty());
    QVERIFY(ResourceStore::LoadBitmap(4242).isNull());
    QVERIFY(ResourceStore::LoadIcon(4242).isNull());
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
