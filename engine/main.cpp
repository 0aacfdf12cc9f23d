#include "Engine.h"
#include "LeakCheck.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

// The process ends after one run, so the run leaves its objects to the exit; builds that
// look for leaks free them, so that a real leak still shows.
constexpr quirekit::Engine::Options kOptions{quirekit::kLeaksChecked ? quirekit::Engine::Teardown::Free
                                                                      : quirekit::Engine::Teardown::LeaveToExit};

namespace {

// A standard stream that the caller closed would be taken by the next file the engine opens,
// the part it writes, and MuPDF's warnings would land inside it: each closed one is opened on
// /dev/null first. False when one stays closed.
bool openClosedStandardStreams()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        // The lowest free number: this one, as those below it are open.
        const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened != fd) {
            if (opened >= 0)
                ::close(opened);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (!openClosedStandardStreams())
        return quirekit::Engine::kFailure; // nothing may be written safely, not even why
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        const auto variable = [](const char *name) {
            const char *value = std::getenv(name);
            return std::string(value ? value : "");
        };
        const quirekit::Environment environment{variable("QUIREKIT_REPLACE"), variable("QUIREKIT_DOCUMENT"),
                                                variable("QUIREKIT_THREADS"), variable("QUIREKIT_PAGE_SECONDS"),
                                                variable("QUIREKIT_PAGE_MEMORY")};
        return quirekit::Engine::run(args, environment, std::cin, std::cout, std::cerr, kOptions);
    } catch (const std::bad_alloc &error) {
        std::cerr << "quirekit: " << error.what() << "\n";
        return quirekit::Engine::kOutOfMemory;
    } catch (const std::exception &error) {
        std::cerr << "quirekit: " << error.what() << "\n";
        return quirekit::Engine::kFailure;
    }
}
