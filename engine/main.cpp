#include "Engine.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        return quirekit::Engine::run(args, std::cout, std::cerr);
    } catch (const std::exception &error) {
        std::cerr << "quirekit: " << error.what() << "\n";
        return quirekit::Engine::kFailure;
    }
}
