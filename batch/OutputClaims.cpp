#include "OutputClaims.h"

#include <QDir>
#include <QFileInfo>

namespace qw {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The archive target as the file system finds its folder, so that two names of one folder meet.
QString resolvedArchive(const QString &target)
{
    const QFileInfo file(target);
    const QString folder = QFileInfo(file.path()).canonicalFilePath();
    return folder.isEmpty() ? target : folder + QLatin1Char('/') + file.fileName();
}

} // namespace

OutputClaims::OutputClaims(const QStringList &documents)
{
    for (const QString &document : documents)
        documents_.append({FileStamp::Of(document), document});
}

QString OutputClaims::Claim(const QString &document, const QList<OutputTarget> &targets, const QString &archiveTarget)
{
    QStringList paths;
    for (const OutputTarget &target : targets) {
        for (const auto &[stamp, other] : documents_)
            if (other != document && target.stamp.SameFile(stamp))
                return tr("Part file %1 is %2, another document of this run. Give a --pattern with "
                          "{basename}, or another --output-folder. Nothing was written.")
                    .arg(shown(target.path), shown(other));
        paths << target.path;
    }
    if (!archiveTarget.isEmpty())
        paths << resolvedArchive(archiveTarget);

    const std::lock_guard lock(mutex_);
    for (const QString &path : paths) {
        const QString other = claimed_.value(path);
        if (!other.isEmpty() && other != document)
            return tr("%1 is also where %2, another document of this run, goes. Give a --pattern with "
                      "{basename}, or split the documents in separate runs. Nothing was written.")
                .arg(shown(path), shown(other));
    }
    for (const QString &path : paths)
        claimed_.insert(path, document);
    return {};
}

} // namespace qw
