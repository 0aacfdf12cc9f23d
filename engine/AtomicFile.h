#pragma once

#include "FileIdentity.h"
#include "Status.h"

#include <cstdint>
#include <string>

namespace quirekit {

// What a committed file may take the place of.
struct Replacement {
    enum class Rule : std::uint8_t {
        AnyFile, // whatever is at the target (the engine as used by hand)
        Nothing, // nothing: the target's name must still be free when the file is placed
        AgreedFile, // only the file `agreed`; where nothing is at the target, as Nothing
    };

    Rule rule = Rule::AnyFile;
    FileId agreed;
};

// Writes a file so that its target only ever holds a complete result: the data goes to a
// uniquely named temporary file in the target's folder, created exclusively, which takes
// the target's name on commit(). A replaced target's permissions (and, where allowed,
// owner and group) carry over to the new file. Destroying an uncommitted AtomicFile
// removes the temporary file; so does an interrupting SIGINT, SIGTERM or SIGHUP.
// The temporary name carries the process id and the machine, .quirekit-<pid>-<machine>-XXXXXX
// (the machine from /etc/machine-id, else the host name, letters and digits only), so that
// create() can remove the files left in the folder by runs of this machine that were killed
// outright; another machine's, in a shared folder, only once they are a day old.
//
// Every failure is a Status with Cause::Output, except a target that commit() may not
// replace, which is Cause::Occupied: then the temporary file is removed and the file at the
// target is left exactly as it is, even one that arrived after create().
class AtomicFile {
public:
    // How commit() puts the file in place when the Replacement limits it, strongest first.
    // It starts with the strongest and falls back only where the file system refuses one.
    enum class Primitive : std::uint8_t {
        RenameFlags, // renameat2 with RENAME_NOREPLACE, or RENAME_EXCHANGE to check what it swapped out
        HardLink, // link() to the free target name, which fails if it is taken; no exchange
        CheckedRename, // a look at the target right before a plain rename(): a moment is left between
    };

    // noun: what the file is to the user ("part", "report"), for messages.
    explicit AtomicFile(std::string target, Replacement replacement = {}, std::string noun = "file");
    ~AtomicFile();

    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // Starts placement at a weaker primitive, as on a file system that refuses the stronger
    // ones; for tests of the fallbacks.
    void startPlacementAt(Primitive primitive) { m_start = primitive; }

    // Creates the temporary file. With an agreed file, also makes sure the target still is
    // that file (else Cause::Occupied) and holds it open until the end; if nothing is at the
    // target any more, nothing may be replaced.
    Status create();
    int descriptor() const { return m_fd; }
    // Removes the temporary file of the file being written, for a process about to end
    // without unwinding: it makes only calls that are safe while another thread holds any lock.
    static void removePending();
    Status writeAll(const std::string &data);
    // durable: flush the data to disk before placing it (for documents; a transient
    // report does not need it).
    Status commit(bool durable);
    void discard();

private:
    Status holdAgreedFile();
    void releaseAgreedFile();
    Status place();
    Status placeAtFreeName();
    Status placeOverAgreed();
    Status keepOnlyAgreedFile();
    Status renameOver();
    Status appeared() const;
    Status cannotWrite(int error) const;

    std::string m_target;
    Replacement m_replacement;
    std::string m_noun;
    Primitive m_start = Primitive::RenameFlags;
    std::string m_tempPath;
    int m_fd = -1;
    int m_agreedFd = -1;
};

} // namespace quirekit
