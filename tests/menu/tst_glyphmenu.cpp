// The owner-drawn menu model: menus built from templates, entries added, changed and brought
// back in line with the live menu, mnemonics, the platform and theme answers, and the
// class-wide store of command glyphs filled from toolbar 128.
#include "framework/MenuAdapter.h"
#include "LookGuard.h"
#include "menu/GlyphMenu.h"
#include "menu/GlyphProcessing.h"
#include "menu/ImageList.h"
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QTest>

#include <algorithm>

using namespace qw;
using namespace MenuFlag;

namespace {

// A menu template in the standard layout; each item is (flags, id, text), a popup without id.
QByteArray templateOf(const QList<std::tuple<unsigned, unsigned, QString>> &items)
{
    QByteArray bytes(4, '\0');
    const auto put16 = [&bytes](unsigned value) { bytes.append(char(value & 0xFF)).append(char(value >> 8)); };
    for (const auto &[flags, id, text] : items) {
        put16(flags);
        if (!(flags & Popup))
            put16(id);
        for (QChar c : text)
            put16(c.unicode());
        put16(0);
    }
    return bytes;
}

// The tree as text: an entry is "text" (popups "text{...}"), "-" for a separator, with its
// record's flags in hex after a slash; entries are separated by commas.
QString describe(const GlyphMenu &menu)
{
    QStringList entries;
    for (int p = 0; p < MenuAdapter::ItemCount(menu.GetHandle()); ++p) {
        const GlyphMenuItem *item = menu.Items().at(size_t(p)).get();
        QString entry = (item->menuFlags & Separator) ? QStringLiteral("-") : item->text;
        entry += QStringLiteral("/%1").arg(item->menuFlags, 0, 16);
        if (const GlyphMenu *popup = GlyphMenu::FromHandle(menu.SubMenuAt(p)))
            entry += QLatin1Char('{') + describe(*popup) + QLatin1Char('}');
        entries << entry;
    }
    return entries.join(QLatin1Char(','));
}

} // namespace

class TestGlyphMenu : public QObject {
    Q_OBJECT
private slots:
    void templatesBuildOwnerDrawnPopups_data();
    void templatesBuildOwnerDrawnPopups();
    void acceleratorColumnIsPadded();
    void topLevelStaysPlainText();
    void modifyItemChangesEveryOccurrence();
    void resynchroniseAdoptsPlainEntries();
    void matchMnemonic_data();
    void matchMnemonic();
    void mnemonicKeyChoosesTheEntry();
    void platformAndTheme_data();
    void platformAndTheme();
    void toolbarImagesGoToTheirCommands();
    void flatLookStoresThreeVariants_data();
    void flatLookStoresThreeVariants();
    void destroyForgetsThePopups();
};

void TestGlyphMenu::templatesBuildOwnerDrawnPopups_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("tree");
    // Separators are owner-drawn with flags 0x900; the top level is plain text by position.
    QTest::newRow("separatorsAndGrayed") << templateOf({{Popup, 0, "&File"},
                                                        {0, 1, "&Open"},
                                                        {0, 0, ""},
                                                        {Grayed | End, 2, "Recent"},
                                                        {Popup | End, 0, "&Help"},
                                                        {End, 3, "&About"}})
                                         << "&File/410{&Open/100,-/900,Recent/101},&Help/410{&About/100}";
    // A level whose last item is a popup closes with that popup.
    QTest::newRow("levelEndingInAPopup") << templateOf(
        {{Popup | End, 0, "&Tools"}, {0, 4, "&One"}, {Popup | End, 0, "&More"}, {End, 5, "&Two"}})
                                         << "&Tools/410{&One/100,&More/110{&Two/100}}";
    QTest::newRow("missing") << QByteArray() << QString();
    QTest::newRow("truncated") << templateOf({{Popup, 0, "&File"}, {0, 1, "&Open"}}) << QString();
}

