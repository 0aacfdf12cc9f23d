#pragma once

#include <string>
#include <vector>

namespace quirekit {

// What one run of the engine is asked to do, parsed from its arguments.
struct Request {
    enum class Action { Help, Version, DumpData, Cat };

    Action action = Action::Help;
    std::string document;
    std::string output;
    // Pages counting from 1; first > last asks for the pages in reverse order.
    long long first = 0;
    long long last = 0;
};

// Parses argv into a Request. Only two document commands exist:
//   <document> dump_data output <report>
//   H=<document> cat H<first>[-<last>] output <file>
class RequestParser {
public:
    struct Result {
        bool ok = false;
        Request request;
        std::string error; // one line, without the program name
    };

    static Result parse(const std::vector<std::string> &args);
    static std::string usage();

private:
    static Result parseDumpData(const std::vector<std::string> &args);
    static Result parseCat(const std::vector<std::string> &args);
    static bool parseHandle(const std::string &text, std::string &handle, std::string &rest);
    static bool parsePageNumber(const std::string &digits, long long &value);
};

} // namespace quirekit
