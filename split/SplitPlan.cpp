#include "SplitPlan.h"

#include "OutputTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace qw {

QList<std::pair<int, int>> PartRange::Ranges() const
{
    QList<std::pair<int, int>> ranges;
    int from = firstPage;
    for (int page : leftOut) {
        if (page > from)
            ranges.append({from, page - 1});
        from = page + 1;
    }
    if (from <= lastPage)
        ranges.append({from, lastPage});
    return ranges;
}

QString PartRange::Line(const QString &path) const
{
    QStringList pages;
    for (const auto &[from, to] : Ranges())
        pages << QStringLiteral("%1-%2").arg(from).arg(to);
    return QStringLiteral("part %1 of %2: pages %3 -> %4")
        .arg(partNumber)
        .arg(fileCount)
        .arg(pages.join(QLatin1Char(',')), QDir::toNativeSeparators(path));
}

namespace {

QList<int> sortedOnce(QList<int> pages)
{
    std::sort(pages.begin(), pages.end());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    return pages;
}

} // namespace

QList<PartRange> SplitPlan::FromBreaks(int pageCount, const QList<int> &breaksBefore, const QList<int> &leftOut)
{
    QList<PartRange> parts;
    if (pageCount < 1)
        return parts;
    QList<int> firstPages{1};
    for (int page : breaksBefore)
        if (page >= 2 && page <= pageCount)
            firstPages << page;
    firstPages = sortedOnce(firstPages);
    const QList<int> out = sortedOnce(leftOut);
    const auto isOut = [&out](int page) { return std::binary_search(out.cbegin(), out.cend(), page); };
    for (qsizetype i = 0; i < firstPages.size(); ++i) {
        int first = firstPages.at(i);
        int last = i + 1 < firstPages.size() ? firstPages.at(i + 1) - 1 : pageCount;
        // The part is what is left of its pages; pages left out at its ends are no part of it.
        while (first <= last && isOut(first))
            ++first;
        while (last >= first && isOut(last))
            --last;
        if (first > last)
            continue;
        PartRange part{first, last, int(parts.size()) + 1, 0};
        const auto from = std::upper_bound(out.cbegin(), out.cend(), first);
        const auto to = std::lower_bound(from, out.cend(), last);
        part.leftOut = QList<int>(from, to);
        parts.append(part);
    }
    for (PartRange &part : parts)
        part.fileCount = int(parts.size());
    return parts;
}

SeparatorPlan SplitPlan::AtSeparators(int pageCount, QList<int> separators, SeparatorRole role)
{
    SeparatorPlan plan;
    separators = sortedOnce(separators);
    separators.removeIf([pageCount](int page) { return page < 1 || page > pageCount; });
    if (role == SeparatorRole::DocumentStart) {
        for (int page : separators)
            if (page != 1)
                plan.breaks << page;
        return plan;
    }
    if (role == SeparatorRole::LeftOutSheet)
        plan.leftOut = separators;
    // Sheets side by side are one run; the run begins the part after it, unless it opens the
    // document (nothing stands before page 1) or closes it (it would be a part of only sheets).
    for (qsizetype i = 0; i < separators.size();) {
        qsizetype end = i + 1;
        while (end < separators.size() && separators.at(end) == separators.at(end - 1) + 1)
            ++end;
        if (separators.at(i) != 1 && separators.at(end - 1) != pageCount)
            plan.breaks << separators.at(i);
        i = end;
    }
    return plan;
}

QList<int> SplitPlan::BreaksEvery(int pageCount, int every)
{
    QList<int> breaks;
    // Counted wide: a huge step must not wrap around into the document's pages.
    if (every >= 1)
        for (qint64 page = 1 + qint64(every); page <= pageCount; page += every)
            breaks << int(page);
    return breaks;
}

SplitRefusal SplitPlan::FindOutputConflict(const FileStamp &document, const QList<OutputTarget> &targets)
{
    using Kind = SplitRefusal::Kind;
    QHash<QString, int> partOfPath;
    for (int i = 0; i < targets.size(); ++i) {
        const OutputTarget &target = targets.at(i);
        if (target.stamp.SameFile(document))
            return {Kind::PartOverDocument, target.path, i + 1};
        if (partOfPath.contains(target.path))
            return {Kind::TwoPartsOneName, target.path, i + 1, partOfPath.value(target.path) + 1};
        partOfPath.insert(target.path, i);
    }
    // Only once no part lands on the document or on another part: those say more about the
    // pattern than a missing folder does.
    for (int i = 0; i < targets.size(); ++i)
        if (const SplitRefusal refusal = SplitRefusal::CannotWrite(i + 1, targets.at(i)))
            return refusal;
    return {};
}

QStringList SplitPlan::ExistingOutputs(const QStringList &outputs)
{
    QStringList existing;
    for (const QString &output : outputs)
        if (QFileInfo(output).exists() || QFileInfo(output).isSymLink())
            existing << output;
    return existing;
}

QString SplitPlan::ListSome(const QStringList &items, const QString &separator)
{
    QStringList shown = items.mid(0, kNamedAtMost);
    if (items.size() > kNamedAtMost)
        shown << QCoreApplication::translate("qw::SplitPlan", "and %1 more").arg(items.size() - kNamedAtMost);
    return shown.join(separator);
}

QString SplitPlan::ExistingFilesNotice(const QStringList &existing)
{
    QStringList names;
    for (const QString &path : existing)
        names << QDir::toNativeSeparators(path);
    const QString intro = existing.size() == 1 ? QCoreApplication::translate("qw::SplitPlan", "This file already exists:")
                                               : QCoreApplication::translate("qw::SplitPlan", "These %1 files already exist:").arg(existing.size());
    return intro + QStringLiteral("\n\n") + ListSome(names);
}

QString SplitPlan::ReplaceQuestion(const QStringList &existing)
{
    //: %1 names the file that already exists
    return (existing.size() == 1 ? QCoreApplication::translate("qw::SplitPlan", "%1\n\nDo you want to replace it with the new parts?")
                                 //: %1 names the files that already exist
                                 : QCoreApplication::translate("qw::SplitPlan",
                                                               "%1\n\nDo you want to replace them with the new parts?"))
        .arg(ExistingFilesNotice(existing));
}

} // namespace qw