void TestGlyphMenu::templatesBuildOwnerDrawnPopups()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, tree);
    GlyphMenu menu;
    QCOMPARE(menu.LoadFromTemplate(bytes), !tree.isEmpty());
    QCOMPARE(describe(menu), tree);
    if (tree.isEmpty())
        return;
    QVERIFY(menu.LoadedFromResource());
    QMenu *first = menu.SubMenuAt(0);
    QVERIFY(GlyphMenu::IsOwnPopup(first));
    QCOMPARE(MenuAdapter::MenuString(menu.GetHandle(), 0, ByPosition), menu.Items().front()->text);
    // Inside a popup each entry carries its record and shows no text of its own.
    const QAction *entry = MenuAdapter::ActionAt(first, 0);
    QCOMPARE(MenuAdapter::ItemData(entry), GlyphMenu::FromHandle(first)->Items().front().get());
    QVERIFY(MenuAdapter::MenuString(first, 0, ByPosition).isEmpty());
}

void TestGlyphMenu::acceleratorColumnIsPadded()
{
    GlyphMenu menu;
    QVERIFY(menu.LoadFromResource(ResId::MenuBar));
    const GlyphMenu *action = GlyphMenu::FromHandle(menu.SubMenuAt(1));
    const QFontMetrics metrics(QApplication::font("QMenu"));
    int widest = 0;
    for (const QString text : {"&Insert Break Point ", "&Delete Break Point ", "&Clean All Break Points ",
                               "&Split PDF Based Break Points ", "&Place Break Points... "})
        widest = qMax(widest, metrics.horizontalAdvance(text));
    QStringList heads;
    for (const auto &item : action->Items()) {
        if (!item->text.contains('\t'))
            continue;
        const QString head = item->text.section('\t', 0, 0);
        QVERIFY2(head.endsWith(' ') && metrics.horizontalAdvance(head) >= widest, qPrintable(item->text));
        QVERIFY(metrics.horizontalAdvance(head.chopped(1)) < widest);
        heads << head.trimmed() + '\t' + item->text.section('\t', 1);
    }
    QCOMPARE(heads, QStringList({"&Insert Break Point\tF2", "&Delete Break Point\tF3", "&Clean All Break Points\tF4",
                                 "&Split PDF Based Break Points\tF5", "&Undo\tCtrl+Z", "&Redo\tCtrl+Shift+Z",
                                 "Show &Thumbnails\tF7"}));
    // Entries without a tab keep their text.
    QCOMPARE(GlyphMenu::FromHandle(menu.SubMenuAt(0))->Items().front()->text, QStringLiteral("&Open..."));
    QVERIFY(std::any_of(action->Items().cbegin(), action->Items().cend(),
                        [](const auto &item) { return item->text == QStringLiteral("&Place Break Points..."); }));
}

void TestGlyphMenu::topLevelStaysPlainText()
{
    GlyphMenu menu;
    QVERIFY(menu.LoadFromResource(ResId::MenuBar));
    QWidget *bar = menu.GetHandle();
    // An entry put in front by the plain functions shifts where the menu's own entries begin.
    MenuAdapter::InsertCommand(bar, 0, "System", 1);
    QCOMPARE(menu.FirstOwnPosition(), 1);
    const auto tools = std::make_unique<QMenu>();
    QVERIFY(menu.AppendItem("&Tools", Popup, quintptr(tools.get())));
    // The appended popup entry is plain text like the others, at its place after the shift.
    QCOMPARE(menu.Items().back()->menuFlags, unsigned(ByPosition | Popup));
    QCOMPARE(MenuAdapter::MenuString(bar, 4, ByPosition), QStringLiteral("&Tools"));
    QVERIFY(!(MenuAdapter::StateOf(bar, 4, ByPosition) & OwnerDraw));
    QVERIFY(GlyphMenu::IsOwnPopup(tools.get()));
}

