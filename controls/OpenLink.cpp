#include "OpenLink.h"

#include "core/CommandLine.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QUrl>

namespace qw {

namespace {

const QString kWebPageKey = QStringLiteral(".htm");
const QString kCommandKeySuffix = QStringLiteral("\\shell\\open\\command");
// Registry placeholders and the desktop-entry field codes that stand for the target.
const QStringList kPlaceholders
    = {QStringLiteral("%1"), QStringLiteral("%u"), QStringLiteral("%U"), QStringLiteral("%f"), QStringLiteral("%F")};
constexpr int kQueryTimeoutMs = 5000;

OpenLinkSeams::PlatformOpener &platformOpener()
{
    static OpenLinkSeams::PlatformOpener instance;
    return instance;
}

OpenLinkSeams::ClassReader &classReader()
{
    static OpenLinkSeams::ClassReader instance;
    return instance;
}

OpenLinkSeams::Starter &starter()
{
    static OpenLinkSeams::Starter instance;
    return instance;
}

qsizetype firstOccurrence(const QString &text, const QStringList &needles)
{
    qsizetype first = -1;
    for (const QString &needle : needles) {
        const qsizetype at = text.indexOf(needle);
        if (at >= 0 && (first < 0 || at < first))
            first = at;
    }
    return first;
}

// An existing path is a file even when it reads like "name:rest"; a one-letter scheme is a
// drive letter, not a scheme.
QUrl urlForTarget(const QString &target)
{
    const QFileInfo file(target);
    if (!target.isEmpty() && file.exists())
        return QUrl::fromLocalFile(file.absoluteFilePath());
    const QUrl url(target, QUrl::TolerantMode);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return {};
}

unsigned missingPathResult(const QString &target)
{
    if (target.isEmpty() || QFileInfo(target).absoluteDir().exists())
        return LinkResult::FileNotFound;
    return LinkResult::PathNotFound;
}

unsigned openWithPlatform(const QString &target)
{
    const QUrl url = urlForTarget(target);
    // Like the shell, a path that does not exist is an error before any program is asked.
    if (url.isEmpty())
        return missingPathResult(target);
    const bool opened = platformOpener() ? platformOpener()(url) : QDesktopServices::openUrl(url);
    return opened ? LinkResult::Opened : LinkResult::NoAssociation;
}

unsigned startFailureResult(const QString &program)
{
    const QString found = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    const QFileInfo file(found);
    if (found.isEmpty() || !file.exists())
        return missingPathResult(found.isEmpty() ? program : found);
    if (!file.isExecutable())
        return LinkResult::AccessDenied;
    return LinkResult::OutOfResources;
}

unsigned startProgram(const QString &program, const QStringList &arguments)
{
    if (starter())
        return starter()(program, arguments);
    // Detached and without a shell: the target reaches the program as one argument, whatever
    // characters it holds.
    if (QProcess::startDetached(program, arguments))
        return LinkResult::Opened;
    return startFailureResult(program);
}

QStringList registeredBrowserCommand(const QString &target)
{
    QString fileType;
    if (ReadClassDefault(kWebPageKey, fileType) != 0)
        return {};
    QString command;
    if (ReadClassDefault(fileType + kCommandKeySuffix, command) != 0)
        return {};
    return FallbackArguments(command, target);
}

// Desktop ids are plain file names; anything else could reach outside the applications folders.
bool isDesktopId(const QString &id)
{
    return id.endsWith(QLatin1String(".desktop")) && !id.startsWith(QLatin1Char('.')) && !id.contains(QLatin1Char('/'))
           && !id.contains(QLatin1Char('\\'));
}

// The desktop entry that xdg-mime names for `mimeType`, or nothing.
QString queryDefaultApplication(const QString &mimeType)
{
    QProcess query;
    query.setStandardErrorFile(QProcess::nullDevice());
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(kQueryTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).section(QLatin1Char('\n'), 0, 0).trimmed();
}

unsigned queryDefaultBrowserEntry(QString &output)
{
    for (const QString &mimeType : {QStringLiteral("x-scheme-handler/http"), QStringLiteral("text/html")}) {
        const QString id = queryDefaultApplication(mimeType);
        if (isDesktopId(id)) {
            output = id;
            return 0;
        }
    }
    return LinkResult::FileNotFound;
}

// Resolves the escapes of a desktop-entry string; the Exec line's own quoting is left for
// the command-line splitter.
QString unescapeDesktopString(const QString &value)
{
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            text.append(c);
            continue;
        }
        const QChar next = value[i + 1];
        switch (next.unicode()) {
        case 's': text.append(QLatin1Char(' ')); break;
        case 'n': text.append(QLatin1Char('\n')); break;
        case 't': text.append(QLatin1Char('\t')); break;
        case 'r': text.append(QLatin1Char('\r')); break;
        case '\\': text.append(QLatin1Char('\\')); break;
        default: text.append(c).append(next); break;
        }
        ++i;
    }
    return text;
}

unsigned readDesktopExec(const QString &desktopId, QString &output)
{
    if (!isDesktopId(desktopId))
        return LinkResult::FileNotFound;
    QFile file(QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return LinkResult::FileNotFound;
    QTextStream in(&file);
    bool inEntryGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntryGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inEntryGroup || equals < 0 || line.left(equals).trimmed() != QLatin1String("Exec"))
            continue;
        output = unescapeDesktopString(line.mid(equals + 1).trimmed());
        return 0;
    }
    return LinkResult::FileNotFound;
}

QString cutAtPlaceholder(const QString &registeredCommand)
{
    QStringList quoted;
    for (const QString &placeholder : kPlaceholders)
        quoted << QLatin1Char('"') + placeholder + QLatin1Char('"');
    qsizetype cut = firstOccurrence(registeredCommand, quoted);
    if (cut < 0)
        cut = firstOccurrence(registeredCommand, kPlaceholders);
    return cut < 0 ? registeredCommand : registeredCommand.left(cut);
}

} // namespace

unsigned OpenLink(const QString &target, [[maybe_unused]] int showCommand)
{
    // showCommand has no counterpart here: the desktop decides how new windows appear.
    const unsigned shellResult = openWithPlatform(target);
    if (LinkResult::Succeeded(shellResult) || target.isEmpty())
        return shellResult;
    const QStringList command = registeredBrowserCommand(target);
    if (command.isEmpty())
        return shellResult;
    return startProgram(command.first(), command.mid(1));
}

unsigned ReadClassDefault(const QString &keyPath, QString &output)
{
    if (classReader())
        return classReader()(keyPath, output);
    if (keyPath == kWebPageKey)
        return queryDefaultBrowserEntry(output);
    if (keyPath.endsWith(kCommandKeySuffix))
        return readDesktopExec(keyPath.chopped(kCommandKeySuffix.size()), output);
    return LinkResult::FileNotFound;
}

QStringList FallbackArguments(const QString &registeredCommand, const QString &target)
{
    QStringList arguments = CommandLine::Split(cutAtPlaceholder(registeredCommand));
    // A command that is only the placeholder would run the target itself as a program.
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return {};
    arguments << target;
    return arguments;
}

void OpenLinkSeams::SetPlatformOpener(PlatformOpener opener)
{
    platformOpener() = std::move(opener);
}

void OpenLinkSeams::SetClassReader(ClassReader reader)
{
    classReader() = std::move(reader);
}

void OpenLinkSeams::SetStarter(Starter starter)
{
    qw::starter() = std::move(starter);
}

} // namespace qw
