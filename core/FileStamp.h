#pragma once

#include <QString>
#include <QtGlobal>

namespace qw {

// One version of a file as the file system identifies it. A file that is replaced (renamed over)
// or rewritten gets a different stamp, so comparing the stamps taken before and after a run
// tells whether that run wrote the file, even when a file of that name was there before.
struct FileStamp {
    bool exists = false;
    bool regular = false; // a plain file, not a folder, device, pipe or socket
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0; // nanoseconds since the epoch
    qint64 changedNs = 0; // status change: moves with every rewrite, even one within a timer tick

    // The stamp of what `path` names now, links followed; `exists` is false when nothing does.
    static FileStamp Of(const QString &path);

    bool operator==(const FileStamp &) const = default;
    // The same file, however it is named (links, hard links): device and inode.
    bool SameFile(const FileStamp &other) const
    {
        return exists && other.exists && device == other.device && inode == other.inode;
    }
    // The same file with the same contents as far as the file system tells: a file renamed
    // over it or rewritten in place differs in inode, size, modification time or status change
    // time, which no tool can set back (a rewrite that restores the size and the modification
    // time still moves it).
    bool SameVersion(const FileStamp &other) const
    {
        return SameFile(other) && size == other.size && modifiedNs == other.modifiedNs
               && changedNs == other.changedNs;
    }
};

} // namespace qw
