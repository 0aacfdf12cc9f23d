#include "RequestParser.h"

#include "protocol/EngineProtocol.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>
#include <string_view>

namespace quirekit {

namespace {

namespace word = protocol::word;

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

RequestParser::Result succeed(Request::Action action, std::string document = {}, std::string output = {},
                              std::vector<PageRange> ranges = {})
{
    RequestParser::Result result{true, Request{}, std::string()};
    result.request.action = action;
    result.request.document = std::move(document);
    result.request.output = std::move(output);
    if (!ranges.empty()) {
        result.request.first = ranges.front().first;
        result.request.last = ranges.back().last;
    }
    result.request.ranges = std::move(ranges);
    return result;
}

// Digits only, as stat's values are printed: no sign, no spaces, nothing that would overflow.
bool parseDecimal(std::string_view text, std::uint64_t &value)
{
    if (text.empty())
        return false;
    value = 0;
    for (char c : text) {
        if (!isDigit(c))
            return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

// A time may be before 1970, so this one may carry a minus sign.
bool parseSignedDecimal(std::string_view text, std::int64_t &value)
{
    const bool negative = !text.empty() && text[0] == '-';
    std::uint64_t magnitude = 0;
    if (!parseDecimal(text.substr(negative ? 1 : 0), magnitude))
        return false;
    const auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (magnitude > largest + (negative ? 1 : 0))
        return false;
    value = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

// Split as stat keeps a time, the nanoseconds never negative.
void splitNanoseconds(std::int64_t time, std::int64_t &seconds, std::int64_t &nanoseconds)
{
    constexpr std::int64_t kNanosecondsPerSecond = 1000000000;
    seconds = time / kNanosecondsPerSecond;
    nanoseconds = time % kNanosecondsPerSecond;
    if (nanoseconds < 0) {
        nanoseconds += kNanosecondsPerSecond;
        seconds -= 1;
    }
}

std::vector<std::string_view> fieldsOf(std::string_view text)
{
    std::vector<std::string_view> fields;
    for (std::size_t colon; (colon = text.find(':')) != std::string_view::npos; text.remove_prefix(colon + 1))
        fields.push_back(text.substr(0, colon));
    fields.push_back(text);
    return fields;
}

// Page numbers larger than this are certainly outside any document, so they are kept
// as this value (and refused later as out of range) instead of overflowing.
constexpr long long kPageNumberCap = 1000000000LL;

// More threads than this only add memory: each holds the document and a drawn page.
constexpr int kMostThreads = 256;

// An hour for a page, or a terabyte, is no bound at all.
constexpr int kMostPageSeconds = 3600;
constexpr int kMostPageMiB = 1 << 20;

} // namespace

std::string RequestParser::usage()
{
    return "Usage:\n"
           "  quirekit <document> dump_data output <report>\n"
           "      Writes a text report about the document; its first line is\n"
           "      \"NumberOfPages: <n>\".\n"
           "  quirekit A=<document> cat A<first>[-<last>] [A<first>[-<last>]...] output <file>\n"
           "      Writes pages <first> to <last> (counting from 1) into a new PDF.\n"
           "      A descending range writes the pages in reverse order. Several ranges\n"
           "      are written one after another; no page may be in two of them.\n"
           "  quirekit <document> page_facts [barcodes] [text <phrase>] [page_text] [without_ink]\n"
           "           output <report>\n"
           "      Writes a text report on each page: the share of it that carries ink and\n"
           "      the share that is near-black (not with without_ink); with barcodes, the\n"
           "      barcodes on it; with text, whether its text holds the phrase (case and\n"
           "      runs of spaces ignored); with page_text, its whole text, its lines joined\n"
           "      by spaces. A page given up on (see QUIREKIT_PAGE_SECONDS)\n"
           "      has \"Unreadable: <why>\" and no facts.\n"
           "      Prints \"Progress: <done>/<pages>\" as it goes.\n"
           "  quirekit <document> render_pages\n"
           "      Draws pages in colour on request, for thumbnails. Prints \"Pages: <n>\", then\n"
           "      answers each line \"<page> <width>\" of standard input (width 1 to 2048\n"
           "      pixels) with \"Page <page> <width> <height> <bytes>\" and the pixels (RGB, a\n"
           "      byte each, rows from the top), or \"Failed <page> <reason>\" (outside,\n"
           "      damaged, request, memory, timeout, changed). Ends with its input.\n"
           "  quirekit <document> size_plan <bytes> output <report>\n"
           "      Plans parts of consecutive pages, each at most <bytes> bytes (a number\n"
           "      from 1, no suffix) as cat writes it, and writes them as a text report;\n"
           "      a page larger than that alone is a part of its own, named in the\n"
           "      report as oversize. Prints \"Progress: <pages planned>/<pages>\" as it\n"
           "      goes. Nothing but the report is written.\n"
           "  quirekit --help | --version\n"
           "Environment (decimal values as stat gives them; unset or empty: not used):\n"
           "  QUIREKIT_REPLACE=none|<device>:<inode>  the output may replace nothing, or only that file\n"
           "  QUIREKIT_DOCUMENT=<device>:<inode>:<size>:<mtime-ns>:<ctime-ns>  the document file that\n"
           "      must be read, as it was then (the older form without <ctime-ns> checks no change time)\n"
           "  QUIREKIT_THREADS=<n>  page_facts analyses n pages at once (default: one per core)\n"
           "  QUIREKIT_PAGE_SECONDS=<n>  page_facts and render_pages give up a page that takes longer\n"
           "      to draw (default: 10)\n"
           "  QUIREKIT_PAGE_MEMORY=<MiB>  ...or that needs more memory than this (default: 512)\n"
           "Exit codes:\n"
           "  0 done\n"
           "  1 anything else went wrong (pages outside the document, say)\n"
           "  2 the command line or an environment variable is not valid\n"
           "  3 a file at the output's name may not be replaced; it was left unchanged\n"
           "  4 the document is not the file QUIREKIT_DOCUMENT names, or it changed while being read\n"
           "  5 the output cannot be written (folder missing or unwritable, disk full, not a file)\n"
           "  6 the document is missing, is not a file (a folder, a device...) or cannot be opened\n"
           "  7 the document is not a PDF\n"
           "  8 the document is protected by a password\n"
           "  9 the document is damaged beyond repair (it or a page of it cannot be read)\n"
           " 10 out of memory\n";
}

RequestParser::Result RequestParser::parse(const std::vector<std::string> &args, const Environment &environment)
{
    Result result = parseArguments(args);
    const Request::Action action = result.request.action;
    if (!result.ok
        || (action != Request::Action::DumpData && action != Request::Action::Cat
            && action != Request::Action::PageFacts && action != Request::Action::RenderPages
            && action != Request::Action::SizePlan))
        return result;
    if (action == Request::Action::PageFacts && !environment.threads.empty()
        && !parseBounded(environment.threads, kMostThreads, result.request.threads))
        return fail("QUIREKIT_THREADS must be a number of threads from 1 to " + std::to_string(kMostThreads)
                    + ", not '" + environment.threads + "'");
    if (!environment.replace.empty() && !parseReplace(environment.replace, result.request.replace))
        return fail("QUIREKIT_REPLACE must be 'none' or '<device>:<inode>' in decimal, not '" + environment.replace
                    + "'");
    if (std::string error = parsePageLimits(environment, result.request); !error.empty())
        return fail(error);
    FileVersion version;
    if (!environment.document.empty() && !parseDocumentVersion(environment.document, version))
        return fail("QUIREKIT_DOCUMENT must be '<device>:<inode>:<size>:<mtime-ns>:<ctime-ns>' in decimal, not '"
                    + environment.document + "'");
    if (!environment.document.empty())
        result.request.documentVersion = version;
    return result;
}

RequestParser::Result RequestParser::parseArguments(const std::vector<std::string> &args)
{
    if (args.empty())
        return fail("no command given");
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h"))
        return succeed(Request::Action::Help);
    if (args.size() == 1 && args[0] == "--version")
        return succeed(Request::Action::Version);
    if (args.size() >= 2 && args[1] == word::DumpData)
        return parseDumpData(args);
    if (args.size() >= 2 && args[1] == word::Cat)
        return parseCat(args);
    if (args.size() >= 2 && args[1] == word::PageFacts)
        return parsePageFacts(args);
    if (args.size() >= 2 && args[1] == word::RenderPages)
        return parseRenderPages(args);
    if (args.size() >= 2 && args[1] == word::SizePlan)
        return parseSizePlan(args);
    if (args.size() >= 2)
        return fail("unknown keyword '" + args[1] + "'");
    return fail("no operation given for '" + args[0] + "'");
}

RequestParser::Result RequestParser::parseDumpData(const std::vector<std::string> &args)
{
    if (args.size() < 4 || args[2] != word::Output)
        return fail(args.size() >= 3 && args[2] != word::Output ? "unknown keyword '" + args[2] + "'"
                                                            : "missing 'output' and the report file");
    if (args.size() > 4)
        return fail("unexpected argument '" + args[4] + "'");
    if (args[0].empty())
        return fail("the document name is empty");
    if (args[3].empty())
        return fail("the report file name is empty");

    return succeed(Request::Action::DumpData, args[0], args[3]);
}

RequestParser::Result RequestParser::parseCat(const std::vector<std::string> &args)
{
    // H=<document>: the handle names the document for the page ranges.
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
    std::vector<PageRange> ranges;
    std::vector<std::string> rangeTexts;
    std::size_t next = 2;
    do {
        PageRange range;
        if (std::string error = parseRange(args[next], handle, range); !error.empty())
            return fail(error);
        ranges.push_back(range);
        rangeTexts.push_back(args[next]);
        ++next;
    } while (next < args.size() && looksLikeRange(args[next]));
    if (std::string error = findSharedPage(ranges, rangeTexts); !error.empty())
        return fail(error);

    const std::size_t outputAt = next;
    if (args.size() < outputAt + 2 || args[outputAt] != word::Output)
        return fail(args.size() > outputAt && args[outputAt] != word::Output ? "unknown keyword '" + args[outputAt] + "'"
                                                                         : "missing 'output' and the output file");
    if (args.size() > outputAt + 2)
        return fail("unexpected argument '" + args[outputAt + 2] + "'");
    if (args[outputAt + 1].empty())
        return fail("the output file name is empty");

    return succeed(Request::Action::Cat, document, args[outputAt + 1], std::move(ranges));
}

std::string RequestParser::parseRange(const std::string &rangeText, const std::string &handle, PageRange &range)
{
    std::string rangeHandle, rest;
    if (!parseHandle(rangeText, rangeHandle, rest))
        return "the page range '" + rangeText + "' is not valid";
    if (rangeHandle != handle)
        return "the page range '" + rangeText + "' names handle '" + rangeHandle + "', which is not defined";

    const auto dash = rest.find('-');
    if (dash == std::string::npos) {
        if (!parsePageNumber(rest, range.first))
            return "the page range '" + rangeText + "' is not valid";
        range.last = range.first;
    } else if (!parsePageNumber(rest.substr(0, dash), range.first)
               || !parsePageNumber(rest.substr(dash + 1), range.last)) {
        return "the page range '" + rangeText + "' is not valid";
    }
    return {};
}

// Capital letters and then a page number (or a stray dash): a range, even a malformed one.
// Anything else after the ranges is taken for the keyword that should follow them, so that a
// misspelt 'output' is still reported as an unknown keyword.
bool RequestParser::looksLikeRange(const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size() && isUpperLetter(text[i]))
        ++i;
    return i > 0 && i < text.size() && (isDigit(text[i]) || text[i] == '-');
}

// A part that repeats a page is never what a split means, so it is refused as a usage error
// rather than written. A range reaching the page number cap is left to the range check,
// which tells that it is outside the document; its capped number is not the one given.
std::string RequestParser::findSharedPage(const std::vector<PageRange> &ranges, const std::vector<std::string> &texts)
{
    std::vector<std::size_t> byLow(ranges.size());
    std::iota(byLow.begin(), byLow.end(), std::size_t{0});
    std::stable_sort(byLow.begin(), byLow.end(),
                     [&ranges](std::size_t a, std::size_t b) { return ranges[a].low() < ranges[b].low(); });
    std::size_t reaching = ranges.size(); // of the ranges seen, the one reaching furthest
    for (std::size_t index : byLow) {
        const PageRange &range = ranges[index];
        if (range.high() >= kPageNumberCap)
            continue;
        if (reaching < ranges.size() && range.low() <= ranges[reaching].high()) {
            const auto [earlier, later] = std::minmax(reaching, index);
            return "the page ranges '" + texts[earlier] + "' and '" + texts[later] + "' both hold page "
                   + std::to_string(range.low()) + "; a part may hold each page only once";
        }
        if (reaching == ranges.size() || range.high() > ranges[reaching].high())
            reaching = index;
    }
    return {};
}

RequestParser::Result RequestParser::parsePageFacts(const std::vector<std::string> &args)
{
    if (args[0].empty())
        return fail("the document name is empty");
    bool barcodes = false, withoutInk = false, pageText = false;
    std::optional<std::string> phrase;
    std::size_t i = 2;
    for (; i < args.size() && args[i] != word::Output; ++i) {
        if (args[i] == word::Barcodes && !barcodes) {
            barcodes = true;
        } else if (args[i] == word::WithoutInk && !withoutInk) {
            withoutInk = true;
        } else if (args[i] == word::PageText && !pageText) {
            pageText = true;
        } else if (args[i] == word::Text && !phrase) {
            if (i + 1 >= args.size())
                return fail("missing the phrase after 'text'");
            phrase = args[++i];
            if (phrase->find_first_not_of(" \t\r\n\f\v") == std::string::npos)
                return fail("the phrase after 'text' is empty");
        } else if (args[i] == word::Barcodes || args[i] == word::Text || args[i] == word::WithoutInk
                   || args[i] == word::PageText) {
            return fail("'" + args[i] + "' is given twice");
        } else if (phrase && *phrase == word::Output && args[i - 1] == word::Output) {
            // "text output <report>": the phrase was left out, and 'output' taken for it.
            return fail("missing the phrase after 'text'");
        } else {
            return fail("unknown keyword '" + args[i] + "'");
        }
    }
    if (i + 1 >= args.size())
        return fail(phrase && *phrase == word::Output ? "missing the phrase after 'text'"
                                                  : "missing 'output' and the report file");
    if (i + 2 < args.size())
        return fail("unexpected argument '" + args[i + 2] + "'");
    if (args[i + 1].empty())
        return fail("the report file name is empty");
    if (withoutInk && !barcodes && !phrase && !pageText)
        return fail("without_ink leaves nothing to report: ask for barcodes or text too");

    Result result = succeed(Request::Action::PageFacts, args[0], args[i + 1]);
    result.request.ink = !withoutInk;
    result.request.barcodes = barcodes;
    result.request.phrase = std::move(phrase);
    result.request.pageText = pageText;
    return result;
}

RequestParser::Result RequestParser::parseRenderPages(const std::vector<std::string> &args)
{
    if (args[0].empty())
        return fail("the document name is empty");
    if (args.size() > 2)
        return fail("unexpected argument '" + args[2] + "'");
    return succeed(Request::Action::RenderPages, args[0]);
}

RequestParser::Result RequestParser::parseSizePlan(const std::vector<std::string> &args)
{
    if (args[0].empty())
        return fail("the document name is empty");
    if (args.size() < 3 || args[2] == word::Output)
        return fail("missing the most bytes a part may take after 'size_plan'");
    std::uint64_t limit = 0;
    if (!parseDecimal(args[2], limit) || limit < 1
        || limit > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return fail("the size after 'size_plan' must be a number of bytes from 1, not '" + args[2] + "'");
    if (args.size() < 5 || args[3] != word::Output)
        return fail(args.size() >= 4 && args[3] != word::Output ? "unknown keyword '" + args[3] + "'"
                                                            : "missing 'output' and the report file");
    if (args.size() > 5)
        return fail("unexpected argument '" + args[5] + "'");
    if (args[4].empty())
        return fail("the report file name is empty");
    Result result = succeed(Request::Action::SizePlan, args[0], args[4]);
    result.request.sizeLimit = static_cast<std::int64_t>(limit);
    return result;
}

bool RequestParser::parseBounded(const std::string &text, int most, int &value)
{
    std::uint64_t number = 0;
    if (!parseDecimal(text, number) || number < 1 || number > static_cast<std::uint64_t>(most))
        return false;
    value = static_cast<int>(number);
    return true;
}

std::string RequestParser::parsePageLimits(const Environment &environment, Request &request)
{
    if (request.action != Request::Action::PageFacts && request.action != Request::Action::RenderPages)
        return {};
    if (!environment.pageSeconds.empty()
        && !parseBounded(environment.pageSeconds, kMostPageSeconds, request.pageSeconds))
        return "QUIREKIT_PAGE_SECONDS must be a number of seconds from 1 to " + std::to_string(kMostPageSeconds)
               + ", not '" + environment.pageSeconds + "'";
    if (!environment.pageMemory.empty() && !parseBounded(environment.pageMemory, kMostPageMiB, request.pageMemoryMiB))
        return "QUIREKIT_PAGE_MEMORY must be a number of MiB from 1 to " + std::to_string(kMostPageMiB) + ", not '"
               + environment.pageMemory + "'";
    return {};
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

bool RequestParser::parseReplace(const std::string &text, Replacement &replace)
{
    if (text == protocol::variable::ReplaceNothing) {
        replace = Replacement{Replacement::Rule::Nothing, {}};
        return true;
    }
    const std::vector<std::string_view> fields = fieldsOf(text);
    FileId agreed;
    if (fields.size() != 2 || !parseDecimal(fields[0], agreed.device) || !parseDecimal(fields[1], agreed.inode))
        return false;
    replace = Replacement{Replacement::Rule::AgreedFile, agreed};
    return true;
}

bool RequestParser::parseDocumentVersion(const std::string &text, FileVersion &version)
{
    const std::vector<std::string_view> fields = fieldsOf(text);
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    if ((fields.size() != 4 && fields.size() != 5) || !parseDecimal(fields[0], version.id.device)
        || !parseDecimal(fields[1], version.id.inode) || !parseDecimal(fields[2], size)
        || size > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())
        || !parseSignedDecimal(fields[3], modified) || (fields.size() == 5 && !parseSignedDecimal(fields[4], changed)))
        return false;
    version.size = static_cast<std::int64_t>(size);
    splitNanoseconds(modified, version.modifiedSeconds, version.modifiedNanoseconds);
    version.hasChangeTime = fields.size() == 5;
    if (version.hasChangeTime)
        splitNanoseconds(changed, version.changedSeconds, version.changedNanoseconds);
    return true;
}

} // namespace quirekit
