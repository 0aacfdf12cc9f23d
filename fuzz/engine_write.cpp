// The engine writing a range of any document's pages: a part it reports as written must open
// and have exactly the pages asked for. Two leading bytes choose the range; the rest is the PDF.
#include "FuzzSupport.h"

#include "PartWriter.h"
#include "PdfDocument.h"

#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

using namespace quirefuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const int firstChoice = input.byte();
    const int lastChoice = input.byte();
    const std::string source = writeScratchFile("source.pdf", input.rest());

    quirekit::PdfDocument document;
    if (!document.open(source).ok || document.pageCount() < 1)
        return 0;
    const int count = document.pageCount();
    const int first = firstChoice % count + 1;
    const int last = lastChoice % count + 1;

    const std::string output = scratchFolder() + "/part.pdf";
    const int fd = ::open(output.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    require(fd >= 0, "cannot create " + output);
    quirekit::Status status;
    {
        quirekit::PartWriter writer(document);
        status = writer.write({quirekit::PageRange{first, last}}, fd);
    }
    ::close(fd);
    if (!status.ok)
        return 0;

    const std::string range = std::to_string(first) + "-" + std::to_string(last) + " of " + std::to_string(count);
    quirekit::PdfDocument part;
    const quirekit::Status opened = part.open(output);
    require(opened.ok, "the part " + range + " was written but does not open: " + opened.message);
    const int expected = std::abs(last - first) + 1;
    require(part.pageCount() == expected,
            "the part " + range + " has " + std::to_string(part.pageCount()) + " pages, not " + std::to_string(expected));
    quirekit::DocumentFacts facts;
    require(part.facts(facts).ok, "the part " + range + " opens but cannot be reported on");
    return 0;
}
