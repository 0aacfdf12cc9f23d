#include "Engine.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        const auto variable = [](const char *name) {
            const char *value = std::getenv(name);
            return std::string(value ? value : "");
        };
        const quirekit::Environment environment{variable("QUIREKIT_REPLACE"), variable("QUIREKIT_DOCUMENT")};
        return quirekit::Engine::run(args, environment, std::cout, std::cerr);
    } catch (const std::bad_alloc &error) {
        std::cerr << "quirekit: " << error.what() << "\n";
        return quirekit::Engine::kOutOfMemory;
    } catch (const std::exception &error) {
        std::cerr << "quirekit: " << error.what() << "\n";
        return quirekit::Engine::kFailure;
    }
}
