#include "Engine.h"

#include "AtomicFile.h"
#include "DataReport.h"
#include "FileIdentity.h"
#include "PageFactsReport.h"
#include "PageFactsRun.h"
#include "PageRenderServer.h"
#include "PageWeigher.h"
#include "PartWriter.h"
#include "PdfDocument.h"
#include "SizePlanReport.h"
#include "SizePlanner.h"

#include <malloc.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <memory>
#include <ostream>
#include <sstream>
#include <thread>
#include <unistd.h>

extern "C" {
#include <mupdf/fitz/version.h>
}

namespace quirekit {

int Engine::run(const std::vector<std::string> &args, const Environment &environment, std::ostream &out,
                std::ostream &err, const Options &options)
{
    std::istringstream none;
    return run(args, environment, none, out, err, options);
}

int Engine::run(const std::vector<std::string> &args, const Environment &environment, std::istream &in,
                std::ostream &out, std::ostream &err, const Options &options)
{
    const RequestParser::Result parsed = RequestParser::parse(args, environment);
    if (!parsed.ok) {
        err << "quirekit: " << parsed.error << "\n" << RequestParser::usage();
        return protocol::Exit::Usage;
    }
    const Request &request = parsed.request;
    switch (request.action) {
    case Request::Action::Help: out << RequestParser::usage(); return protocol::Exit::Success;
    case Request::Action::Version: out << "quirekit 2.0\nMuPDF " << FZ_VERSION << "\n"; return protocol::Exit::Success;
    case Request::Action::DumpData: return dumpData(request, err, options);
    case Request::Action::Cat: return cat(request, err, options);
    case Request::Action::PageFacts: return pageFacts(request, out, err, options);
    case Request::Action::RenderPages: return renderPages(request, in, out, err, options);
    case Request::Action::SizePlan: return sizePlan(request, out, err, options);
    }
    return protocol::Exit::Usage;
}

// A page that does not stop when its time is up gets as long again before the run ends.
PageLimits Engine::pageLimits(const Request &request)
{
    const std::chrono::seconds time(request.pageSeconds);
    return PageLimits{time, static_cast<std::size_t>(request.pageMemoryMiB) << 20, time, &Engine::endStuck};
}

// A drawing that MuPDF cannot stop would hold the run forever, so the run ends as a failure,
// without unwinding: the drawing thread may hold any lock, so only plain system calls are made.
void Engine::endStuck(int page)
{
    AtomicFile::removePending();
    char text[160] = "quirekit: page ";
    std::size_t length = std::strlen(text);
    length = static_cast<std::size_t>(std::to_chars(text + length, text + 40, page).ptr - text);
    const char rest[] = " does not stop drawing when its time is up; the engine ends, with nothing written\n";
    std::memcpy(text + length, rest, sizeof rest - 1);
    length += sizeof rest - 1;
    (void)!::write(STDERR_FILENO, text, length);
    ::_exit(protocol::Exit::Failed);
}

int Engine::fail(std::ostream &err, const Status &status)
{
    err << "quirekit: " << status.message << "\n";
    return exitCode(status.cause);
}

int Engine::exitCode(Status::Cause cause)
{
    switch (cause) {
    case Status::Cause::Other: return protocol::Exit::Failed;
    case Status::Cause::Output: return protocol::Exit::OutputNotWritten;
    case Status::Cause::Occupied: return protocol::Exit::OutputAppeared;
    case Status::Cause::Changed: return protocol::Exit::DocumentChanged;
    case Status::Cause::Unavailable: return protocol::Exit::DocumentMissing;
    case Status::Cause::NotPdf: return protocol::Exit::NotPdf;
    case Status::Cause::Password: return protocol::Exit::Password;
    case Status::Cause::Damaged: return protocol::Exit::Damaged;
    case Status::Cause::Memory: return protocol::Exit::OutOfMemory;
    case Status::Cause::TimeUp: return protocol::Exit::Failed;
    case Status::Cause::OverBudget: return protocol::Exit::OutOfMemory;
    }
    return protocol::Exit::Failed;
}

Status Engine::mayReplace(const std::string &named, const Request &request)
{
    const Replacement &replace = request.replace;
    FileId there;
    if (replace.rule == Replacement::Rule::Nothing && FileIdentity::idOf(request.output, false, there))
        return Status::failure(named + " already exists and may not be replaced; it was left unchanged",
                               Status::Cause::Occupied);
    if (replace.rule == Replacement::Rule::AgreedFile && FileIdentity::idOf(request.output, true, there)
        && !(there == replace.agreed))
        return Status::failure(named + " is not the file that may be replaced; it was left unchanged",
                               Status::Cause::Occupied);
    return Status::success();
}

Status Engine::outputPath(const std::string &noun, const Request &request, std::string &path)
{
    using Kind = FileIdentity::Kind;
    const std::string named = "the " + noun + " '" + request.output + "'";
    if (Status allowed = mayReplace(named, request); !allowed.ok)
        return allowed;
    const auto refuse
        = [&named](const std::string &why) { return Status::failure(named + why, Status::Cause::Output); };
    if (FileIdentity::sameFile(request.document, request.output))
        return refuse(" is the document itself; it is left unchanged");

    path = request.output;
    int error = 0;
    Kind kind = FileIdentity::entryKind(request.output, error);
    if (kind == Kind::Missing)
        return Status::success(); // a new file; a missing folder is reported when it is created
    if (kind == Kind::SymbolicLink) {
        // Written through to the file it leads to, so the link stays a link. A link that
        // leads nowhere is not followed: that would create a file where nobody pointed.
        kind = FileIdentity::targetKind(request.output, error);
        if (kind == Kind::Missing && error == ENOENT)
            return refuse(" is a symbolic link to '" + FileIdentity::linkText(request.output)
                          + "', which does not exist; name a file instead of the link");
        if (kind == Kind::Missing)
            return refuse(std::string(" is a symbolic link that cannot be followed: ") + std::strerror(error));
        if (kind == Kind::Folder)
            return refuse(" is a folder");
        if (kind != Kind::Regular)
            return refuse(std::string(" leads to ") + FileIdentity::describe(kind)
                          + ", not to a file; choose a file to write to");
        path = FileIdentity::canonical(request.output);
        if (path.empty())
            return refuse(std::string(" is a symbolic link that cannot be followed: ") + std::strerror(errno));
    } else if (kind == Kind::Folder) {
        return refuse(" is a folder");
    } else if (kind != Kind::Regular) {
        return refuse(std::string(" is ") + FileIdentity::describe(kind) + ", not a file; choose a file to write to");
    }
    if (FileIdentity::isReadOnly(path))
        return refuse(" is read-only; it was left unchanged (make it writable or choose another name)");
    return Status::success();
}

// The output comes first: a run that may not write it reads nothing, and its temporary file
// holds the place (and the file it may replace) while the document is read. The document
// is checked once more right before the output takes its name.
Status Engine::begin(const Request &request, const std::string &noun, const std::string &fileNoun,
                     const Options &options, std::optional<AtomicFile> &file, PdfDocument &document)
{
    std::string path;
    Status status = outputPath(noun, request, path);
    if (!status.ok)
        return status;
    file.emplace(path, request.replace, fileNoun);
    status = file->create();
    if (status.ok)
        status = openDocument(request, options, document);
    return status;
}

Status Engine::openDocument(const Request &request, const Options &options, PdfDocument &document)
{
    return document.open(request.document, request.documentVersion ? &*request.documentVersion : nullptr,
                         options.reading);
}

// A file cut short while it was read reads as damaged; the change is the better reason.
Status Engine::changeFirst(const Status &status, const Status &unchanged)
{
    if (!unchanged.ok && (status.ok || unchanged.cause == Status::Cause::Changed))
        return unchanged;
    return status;
}

int Engine::dumpData(const Request &request, std::ostream &err, const Options &options)
{
    std::optional<AtomicFile> report;
    auto owned = std::make_unique<PdfDocument>();
    PdfDocument &document = *owned;
    Status status = begin(request, "report", "report", options, report, document);
    DocumentFacts facts;
    if (status.ok)
        status = document.facts(facts);
    if (status.ok)
        status = report->writeAll(DataReport::format(facts));
    if (status.ok)
        status = document.unchangedSinceOpened();
    if (status.ok)
        status = report->commit(false);
    return finish(status, err, options, owned);
}

// As dump_data: the report's place is taken first, and the document checked once more
// before the report takes its name. Pages are analysed in parallel, each thread with its
// own opening of the same file.
int Engine::pageFacts(const Request &request, std::ostream &out, std::ostream &err, const Options &options)
{
    std::optional<AtomicFile> report;
    auto owned = std::make_unique<PdfDocument>();
    PdfDocument &document = *owned;
    Status status = begin(request, "report", "report", options, report, document);
    if (!status.ok)
        return fail(err, status);

    // Every page is drawn into buffers of a few megabytes, freed and asked for again for the
    // next page: kept by the allocator rather than handed back to the system and faulted in
    // afresh, they cost a tenth less time.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    PageFactsRun::Options analysis;
    analysis.ink = request.ink;
    analysis.barcodes = request.barcodes;
    analysis.phrase = request.phrase;
    analysis.pageText = request.pageText;
    analysis.threads = request.threads > 0 ? request.threads
                                           : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    analysis.reading = options.reading;
    analysis.limits = pageLimits(request);
    document.limitPages(analysis.limits);
    auto run = std::make_unique<PageFactsRun>(document, request.document, analysis, out);
    status = run->run();
    status = changeFirst(status, run->unchangedSinceOpened());
    if (status.ok)
        status = report->writeAll(PageFactsReport::format(run->pages(), request.ink, request.phrase.has_value(), request.pageText));
    if (status.ok)
        status = report->commit(false);
    if (status.ok && options.teardown == Teardown::LeaveToExit)
        run->leaveToExit();
    return finish(status, err, options, run, owned);
}

// A server that lives as long as its caller wants thumbnails: it writes nothing, so only the
// document is checked, when it is opened and after every page it draws.
int Engine::renderPages(const Request &request, std::istream &in, std::ostream &out, std::ostream &err,
                        const Options &options)
{
    auto owned = std::make_unique<PdfDocument>();
    PdfDocument &document = *owned;
    document.limitStore(PageRenderServer::kStoreLimit);
    document.limitPages(pageLimits(request));
    // Read through a stream, not mapped: a server that lives as long as the window and visits
    // pages all over the file would otherwise hold every part of it it ever read as its own
    // resident memory.
    Options streamed = options;
    streamed.reading = PdfDocument::Reading::Stream;
    Status status = openDocument(request, streamed, document);
    if (status.ok)
        status = PageRenderServer(document, in, out, err).serve();
    return finish(status, err, options, owned);
}

// As dump_data: the report's place is taken first, and the document checked once more
// before the report takes its name. Each part is measured by writing it to nowhere, so the
// plan holds the sizes the parts will have.
int Engine::sizePlan(const Request &request, std::ostream &out, std::ostream &err, const Options &options)
{
    std::optional<AtomicFile> report;
    auto owned = std::make_unique<PdfDocument>();
    PdfDocument &document = *owned;
    Status status = begin(request, "report", "report", options, report, document);
    if (!status.ok)
        return fail(err, status);
    PageWeights weights;
    status = PageWeigher(document).weigh(weights);
    std::vector<PlannedPart> parts;
    if (status.ok) {
        const auto measure = [&document](int first, int last, std::int64_t &bytes) {
            auto writer = std::make_unique<PartWriter>(document);
            return writer->measure({PageRange{first, last}}, bytes);
        };
        const auto progress = [&out](int done, int total) {
            out << protocol::report::progressLine(done, total) << std::endl;
        };
        status = SizePlanner(weights, request.sizeLimit, measure, progress).plan(parts);
    }
    status = changeFirst(status, document.unchangedSinceOpened());
    if (status.ok)
        status = report->writeAll(SizePlanReport::format(document.pageCount(), request.sizeLimit, parts));
    if (status.ok)
        status = report->commit(false);
    return finish(status, err, options, owned);
}

int Engine::cat(const Request &request, std::ostream &err, const Options &options)
{
    std::optional<AtomicFile> output;
    auto owned = std::make_unique<PdfDocument>();
    PdfDocument &document = *owned;
    Status status = begin(request, "output", "part", options, output, document);
    if (!status.ok)
        return fail(err, status);

    const long long count = document.pageCount();
    for (const PageRange &range : request.ranges) {
        if (range.low() >= 1 && range.high() <= count)
            continue;
        const std::string pages = range.first == range.last
                                      ? "page " + std::to_string(range.first)
                                      : "page range " + std::to_string(range.first) + "-" + std::to_string(range.last);
        return fail(err, Status::failure(pages + " is outside the document (" + std::to_string(count)
                                         + (count == 1 ? " page)" : " pages)")));
    }

    auto writer = std::make_unique<PartWriter>(document);
    status = writer->write(request.ranges, output->descriptor());
    status = changeFirst(status, document.unchangedSinceOpened());
    if (status.ok)
        status = output->commit(true);
    return finish(status, err, options, writer, owned);
}

} // namespace quirekit
