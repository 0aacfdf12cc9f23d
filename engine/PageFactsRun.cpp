#include "PageFactsRun.h"

#include "BarcodeScan.h"

#include "protocol/EngineProtocol.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>
#include <ostream>
#include <system_error>
#include <thread>

namespace quirekit {

namespace {

// How many pixels of a drawing for barcodes make one of the coarse view the ink is measured on:
// as near the coarse resolution as whole blocks allow (4 at 150 pixels an inch, 3 for a scan
// of 100).
int coarseFactor(double dpi)
{
    return std::max(1, static_cast<int>(std::lround(dpi / PageFactsRun::kInkDpi)));
}

// A thread's C++ failure as a Status; nothing may leave a thread's function.
template <typename Body> Status guarded(Body &&body)
{
    try {
        return body();
    } catch (const std::bad_alloc &) {
        return Status::failure("out of memory", Status::Cause::Memory);
    } catch (const std::exception &error) {
        return Status::failure(error.what());
    }
}

} // namespace

PageFactsRun::PageFactsRun(PdfDocument &document, std::string path, Options options, std::ostream &progress)
    : m_document(document), m_path(std::move(path)), m_options(std::move(options)), m_progress(progress)
{
    if (m_options.phrase)
        m_phrase = FoldedText::of(*m_options.phrase);
}

PageFactsRun::~PageFactsRun() = default;

Status PageFactsRun::run()
{
    const int count = m_document.pageCount();
    m_pages.assign(static_cast<std::size_t>(count), PageFacts());
    const int threads = std::clamp(m_options.threads, 1, std::max(1, count));
    m_others.resize(static_cast<std::size_t>(threads - 1));
    std::vector<std::thread> started;
    for (int t = 0; t + 1 < threads; ++t) {
        try {
            started.emplace_back([this, t, count] {
                const Status status = guarded([&] {
                    auto own = std::make_unique<PdfDocument>();
                    PdfDocument &document = *own;
                    m_others[static_cast<std::size_t>(t)] = std::move(own); // its slot is this thread's alone
                    document.limitPages(m_options.limits);
                    Status opened = document.open(m_path, &m_document.openedVersion(), m_options.reading);
                    if (opened.ok && document.pageCount() != count)
                        opened = Status::failure("the document '" + m_path + "' changed while it was being read",
                                                 Status::Cause::Changed);
                    return opened.ok ? work(document) : opened;
                });
                if (!status.ok)
                    fail(status);
            });
        } catch (const std::system_error &) {
            break; // no more threads to be had: the ones started share the pages
        }
    }
    const Status own = guarded([&] { return work(m_document); });
    if (!own.ok)
        fail(own);
    for (std::thread &thread : started)
        thread.join();
    return m_failure;
}

Status PageFactsRun::work(PdfDocument &document)
{
    const int count = static_cast<int>(m_pages.size());
    for (int index; !m_stop && (index = m_next++) < count;) {
        const Status status = analyse(document, index, m_pages[static_cast<std::size_t>(index)]);
        if (!status.ok)
            return status;
        finished();
    }
    return Status::success();
}

Status PageFactsRun::analyse(PdfDocument &document, int index, PageFacts &facts)
{
    // A page is drawn only for what needs it; text alone is read without drawing.
    const PageDrawing drawing = m_options.barcodes ? PageDrawing{kBarcodeDpi, kMostBarcodePixels, true}
                                : m_options.ink    ? PageDrawing{kInkDpi, kMostInkPixels}
                                                   : PageDrawing{0, 0};
    GrayImage image;
    FoldedText text;
    std::string problems;
    const bool readText = m_phrase || m_options.pageText;
    const Status drawn = document.drawPage(index, drawing, image, readText ? &text : nullptr, problems);
    if (!drawn.ok && drawn.cause == Status::Cause::Damaged) {
        facts.damaged = true;
        facts.problem = drawn.message;
        return Status::success();
    }
    if (!drawn.ok && (drawn.cause == Status::Cause::TimeUp || drawn.cause == Status::Cause::OverBudget)) {
        facts.unreadable = true;
        facts.problem = drawn.message;
        return Status::success();
    }
    if (!drawn.ok)
        return drawn;
    if (m_options.barcodes) {
        BarcodeScan::Found found = BarcodeScan::scan(image);
        facts.barcodes = std::move(found.barcodes);
        facts.unreadBarcodes = std::move(found.unread);
    }
    if (m_options.ink)
        InkMeasure::measure(m_options.barcodes ? image.reduced(coarseFactor(image.dpi)) : image, facts);
    facts.textFound = !text.text().empty();
    if (m_phrase && (facts.textMatch = text.contains(*m_phrase)))
        facts.matchedLine = text.lineOf(*m_phrase);
    if (m_options.pageText)
        facts.pageText = text.lines();
    if (!problems.empty()) {
        // What could not be drawn may be what the page shows: a scan whose image is broken
        // draws as a blank or a black sheet, which is no reason to take it for a separator.
        facts.damaged = true;
        facts.drawnInPart = true;
        facts.problem = "page " + std::to_string(index + 1) + " is drawn only in part: " + problems;
    }
    return Status::success();
}

void PageFactsRun::finished()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    const int count = static_cast<int>(m_pages.size());
    ++m_done;
    const int step = std::max(1, count / 100);
    if (m_done % step == 0 || m_done == count)
        m_progress << protocol::report::progressLine(m_done, count) << std::endl;
}

void PageFactsRun::fail(const Status &status)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_failure.ok)
        m_failure = status;
    m_stop = true;
}

Status PageFactsRun::unchangedSinceOpened() const
{
    Status status = m_document.unchangedSinceOpened();
    for (const auto &other : m_others)
        if (status.ok && other)
            status = other->unchangedSinceOpened();
    return status;
}

void PageFactsRun::leaveToExit()
{
    for (auto &other : m_others)
        (void)other.release();
}

} // namespace quirekit
