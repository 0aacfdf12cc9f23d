#include "PageCountQuery.h"

#include "ProtocolWords.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryFile>

#include <climits>

namespace qw {

namespace {
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

QString TemporaryFolder()
{
    const QString folder = QDir::tempPath();
    if (!folder.isEmpty())
        return folder;
    const QString named = qEnvironmentVariable("TMPDIR");
    return named.isEmpty() ? QStringLiteral("/tmp") : named;
}

QString MakeTempFileName(const QString &extension, QString *error)
{
    if (QDir::tempPath().isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("qw::PageCountQuery", "the folder does not exist");
        return {};
    }
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/txtXXXXXX.tmp") + extension);
    file.setAutoRemove(false);
    if (!file.open()) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return QDir::toNativeSeparators(file.fileName());
}

int ParsePageCountReport(QByteArrayView report)
{
    // The report is read as text: nothing after a NUL byte counts.
    const qsizetype nul = report.indexOf('\0');
    if (nul >= 0)
        report = report.first(nul);
    namespace keys = quirekit::protocol::report;
    static const QByteArray entry = ProtocolBytes(keys::PageCount).toByteArray().append(ProtocolBytes(keys::Separator));
    const qsizetype at = report.indexOf(entry);
    if (at < 0)
        return 0;
    return atoiClamped(report.sliced(at + entry.size()));
}


} // namespace qw
