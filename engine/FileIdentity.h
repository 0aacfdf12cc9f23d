#pragma once

#include <cstdint>
#include <string>

namespace quirekit {

// A file as the file system knows it, whatever names lead to it: its device and inode.
struct FileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileId &) const = default;
};

// One version of a file: its identity, and the size, modification time and change time that
// rewriting it in place changes. The modification time can be set back (rsync -t, touch -r),
// the change time cannot: any write, or setting the modification time, moves it to now.
struct FileVersion {
    FileId id;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0; // since the epoch
    std::int64_t modifiedNanoseconds = 0; // 0 to 999999999, within that second
    std::int64_t changedSeconds = 0; // since the epoch
    std::int64_t changedNanoseconds = 0;
    // False for a version told without its change time (by an older caller): then the change
    // time is not compared.
    bool hasChangeTime = true;

    // Whether this file, as it is now, is still the version `expected` describes.
    bool matches(const FileVersion &expected) const
    {
        return id == expected.id && size == expected.size && modifiedSeconds == expected.modifiedSeconds
               && modifiedNanoseconds == expected.modifiedNanoseconds
               && (!expected.hasChangeTime
                   || (changedSeconds == expected.changedSeconds && changedNanoseconds == expected.changedNanoseconds));
    }
};

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
    // The identity of what the path names: the entry itself, or with followLinks what it
    // leads to. False (errno set) when there is nothing.
    static bool idOf(const std::string &path, bool followLinks, FileId &id);
    // The version of an open file. False (errno set) when it cannot be learned.
    static bool versionOf(int fd, FileVersion &version);
};

} // namespace quirekit
