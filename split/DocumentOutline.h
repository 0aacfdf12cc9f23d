#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace qw {

// One entry of a document's outline, as the engine's data report lists it.
struct Bookmark {
    QString title;
    int level = 0; // 1 for the top level
    int page = 0; // 1-based; 0 when it leads to no page
    bool operator==(const Bookmark &) const = default;
};

// A document's bookmarks, read from the engine's data report, and what a split makes of them.
class DocumentOutline {
public:
    // The bookmarks of a data report, in document order. Titles are read as UTF-8 with the
    // report's "&#N;" escapes undone.
    static QList<Bookmark> Parse(QByteArrayView report);

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
