#include "FileStamp.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>

namespace qw {

#endif

FileStamp FileStamp::Of(const QString &path)
{
    FileStamp stamp;
#ifdef Q_OS_UNIX
    struct stat status { };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return stamp;
    constexpr qint64 kNsPerSecond = 1000000000;
    stamp.exists = true;
    stamp.regular = S_ISREG(status.st_mode);
    stamp.device = quint64(status.st_dev);
    stamp.inode = quint64(status.st_ino);
    stamp.size = qint64(status.st_size);
    stamp.modifiedNs = qint64(status.st_mtim.tv_sec) * kNsPerSecond + status.st_mtim.tv_nsec;
    stamp.changedNs = qint64(status.st_ctim.tv_sec) * kNsPerSecond + status.st_ctim.tv_nsec;
#else
    // Without inode numbers, the times and the size are what tells versions apart.
    const QFileInfo info(path);
    if (!info.exists())
        return stamp;
    stamp.exists = true;
    stamp.regular = info.isFile();
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    stamp.changedNs = info.metadataChangeTime().toMSecsSinceEpoch() * 1000000;
#endif
    return stamp;
}

} // namespace qw