void TestGlyphMenu::modifyItemChangesEveryOccurrence()
{
    GlyphMenu menu;
    QVERIFY(menu.LoadFromTemplate(templateOf(
        {{Popup, 0, "&A"}, {0, 7, "&Seven"}, {End, 8, "&Eight"}, {Popup | End, 0, "&B"}, {End, 7, "Seven &again"}})));
    MenuLook look;
    ImageList images(look.iconWidth, look.iconHeight);
    QVERIFY(AddBitmapResource(images, ResId::CommandToolbar, look));
    QVERIFY(menu.ModifyItem(std::nullopt, 7, &images, 3));
    const GlyphMenu *a = GlyphMenu::FromHandle(menu.SubMenuAt(0));
    const GlyphMenu *b = GlyphMenu::FromHandle(menu.SubMenuAt(1));
    const GlyphMenuItem *inA = a->Items().at(0).get();
    const GlyphMenuItem *inB = b->Items().at(0).get();
    QVERIFY(inA->sharedOffset >= 0);
    QCOMPARE(inB->sharedOffset, inA->sharedOffset);
    QCOMPARE(a->Items().at(1)->sharedOffset, -1);
    // Each entry keeps its own record and text.
    QCOMPARE(MenuAdapter::ItemData(MenuAdapter::ActionAt(a->GetHandle(), 0)), inA);
    QCOMPARE(MenuAdapter::ItemData(MenuAdapter::ActionAt(b->GetHandle(), 0)), inB);
    QCOMPARE(inB->text, QStringLiteral("Seven &again"));
    QVERIFY(menu.ModifyItem(QStringLiteral("Se&ven"), 7));
    QCOMPARE(inA->text, QStringLiteral("Se&ven"));
    QCOMPARE(inB->text, QStringLiteral("Se&ven"));
    // A command in no menu: the change fails and the record stays with the menu bar.
    const size_t before = menu.Items().size();
    QVERIFY(!menu.ModifyItem(QStringLiteral("nowhere"), 99));
    QCOMPARE(menu.Items().size(), before + 1);
}

void TestGlyphMenu::resynchroniseAdoptsPlainEntries()
{
    GlyphMenu menu;
    QVERIFY(menu.LoadFromResource(ResId::MenuBar));
    auto *file = GlyphMenu::FromHandle(menu.SubMenuAt(0));
    QWidget *handle = file->GetHandle();
    const GlyphMenuItem *open = file->Items().at(0).get();
    // The recent-file list puts its entries in with the plain functions, and takes one out.
    const QString longName = "&1 " + QString(300, 'x');
    MenuAdapter::InsertCommand(handle, 5, longName, CmdId::RecentFileFirst);
    MenuAdapter::InsertCommand(handle, 6, "&2 b.pdf", CmdId::RecentFileFirst + 1);
    delete MenuAdapter::ActionAt(handle, 4); // "Recent File"
    GlyphMenu::RefreshPopup(file);

    QCOMPARE(int(file->Items().size()), MenuAdapter::ItemCount(handle));
    QCOMPARE(file->Items().at(0).get(), open);
    QStringList texts;
    for (int p = 0; p < MenuAdapter::ItemCount(handle); ++p) {
        const GlyphMenuItem *item = file->Items().at(size_t(p)).get();
        QCOMPARE(MenuAdapter::ItemData(MenuAdapter::ActionAt(handle, p)), item);
        QVERIFY(item->menuFlags & OwnerDraw);
        texts << item->text;
    }
    QCOMPARE(texts, QStringList({"&Open...", "", "O&ptions...", "", longName.left(255), "&2 b.pdf", "", "&Exit"}));
    QCOMPARE(file->Items().at(4)->menuFlags, unsigned(OwnerDraw | ByPosition));
    QCOMPARE(file->Items().at(4)->commandId, quintptr(CmdId::RecentFileFirst));
}

void TestGlyphMenu::matchMnemonic_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<quint32>("result");
    QTest::newRow("e") << "e" << Popup << quint32(0x20001);
    QTest::newRow("upperCase") << "E" << Popup << quint32(0x20001);
    QTest::newRow("first") << "o" << Popup << quint32(0x20000);
    QTest::newRow("noMarker") << "x" << Popup << quint32(0);
    QTest::newRow("notAPopup") << "e" << 0u << quint32(0);
}

void TestGlyphMenu::matchMnemonic()
{
    QFETCH(QString, key);
    QFETCH(unsigned, flags);
    QFETCH(quint32, result);
    GlyphMenu menu;
    QVERIFY(menu.LoadFromTemplate(templateOf({{Popup | End, 0, "&File"}, {0, 1, "&Open..."}, {End, 2, "&Exit"}})));
    QCOMPARE(GlyphMenu::MatchMnemonic(key.front(), flags, GlyphMenu::FromHandle(menu.SubMenuAt(0))), result);
}

