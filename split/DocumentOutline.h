#pragma once

#include <QByteArrayView>
#include <QList>
#include <QRegularExpression>
#include <QString>

namespace qw {

// One entry of a document's outline, as the engine's data report lists it.
struct Bookmark {
    QString title;
    int level = 0; // 1 for the top level
    int page = 0; // 1-based; 0 when it leads to no page
    bool operator==(const Bookmark &) const = default;
};

// One range of a document's page labels: from `firstPage` on, pages are labelled `prefix`
// followed by the number `start`, `start` + 1, ... in `style` ("DecimalArabicNumerals",
// "LowercaseRomanNumerals", ..., or "NoNumber"), as the engine's data report lists them.
struct PageLabelRange {
    int firstPage = 0; // 1-based
    qint64 start = 1; // as the document gives it, which may be beyond an int
    QString style;
    QString prefix;
    bool operator==(const PageLabelRange &) const = default;
};

// A document's bookmarks and page labels, read from the engine's data report, and what a split
// makes of the bookmarks.
class DocumentOutline {
public:
    // The bookmarks of a data report, in document order. Titles are read as UTF-8 with the
    // report's "&#N;" escapes undone.
    static QList<Bookmark> Parse(QByteArrayView report);
    // The page label ranges of a data report, in page order; the prefix's escapes undone.
    static QList<PageLabelRange> ParsePageLabels(QByteArrayView report);
    // The label that `ranges` (in page order) give `page`: the prefix and the number in its
    // style (xiv, C, AA...); empty before the first range or when the document has none.
    static QString LabelOf(const QList<PageLabelRange> &ranges, int page);
    // A text of an engine report with its "&#N;" escapes (characters a report line cannot
    // hold) undone.
    static QString Unescape(const QString &text);

    // The expression a user typed to choose bookmarks by title: case ignored, and \s, \w and
    // case folding by Unicode's properties, as titles are in every script.
    static QRegularExpression MatchExpression(const QString &pattern);
    // The bookmarks whose title holds a match of `expression` (a search, not a match of the
    // whole title), in their order; all of them when the expression is empty. A non-breaking
    // space or another of Unicode's spaces in a title is searched as a space, as it looks.
    static QList<Bookmark> Matching(const QList<Bookmark> &bookmarks, const QRegularExpression &expression);
    // The deepest level any bookmark has; 0 without bookmarks.
    static int DeepestLevel(const QList<Bookmark> &bookmarks);
    // The pages (2 to `pageCount`, sorted, each once) where bookmarks of level 1 to `maxLevel`
    // begin: a new part begins before each.
    static QList<int> BreaksAtLevel(const QList<Bookmark> &bookmarks, int maxLevel, int pageCount);
    // The title of the last bookmark of level 1 to `maxLevel` (any level when 0) that begins on
    // or before `firstPage`, made safe for a file name; empty when there is none.
    static QString TitleFor(const QList<Bookmark> &bookmarks, int maxLevel, int firstPage);
    // `title` without "/" (made "-") or control characters, trimmed, at most kTitleMax characters.
    static QString SafeFileName(const QString &title);
    static constexpr int kTitleMax = 80;
};

} // namespace qw
