#include "PlanReport.h"

#include "SplitJob.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace qw {

PlanReport PlanReport::Of(const SplitJob &job, int pageCount)
{
    PlanReport plan;
    plan.document = job.DocumentPath();
    plan.pageCount = pageCount;
    for (const PartRange &range : job.Parts()) {
        Part part;
        part.range = range;
        const OutputTarget target = job.TargetOf(range);
        part.path = target.path;
        // Anything at the name is in the way: a file to replace, or what no part can replace.
        part.exists = target.kind != OutputTarget::Kind::New && target.kind != OutputTarget::Kind::FolderMissing
                      && target.kind != OutputTarget::Kind::FolderNotWritable;
        plan.parts << part;
    }
    return plan;
}

QString PlanReport::Text() const
{
    QStringList lines;
    for (const Part &part : parts)
        lines << part.range.Line(part.path) + (part.exists ? QStringLiteral(" (exists)") : QString());
    for (const QString &refusal : refusals)
        lines << QStringLiteral("refused: ") + refusal;
    return lines.join(QLatin1Char('\n'));
}

QByteArray PlanReport::Json() const
{
    return QJsonDocument(Object()).toJson(QJsonDocument::Indented);
}

QJsonObject PlanReport::Object() const
{
    QJsonArray partList;
    for (const Part &part : parts) {
        QJsonArray leftOut;
        for (int page : part.range.leftOut)
            leftOut << page;
        partList << QJsonObject{{QStringLiteral("number"), part.range.partNumber},
                                {QStringLiteral("firstPage"), part.range.firstPage},
                                {QStringLiteral("lastPage"), part.range.lastPage},
                                {QStringLiteral("leftOut"), leftOut},
                                {QStringLiteral("path"), part.path},
                                {QStringLiteral("exists"), part.exists}};
    }
    return QJsonObject{{QStringLiteral("document"), document},
                       {QStringLiteral("pageCount"), pageCount},
                       {QStringLiteral("parts"), partList},
                       {QStringLiteral("refusals"), QJsonArray::fromStringList(refusals)}};
}

} // namespace qw
