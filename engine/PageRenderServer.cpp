#include "PageRenderServer.h"

#include "PdfDocument.h"

#include "protocol/EngineProtocol.h"

#include <istream>
#include <ostream>

namespace quirekit {

namespace {

namespace words = protocol::pictures;

// "123 240" is 7 characters; anything much longer is not a request.
constexpr std::size_t kLongestLine = 64;
// Page numbers have at most this many digits here, so they cannot overflow.
constexpr std::size_t kMostDigits = 10;
// How often MuPDF is told to forget what it kept of the pages drawn before: often enough that a
// scroll through a large document keeps memory flat (measured: 11 MB after 6,000 pages, against
// 130 MB and growing with MuPDF's store alone), rarely enough that a screenful of pages still
// shares its fonts (forgetting after every page made born-digital pages five times slower).
constexpr int kDrawingsBetweenForgetting = 32;

bool parseNumber(const std::string &text, long long &value)
{
    if (text.empty() || text.size() > kMostDigits)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

std::string_view failureReason(Status::Cause cause)
{
    switch (cause) {
    case Status::Cause::Memory:
    case Status::Cause::OverBudget: return words::Memory;
    case Status::Cause::TimeUp: return words::Timeout;
    default: return words::Damaged;
    }
}

} // namespace

PageRenderServer::PageRenderServer(PdfDocument &document, std::istream &in, std::ostream &out, std::ostream &log)
    : m_document(document), m_in(in), m_out(out), m_log(log)
{
}

Status PageRenderServer::serve()
{
    m_out << words::Ready << m_document.pageCount() << "\n" << std::flush;
    std::string line;
    while (readLine(line)) {
        const Status status = answer(parse(line));
        if (!status.ok)
            return status;
    }
    return Status::success();
}

bool PageRenderServer::readLine(std::string &line)
{
    line.clear();
    std::istream::int_type c;
    bool any = false;
    while ((c = m_in.get()) != std::istream::traits_type::eof()) {
        any = true;
        if (c == '\n')
            return true;
        if (line.size() <= kLongestLine)
            line.push_back(static_cast<char>(c));
    }
    return any; // a last line without its line feed is still a request
}

PageRenderServer::PageRequest PageRenderServer::parse(const std::string &line)
{
    PageRequest request;
    std::string text = line;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    const auto space = text.find(' ');
    if (space == std::string::npos || text.size() > kLongestLine)
        return request;
    long long page = 0, width = 0;
    if (!parseNumber(text.substr(0, space), page))
        return request;
    request.page = page;
    request.valid = parseNumber(text.substr(space + 1), width) && width >= 1 && width <= words::MostWidth;
    request.width = request.valid ? static_cast<int>(width) : 0;
    return request;
}

Status PageRenderServer::answer(const PageRequest &request)
{
    if (!request.valid) {
        fail(request.page, words::BadRequest);
        return Status::success();
    }
    if (request.page < 1 || request.page > m_document.pageCount()) {
        fail(request.page, words::Outside);
        return Status::success();
    }
    std::string problems;
    const int index = static_cast<int>(request.page - 1);
    const Status drawn
        = m_document.drawPageInColour(index, request.width, words::MostAspect * request.width, m_image, problems);
    if (++m_drawn % kDrawingsBetweenForgetting == 0)
        m_document.forgetUnusedObjects();
    // Checked after drawing: a file rewritten meanwhile may have given a mixed page.
    if (const Status unchanged = m_document.unchangedSinceOpened(); !unchanged.ok) {
        fail(request.page, words::Changed);
        return unchanged;
    }
    if (!drawn.ok) {
        m_log << "quirekit: " << drawn.message << "\n";
        fail(request.page, failureReason(drawn.cause));
        return Status::success();
    }
    if (m_image.width == 0) {
        m_log << "quirekit: page " << request.page << " has no area to draw\n";
        fail(request.page, words::Damaged);
        return Status::success();
    }
    if (!problems.empty())
        m_log << "quirekit: page " << request.page << " is drawn only in part: " << problems << "\n";
    m_out << words::Page << " " << request.page << " " << m_image.width << " " << m_image.height << " " << m_image.pixels.size()
          << "\n";
    m_out.write(reinterpret_cast<const char *>(m_image.pixels.data()),
                static_cast<std::streamsize>(m_image.pixels.size()));
    m_out.flush();
    return Status::success();
}

void PageRenderServer::fail(long long page, std::string_view reason)
{
    m_out << words::Failed << " " << page << " " << reason << "\n" << std::flush;
}

} // namespace quirekit
