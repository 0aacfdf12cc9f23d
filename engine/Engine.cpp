#include "Engine.h"

#include "AtomicFile.h"
#include "DataReport.h"
#include "FileIdentity.h"
#include "PartWriter.h"
#include "PdfDocument.h"

#include <cerrno>
#include <cstring>
#include <ostream>

extern "C" {
#include <mupdf/fitz/version.h>
}

namespace quirekit {

int Engine::run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const RequestParser::Result parsed = RequestParser::parse(args);
    if (!parsed.ok) {
        err << "quirekit: " << parsed.error << "\n" << RequestParser::usage();
        return kUsage;
    }
    const Request &request = parsed.request;
    switch (request.action) {
    case Request::Action::Help: out << RequestParser::usage(); return kSuccess;
    case Request::Action::Version: out << "quirekit 2.0\nMuPDF " << FZ_VERSION << "\n"; return kSuccess;
    case Request::Action::DumpData: return dumpData(request, err);
    case Request::Action::Cat: return cat(request, err);
    }
    return kUsage;
}

int Engine::fail(std::ostream &err, const std::string &message)
{
    err << "quirekit: " << message << "\n";
    return kFailure;
}

Status Engine::outputPath(const std::string &noun, const Request &request, std::string &path)
{
    using Kind = FileIdentity::Kind;
    const std::string named = "the " + noun + " '" + request.output + "'";
    if (FileIdentity::sameFile(request.document, request.output))
        return Status::failure(named + " is the document itself; it is left unchanged");

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
            return Status::failure(named + " is a symbolic link to '" + FileIdentity::linkText(request.output)
                                   + "', which does not exist; name a file instead of the link");
        if (kind == Kind::Missing)
            return Status::failure(named + " is a symbolic link that cannot be followed: " + std::strerror(error));
        if (kind == Kind::Folder)
            return Status::failure(named + " is a folder");
        if (kind != Kind::Regular)
            return Status::failure(named + " leads to " + FileIdentity::describe(kind)
                                   + ", not to a file; choose a file to write to");
        path = FileIdentity::canonical(request.output);
        if (path.empty())
            return Status::failure(named + " is a symbolic link that cannot be followed: " + std::strerror(errno));
    } else if (kind == Kind::Folder) {
        return Status::failure(named + " is a folder");
    } else if (kind != Kind::Regular) {
        return Status::failure(named + " is " + std::string(FileIdentity::describe(kind))
                               + ", not a file; choose a file to write to");
    }
    if (FileIdentity::isReadOnly(path))
        return Status::failure(named
                               + " is read-only; it was left unchanged (make it writable or choose another name)");
    return Status::success();
}

int Engine::dumpData(const Request &request, std::ostream &err)
{
    PdfDocument document;
    Status status = document.open(request.document);
    if (!status.ok)
        return fail(err, status.message);
    DocumentFacts facts;
    status = document.facts(facts);
    if (!status.ok)
        return fail(err, status.message);

    std::string path;
    status = outputPath("report", request, path);
    if (!status.ok)
        return fail(err, status.message);
    AtomicFile report(path);
    status = report.create();
    if (status.ok)
        status = report.writeAll(DataReport::format(facts));
    if (status.ok)
        status = report.commit(false);
    if (!status.ok)
        return fail(err, status.message);
    return kSuccess;
}

int Engine::cat(const Request &request, std::ostream &err)
{
    PdfDocument document;
    Status status = document.open(request.document);
    if (!status.ok)
        return fail(err, status.message);

    const long long count = document.pageCount();
    if (request.first < 1 || request.last < 1 || request.first > count || request.last > count) {
        const std::string range = request.first == request.last ? "page " + std::to_string(request.first)
                                                                : "page range " + std::to_string(request.first) + "-"
                                                                      + std::to_string(request.last);
        return fail(err,
                    range + " is outside the document (" + std::to_string(count) + (count == 1 ? " page)" : " pages)"));
    }
    std::string path;
    status = outputPath("output", request, path);
    if (!status.ok)
        return fail(err, status.message);

    AtomicFile output(path);
    status = output.create();
    if (status.ok) {
        PartWriter writer(document);
        status = writer.write(static_cast<int>(request.first), static_cast<int>(request.last), output.descriptor());
    }
    if (status.ok)
        status = output.commit(true);
    if (!status.ok)
        return fail(err, status.message);
    return kSuccess;
}

} // namespace quirekit
