#pragma once

#include "AtomicFile.h"
#include "FileIdentity.h"
#include "PageRange.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quirekit {

// The engine's environment variables as found; unset and empty are the same.
struct Environment {
    std::string replace; // QUIREKIT_REPLACE
    std::string document; // QUIREKIT_DOCUMENT
    std::string threads; // QUIREKIT_THREADS
    std::string pageSeconds; // QUIREKIT_PAGE_SECONDS
    std::string pageMemory; // QUIREKIT_PAGE_MEMORY
};

// What one run of the engine is asked to do, parsed from its arguments.
struct Request {
    enum class Action { Help, Version, DumpData, Cat, PageFacts, RenderPages, SizePlan };

    Action action = Action::Help;
    std::string document;
    std::string output;
    // The pages of a part, range after range in the order given; no page is in two of them.
    std::vector<PageRange> ranges;
    // The first page of the first range and the last page of the last: with one range, its
    // bounds (first > last asks for the pages in reverse order).
    long long first = 0;
    long long last = 0;
    // What the output may take the place of (QUIREKIT_REPLACE).
    Replacement replace;
    // The version of the document file the caller checked (QUIREKIT_DOCUMENT).
    std::optional<FileVersion> documentVersion;

    // page_facts: measure ink (unless without_ink); read barcodes; look for the phrase.
    bool ink = true;
    bool barcodes = false;
    std::optional<std::string> phrase;
    bool pageText = false; // page_facts: report each page's whole text
    // How many pages are analysed at once (QUIREKIT_THREADS); 0: one per core.
    int threads = 0;
    // page_facts and render_pages: how long one page may take to draw (QUIREKIT_PAGE_SECONDS),
    // and how much memory (QUIREKIT_PAGE_MEMORY, in MiB) before it is given up. A few seconds
    // is far more than an ordinary page takes, even a large scan; the memory is enough for a
    // colour scan of A3 at 600 pixels an inch, decoded whole.
    int pageSeconds = 10;
    int pageMemoryMiB = 512;

    // size_plan: the most bytes a part may take.
    std::int64_t sizeLimit = 0;
};

// Parses argv and the environment into a Request. Five document commands exist:
//   <document> dump_data output <report>
//   H=<document> cat H<first>[-<last>] [H<first>[-<last>]...] output <file>
//   <document> page_facts [barcodes] [text <phrase>] [page_text] [without_ink] output <report>
//   <document> render_pages                 (requests come on standard input)
//   <document> size_plan <bytes> output <report>
// and they are conditioned by two variables, both in decimal as stat(2) gives the values:
//   QUIREKIT_REPLACE=none | <device>:<inode>
//   QUIREKIT_DOCUMENT=<device>:<inode>:<size>:<mtime-ns>[:<ctime-ns>]  (times in nanoseconds
//     since the epoch; the change time, which no program can set back, is checked when given)
// page_facts also reads QUIREKIT_THREADS=<n>, the number of pages analysed at once; page_facts
// and render_pages read QUIREKIT_PAGE_SECONDS=<n> and QUIREKIT_PAGE_MEMORY=<MiB>.
class RequestParser {
public:
    struct Result {
        bool ok = false;
        Request request;
        std::string error; // one line, without the program name
    };

    static Result parse(const std::vector<std::string> &args, const Environment &environment = {});
    static std::string usage();

private:
    static Result parseArguments(const std::vector<std::string> &args);
    static Result parseDumpData(const std::vector<std::string> &args);
    static Result parseCat(const std::vector<std::string> &args);
    static Result parsePageFacts(const std::vector<std::string> &args);
    static Result parseRenderPages(const std::vector<std::string> &args);
    static Result parseSizePlan(const std::vector<std::string> &args);
    // A whole number from 1 to most.
    static bool parseBounded(const std::string &text, int most, int &value);
    static std::string parsePageLimits(const Environment &environment, Request &request);
    static bool parseHandle(const std::string &text, std::string &handle, std::string &rest);
    // An empty text when rangeText is a valid range of handle, else the error.
    static std::string parseRange(const std::string &rangeText, const std::string &handle, PageRange &range);
    static bool looksLikeRange(const std::string &text);
    // An empty text when no page is in two ranges, else the error naming two that share one.
    static std::string findSharedPage(const std::vector<PageRange> &ranges, const std::vector<std::string> &texts);
    static bool parsePageNumber(const std::string &digits, long long &value);
    static bool parseReplace(const std::string &text, Replacement &replace);
    static bool parseDocumentVersion(const std::string &text, FileVersion &version);
};

} // namespace quirekit
