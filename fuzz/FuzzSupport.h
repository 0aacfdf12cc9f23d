#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Shared by the fuzz targets: taking an input apart, a scratch folder, and stopping loudly.
namespace quirefuzz {

// Reads an input from the front: small numbers first, then texts ended by a NUL byte, then the
// rest. Past the end every number is 0 and every text empty, so any input is a valid one.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size)
        : m_bytes(reinterpret_cast<const char *>(data), size)
    {
    }

    std::uint8_t byte();
    std::string_view text();
    std::string_view rest();

private:
    std::string_view m_bytes;
};

// A folder of this process's own, removed when the process ends.
const std::string &scratchFolder();
// Writes `bytes` to `name` in the scratch folder, replacing it; returns its path.
std::string writeScratchFile(const std::string &name, std::string_view bytes);
std::string readFile(const std::string &path);

// A broken promise of the code under test: says which, and aborts so the fuzzer keeps the input.
[[noreturn]] void fail(const std::string &what);
inline void require(bool holds, const std::string &what)
{
    if (!holds)
        fail(what);
}

} // namespace quirefuzz