void TestGlyphMenu::mnemonicKeyChoosesTheEntry()
{
    GlyphMenu menu;
    QVERIFY(menu.LoadFromResource(ResId::MenuBar));
    QMenu *file = menu.SubMenuAt(0);
    QList<int> chosen;
    for (QAction *action : file->actions())
        connect(action, &QAction::triggered, this, [&chosen, action] { chosen << MenuAdapter::CommandIdOf(action); });
    file->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(file));
    QTest::keyClick(file, Qt::Key_X); // no entry has "&x"
    QVERIFY(chosen.isEmpty());
    QTest::keyClick(file, Qt::Key_E);
    QCOMPARE(chosen, QList<int>{CmdId::FileExit});
    QVERIFY(!file->isVisible());
}

void TestGlyphMenu::platformAndTheme_data()
{
    QTest::addColumn<bool>("nineX");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("theme"); // "none": no value
    QTest::addColumn<bool>("themedXP");
    QTest::newRow("98") << true << 4 << 10 << 3 << "none" << false;
    QTest::newRow("Me") << true << 4 << 90 << 4 << "none" << false;
    QTest::newRow("95") << true << 4 << 0 << 2 << "none" << false;
    QTest::newRow("NT4") << false << 4 << 0 << 5 << "none" << false;
    QTest::newRow("2000") << false << 5 << 0 << 6 << "none" << false;
    QTest::newRow("XPThemed") << false << 5 << 1 << 7 << "C:\\Themes\\Luna.theme" << true;
    QTest::newRow("XPClassic") << false << 5 << 1 << 7 << "C:\\Resources\\Themes\\Windows Classic.theme" << false;
    QTest::newRow("XPClassicAnyCase") << false << 5 << 1 << 7 << "c:\\themes\\windows classic.THEME" << false;
    QTest::newRow("XPNoTheme") << false << 5 << 1 << 7 << "none" << true;
    QTest::newRow("2003") << false << 5 << 2 << 1 << "none" << false;
    QTest::newRow("later") << false << 10 << 0 << 1 << "none" << false;
}

void TestGlyphMenu::platformAndTheme()
{
    QFETCH(bool, nineX);
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, code);
    QFETCH(QString, theme);
    QFETCH(bool, themedXP);
    QCOMPARE(GlyphMenu::PlatformCodeFor(nineX, false, major, minor), code);
    const std::optional<QString> value = theme == "none" ? std::nullopt : std::optional<QString>(theme);
    const bool classic = GlyphMenu::IsClassicThemeValue(value);
    QCOMPARE(code == 7 && !classic, themedXP);
    QCOMPARE(GlyphMenu::PlatformCodeFor(false, true, 3, 1), 0);
    // This system has no theme value, so its theme is never the classic one.
    GlyphMenu::ResetThemeCache();
    QVERIFY(!GlyphMenu::IsClassicThemeActive());
}

