// Separator sheets as the engine's page facts describe them: which pages each kind of rule
// takes for separators, and the rules a user may give.
#include "split/PageFactsQuery.h"
#include "split/SeparatorRule.h"

#include <QTest>

using namespace qw;

namespace {

// Six pages as page_facts reports them: a letter, a blank sheet with show-through, a page of
// three lines (where one kind of barcode could not be read), a black sheet, a QR sheet and a
// page that could not be drawn, then a page the engine gave up on (too slow to draw), which
// reports nothing but looks blank to a careless reader. The sheet has no text to search.
// Texts carry the report's escapes.
const QByteArray kReport = "NumberOfPages: 6\n"
                           "PageFactsBegin\nPageNumber: 1\nInkShare: 0.1200\nDarkShare: 0.0100\nTextMatch: yes\n"
                           "MatchedLine: Account 17&#9;Page 1 of 3\n"
                           "PageText: Statement Account 17&#9;Page 1 of 3\n"
                           "PageFactsBegin\nPageNumber: 2\nInkShare: 0.0011\nDarkShare: 0.0000\nTextMatch: no\n"
                           "TextFound: no\n"
                           "PageFactsBegin\nPageNumber: 3\nInkShare: 0.0098\nDarkShare: 0.0010\nTextMatch: no\n"
                           "BarcodeUnread: Aztec\nPageText: Account 17 Page 3 of 3\n"
                           "PageFactsBegin\nPageNumber: 4\nInkShare: 0.0020\nDarkShare: 0.9700\n"
                           "PageFactsBegin\nPageNumber: 5\nInkShare: 0.0800\nDarkShare: 0.0900\n"
                           "Barcode: QRCode Invoice&#10;2026-117\nBarcode: Code128 SEP\n"
                           "PageFactsBegin\nPageNumber: 6\nInkShare: 0.0000\nDarkShare: 0.0000\n"
                           "PageDamaged: page 6 cannot be drawn\n"
                           "PageFactsBegin\nPageNumber: 7\nInkShare: 0.0000\nDarkShare: 0.0000\n"
                           "Unreadable: it took longer than 5 seconds\n";

} // namespace

class TestSeparatorRule : public QObject {
    Q_OBJECT
private slots:
    void rulesFindTheirSeparators_data();
    void rulesFindTheirSeparators();
};

void TestSeparatorRule::rulesFindTheirSeparators_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QList<int>>("separators");
    QTest::addColumn<QString>("label"); // what the first separator names its part
    // The blank sheet, never the page of three lines nor one that could not be drawn.
    QTest::newRow("blank") << "blank" << true << QList<int>{2} << "";
    QTest::newRow("dark") << "dark" << true << QList<int>{4} << "";
    QTest::newRow("anyBarcode") << "barcode" << true << QList<int>{5} << "Invoice\n2026-117";
    QTest::newRow("barcodeWithText") << "barcode:sep" << true << QList<int>{5} << "SEP";
    QTest::newRow("barcodeWithOtherText") << "barcode:receipt" << true << QList<int>{} << "";
    QTest::newRow("text") << "text:Page 1 of" << true << QList<int>{1} << "Account 17\tPage 1 of 3";
    QTest::newRow("textWithoutPhrase") << "text: " << false << QList<int>{} << "";
    // An expression names the part by its first group, else by what it matched.
    QTest::newRow("matchWithGroup") << "match:account (\\d+)\\s+page 1 of" << true << QList<int>{1} << "17";
    QTest::newRow("matchWithoutGroup") << "match:page \\d of 3" << true << QList<int>{1, 3} << "Page 1 of 3";
    QTest::newRow("matchNotValid") << "match:(page" << false << QList<int>{} << "";
    QTest::newRow("matchWithoutExpression") << "match:" << false << QList<int>{} << "";
    QTest::newRow("blankWithText") << "blank:x" << false << QList<int>{} << "";
    QTest::newRow("unknownKind") << "grey" << false << QList<int>{} << "";
}

void TestSeparatorRule::rulesFindTheirSeparators()
{
    QFETCH(QString, given);
    QFETCH(bool, valid);
    const std::optional<SeparatorRule> rule = SeparatorRule::Parse(given);
    QCOMPARE(rule.has_value(), valid);
    if (!rule)
        return;
    const QList<PageFacts> pages = ParsePageFacts(kReport);
    QCOMPARE(pages.size(), 7);
    QList<int> found;
    for (const PageFacts &facts : pages)
        if (rule->IsSeparator(facts))
            found << facts.page;
    QTEST(found, "separators");
    QTEST(found.isEmpty() ? QString() : rule->Label(pages.at(found.first() - 1)), "label");
    // Every rule is told of the page given up on; only one that looks for barcodes of a page
    // where some could not be read, and only a phrase of the pages without text.
    const QString notices = PageFactsQuery::Notices(pages, *rule).join('\n');
    QVERIFY(notices.contains("Page 7 could not be looked at"));
    QCOMPARE(notices.contains("barcodes on page 3 could not all be read"), rule->kind == SeparatorRule::Kind::Barcode);
    QCOMPARE(notices.contains("Page 2 has no text to search"),
             rule->kind == SeparatorRule::Kind::Text || rule->kind == SeparatorRule::Kind::Match);
}

QTEST_GUILESS_MAIN(TestSeparatorRule)
#include "tst_separatorrule.moc"
