#include "Engine.h"

#include "AtomicFile.h"
#include "DataReport.h"
#include "FileIdentity.h"
#include "PartWriter.h"
#include "PdfDocument.h"

#include <ostream>

extern "C" {
#include <mupdf/fitz/version.h>
}

int Engine::run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    const CommandLine::Result parsed = CommandLine::parse(args);
    if (!parsed.ok) {
        err << "quirekit: " << parsed.error << "\n" << CommandLine::usage();
        return kUsage;
    }
    const Request &request = parsed.request;
    switch (request.action) {
    case Request::Action::Help: out << CommandLine::usage(); return kSuccess;
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

    if (FileIdentity::sameFile(request.document, request.output))
        return fail(err, "the report '" + request.output + "' is the document itself; it is left unchanged");
    if (FileIdentity::isFolder(request.output))
        return fail(err, "the report '" + request.output + "' is a folder");
    AtomicFile report(request.output);
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
    if (FileIdentity::sameFile(request.document, request.output))
        return fail(err, "the output '" + request.output + "' is the document itself; it is left unchanged");
    if (FileIdentity::isFolder(request.output))
        return fail(err, "the output '" + request.output + "' is a folder");

    AtomicFile output(request.output);
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
