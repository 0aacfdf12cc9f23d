#pragma once

#include <string>

namespace quirekit {

// Decides whether two path names reach the same file, however they are spelled:
// relative or absolute, with ./ or .., through symbolic links or as hard links; and what
// kind of file a path names, so that only regular files are read and replaced.
class FileIdentity {
public:
    enum class Kind { Missing, Regular, Folder, SymbolicLink, Device, NamedPipe, Socket, Special };

    static bool sameFile(const std::string &existing, const std::string &other);
    static bool isFolder(const std::string &path);
    // The entry itself (a symbolic link is reported as one); error receives errno when Missing.
    static Kind entryKind(const std::string &path, int &error);
    // What the path leads to, following symbolic links; error receives errno when Missing.
    static Kind targetKind(const std::string &path, int &error);
    // "a folder", "a device", ...: for messages.
    static const char *describe(Kind kind);
    // Where a symbolic link points, as written in the link; empty if it cannot be read.
    static std::string linkText(const std::string &path);
    // The absolute path with every symbolic link resolved; empty if it cannot be found.
    static std::string canonical(const std::string &path);
    // True when the file may not be written by this process, or when nobody may write it:
    // a file marked read-only is respected even by a process that could override that.
    static bool isReadOnly(const std::string &path);
};

} // namespace quirekit
