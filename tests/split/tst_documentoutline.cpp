// A document's bookmarks as the engine's report gives them, and what a split makes of them:
// break points at a level, and the title that names a part.
#include "split/DocumentOutline.h"

#include <QTest>

#include <limits>

using namespace qw;

namespace {

// Chapters at pages 1, 5 and 9 of 12, with sections, one of them without a page.
const QList<Bookmark> kOutline{{"Preface", 1, 1}, {"1 Start", 1, 5},     {"1.1 Setup", 2, 6}, {"1.2 Use", 2, 7},
                               {"Lost", 2, 0},    {"2 More/Less", 1, 9}, {"2.1 Deep", 2, 9},  {"Outside", 1, 40}};

} // namespace

class TestDocumentOutline : public QObject {
    Q_OBJECT
private slots:
    void parse();
    void breaksAtLevel_data();
    void breaksAtLevel();
    void titles_data();
    void titles();
    void pageLabels_data();
    void pageLabels();
};

void TestDocumentOutline::parse()
{
    const QByteArray report = "NumberOfPages: 12\n"
                              "BookmarkBegin\nBookmarkTitle: Caf\xc3\xa9 &#38; Co&#10;Part&#x;\nBookmarkLevel: 1\n"
                              "BookmarkPageNumber: 3\n"
                              "BookmarkBegin\r\nBookmarkTitle: \r\nBookmarkLevel: 2\r\nBookmarkPageNumber: 0\r\n"
                              "PageLabelBegin\nPageLabelNewIndex: 1\n";
    QCOMPARE(DocumentOutline::Parse(report),
             QList<Bookmark>({{QStringLiteral("Caf\u00e9 & Co\nPart&#x;"), 1, 3}, {QString(), 2, 0}}));
    QVERIFY(DocumentOutline::Parse("NumberOfPages: 3\n").isEmpty());
    const QByteArray labels = "PageLabelBegin\nPageLabelNewIndex: 1\nPageLabelStart: 1\n"
                              "PageLabelNumStyle: LowercaseRomanNumerals\nBookmarkBegin\nPageLabelBegin\n"
                              "PageLabelNewIndex: 4\nPageLabelStart: 3\nPageLabelNumStyle: NoNumber\n"
                              "PageLabelPrefix: A&#10;-\n";
    QCOMPARE(DocumentOutline::ParsePageLabels(labels),
             QList<PageLabelRange>({{1, 1, "LowercaseRomanNumerals", {}}, {4, 3, "NoNumber", "A\n-"}}));
    QCOMPARE(DocumentOutline::DeepestLevel(kOutline), 2);
}

void TestDocumentOutline::breaksAtLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QList<int>>("breaks");
    // Page 1 never takes a break, nor a page outside the document; pages are listed once.
    QTest::newRow("chapters") << 1 << 12 << QList<int>{5, 9};
    QTest::newRow("sections") << 2 << 12 << QList<int>{5, 6, 7, 9};
    QTest::newRow("anyLevel") << 0 << 12 << QList<int>{5, 6, 7, 9};
    QTest::newRow("shortDocument") << 1 << 6 << QList<int>{5};
}

void TestDocumentOutline::breaksAtLevel()
{
    QFETCH(int, level);
    QFETCH(int, pageCount);
    QFETCH(QList<int>, breaks);
    QCOMPARE(DocumentOutline::BreaksAtLevel(kOutline, level, pageCount), breaks);
}

void TestDocumentOutline::titles_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("firstPage");
    QTest::addColumn<QString>("title");
    QTest::newRow("chapterOfItsFirstPage") << 1 << 5 << "1 Start";
    QTest::newRow("lastChapterBefore") << 1 << 8 << "1 Start";
    QTest::newRow("sectionAtAnyLevel") << 0 << 6 << "1.1 Setup";
    // A chapter and its first section on one page: the first listed names it; "/" is made "-".
    QTest::newRow("tieAndSlash") << 0 << 9 << "2 More-Less";
    QTest::newRow("noneBefore") << 1 << 0 << "";
}

void TestDocumentOutline::titles()
{
    QFETCH(int, level);
    QFETCH(int, firstPage);
    QFETCH(QString, title);
    QCOMPARE(DocumentOutline::TitleFor(kOutline, level, firstPage), title);
    // Control characters go, blanks around go, and a long title is cut without splitting a character.
    QCOMPARE(DocumentOutline::SafeFileName(QStringLiteral("  a\tb\nc  ")), QStringLiteral("abc"));
    const QString longTitle = QString(79, 'x') + QStringLiteral("\U0001F600 end");
    QCOMPARE(DocumentOutline::SafeFileName(longTitle), QString(79, 'x'));
}

void TestDocumentOutline::pageLabels_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("label");
    // Roman from page 2, plain numbers from 5 on from 1 with a prefix, letters from 9 on
    // starting at Y, no number from 12 on; page 1 has no label. A crafted document's numbers
    // beyond an int are kept, and those too large to write are left out of the label.
    QTest::newRow("beforeTheFirstRange") << 1 << "";
    QTest::newRow("lowerRoman") << 4 << "iii";
    QTest::newRow("decimalWithPrefix") << 6 << "A-2";
    QTest::newRow("upperLettersGoOnDoubled") << 11 << "AA";
    QTest::newRow("prefixAlone") << 12 << "Index";
    QTest::newRow("romanFourteen") << 15 << "xiv";
    QTest::newRow("decimalBeyondAnInt") << 21 << "4000000001";
    QTest::newRow("lettersTooManyToWrite") << 30 << "x";
    QTest::newRow("numberBeyondAnyNumber") << 41 << "z";
}

void TestDocumentOutline::pageLabels()
{
    QFETCH(int, page);
    const QList<PageLabelRange> ranges{{2, 1, "LowercaseRomanNumerals", {}},
                                       {5, 1, "DecimalArabicNumerals", "A-"},
                                       {9, 25, "UppercaseLetters", {}},
                                       {12, 1, "NoNumber", "Index"},
                                       {13, 12, "LowercaseRomanNumerals", {}},
                                       {20, 4000000000LL, "DecimalArabicNumerals", {}},
                                       {30, 2000000000LL, "LowercaseLetters", "x"},
                                       {40, std::numeric_limits<qint64>::max(), "DecimalArabicNumerals", "z"}};
    QTEST(DocumentOutline::LabelOf(ranges, page), "label");
}

QTEST_GUILESS_MAIN(TestDocumentOutline)
#include "tst_documentoutline.moc"
