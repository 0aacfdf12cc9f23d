#include "OutputNaming.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStringList>

namespace qw {

namespace {

struct SplitPath {
    QString folder; // up to and including the last separator; empty when there is none
    QString baseName; // the file name without its extension
};

// Splits a path the way drive/folder/name/extension splitting does: the extension runs from
// the last dot of the file name on.
SplitPath splitPath(const QString &path)
{
    const QString native = QDir::toNativeSeparators(path);
    const qsizetype slash = native.lastIndexOf(QDir::separator());
    SplitPath parts;
    parts.folder = native.left(slash + 1);
    const QString fileName = native.mid(slash + 1);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    parts.baseName = dot < 0 ? fileName : fileName.left(dot);
    return parts;
}

} // namespace

OutputLocation ResolveOutputLocation(const QString &documentPath, int saveFileType, const QString &askedFolder,
                                     const QString &outFolderName)
{
    const SplitPath document = splitPath(documentPath);
    const auto inFolder = [&](const QString &folder) {
        const QString withSeparator = folder + QDir::separator();
        return OutputLocation{withSeparator + document.baseName, withSeparator};
    };
    switch (saveFileType) {
    case 1: return inFolder(askedFolder);
    case 2: return inFolder(outFolderName);
    default: return {document.folder + document.baseName, document.folder};
    }
}

QString UnknownTokensNotice(const QString &pattern)
{
    static const QStringList tokens{QStringLiteral("{basename}"),   QStringLiteral("{part}"),
                                    QStringLiteral("{part:0000}"),  QStringLiteral("{filecount}"),
                                    QStringLiteral("{pagebegin}"),  QStringLiteral("{pageend}"),
                                    QStringLiteral("{bookmark}"),   QStringLiteral("{separator}")};
    static const QRegularExpression braced(QStringLiteral("\\{[^{}]*\\}"));
    QStringList unknown;
    for (auto it = braced.globalMatch(pattern); it.hasNext();) {
        const QString candidate = it.next().captured();
        if (!tokens.contains(candidate) && !unknown.contains(candidate))
            unknown << candidate;
    }
    if (unknown.isEmpty())
        return {};
    //: %1 is the unknown text in braces, %2 the known tokens
    const QString text = unknown.size() == 1
                             ? QCoreApplication::translate("qw::OutputNaming", "unknown token %1 in the pattern; the tokens are %2")
                             //: %1 lists the unknown texts in braces, %2 the known tokens
                             : QCoreApplication::translate("qw::OutputNaming",
                                                           "unknown tokens %1 in the pattern; the tokens are %2");
    return text.arg(unknown.join(QStringLiteral(", ")), tokens.join(QLatin1Char(' ')));
}

bool ReplaceFirst(QString &text, const QString &token, const QString &value)
{
    const qsizetype at = text.indexOf(token, 0, Qt::CaseSensitive);
    if (at < 0)
        return false;
    text.replace(at, token.size(), value);
    return true;
}

QString ExpandNamePattern(const QString &pattern, const QString &basePath, int firstPage, int lastPage, int partNumber,
                          int fileCount, const QString &bookmark, const QString &separator)
{
    QString path = pattern.isEmpty() ? QStringLiteral("{basename} {part}") : pattern;
    ReplaceFirst(path, QStringLiteral("{basename}"), basePath);
    ReplaceFirst(path, QStringLiteral("{pagebegin}"), QString::number(firstPage));
    ReplaceFirst(path, QStringLiteral("{pageend}"), QString::number(lastPage));
    ReplaceFirst(path, QStringLiteral("{part}"), QString::number(partNumber));
    ReplaceFirst(path, QStringLiteral("{part:0000}"), QStringLiteral("%1").arg(partNumber, 4, 10, QLatin1Char('0')));
    ReplaceFirst(path, QStringLiteral("{filecount}"), QString::number(fileCount));
    // After the six, so that their order and results stay as they were.
    ReplaceFirst(path, QStringLiteral("{bookmark}"), bookmark);
    ReplaceFirst(path, QStringLiteral("{separator}"), separator);
    return path + QStringLiteral(".pdf");
}

} // namespace qw
