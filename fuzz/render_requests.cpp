// The picture server (render_pages) reading any bytes as its requests, through the engine as a
// program runs it, over a one-page document: every request line gets exactly one reply, in
// order, each a reply the protocol has; and a page's pixels are as many as its reply says.
#include "FuzzSupport.h"

#include "Engine.h"

#include "protocol/EngineProtocol.h"

#include <sstream>

using namespace quirefuzz;
namespace pictures = quirekit::protocol::pictures;

namespace {

// A page of 200 by 100 points; MuPDF finds its objects without a cross-reference table.
constexpr std::string_view kDocument = "%PDF-1.4\n"
                                       "1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
                                       "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
                                       "3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 200 100]>>endobj\n"
                                       "trailer<</Root 1 0 R>>\n%%EOF\n";
// Each request may draw a page 2048 pixels wide: a few keep every input quick.
constexpr std::size_t kMostLines = 8;

long long number(const std::string &text)
{
    require(!text.empty() && text.find_first_not_of("0123456789") == std::string::npos,
            "a reply holds '" + text + "' where a number belongs");
    return std::stoll(text);
}

// The request lines as the server splits them: a last line without its line feed counts too.
std::vector<std::string> linesOf(std::string_view input)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < input.size();) {
        const std::size_t end = input.find('\n', start);
        lines.emplace_back(input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        start = end == std::string_view::npos ? input.size() : end + 1;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::vector<std::string> lines = linesOf(input);
    if (lines.size() > kMostLines)
        return 0;
    static const std::string document = writeScratchFile("one page.pdf", kDocument);
    std::istringstream in{std::string(input)};
    std::ostringstream out;
    std::ostringstream err;
    const int exit = quirekit::Engine::run({document, std::string(quirekit::protocol::word::RenderPages)}, {}, in, out,
                                           err, {});
    require(exit == quirekit::protocol::Exit::Success, "the server ended with " + std::to_string(exit) + ": " + err.str());

    std::istringstream replies(out.str());
    std::string line;
    require(std::getline(replies, line) && line == std::string(pictures::Ready) + "1", "the server's first line is '" + line + "'");
    for (const std::string &request : lines) {
        require(bool(std::getline(replies, line)), "no reply to the request '" + request + "'");
        std::istringstream words(line);
        std::string kind, page, third;
        words >> kind >> page >> third;
        number(page);
        if (kind == pictures::Failed) {
            const bool known = third == pictures::Outside || third == pictures::Damaged || third == pictures::BadRequest
                               || third == pictures::Memory || third == pictures::Timeout || third == pictures::Changed;
            require(known, "a failure with the reason '" + third + "'");
            continue;
        }
        std::string height, bytes;
        words >> height >> bytes;
        require(kind == pictures::Page && page == "1", "the reply '" + line + "' to '" + request + "'");
        const long long width = number(third);
        const long long rows = number(height);
        // The request named page 1 and a width at least as wide as the one drawn.
        const std::size_t space = request.find(' ');
        require(space != std::string::npos && std::stoll(request.substr(0, space)) == 1
                    && width <= std::stoll(request.substr(space + 1)) && width <= pictures::MostWidth
                    && rows <= pictures::MostAspect * width,
                "the reply '" + line + "' to '" + request + "'");
        require(number(bytes) == width * rows * pictures::BytesPerPixel, "a page's bytes are not its pixels");
        replies.ignore(std::streamsize(number(bytes)));
        require(!replies.fail(), "a page's pixels end early");
    }
    require(!std::getline(replies, line), "a reply that no request asked for: '" + line + "'");
    return 0;
}
