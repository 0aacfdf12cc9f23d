#pragma once

#include <QString>

// Makes file-system entries of every kind the engine must tell apart, for the tests that give
// it one as a document or as an output.
class FileKinds {
public:
    // kind: "fifo", "socket", "device" (the null device's numbers; needs root), "folder",
    // "readOnly" (a file nobody may write) or "file" (holding "previous content").
    static bool make(const QString &kind, const QString &path);
};
