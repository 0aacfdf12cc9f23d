#pragma once

#include "AtomicFile.h"
#include "PdfDocument.h"
#include "RequestParser.h"
#include "Status.h"

#include "protocol/EngineProtocol.h"

#include <iosfwd>
#include <memory>
#include <optional>

namespace quirekit {

// Carries out one request and tells the outcome as a process exit code (protocol::Exit), which
// is what a caller decides on (the message on standard error is for people).
class Engine {
public:
    // What becomes of the document and the part once a run succeeded. A process that ends
    // right after the run leaves them to the exit: freeing a large document's objects one by
    // one takes a quarter of the time of copying all its pages.
    enum class Teardown { Free, LeaveToExit };
    struct Options {
        Teardown teardown = Teardown::Free;
        PdfDocument::Reading reading = PdfDocument::Reading::Mapped;
    };

    // `in` holds render_pages' requests; the other commands read no input.
    static int run(const std::vector<std::string> &args, const Environment &environment, std::istream &in,
                   std::ostream &out, std::ostream &err, const Options &options);
    static int run(const std::vector<std::string> &args, const Environment &environment, std::ostream &out,
                   std::ostream &err, const Options &options);
    static int run(const std::vector<std::string> &args, const Environment &environment, std::ostream &out,
                   std::ostream &err)
    {
        return run(args, environment, out, err, Options());
    }

private:
    static int dumpData(const Request &request, std::ostream &err, const Options &options);
    static int cat(const Request &request, std::ostream &err, const Options &options);
    static int pageFacts(const Request &request, std::ostream &out, std::ostream &err, const Options &options);
    static int sizePlan(const Request &request, std::ostream &out, std::ostream &err, const Options &options);
    static int renderPages(const Request &request, std::istream &in, std::ostream &out, std::ostream &err,
                           const Options &options);
    // The document the request names, opened only if it is the version QUIREKIT_DOCUMENT names.
    static Status openDocument(const Request &request, const Options &options, PdfDocument &document);
    static int fail(std::ostream &err, const Status &status);
    static PageLimits pageLimits(const Request &request);
    [[noreturn]] static void endStuck(int page);
    // How every document command ends: its failure told, or what the run made (the document
    // among it) left to the exit when the options say so.
    template <typename... Made>
    static int finish(const Status &status, std::ostream &err, const Options &options, std::unique_ptr<Made> &...made)
    {
        if (!status.ok)
            return fail(err, status);
        if (options.teardown == Teardown::LeaveToExit)
            ((void)made.release(), ...);
        return protocol::Exit::Success;
    }
    static int exitCode(Status::Cause cause);
    // Where the output (noun: "output" or "report") is written: its own path, or the file a
    // symbolic link leads to. Refuses what the request may not replace (Cause::Occupied) and
    // anything that is not, or would not become, a regular file the user may replace
    // (Cause::Output). Nothing is read or written before this check.
    static Status outputPath(const std::string &noun, const Request &request, std::string &path);
    // How every document command begins: the output's place taken (as `noun`, its temporary
    // file named for messages as `fileNoun`), then the document opened.
    // The outcome of a run once the document's check after reading is known.
    static Status changeFirst(const Status &status, const Status &unchanged);
    static Status begin(const Request &request, const std::string &noun, const std::string &fileNoun,
                        const Options &options, std::optional<AtomicFile> &file, PdfDocument &document);
    static Status mayReplace(const std::string &named, const Request &request);
};

} // namespace quirekit
