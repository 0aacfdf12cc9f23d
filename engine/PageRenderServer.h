#pragma once

#include "ColourImage.h"
#include "Status.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace quirekit {

class PdfDocument;

// render_pages: draws pages of one open document in colour, one request after another, for
// a program that shows thumbnails. It opens nothing itself, and it speaks the line protocol of
// protocol::pictures.
//
// Every request line gets exactly one reply, flushed at once, so a caller may keep a few
// requests in flight and match replies to them in order. A line that is not two numbers
// (or whose width is out of bounds) is "Failed <page or 0> request". A page higher than
// MostAspect times its width is drawn narrower than asked, so the reply tells the size.
// A page that cannot be drawn, or that is given up at the document's page limits (memory,
// timeout), is only that page's failure; the server goes on.
class PageRenderServer {
public:
    // What MuPDF may keep of what pages share (fonts, decoded images) between requests.
    static constexpr std::size_t kStoreLimit = 64u << 20;

    PageRenderServer(PdfDocument &document, std::istream &in, std::ostream &out, std::ostream &log);

    // Serves until the input ends (success). A document that changed on disk fails with
    // Cause::Changed after replying "changed" to the request that found it: its pixels may
    // mix the old file and the new one, so none are sent.
    Status serve();

private:
public:
    struct PageRequest {
        long long page = 0; // 0 when the line does not say
        int width = 0;
        bool valid = false;
    };
    // One request line, without its line feed.
    static PageRequest parse(const std::string &line);

private:
    // False at the end of the input. A line longer than any request is read to its end and
    // kept short, so that it is refused rather than held in memory.
    bool readLine(std::string &line);
    Status answer(const PageRequest &request);
    void fail(long long page, std::string_view reason);

    PdfDocument &m_document;
    std::istream &m_in;
    std::ostream &m_out;
    std::ostream &m_log;
    ColourImage m_image;
    int m_drawn = 0;
};

} // namespace quirekit
