#include "Engine.h"
#include "LeakCheck.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

// The process ends after one run, so the run leaves its objects to the exit; builds that
// look for leaks free them, so that a real leak still shows.
constexpr quirekit::Engine::Options kOptions{quirekit::kLeaksChecked ? quirekit::Engine::Teardown::Free
                                                                      : quirekit::Engine::Teardown::LeaveToExit};

int main(int argc, char **argv)
{
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
