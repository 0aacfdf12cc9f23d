#pragma once

#include <cstddef>

namespace quirekit {

// The document's file mapped into memory, read-only, so that MuPDF reads it without a
// system call per seek and copied streams can point at their bytes instead of holding a
// copy. The mapped pages are the page cache's, shared with every reader of the file; they
// count toward resident memory but are not private memory.
//
// A file truncated while it is mapped would kill the process on the next read past its
// new end (SIGBUS). Such a read instead finds zeros from there on, and shrank() says so,
// so that the engine reports the document as changed and writes nothing.
class MappedSource {
public:
    MappedSource() = default;
    ~MappedSource();

    MappedSource(const MappedSource &) = delete;
    MappedSource &operator=(const MappedSource &) = delete;

    // Maps the first `size` bytes of the open file; false where the file cannot be mapped
    // (empty, too many mappings guarded at once, a file system that refuses), and the
    // caller reads it through a stream instead.
    bool map(int fd, std::size_t size);
    const unsigned char *data() const { return m_data; }
    std::size_t size() const { return m_size; }
    bool mapped() const { return m_data != nullptr; }
    // A read reached past the end of the file, which became shorter after map().
    bool shrank() const;

private:
    const unsigned char *m_data = nullptr;
    std::size_t m_size = 0;
    int m_slot = -1;
};

} // namespace quirekit
