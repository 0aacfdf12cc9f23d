#include "PageFactsQuery.h"

#include "EngineRunner.h"
#include "OpenFailure.h"
#include "PageCountQuery.h"

#include "framework/CommandLine.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>

namespace qw {

PageFactsQuery::Result PageFactsQuery::Run(const QString &document, const FileStamp &identity,
                                           const SeparatorRule &rule, const Progress &progress)
{
    Result result;
    QString why;
    const QString file = MakeTempFileName(QStringLiteral(".txt"), &why);
    if (file.isEmpty()) {
        result.problem = QCoreApplication::translate("qw::PageFactsQuery", "No file for the PDF engine's report could be made in the temporary folder: %1.")
                             .arg(why);
        return result;
    }
    const auto removeReport = qScopeGuard([&] { QFile::remove(file); });

    QStringList arguments{CommandLine::Quote(EngineRunner::EnginePath()), CommandLine::Quote(document),
                          QStringLiteral("page_facts")};
    for (const QString &argument : rule.EngineArguments())
        arguments << CommandLine::Quote(argument);
    arguments << QStringLiteral("output") << CommandLine::Quote(file);
    QByteArray output;
    const EngineResult engine = EngineRunner::RunPagesCommand(arguments, identity, progress, output);
    if (engine.stopAsked) {
        result.stopped = true;
        return result;
    }
    if (engine.end != EngineResult::End::Exited) {
        result.problem = engine.reason;
        return result;
    }
    if (engine.exitCode != 0) {
        result.problem = engine.exitCode == EngineExit::DocumentChanged
                             ? QCoreApplication::translate("qw::PageFactsQuery", "The document was replaced or changed since it was opened. Open it again.")
                             : QCoreApplication::translate("qw::PageFactsQuery", "The PDF engine could not look at the pages: %1").arg(EngineReason(output));
        return result;
    }
    QFile report(file);
    if (!report.open(QIODevice::ReadOnly)) {
        result.problem = QCoreApplication::translate("qw::PageFactsQuery", "The PDF engine's report could not be read: %1").arg(report.errorString());
        return result;
    }
    result.pages = ParsePageFacts(report.readAll());
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
