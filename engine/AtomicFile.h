#pragma once

#include "Status.h"

#include <string>

namespace quirekit {

// Writes a file so that its target only ever holds a complete result: the data goes to a
// uniquely named temporary file in the target's folder, created exclusively, which is
// renamed over the target on commit(). A replaced target's permissions (and, where
// allowed, owner and group) carry over to the new file. Destroying an uncommitted
// AtomicFile removes the temporary file; so does an interrupting SIGINT, SIGTERM or SIGHUP.
// The temporary name carries the process id, .quirekit-<pid>-XXXXXX, so that create() can
// remove the files left in the folder by runs that were killed outright.
class AtomicFile {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();

    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    Status create();
    int descriptor() const { return m_fd; }
    Status writeAll(const std::string &data);
    // durable: flush the data to disk before the rename (for documents; a transient
    // report does not need it).
    Status commit(bool durable);
    void discard();

private:
    std::string m_target;
    std::string m_tempPath;
    int m_fd = -1;
};

} // namespace quirekit