void TestGlyphMenu::toolbarImagesGoToTheirCommands()
{
    LookGuard look;
    look.Set([](MenuLook &classic) { classic.plainDrawMode = 0; });
    MenuLook stripLook;
    ImageList strip(stripLook.iconWidth, stripLook.iconHeight);
    QVERIFY(AddBitmapResource(strip, ResId::CommandToolbar, stripLook));
    const QList<std::pair<int, int>> expected{{CmdId::FileOpen, 1},
                                              {CmdId::SplitPdf, 3},
                                              {CmdId::About, 7},
                                              {CmdId::InsertBreakPoint, 8},
                                              {CmdId::DeleteBreakPoint, 9},
                                              {CmdId::ViewWebSite, 10},
                                              {CmdId::FileOptions, 11},
                                              {CmdId::CleanAllBreakPoints, 12},
                                              {CmdId::FileExit, 13},
                                              {CmdId::ContextInsertBreakPoint, 15},
                                              {CmdId::ContextDeleteBreakPoint, 16},
                                              {CmdId::ContextCleanAllBreakPoints, 17}};
    QList<int> offsets;
    int storedCount = 0;
    for (int round = 0; round < 2; ++round) {
        GlyphMenu bar, context;
        QVERIFY(bar.LoadFromResource(ResId::MenuBar) && context.LoadFromResource(ResId::ListContextMenu));
        QVERIFY(bar.ApplyToolbarImages(ResId::CommandToolbar) && context.ApplyToolbarImages(ResId::CommandToolbar));
        QList<int> now;
        for (const auto &[command, image] : expected) {
            int position = -1;
            GlyphMenu &menu
                = (command >= CmdId::ContextInsertBreakPoint && command <= CmdId::ContextCleanAllBreakPoints) ? context
                                                                                                              : bar;
            const GlyphMenu *holder = GlyphMenu::FromHandle(menu.LocateCommand(command, position));
            QVERIFY(holder);
            const int offset = holder->Items().at(size_t(position))->sharedOffset;
            QCOMPARE(GlyphMenu::SharedImageIds.value(offset), quintptr(command));
            QCOMPARE(GlyphMenu::SharedImages->GetIcon(offset), strip.GetIcon(image));
            now << offset;
        }
        int position = -1;
        const GlyphMenu *file = GlyphMenu::FromHandle(bar.LocateCommand(CmdId::RecentFileFirst, position));
        QCOMPARE(file->Items().at(size_t(position))->sharedOffset, -1);
        QVERIFY(!bar.ApplyToolbarImages(999));
        // Applied again, the images are replaced in place and keep their indexes.
        if (round == 0) {
            offsets = now;
            storedCount = GlyphMenu::SharedImages->Count();
        } else {
            QCOMPARE(now, offsets);
            QCOMPARE(GlyphMenu::SharedImages->Count(), storedCount);
        }
    }
}

void TestGlyphMenu::flatLookStoresThreeVariants_data()
{
    QTest::addColumn<int>("drawMode");
    QTest::addColumn<int>("stored");
    QTest::newRow("classic") << 0 << 1;
    QTest::newRow("flat") << 1 << 4;
}

void TestGlyphMenu::flatLookStoresThreeVariants()
{
    QFETCH(int, drawMode);
    QFETCH(int, stored);
    LookGuard look;
    look.Set([drawMode](MenuLook &changed) { changed.plainDrawMode = drawMode; });
    const quintptr command = 40000 + quintptr(drawMode);
    GlyphMenu menu;
    QVERIFY(menu.LoadFromTemplate(templateOf({{Popup | End, 0, "&X"}, {End, 1, "&One"}})));
    GlyphMenu *popup = GlyphMenu::FromHandle(menu.SubMenuAt(0));
    const int before = GlyphMenu::SharedImages ? GlyphMenu::SharedImages->Count() : 0;
    // A command without a button on the toolbar takes the strip's first image.
    QVERIFY(popup->AppendItem("&New", 0, command, ResId::CommandToolbar));
    const int offset = popup->Items().back()->sharedOffset;
    QCOMPARE(offset, before);
    QCOMPARE(GlyphMenu::SharedImages->Count(), before + stored);
    QCOMPARE(GlyphMenu::SharedImageIds.count(command), stored);
    QCOMPARE(GlyphMenu::HasVariantSet(offset), stored == 4);
    // A later entry of the same command shows the stored glyph.
    QVERIFY(popup->AppendItem("&Again", 0, command));
    QCOMPARE(popup->Items().back()->sharedOffset, offset);
}

void TestGlyphMenu::destroyForgetsThePopups()
{
    auto menu = std::make_unique<GlyphMenu>();
    QVERIFY(menu->LoadFromResource(ResId::MenuBar));
    QPointer<QMenu> file = menu->SubMenuAt(0);
    QVERIFY(GlyphMenu::IsOwnPopup(file));
    QVERIFY(menu->DestroyMenu());
    QVERIFY(!file);
    QVERIFY(!GlyphMenu::FromHandle(menu->GetHandle()));
    QVERIFY(menu->Items().empty());
    QVERIFY(!GlyphMenu::IsOwnPopup(file));
    QVERIFY(!menu->DestroyMenu());
}

QTEST_MAIN(TestGlyphMenu)
#include "tst_glyphmenu.moc"
