#include "FileIdentity.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quirekit {

namespace {

FileIdentity::Kind kindOf(mode_t mode)
{
    using Kind = FileIdentity::Kind;
    if (S_ISREG(mode))
        return Kind::Regular;
    if (S_ISDIR(mode))
        return Kind::Folder;
    if (S_ISLNK(mode))
        return Kind::SymbolicLink;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Kind::Device;
    if (S_ISFIFO(mode))
        return Kind::NamedPipe;
    if (S_ISSOCK(mode))
        return Kind::Socket;
    return Kind::Special;
}

} // namespace

bool FileIdentity::sameFile(const std::string &existing, const std::string &other)
{
    struct stat a { };
    struct stat b { };
    if (::stat(existing.c_str(), &a) != 0)
        return false;
    if (::stat(other.c_str(), &b) == 0)
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;

    // The other file does not exist (yet): compare where it would be created.
    const auto slash = other.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : other.substr(0, slash));
    const std::string name = slash == std::string::npos ? other : other.substr(slash + 1);
    const std::string folderPath = canonical(folder);
    const std::string existingPath = canonical(existing);
    if (folderPath.empty() || existingPath.empty())
        return false;
    const std::string candidate = folderPath == "/" ? "/" + name : folderPath + "/" + name;
    return candidate == existingPath;
}

bool FileIdentity::isFolder(const std::string &path)
{
    int error = 0;
    return targetKind(path, error) == Kind::Folder;
}

FileIdentity::Kind FileIdentity::entryKind(const std::string &path, int &error)
{
    struct stat st { };
    if (::lstat(path.c_str(), &st) != 0) {
        error = errno;
        return Kind::Missing;
    }
    return kindOf(st.st_mode);
}

FileIdentity::Kind FileIdentity::targetKind(const std::string &path, int &error)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0) {
        error = errno;
        return Kind::Missing;
    }
    return kindOf(st.st_mode);
}

const char *FileIdentity::describe(Kind kind)
{
    switch (kind) {
    case Kind::Missing: return "a missing file";
    case Kind::Regular: return "a file";
    case Kind::Folder: return "a folder";
    case Kind::SymbolicLink: return "a symbolic link";
    case Kind::Device: return "a device";
    case Kind::NamedPipe: return "a named pipe";
    case Kind::Socket: return "a socket";
    case Kind::Special: return "a special file";
    }
    return "a special file";
}

std::string FileIdentity::linkText(const std::string &path)
{
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size() - 1);
    if (length < 0)
        return {};
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

bool FileIdentity::isReadOnly(const std::string &path)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0)
        return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

bool FileIdentity::idOf(const std::string &path, bool followLinks, FileId &id)
{
    struct stat st { };
    if ((followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0)
        return false;
    id = FileId{st.st_dev, st.st_ino};
    return true;
}

bool FileIdentity::versionOf(int fd, FileVersion &version)
{
    struct stat st { };
    if (::fstat(fd, &st) != 0)
        return false;
    version = FileVersion{FileId{st.st_dev, st.st_ino}, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    version.changedSeconds = st.st_ctim.tv_sec;
    version.changedNanoseconds = st.st_ctim.tv_nsec;
    return true;
}

std::string FileIdentity::canonical(const std::string &path)
{
    char *resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return {};
    std::string result(resolved);
    std::free(resolved);
    return result;
}

} // namespace quirekit
