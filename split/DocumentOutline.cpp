#include "DocumentOutline.h"

#include "ProtocolWords.h"

#include <QRegularExpression>
#include <QtNumeric>

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

namespace qw {

namespace {

// A number a document's labels give in letters is written with at most this many: one a
// crafted file numbers in the billions must not take gigabytes. Like a roman numeral beyond
// 3999, a larger one is left out of its label.
constexpr qint64 kMostLetters = 1000;

bool levelCounts(const Bookmark &bookmark, int maxLevel)
{
    return maxLevel <= 0 || bookmark.level <= maxLevel;
}

namespace keys = quirekit::protocol::report;

// Hands each record of a data report that begins with the line `begin` to `field`: an empty key
// where one begins, then each "<key>: <value>" line after it while `field` knows the key (says
// true). Any other line ends the record.
void readRecords(QByteArrayView report, std::string_view begin,
                 const std::function<bool(std::string_view key, const QString &value)> &field)
{
    bool inRecord = false;
    for (const QByteArray &line : report.toByteArray().split('\n')) {
        const QString text = QString::fromUtf8(line).remove(QLatin1Char('\r'));
        if (text == ProtocolText(begin)) {
            field({}, {});
            inRecord = true;
            continue;
        }
        const qsizetype colon = text.indexOf(ProtocolText(keys::Separator));
        const QByteArray key = text.left(colon).toUtf8();
        inRecord = inRecord && colon > 0
                   && field(std::string_view(key.constData(), size_t(key.size())),
                            text.sliced(colon + keys::Separator.size()));
    }
}

} // namespace

QList<Bookmark> DocumentOutline::Parse(QByteArrayView report)
{
    QList<Bookmark> bookmarks;
    readRecords(report, keys::BookmarkBegin, [&](std::string_view key, const QString &value) {
        if (key.empty())
            bookmarks.append(Bookmark());
        else if (key == keys::BookmarkTitle)
            bookmarks.last().title = Unescape(value);
        else if (key == keys::BookmarkLevel)
            bookmarks.last().level = value.toInt();
        else if (key == keys::BookmarkPageNumber)
            bookmarks.last().page = value.toInt();
        else
            return false;
        return true;
    });
    return bookmarks;
}

QList<PageLabelRange> DocumentOutline::ParsePageLabels(QByteArrayView report)
{
    QList<PageLabelRange> ranges;
    readRecords(report, keys::PageLabelBegin, [&](std::string_view key, const QString &value) {
        if (key.empty())
            ranges.append(PageLabelRange());
        else if (key == keys::PageLabelNewIndex)
            ranges.last().firstPage = value.toInt();
        else if (key == keys::PageLabelStart)
            ranges.last().start = value.toLongLong();
        else if (key == keys::PageLabelNumStyle)
            ranges.last().style = value;
        else if (key == keys::PageLabelPrefix)
            ranges.last().prefix = Unescape(value);
        else
            return false;
        return true;
    });
    return ranges;
}

QString DocumentOutline::LabelOf(const QList<PageLabelRange> &ranges, int page)
{
    const auto after = std::upper_bound(ranges.cbegin(), ranges.cend(), page,
                                        [](int p, const PageLabelRange &range) { return p < range.firstPage; });
    if (after == ranges.cbegin())
        return {};
    const PageLabelRange &range = *std::prev(after);
    // A document's own numbers: their sum may be beyond an int, or beyond any number at all.
    qint64 number = 0;
    if (qAddOverflow(range.start, page - qint64(range.firstPage), &number))
        return range.prefix;
    QString digits;
    if (range.style == QLatin1String("DecimalArabicNumerals")) {
        digits = QString::number(number);
    } else if (range.style.endsWith(QLatin1String("RomanNumerals")) && number > 0 && number < 4000) {
        static const std::pair<int, const char *> kNumerals[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"},
                                                                 {100, "c"},  {90, "xc"},  {50, "l"},  {40, "xl"},
                                                                 {10, "x"},   {9, "ix"},   {5, "v"},   {4, "iv"},
                                                                 {1, "i"}};
        for (qint64 rest = number; const auto &[value, numeral] : kNumerals)
            for (; rest >= value; rest -= value)
                digits += QLatin1String(numeral);
    } else if (range.style.endsWith(QLatin1String("Letters")) && number > 0 && number <= kMostLetters * 26) {
        // A, B, ... Z, then AA, BB, ... ZZ, then AAA...
        digits = QString(qsizetype((number - 1) / 26 + 1), QChar(u'a' + int((number - 1) % 26)));
    }
    if (range.style.startsWith(QLatin1String("Uppercase")))
        digits = digits.toUpper();
    return range.prefix + digits;
}

QRegularExpression DocumentOutline::MatchExpression(const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption
                                           | QRegularExpression::UseUnicodePropertiesOption);
}

QList<Bookmark> DocumentOutline::Matching(const QList<Bookmark> &bookmarks, const QRegularExpression &expression)
{
    if (expression.pattern().isEmpty())
        return bookmarks;
    QList<Bookmark> matching;
    for (const Bookmark &bookmark : bookmarks) {
        QString title = bookmark.title;
        for (QChar &c : title)
            if (c.category() == QChar::Separator_Space)
                c = QLatin1Char(' ');
        if (expression.match(title).hasMatch())
            matching << bookmark;
    }
    return matching;
}

int DocumentOutline::DeepestLevel(const QList<Bookmark> &bookmarks)
{
    int deepest = 0;
    for (const Bookmark &bookmark : bookmarks)
        deepest = qMax(deepest, bookmark.level);
    return deepest;
}

QList<int> DocumentOutline::BreaksAtLevel(const QList<Bookmark> &bookmarks, int maxLevel, int pageCount)
{
    QList<int> pages;
    for (const Bookmark &bookmark : bookmarks)
        if (levelCounts(bookmark, maxLevel) && bookmark.page >= 2 && bookmark.page <= pageCount)
            pages << bookmark.page;
    std::sort(pages.begin(), pages.end());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    return pages;
}

QString DocumentOutline::TitleFor(const QList<Bookmark> &bookmarks, int maxLevel, int firstPage)
{
    // Document order is not page order everywhere: the latest start wins, the first listed on ties.
    const Bookmark *found = nullptr;
    for (const Bookmark &bookmark : bookmarks)
        if (levelCounts(bookmark, maxLevel) && bookmark.page >= 1 && bookmark.page <= firstPage
            && (!found || bookmark.page > found->page))
            found = &bookmark;
    return found ? SafeFileName(found->title) : QString();
}

QString DocumentOutline::SafeFileName(const QString &title)
{
    QString safe;
    for (QChar c : title) {
        if (c == QLatin1Char('/'))
            safe += QLatin1Char('-');
        else if (c.category() != QChar::Other_Control)
            safe += c;
    }
    safe = safe.trimmed();
    if (safe.size() > kTitleMax) {
        safe.truncate(kTitleMax);
        if (safe.back().isHighSurrogate())
            safe.chop(1);
        safe = safe.trimmed();
    }
    return safe;
}

QString DocumentOutline::Unescape(const QString &text)
{
    static const QRegularExpression escape(QStringLiteral("&#(\\d{1,7});"));
    QString result;
    qsizetype from = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += text.mid(from, match.capturedStart() - from);
        const uint code = match.captured(1).toUInt();
        result += code > 0 && code <= 0x10FFFF ? QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1)
                                               : match.captured(0);
        from = match.capturedEnd();
    }
    return result + text.mid(from);
}

} // namespace qw
