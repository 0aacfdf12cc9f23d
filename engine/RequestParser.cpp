#include "RequestParser.h"

namespace quirekit {

namespace {

bool isUpperLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

RequestParser::Result fail(std::string error)
{
    return RequestParser::Result{false, Request{}, std::move(error)};
}

RequestParser::Result succeed(const Request &request)
{
    return RequestParser::Result{true, request, std::string()};
}

// Page numbers larger than this are certainly outside any document, so they are kept
// as this value (and refused later as out of range) instead of overflowing.
constexpr long long kPageNumberCap = 1000000000LL;

} // namespace

std::string RequestParser::usage()
{
    return "Usage:\n"
           "  quirekit <document> dump_data output <report>\n"
           "      Writes a text report about the document; its first line is\n"
           "      \"NumberOfPages: <n>\".\n"
           "  quirekit A=<document> cat A<first>[-<last>] output <file>\n"
           "      Writes pages <first> to <last> (counting from 1) into a new PDF.\n"
           "      A descending range writes the pages in reverse order.\n"
           "  quirekit --help | --version\n"
           "Exit codes: 0 success, 1 the document or a file could not be processed,\n"
           "2 the command line is not valid.\n";
}

RequestParser::Result RequestParser::parse(const std::vector<std::string> &args)
{
    if (args.empty())
        return fail("no command given");
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h"))
        return succeed(Request{Request::Action::Help, {}, {}, 0, 0});
    if (args.size() == 1 && args[0] == "--version")
        return succeed(Request{Request::Action::Version, {}, {}, 0, 0});
    if (args.size() >= 2 && args[1] == "dump_data")
        return parseDumpData(args);
    if (args.size() >= 2 && args[1] == "cat")
        return parseCat(args);
    if (args.size() >= 2)
        return fail("unknown keyword '" + args[1] + "'");
    return fail("no operation given for '" + args[0] + "'");
}

RequestParser::Result RequestParser::parseDumpData(const std::vector<std::string> &args)
{
    if (args.size() < 4 || args[2] != "output")
        return fail(args.size() >= 3 && args[2] != "output" ? "unknown keyword '" + args[2] + "'"
                                                            : "missing 'output' and the report file");
    if (args.size() > 4)
        return fail("unexpected argument '" + args[4] + "'");
    if (args[0].empty())
        return fail("the document name is empty");
    if (args[3].empty())
        return fail("the report file name is empty");

    return succeed(Request{Request::Action::DumpData, args[0], args[3], 0, 0});
}

RequestParser::Result RequestParser::parseCat(const std::vector<std::string> &args)
{
    // H=<document>: the handle names the document for the page range.
    const std::string &input = args[0];
    const auto equals = input.find('=');
    std::string handle;
    if (equals == std::string::npos || equals == 0)
        return fail("the document must be given as A=<document>, not '" + input + "'");
    handle = input.substr(0, equals);
    for (char c : handle)
        if (!isUpperLetter(c))
            return fail("the document handle '" + handle + "' is not valid (use capital letters)");
    const std::string document = input.substr(equals + 1);
    if (document.empty())
        return fail("the document name is empty");

    if (args.size() < 3)
        return fail("missing page range after 'cat'");
    const std::string &rangeText = args[2];
    std::string rangeHandle, rest;
    if (!parseHandle(rangeText, rangeHandle, rest))
        return fail("the page range '" + rangeText + "' is not valid");
    if (rangeHandle != handle)
        return fail("the page range '" + rangeText + "' names handle '" + rangeHandle + "', which is not defined");

    long long first = 0, last = 0;
    const auto dash = rest.find('-');
    if (dash == std::string::npos) {
        if (!parsePageNumber(rest, first))
            return fail("the page range '" + rangeText + "' is not valid");
        last = first;
    } else if (!parsePageNumber(rest.substr(0, dash), first) || !parsePageNumber(rest.substr(dash + 1), last)) {
        return fail("the page range '" + rangeText + "' is not valid");
    }

    if (args.size() < 5 || args[3] != "output")
        return fail(args.size() >= 4 && args[3] != "output" ? "unknown keyword '" + args[3] + "'"
                                                            : "missing 'output' and the output file");
    if (args.size() > 5)
        return fail("unexpected argument '" + args[5] + "'");
    if (args[4].empty())
        return fail("the output file name is empty");

    return succeed(Request{Request::Action::Cat, document, args[4], first, last});
}

bool RequestParser::parseHandle(const std::string &text, std::string &handle, std::string &rest)
{
    std::size_t i = 0;
    while (i < text.size() && isUpperLetter(text[i]))
        ++i;
    if (i == 0)
        return false;
    handle = text.substr(0, i);
    rest = text.substr(i);
    return true;
}

bool RequestParser::parsePageNumber(const std::string &digits, long long &value)
{
    if (digits.empty())
        return false;
    value = 0;
    for (char c : digits) {
        if (!isDigit(c))
            return false;
        value = value * 10 + (c - '0');
        if (value > kPageNumberCap)
            value = kPageNumberCap;
    }
    return true;
}

} // namespace quirekit
