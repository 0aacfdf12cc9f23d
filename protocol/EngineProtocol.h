#pragma once

// What the program and its engine (quirekit) say to each other: the engine's exit codes, its
// command words and variables, the keys of its reports and the words and limits of its picture
// server. Both sides include this one header, so a word cannot change on one side only; no
// word or number here may change without the other programs that start the engine in mind.
// Plain C++ (no Qt, no MuPDF), as the engine has neither.

#include <string>
#include <string_view>

namespace quirekit::protocol {

// The engine's exit codes. Callers decide on these numbers, never on the words of its messages,
// so each keeps its meaning for good; a new kind of failure gets a new number.
struct Exit {
    static constexpr int Success = 0;
    static constexpr int Failed = 1; // anything not listed below (pages outside the document, say)
    static constexpr int Usage = 2; // the command line or an environment variable is not valid
    static constexpr int OutputAppeared = 3; // a file at the output's name may not be replaced
    static constexpr int DocumentChanged = 4; // the document is not, or no longer, the file checked
    static constexpr int OutputNotWritten = 5; // the output could not be written where it should go
    static constexpr int DocumentMissing = 6; // missing, not a regular file, or not readable
    static constexpr int NotPdf = 7; // the document is not a PDF
    static constexpr int Password = 8; // the document is protected by a password
    static constexpr int Damaged = 9; // the document is damaged beyond repair
    static constexpr int OutOfMemory = 10; // there was not enough memory
};

// The command words, as they stand on the command line:
//   <document> dump_data output <report>
//   A=<document> cat A<first>-<last> [A<first>-<last>...] output <file>
//   <document> page_facts [barcodes] [text <phrase>] [without_ink] output <report>
//   <document> render_pages
//   <document> size_plan <bytes> output <report>
namespace word {
inline constexpr std::string_view DumpData = "dump_data";
inline constexpr std::string_view Cat = "cat";
inline constexpr std::string_view PageFacts = "page_facts";
inline constexpr std::string_view RenderPages = "render_pages";
inline constexpr std::string_view SizePlan = "size_plan";
inline constexpr std::string_view Output = "output";
// page_facts' options
inline constexpr std::string_view Barcodes = "barcodes";
inline constexpr std::string_view Text = "text";
inline constexpr std::string_view WithoutInk = "without_ink";
inline constexpr std::string_view PageText = "page_text";
// The handle that names the document for cat's page ranges: A=<document>, A1-3.
inline constexpr std::string_view Handle = "A";
} // namespace word

// The variables that condition a run, beside its command line.
namespace variable {
// "none", or "<device>:<inode>" of the one file the output may replace
inline constexpr std::string_view Replace = "QUIREKIT_REPLACE";
inline constexpr std::string_view ReplaceNothing = "none";
// "<device>:<inode>:<size>:<mtime-ns>:<ctime-ns>" of the document file that must be read
inline constexpr std::string_view Document = "QUIREKIT_DOCUMENT";
inline constexpr std::string_view Threads = "QUIREKIT_THREADS";
inline constexpr std::string_view PageSeconds = "QUIREKIT_PAGE_SECONDS";
inline constexpr std::string_view PageMemory = "QUIREKIT_PAGE_MEMORY";
} // namespace variable

// Reports are text, one "<key>: <value>" per line. A record of several lines begins with a
// line of its own, "<kind>Begin", and its keys begin with the kind.
namespace report {
inline constexpr std::string_view Separator = ": ";
inline constexpr std::string_view Yes = "yes";
inline constexpr std::string_view No = "no";

// First in every report.
inline constexpr std::string_view PageCount = "NumberOfPages";

// dump_data
inline constexpr std::string_view PdfVersion = "PdfVersion";
inline constexpr std::string_view Encrypted = "Encrypted";
inline constexpr std::string_view InfoPrefix = "Info"; // followed by the Info dictionary's key
inline constexpr std::string_view FirstPageSize = "FirstPageSize";
inline constexpr std::string_view FirstPageRotation = "FirstPageRotation";
inline constexpr std::string_view BookmarkBegin = "BookmarkBegin";
inline constexpr std::string_view BookmarkTitle = "BookmarkTitle";
inline constexpr std::string_view BookmarkLevel = "BookmarkLevel";
inline constexpr std::string_view BookmarkPageNumber = "BookmarkPageNumber";
inline constexpr std::string_view PageLabelBegin = "PageLabelBegin";
inline constexpr std::string_view PageLabelNewIndex = "PageLabelNewIndex";
inline constexpr std::string_view PageLabelStart = "PageLabelStart";
inline constexpr std::string_view PageLabelNumStyle = "PageLabelNumStyle";
inline constexpr std::string_view PageLabelPrefix = "PageLabelPrefix";

// page_facts
inline constexpr std::string_view PageFactsBegin = "PageFactsBegin";
inline constexpr std::string_view PageNumber = "PageNumber";
inline constexpr std::string_view InkShare = "InkShare";
inline constexpr std::string_view DarkShare = "DarkShare";
inline constexpr std::string_view Barcode = "Barcode"; // "<format> <text>"
inline constexpr std::string_view BarcodeUnread = "BarcodeUnread";
inline constexpr std::string_view TextMatch = "TextMatch"; // yes or no
inline constexpr std::string_view TextFound = "TextFound"; // only "no"
inline constexpr std::string_view MatchedLine = "MatchedLine";
inline constexpr std::string_view PageText = "PageText"; // the page's text, its lines joined by spaces
inline constexpr std::string_view PageDamaged = "PageDamaged";
inline constexpr std::string_view Unreadable = "Unreadable";

// size_plan
inline constexpr std::string_view SizeLimit = "SizeLimit";
inline constexpr std::string_view PartBegin = "PartBegin";
inline constexpr std::string_view PartFirstPage = "PartFirstPage";
inline constexpr std::string_view PartLastPage = "PartLastPage";
inline constexpr std::string_view PartBytes = "PartBytes";
inline constexpr std::string_view OversizePage = "OversizePage";

// What page_facts and size_plan print on their output as they go: "Progress: <done>/<total>".
inline constexpr std::string_view Progress = "Progress";
inline constexpr char ProgressDivider = '/';
inline std::string progressLine(long long done, long long total)
{
    return std::string(Progress) + std::string(Separator) + std::to_string(done) + ProgressDivider
           + std::to_string(total);
}
} // namespace report

// render_pages' line protocol:
//   ready:    "Pages: <n>"                            once, before the first request
//   request:  "<page> <width>"                        page from 1, width 1 to MostWidth pixels
//   reply:    "Page <page> <width> <height> <bytes>"  then the pixels: RGB, 8 bits each, rows
//                                                      from the top
//        or:  "Failed <page> <reason>"
namespace pictures {
inline constexpr std::string_view Ready = "Pages: ";
inline constexpr std::string_view Page = "Page";
inline constexpr std::string_view Failed = "Failed";
// The reasons of a failure
inline constexpr std::string_view Outside = "outside";
inline constexpr std::string_view Damaged = "damaged";
inline constexpr std::string_view BadRequest = "request";
inline constexpr std::string_view Memory = "memory";
inline constexpr std::string_view Timeout = "timeout";
inline constexpr std::string_view Changed = "changed";
// Wider than this is not a thumbnail or a preview, and would only cost memory.
inline constexpr int MostWidth = 2048;
// A page higher than this many times its width is drawn narrower than asked.
inline constexpr int MostAspect = 4;
inline constexpr int BytesPerPixel = 3;
} // namespace pictures

} // namespace quirekit::protocol
