#pragma once

#include "FoldedText.h"
#include "PageFacts.h"
#include "PdfDocument.h"
#include "Status.h"

#include <atomic>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace quirekit {

// Analyses every page of a document for page_facts, several pages at once. MuPDF's objects
// belong to one thread each, so every thread but the caller's opens the document once more
// for itself (its own MuPDF context, its own mapping of the same file, checked to be the
// same version) and takes the next page not yet taken. Progress goes to `progress` as
// "Progress: <done>/<pages>" lines, flushed, one per page or per hundredth of the pages.
class PageFactsRun {
public:
    struct Options {
        bool ink = true;
        bool barcodes = false;
        std::optional<std::string> phrase;
        bool pageText = false;
        int threads = 1;
        PdfDocument::Reading reading = PdfDocument::Reading::Mapped;
        PageLimits limits; // for every page, whichever thread draws it
    };

    PageFactsRun(PdfDocument &document, std::string path, Options options, std::ostream &progress);
    ~PageFactsRun();

    // A damaged page, or one given up at its limits, is recorded in its facts and the others
    // go on; what fails the whole run (memory, the file changed under a thread) is the Status.
    Status run();
    const std::vector<PageFacts> &pages() const { return m_pages; }
    // Every document read by the run is still the version opened (see PdfDocument).
    Status unchangedSinceOpened() const;
    // Keeps the threads' documents until the process ends instead of freeing them.
    void leaveToExit();

    // Pixels an inch for each fact: coarse for ink, fine enough for barcode modules. The
    // fine one is a multiple of the coarse one, so one fine drawing serves both.
    static constexpr double kInkDpi = 37.5;
    static constexpr double kBarcodeDpi = 150;
    // A page larger than a poster is drawn at fewer pixels an inch than these.
    static constexpr std::size_t kMostInkPixels = 4u << 20;
    static constexpr std::size_t kMostBarcodePixels = 64u << 20;

private:
    Status work(PdfDocument &document);
    Status analyse(PdfDocument &document, int index, PageFacts &facts);
    void finished();
    void fail(const Status &status);

    PdfDocument &m_document;
    std::string m_path;
    Options m_options;
    std::ostream &m_progress;
    std::optional<FoldedText> m_phrase;
    std::vector<PageFacts> m_pages;
    std::vector<std::unique_ptr<PdfDocument>> m_others;
    std::atomic<int> m_next{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex; // guards the rest
    int m_done = 0;
    Status m_failure;
};

} // namespace quirekit
