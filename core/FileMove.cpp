#include "FileMove.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qw {

namespace {

enum class Step { Done, Exists, CrossDevice, Failed };

// An atomic rename that fails when the target exists.
Step renameNoReplace(const QString &source, const QString &target)
{
#ifdef Q_OS_LINUX
    if (::renameat2(AT_FDCWD, QFile::encodeName(source).constData(), AT_FDCWD, QFile::encodeName(target).constData(),
                    RENAME_NOREPLACE)
        == 0)
        return Step::Done;
    if (errno == EEXIST)
        return Step::Exists;
    if (errno == EXDEV)
        return Step::CrossDevice;
    if (errno != EINVAL && errno != ENOSYS)
        return Step::Failed;
    // The file system cannot rename without replacing; a hard link can.
    if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) == 0) {
        ::unlink(QFile::encodeName(source).constData());
        return Step::Done;
    }
    return errno == EEXIST ? Step::Exists : errno == EXDEV ? Step::CrossDevice : Step::Failed;
#else
    if (QFileInfo::exists(target))
        return Step::Exists;
    return QFile::rename(source, target) ? Step::Done : Step::Failed;
#endif
}

// Copies the source into a new file in the target's folder, then gives the copy the target's
// name without replacing anything, then removes the source.
MoveResult copyThenRemove(const QString &source, const QString &target)
{
    QFile in(source);
    QTemporaryFile copy(QFileInfo(target).absolutePath() + QStringLiteral("/.moving-XXXXXX"));
    if (!in.open(QIODevice::ReadOnly) || !copy.open())
        return MoveResult::Failed;
    char buffer[1 << 16];
    for (qint64 n; (n = in.read(buffer, sizeof buffer)) > 0;)
        if (copy.write(buffer, n) != n)
            return MoveResult::Failed;
    if (in.error() != QFileDevice::NoError || !copy.flush())
        return MoveResult::Failed;
#ifdef Q_OS_LINUX
    ::fsync(copy.handle());
#endif
    copy.setPermissions(in.permissions());
    const Step step = renameNoReplace(copy.fileName(), target);
    if (step != Step::Done)
        return step == Step::Exists ? MoveResult::TargetExists : MoveResult::Failed;
    copy.setAutoRemove(false);
    if (!in.remove()) {
        // The source could not go: undo the copy, so the file is not in two places.
        QFile::remove(target);
        return MoveResult::Failed;
    }
    return MoveResult::Moved;
}

} // namespace

MoveResult MoveFileNoReplace(const QString &source, const QString &target)
{
    if (!QFileInfo(source).isFile())
        return MoveResult::Failed;
    switch (renameNoReplace(source, target)) {
    case Step::Done: return MoveResult::Moved;
    case Step::Exists: return MoveResult::TargetExists;
    case Step::CrossDevice: return copyThenRemove(source, target);
    case Step::Failed: break;
    }
    return MoveResult::Failed;
}

} // namespace qw
