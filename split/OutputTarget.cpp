#include "OutputTarget.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace qw {

namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// The path with every link and ".." resolved by the file system; empty when it cannot be, with
// errno telling why.
QString realPath(const QString &path)
{
    char *resolved = ::realpath(encoded(path).constData(), nullptr);
    if (!resolved)
        return {};
    const QString result = QFile::decodeName(resolved);
    std::free(resolved);
    return result;
}

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool canCreateIn(const QString &folder)
{
    return ::access(encoded(folder).constData(), W_OK | X_OK) == 0;
}

// As the engine judges it: a file this process may not write, or that nobody may write (which
// even a process that could override it respects).
bool readOnly(const QString &path, mode_t mode)
{
    return (mode & 0222) == 0 || ::access(encoded(path).constData(), W_OK) != 0;
}

QString linkTextOf(const QString &path)
{
    QByteArray buffer(4096, Qt::Uninitialized);
    const ssize_t length = ::readlink(encoded(path).constData(), buffer.data(), size_t(buffer.size()));
    return length < 0 ? QString() : QFile::decodeName(buffer.left(length));
}

} // namespace

OutputTarget OutputTarget::Resolve(const QString &workingFolder, const QString &argument)
{
    OutputTarget target;
    // A relative working folder, like no folder at all, is taken from this program's own.
    const QString folderOfRun = workingFolder.startsWith(QLatin1Char('/'))
                                    ? workingFolder
                                    : joined(QDir::currentPath(), workingFolder);
    target.path = argument.startsWith(QLatin1Char('/')) ? argument : joined(folderOfRun, argument);

    const qsizetype slash = target.path.lastIndexOf(QLatin1Char('/'));
    const QString name = target.path.mid(slash + 1);
    const QString folder = realPath(slash == 0 ? QStringLiteral("/") : target.path.left(slash));
    if (folder.isEmpty()) {
        target.kind = errno == ENOENT || errno == ENOTDIR ? Kind::FolderMissing : Kind::FolderNotWritable;
        return target;
    }
    target.path = joined(folder, name);

    struct stat entry { };
    if (::lstat(encoded(target.path).constData(), &entry) != 0) {
        target.kind = errno == ENOENT && canCreateIn(folder) ? Kind::New : Kind::FolderNotWritable;
        return target;
    }
    if (S_ISLNK(entry.st_mode)) {
        struct stat leadsTo { };
        if (::stat(encoded(target.path).constData(), &leadsTo) != 0) {
            target.kind = Kind::DanglingLink;
            target.linkText = linkTextOf(target.path);
            return target;
        }
        if (!S_ISREG(leadsTo.st_mode)) {
            target.kind = Kind::LinkToNonFile;
            return target;
        }
        // The engine writes the file the link leads to, beside that file.
        target.path = realPath(target.path);
        entry = leadsTo;
    }
    if (S_ISDIR(entry.st_mode))
        target.kind = Kind::Folder;
    else if (!S_ISREG(entry.st_mode))
        target.kind = Kind::NotAFile;
    else if (readOnly(target.path, entry.st_mode))
        target.kind = Kind::ReadOnly;
    else if (!canCreateIn(target.path.left(target.path.lastIndexOf(QLatin1Char('/')) + 1)))
        target.kind = Kind::FolderNotWritable;
    else
        target.kind = Kind::File;
    target.stamp = FileStamp::Of(target.path);
    return target;
}

} // namespace qw
