#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

// Present only in a build with a sanitizer.
extern "C" __attribute__((weak)) void __sanitizer_report_error_summary(const char *summary);

namespace quirefuzz {

std::uint8_t FuzzInput::byte()
{
    if (m_bytes.empty())
        return 0;
    const auto value = static_cast<std::uint8_t>(m_bytes.front());
    m_bytes.remove_prefix(1);
    return value;
}

std::string_view FuzzInput::text()
{
    const std::size_t end = m_bytes.find('\0');
    const std::string_view value = m_bytes.substr(0, end);
    m_bytes.remove_prefix(end == std::string_view::npos ? m_bytes.size() : end + 1);
    return value;
}

std::string_view FuzzInput::rest()
{
    const std::string_view value = m_bytes;
    m_bytes = {};
    return value;
}

namespace {

std::string makeScratchFolder()
{
    // TMPDIR may name a memory file system, which keeps millions of small writes cheap.
    std::string pattern = (std::filesystem::temp_directory_path() / "quirefuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        fail("cannot create a scratch folder in " + std::filesystem::temp_directory_path().string());
    static const std::string folder = pattern;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    return pattern;
}

} // namespace

const std::string &scratchFolder()
{
    static const std::string folder = makeScratchFolder();
    return folder;
}

std::string writeScratchFile(const std::string &name, std::string_view bytes)
{
    const std::string path = scratchFolder() + "/" + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    require(static_cast<bool>(file), "cannot write the scratch file " + path);
    return path;
}

std::string readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void fail(const std::string &what)
{
    const std::string line = "FUZZ CHECK FAILED: " + what;
    // Through the sanitizers' report stream where there is one: a fuzzer run with its targets'
    // output closed (-close_fd_mask) still shows it.
    if (__sanitizer_report_error_summary)
        __sanitizer_report_error_summary(line.c_str());
    else
        std::fprintf(stderr, "\n%s\n", line.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace quirefuzz
