#include "PageFactsQuery.h"

#include "PagesCommand.h"
#include "SplitPlan.h"

#include "ProtocolWords.h"

#include <QCoreApplication>

namespace qw {

PageFactsQuery::Result PageFactsQuery::Run(const QString &document, const FileStamp &identity,
                                           const SeparatorRule &rule, const Progress &progress)
{
    const PagesCommand::Result run
        = PagesCommand::Run(document, identity,
                            QStringList{ProtocolText(quirekit::protocol::word::PageFacts)} + rule.EngineArguments(),
                            PagesCommand::Problem::Kind::PagesNotLookedAt, progress);
    Result result;
    result.stopped = run.stopped;
    result.problem = run.problem;
    if (run.stopped || run.problem)
        return result;
    result.pages = ParsePageFacts(run.report);
    return result;
}

QMap<int, QString> PageFactsQuery::Separators(const QList<PageFacts> &pages, const SeparatorRule &rule)
{
    QMap<int, QString> separators;
    for (const PageFacts &facts : pages)
        if (rule.IsSeparator(facts))
            separators.insert(facts.page, rule.Label(facts));
    return separators;
}

namespace {

// The pages of `pages` for which `is` holds, listed for a message ("3, 4, 9 and 5 more").
QStringList pagesWhere(const QList<PageFacts> &pages, const std::function<bool(const PageFacts &)> &is)
{
    QStringList found;
    for (const PageFacts &facts : pages)
        if (is(facts))
            found << QString::number(facts.page);
    return found;
}

QString listed(const QStringList &pages)
{
    return SplitPlan::ListSome(pages, QStringLiteral(", "));
}

} // namespace

namespace {

// The sentence for one page (%1) or for several (%1 listing them, %2 how many), as `pages` has.
QString toldOf(const QStringList &pages, const char *one, const char *many)
{
    if (pages.size() == 1)
        return QCoreApplication::translate("qw::PageFactsQuery", one).arg(pages.constFirst());
    if (pages.isEmpty())
        return {};
    return QCoreApplication::translate("qw::PageFactsQuery", many).arg(listed(pages), QString::number(pages.size()));
}

} // namespace

QStringList PageFactsQuery::Notices(const QList<PageFacts> &pages, const SeparatorRule &rule)
{
    const bool barcodes = rule.kind == SeparatorRule::Kind::Barcode;
    const bool phrase = rule.kind == SeparatorRule::Kind::Text || rule.kind == SeparatorRule::Kind::Match;
    QStringList notices{
        toldOf(pagesWhere(pages, [](const PageFacts &facts) { return !facts.unreadable.isEmpty(); }),
               //: %1 is a page number
               QT_TRANSLATE_NOOP("qw::PageFactsQuery", "Page %1 could not be looked at: drawing it took too long or "
                                                       "too much memory. Look at it before splitting."),
               //: %1 lists page numbers, %2 is how many there are
               QT_TRANSLATE_NOOP("qw::PageFactsQuery", "%2 pages could not be looked at: drawing them took too long "
                                                       "or too much memory (pages %1). Look at them before splitting.")),
        toldOf(pagesWhere(pages, [barcodes](const PageFacts &facts) { return barcodes && !facts.unreadBarcodes.isEmpty(); }),
               //: %1 is a page number
               QT_TRANSLATE_NOOP("qw::PageFactsQuery", "The barcodes on page %1 could not all be read, so a separator "
                                                       "sheet there may have been missed. Look at it before splitting."),
               //: %1 lists page numbers, %2 is how many there are
               QT_TRANSLATE_NOOP("qw::PageFactsQuery",
                                 "The barcodes on %2 pages could not all be read (pages %1), so a separator sheet there "
                                 "may have been missed. Look at them before splitting.")),
        toldOf(pagesWhere(pages, [phrase](const PageFacts &facts) { return phrase && !facts.textFound; }),
               //: %1 is a page number
               QT_TRANSLATE_NOOP("qw::PageFactsQuery", "Page %1 has no text to search (a scanned page has none), so "
                                                       "the phrase cannot be found there."),
               //: %1 lists page numbers, %2 is how many there are
               QT_TRANSLATE_NOOP("qw::PageFactsQuery", "%2 pages have no text to search (scanned pages have none), so "
                                                       "the phrase cannot be found there: pages %1."))};
    notices.removeAll(QString());
    return notices;
}

QString PageFactsQuery::NothingFoundNotice(const SeparatorRule &rule)
{
    switch (rule.kind) {
    case SeparatorRule::Kind::Blank:
        return QCoreApplication::translate("qw::PageFactsQuery", "No page is a blank separator sheet.");
    case SeparatorRule::Kind::Dark:
        return QCoreApplication::translate("qw::PageFactsQuery", "No page is a dark separator sheet.");
    case SeparatorRule::Kind::Barcode:
        return rule.text.isEmpty()
                   ? QCoreApplication::translate("qw::PageFactsQuery", "No page has a barcode.")
                   : QCoreApplication::translate("qw::PageFactsQuery", "No page has a barcode containing \"%1\".")
                         .arg(rule.text);
    case SeparatorRule::Kind::Text:
        return QCoreApplication::translate("qw::PageFactsQuery", "No page's text contains \"%1\".").arg(rule.text);
    case SeparatorRule::Kind::Match:
        return QCoreApplication::translate("qw::PageFactsQuery", "No page's text matches \"%1\".").arg(rule.text);
    }
    return {};
}

} // namespace qw
