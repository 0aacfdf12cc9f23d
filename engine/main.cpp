#include "Engine.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

// The process ends after one run, so the run leaves its objects to the exit; builds that
// look for leaks free them, so that a real leak still shows.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUIREKIT_LEAK_CHECKED
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QUIREKIT_LEAK_CHECKED)
constexpr quirekit::Engine::Options kOptions{quirekit::Engine::Teardown::Free};
#else
constexpr quirekit::Engine::Options kOptions{quirekit::Engine::Teardown::LeaveToExit};
#endif

int main(int argc, char **argv)
{
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        const auto variable = [](const char *name) {
            const char *value = std::getenv(name);
            return std::string(value ? value : "");
        };
        const quirekit::Environment environment{variable("QUIREKIT_REPLACE"), variable("QUIREKIT_DOCUMENT"),
                                                   variable("QUIREKIT_THREADS")};
        return quirekit::Engine::run(args, environment, std::cin, std::cout, std::cerr, kOptions);
    } catch (const std::bad_alloc &error) {
        std::cerr << "quirekit: " << error.what() << "\n";
        return quirekit::Engine::kOutOfMemory;
    } catch (const std::exception &error) {
        std::cerr << "quirekit: " << error.what() << "\n";
        return quirekit::Engine::kFailure;
    }
}
