#include "DocumentOutline.h"

#include <QRegularExpression>

#include <algorithm>

namespace qw {

namespace {

// "&#10;" and the like stand for characters a report line cannot hold.
QString unescape(const QString &text)
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

bool levelCounts(const Bookmark &bookmark, int maxLevel)
{
    return maxLevel <= 0 || bookmark.level <= maxLevel;
}

} // namespace

QList<Bookmark> DocumentOutline::Parse(QByteArrayView report)
{
    QList<Bookmark> bookmarks;
    Bookmark *current = nullptr;
    for (const QByteArray &line : report.toByteArray().split('\n')) {
        const QString text = QString::fromUtf8(line).remove(QLatin1Char('\r'));
        if (text == QLatin1String("BookmarkBegin")) {
            bookmarks.append(Bookmark());
            current = &bookmarks.last();
            continue;
        }
        if (!current)
            continue;
        const QString value = text.section(QStringLiteral(": "), 1);
        if (text.startsWith(QLatin1String("BookmarkTitle: ")))
            current->title = unescape(value);
        else if (text.startsWith(QLatin1String("BookmarkLevel: ")))
            current->level = value.toInt();
        else if (text.startsWith(QLatin1String("BookmarkPageNumber: ")))
            current->page = value.toInt();
        else if (!text.startsWith(QLatin1String("Bookmark")))
            current = nullptr;
    }
    return bookmarks;
}

QList<PageLabelRange> DocumentOutline::ParsePageLabels(QByteArrayView report)
{
    QList<PageLabelRange> ranges;
    PageLabelRange *current = nullptr;
    for (const QByteArray &line : report.toByteArray().split('\n')) {
        const QString text = QString::fromUtf8(line).remove(QLatin1Char('\r'));
        if (text == QLatin1String("PageLabelBegin")) {
            current = &ranges.emplace_back();
            continue;
        }
        if (!current)
            continue;
        const QString value = text.section(QStringLiteral(": "), 1);
        if (text.startsWith(QLatin1String("PageLabelNewIndex: ")))
            current->firstPage = value.toInt();
        else if (text.startsWith(QLatin1String("PageLabelStart: ")))
            current->start = value.toInt();
        else if (text.startsWith(QLatin1String("PageLabelNumStyle: ")))
            current->style = value;
        else if (text.startsWith(QLatin1String("PageLabelPrefix: ")))
            current->prefix = unescape(value);
        else if (!text.startsWith(QLatin1String("PageLabel")))
            current = nullptr;
    }
    return ranges;
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

} // namespace qw
