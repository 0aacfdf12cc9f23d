#include "CommandLine.h"

namespace qw {

namespace {
bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

QStringList CommandLine::Split(const QString &commandLine)
{
    QStringList arguments;
    const qsizetype n = commandLine.size();
    qsizetype i = 0;
    for (;;) {
        while (i < n && isBlank(commandLine[i]))
            ++i;
        if (i >= n)
            break;
        QString argument;
        bool quoted = false;
        while (i < n && (quoted || !isBlank(commandLine[i]))) {
            const QChar c = commandLine[i];
            if (c == QLatin1Char('\\')) {
                qsizetype slashes = 0;
                while (i < n && commandLine[i] == QLatin1Char('\\')) {
                    ++slashes;
                    ++i;
                }
                if (i < n && commandLine[i] == QLatin1Char('"')) {
                    argument.append(QString(slashes / 2, QLatin1Char('\\')));
                    if (slashes % 2 == 1) {
                        argument.append(QLatin1Char('"'));
                        ++i;
                    }
                } else {
                    argument.append(QString(slashes, QLatin1Char('\\')));
                }
            } else if (c == QLatin1Char('"')) {
                if (quoted && i + 1 < n && commandLine[i + 1] == QLatin1Char('"')) {
                    argument.append(QLatin1Char('"'));
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument.append(c);
                ++i;
            }
        }
        arguments.append(argument);
    }
    return arguments;
}

QString CommandLine::Quote(const QString &argument)
{
    QString quoted(QLatin1Char('"'));
    qsizetype slashes = 0;
    for (const QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++slashes;
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted.append(QString(2 * slashes + 1, QLatin1Char('\\')));
        } else {
            quoted.append(QString(slashes, QLatin1Char('\\')));
        }
        slashes = 0;
        quoted.append(c);
    }
    // Backslashes before the closing quote are doubled so that it still closes.
    quoted.append(QString(2 * slashes, QLatin1Char('\\')));
    quoted.append(QLatin1Char('"'));
    return quoted;
}

} // namespace qw
