#include "PageFactsQuery.h"

#include "PagesCommand.h"

#include "framework/CommandLine.h"

#include <QCoreApplication>

namespace qw {

PageFactsQuery::Result PageFactsQuery::Run(const QString &document, const FileStamp &identity,
                                           const SeparatorRule &rule, const Progress &progress)
{
    QStringList command{QStringLiteral("page_facts")};
    for (const QString &argument : rule.EngineArguments())
        command << CommandLine::Quote(argument);
    const PagesCommand::Result run = PagesCommand::Run(
        document, identity, command,
        QCoreApplication::translate("qw::PageFactsQuery", "The PDF engine could not look at the pages: %1"), progress);
    Result result;
    result.stopped = run.stopped;
    result.problem = run.problem;
    if (run.stopped || !run.problem.isEmpty())
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

QString PageFactsQuery::UnreadNotice(const QList<PageFacts> &pages, const SeparatorRule &rule)
{
    if (rule.kind != SeparatorRule::Kind::Barcode)
        return {};
    QStringList unread;
    for (const PageFacts &facts : pages)
        if (!facts.unreadBarcodes.isEmpty())
            unread << QString::number(facts.page);
    if (unread.isEmpty())
        return {};
    const QString text
        = unread.size() == 1
              //: %1 is a page number
              ? QCoreApplication::translate("qw::PageFactsQuery",
                                            "The barcodes on page %1 could not all be read, so a separator sheet "
                                            "there may have been missed. Look at it before splitting.")
              //: %1 lists page numbers
              : QCoreApplication::translate("qw::PageFactsQuery",
                                            "The barcodes on pages %1 could not all be read, so a separator sheet "
                                            "there may have been missed. Look at them before splitting.");
    return text.arg(unread.join(QStringLiteral(", ")));
}

} // namespace qw
