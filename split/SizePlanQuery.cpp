#include "SizePlanQuery.h"

#include "PagesCommand.h"
#include "ProtocolWords.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <limits>

namespace qw {

namespace {

// Decimal units, as disks, networks and most mail limits count: 1 MB is 1,000,000 bytes, which
// is also within a binary megabyte, so a part of "10M" fits either reading of 10 MB.
constexpr qint64 kKilo = 1000;

qint64 unitOf(QChar letter)
{
    switch (letter.toUpper().unicode()) {
    case 'K': return kKilo;
    case 'M': return kKilo * kKilo;
    case 'G': return kKilo * kKilo * kKilo;
    default: return 1;
    }
}

QString decimals(double value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

std::optional<qint64> SizePlanQuery::ParseSize(const QString &text, QString *why)
{
    const auto refuse = [why](const QString &reason) -> std::optional<qint64> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    static const QRegularExpression kSize(QStringLiteral("^(\\d+)\\s*(?:([KkMmGg])[Bb]?|[Bb])?$"));
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch match = kSize.match(trimmed);
    if (trimmed.isEmpty())
        return refuse(QCoreApplication::translate("qw::SizePlanQuery", "No size is given."));
    if (!match.hasMatch())
        return refuse(
            QCoreApplication::translate("qw::SizePlanQuery",
                                        "'%1' is not a size: give a whole number of bytes, or one with K, M or G "
                                        "(such as 500K or 10M).")
                .arg(trimmed));
    bool fits = false;
    const qint64 number = match.captured(1).toLongLong(&fits);
    const qint64 unit = match.capturedLength(2) > 0 ? unitOf(match.captured(2).at(0)) : 1;
    if (!fits || number > std::numeric_limits<qint64>::max() / unit)
        return refuse(
            QCoreApplication::translate("qw::SizePlanQuery", "'%1' is more than can be counted.").arg(trimmed));
    if (number == 0)
        return refuse(QCoreApplication::translate("qw::SizePlanQuery", "A part cannot be at most 0 bytes."));
    return number * unit;
}

QString SizePlanQuery::SizeText(qint64 bytes)
{
    const std::pair<qint64, const char *> units[]
        = {{kKilo * kKilo * kKilo, QT_TRANSLATE_NOOP("qw::SizePlanQuery", "%1 GB")},
           {kKilo * kKilo, QT_TRANSLATE_NOOP("qw::SizePlanQuery", "%1 MB")},
           {kKilo, QT_TRANSLATE_NOOP("qw::SizePlanQuery", "%1 KB")}};
    for (const auto &[unit, text] : units)
        if (bytes >= unit)
            return QCoreApplication::translate("qw::SizePlanQuery", text).arg(decimals(double(bytes) / double(unit)));
    return bytes == 1 ? QCoreApplication::translate("qw::SizePlanQuery", "1 byte")
                      : QCoreApplication::translate("qw::SizePlanQuery", "%1 bytes").arg(bytes);
}

SizePlanQuery::Result SizePlanQuery::Run(const QString &document, const FileStamp &identity, qint64 limit,
                                         const Progress &progress)
{
    const PagesCommand::Result run = PagesCommand::Run(
        document, identity, {ProtocolText(quirekit::protocol::word::SizePlan), QString::number(limit)},
        PagesCommand::Problem::Kind::PartsNotPlanned, progress);
    if (run.stopped || run.problem) {
        Result result;
        result.stopped = run.stopped;
        result.problem = run.problem;
        return result;
    }
    return ParsePlan(run.report);
}

SizePlanQuery::Result SizePlanQuery::ParsePlan(const QByteArray &report)
{
    namespace keys = quirekit::protocol::report;
    Result result;
    bool complete = false;
    for (const QByteArray &line : report.split('\n')) {
        const int colon = line.indexOf(ProtocolBytes(keys::Separator));
        const QByteArray key = line.left(colon);
        bool number = false;
        const int page = line.mid(colon + keys::Separator.size()).toInt(&number);
        if (colon < 0 || !number)
            continue;
        if (key == ProtocolBytes(keys::PartFirstPage) && page > 1)
            result.breaks << page;
        else if (key == ProtocolBytes(keys::PartFirstPage) && page == 1)
            complete = true;
        else if (key == ProtocolBytes(keys::OversizePage))
            result.oversizePages << page;
    }
    // A plan always has a part that begins on page 1; a report without one is not a plan.
    if (!complete)
        result.problem = {PagesCommand::Problem::Kind::NoPlan, {}};
    return result;
}

QString SizePlanQuery::OversizeWarning(const QList<int> &pages, qint64 limit)
{
    if (pages.isEmpty())
        return {};
    QStringList numbers;
    for (int page : pages)
        numbers << QString::number(page);
    if (pages.size() == 1)
        return QCoreApplication::translate("qw::SizePlanQuery",
                                           "Page %1 alone is larger than %2, so its part will be larger than that.")
            .arg(numbers.first(), SizeText(limit));
    return QCoreApplication::translate(
               "qw::SizePlanQuery",
               "Pages %1 are each larger than %2 alone, so each of their parts will be larger than that.")
        .arg(numbers.join(QStringLiteral(", ")), SizeText(limit));
}

} // namespace qw
