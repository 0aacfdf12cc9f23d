#include "SplitPlan.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

// The path a file has or would have, with links and ".." resolved as far as folders exist.
QString resolvedPath(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists())
        return file.canonicalFilePath();
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return QDir::cleanPath((folder.isEmpty() ? file.absolutePath() : folder) + QLatin1Char('/') + file.fileName());
}

} // namespace

QList<PartRange> SplitPlan::FromRows(const QStringList &rows, const QString &breakPointText)
{
    const int fileCount = int(rows.count(breakPointText)) + 1;
    QList<PartRange> parts;
    int firstPage = 1;
    int pagesCounted = 0;
    int partNumber = 1;
    for (const QString &row : rows) {
        if (row != breakPointText) {
            ++pagesCounted;
            continue;
        }
        parts.append({firstPage, pagesCounted, partNumber, fileCount});
        firstPage = pagesCounted + 1;
        ++partNumber;
    }
    parts.append({firstPage, pagesCounted, partNumber, fileCount});
    return parts;
}

QString SplitPlan::FindOutputConflict(const QString &document, const QStringList &outputs)
{
    const QString source = resolvedPath(document);
    QHash<QString, int> partOfPath;
    for (int i = 0; i < outputs.size(); ++i) {
        const QString path = resolvedPath(outputs.at(i));
        const QString shown = QDir::toNativeSeparators(outputs.at(i));
        if (path == source)
            return QStringLiteral("Part %1 would be written over the document being split:\n%2\n\n"
                                  "Choose another name pattern or output folder. Nothing was written.")
                .arg(i + 1)
                .arg(shown);
        if (partOfPath.contains(path))
            return QStringLiteral("Parts %1 and %2 would both be written to\n%3\n\n"
                                  "Put {part} or {part:0000} in the name pattern so that every part gets a "
                                  "name of its own. Nothing was written.")
                .arg(partOfPath.value(path) + 1)
                .arg(i + 1)
                .arg(shown);
        partOfPath.insert(path, i);
    }
    return {};
}
