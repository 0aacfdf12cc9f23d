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
    // One line each, which scripts read line by line: a line break or other control character
    // in a document's or a part's name shows as "?", as ls shows it.
    QString shown = line;
    for (QChar &c : shown)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    Print(stderr, tag_ + shown);
}

void BatchConsole::Detail(const QString &message) const
{
    Print(stderr, tag_ + message);
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
