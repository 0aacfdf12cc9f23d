#include "OutputClaims.h"

#include <QFileInfo>

namespace qw {

namespace {

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

SplitRefusal OutputClaims::Claim(const QString &document, const QList<OutputTarget> &targets, const QString &archiveTarget)
{
    QStringList paths;
    for (const OutputTarget &target : targets) {
        for (const auto &[stamp, other] : documents_)
            if (other != document && target.stamp.SameFile(stamp))
                return {SplitRefusal::Kind::PartIsAnotherDocument, target.path, int(paths.size()) + 1, 0, other};
        paths << target.path;
    }
    if (!archiveTarget.isEmpty())
        paths << resolvedArchive(archiveTarget);

    const std::lock_guard lock(mutex_);
    for (const QString &path : paths) {
        const QString other = claimed_.value(path);
        if (!other.isEmpty() && other != document)
            return {SplitRefusal::Kind::ClaimedByAnotherDocument, path, 0, 0, other};
    }
    for (const QString &path : paths)
        claimed_.insert(path, document);
    return {};
}

} // namespace qw
