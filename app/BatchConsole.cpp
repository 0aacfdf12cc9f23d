#include "BatchConsole.h"

#include <QByteArray>

namespace qw {

void BatchConsole::Print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void BatchConsole::Progress(const QString &line) const
{
    Print(stderr, tag_ + line);
}

void BatchConsole::Warn(const QString &message) const
{
    Print(stderr, tag_ + QStringLiteral("quirewright: warning: ") + message);
}

int BatchConsole::Fail(int exitCode, const QString &message) const
{
    Print(stderr, tag_ + QStringLiteral("quirewright: ") + message);
    return exitCode;
}

} // namespace qw
