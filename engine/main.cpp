#include "Engine.h"
#include "LeakCheck.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
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
        return quirekit::protocol::Exit::Failed; // nothing may be written safely, not even why
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        namespace names = quirekit::protocol::variable;
        // Each name is a literal, so its view ends in a NUL.
        const auto variable = [](std::string_view name) {
            const char *value = std::getenv(name.data());
            return std::string(value ? value : "");
        };
        const quirekit::Environment environment{variable(names::Replace), variable(names::Document),
                                                variable(names::Threads), variable(names::PageSeconds),
                                                variable(names::PageMemory)};
        return quirekit::Engine::run(args, environment, std::cin, std::cout, std::cerr, kOptions);
    } catch (const std::bad_alloc &error) {
        std::cerr << "quirekit: " << error.what() << "\n";
        return quirekit::protocol::Exit::OutOfMemory;
    } catch (const std::exception &error) {
        std::cerr << "quirekit: " << error.what() << "\n";
        return quirekit::protocol::Exit::Failed;
    }
}
