#pragma once

#include "core/FileStamp.h"

#include <QString>

namespace qw {

// The file that the engine will write when it runs in `workingFolder` and is given `argument`
// as its output, found the way the file system finds it: the folder part resolved with every
// link followed (so ".." after a link leads to the parent of the link's target, not of the
// link), and a link at the name itself followed to the file it leads to, as the engine writes
// through such a link. What is there now tells whether the engine could write it at all.
struct OutputTarget {
    enum class Kind {
        New, // nothing there yet, in a folder that exists and can be written to
        File, // a plain file (or a link to one) that writing would replace
        FolderMissing, // the folder the name leads into does not exist
        FolderNotWritable, // no file can be created in that folder
        Folder, // a folder has that name
        NotAFile, // a device, pipe or socket
        DanglingLink, // a link that leads to nothing
        LinkToNonFile, // a link to a folder, device, pipe or socket
        ReadOnly, // a plain file that may not be written
    };

    Kind kind = Kind::FolderMissing;
    // Where the engine writes: the resolved path; when the folder cannot be resolved, the path
    // as named, never cleaned up by text (that could name another file).
    QString path;
    QString linkText; // for a link that leads nowhere: where it points, as written
    FileStamp stamp; // what is at `path` now, when anything is

    static OutputTarget Resolve(const QString &workingFolder, const QString &argument);

    // The engine can write here: a new file, or a file that may be replaced.
    bool Writable() const { return kind == Kind::New || kind == Kind::File; }
};

} // namespace qw
