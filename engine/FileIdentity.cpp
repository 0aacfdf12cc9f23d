#include "FileIdentity.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

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
    struct stat st { };
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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
