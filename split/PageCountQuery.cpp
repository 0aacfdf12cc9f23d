#include "PageCountQuery.h"

#include "framework/CommandLine.h"
#include "EngineRunner.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <climits>

namespace qw {

namespace {
constexpr QByteArrayView kEntry = "NumberOfPages: ";

bool isCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int atoiClamped(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return int(negative ? -value : value);
}
} // namespace

QString MakeTempFileName(const QString &extension)
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/txtXXXXXX.tmp") + extension);
    file.setAutoRemove(false);
    if (!file.open())
        return {};
    return QDir::toNativeSeparators(file.fileName());
}

int ParsePageCountReport(QByteArrayView report)
{
    // The report is read as text: nothing after a NUL byte counts.
    const qsizetype nul = report.indexOf('\0');
    if (nul >= 0)
        report = report.first(nul);
    const qsizetype at = report.indexOf(kEntry);
    if (at < 0)
        return 0;
    return atoiClamped(report.sliced(at + kEntry.size()));
}

bool ReadDataReport(const QString &document, QByteArray &contents)
{
    const QString report = MakeTempFileName(QStringLiteral(".txt"));
    if (report.isEmpty())
        return false;
    const auto removeReport = qScopeGuard([&] { QFile::remove(report); });

    const QString commandLine = CommandLine::Quote(EngineRunner::EnginePath()) + QLatin1Char(' ')
                                + CommandLine::Quote(document) + QStringLiteral(" dump_data output ")
                                + CommandLine::Quote(report);
    QByteArray discarded;
    if (!EngineRunner::RunEngine(commandLine, discarded).Succeeded())
        return false;

    QFile file(report);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    contents = file.readAll();
    return true;
}

int QueryPageCount(const QString &document)
{
    QByteArray report;
    return ReadDataReport(document, report) ? ParsePageCountReport(report) : 0;
}

} // namespace qw
