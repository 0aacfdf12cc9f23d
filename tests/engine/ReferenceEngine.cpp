// The engine as it reads without its own shortcuts: MuPDF's own font lookup with all of its
// fonts, the document read through a stream of reads, and everything freed at the end. The
// built engine must write the same bytes.
#include "Engine.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    quirekit::Engine::Options options;
    options.reading = quirekit::PdfDocument::Reading::Stream;
    return quirekit::Engine::run(args, quirekit::Environment{}, std::cout, std::cerr, options);
}
