#pragma once

#include "FileIdentity.h"
#include "MappedSource.h"
#include "Status.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

struct fz_context;
struct pdf_document;
struct pdf_obj;
struct pdf_page;

namespace quirekit {

class FoldedText;
class MemoryBudget;
class PageWatchdog;
struct ColourImage;
struct GrayImage;

// How drawPage() draws a page: at dpi pixels an inch, or fewer where the page is so large
// that it would take more than mostPixels; not at all with dpi 0.
struct PageDrawing {
    double dpi = 72;
    std::size_t mostPixels = 0;
    // A scanned page (an image of the page's own shape) is drawn no finer than it was scanned,
    // nor coarser than kLeastScanDpi: enlarging a scan adds nothing to read, and smoothing it
    // larger costs more than the rest of the drawing.
    bool atMostScanned = false;
    static constexpr double kLeastScanDpi = 100;
};

// What drawing one page may take before it is given up; 0 for no bound.
struct PageLimits {
    std::chrono::milliseconds time{0};
    std::size_t memory = 0; // bytes beyond what the document held before the page
    // For a drawing that does not stop when its time is up (see PageWatchdog::Stuck).
    std::chrono::milliseconds stuckAfter{0};
    void (*endStuck)(int page) = nullptr; // page from 1
};

// What the dump_data report tells about a document.
struct DocumentFacts {
    int pageCount = 0;
    std::string pdfVersion;
    bool encrypted = false;
    // Document information entries in a fixed order (Title, Author, ...); absent ones are left out.
    std::vector<std::pair<std::string, std::string>> info;
    bool hasFirstPage = false;
    double firstPageWidth = 0; // points, as displayed (crop box, rotation applied)
    double firstPageHeight = 0;
    int firstPageRotation = 0;

    struct Bookmark {
        std::string title; // UTF-8
        int level = 1; // 1 for the top level
        int page = 0; // 1-based page of its destination, 0 when it has none
    };
    std::vector<Bookmark> bookmarks; // in document order

    struct LabelRange {
        int firstPage = 1; // 1-based
        long long start = 1;
        char style = 0; // the /S name's letter (D, R, r, A, a), 0 for none
        std::string prefix; // UTF-8
    };
    std::vector<LabelRange> labels;
};

// One page of the document as found in its page tree.
struct PageEntry {
    enum Inherited { Resources, MediaBox, CropBox, BleedBox, TrimBox, ArtBox, Rotate, UserUnit, InheritedCount };

    int num = 0; // object number, 0 when the page is a direct object in Kids
    int node = 0; // the tree node it hangs from (index into the node list)
    pdf_obj *page = nullptr; // the page dictionary (held by the document) once loaded
};

// One entry of the document outline, flattened in document order.
struct OutlineEntry {
    // Page: a destination in this document (page -1 when it leads nowhere found); Action:
    // an action of another kind (a web address, a named action...); None: neither.
    enum Target : std::uint8_t { None, Page, Action };

    pdf_obj *item = nullptr; // the outline item dictionary (kept)
    int level = 1; // 1 for the top level
    int parent = -1; // index of the entry it hangs from, -1 at the top
    int page = -1; // source page index of its destination
    Target target = None;
};

// An open PDF document and its pages. Every MuPDF error is turned into a Status at this
// class's public functions; the page list is found by walking the page tree once. The file
// is opened once and read through that one descriptor for the document's lifetime, so that
// a name that is given to another file meanwhile changes nothing.
class PdfDocument {
public:
    PdfDocument();
    ~PdfDocument();

    PdfDocument(const PdfDocument &) = delete;
    PdfDocument &operator=(const PdfDocument &) = delete;

    // How the file is read: mapped into memory where it can be (the usual way), or through a
    // stream of reads, as a file that cannot be mapped is.
    enum class Reading : std::uint8_t { Mapped, Stream };

    // expected: the version of the file the caller checked; another one fails with
    // Cause::Changed before anything is read. Other failures: Cause::Unavailable (missing,
    // not a regular file, not readable), NotPdf, Password, Damaged (MuPDF cannot make a
    // document of it, even repaired) and Memory.
    Status open(const std::string &path, const FileVersion *expected = nullptr, Reading reading = Reading::Mapped);
    // Fails with Cause::Changed when the file read has been rewritten since open(): its size,
    // modification time or change time moved, or it became shorter while it was read, so what was read
    // may mix old and new content.
    Status unchangedSinceOpened() const;
    // The file's bytes from offset on, when it is mapped and holds `length` of them there.
    const unsigned char *mappedBytes(std::int64_t offset, std::int64_t length) const;
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    std::int64_t fileSize() const { return m_opened.size; } // as it was when opened
    const FileVersion &openedVersion() const { return m_opened; }
    // Fails with Cause::Damaged, or Memory when memory ran out.
    Status facts(DocumentFacts &facts);

    // Draws page `index` (from 0) in grey on white as drawing says, with its annotations, and
    // with `text` also reads its text into it. problems tells, when not empty, what MuPDF met
    // and went past while drawing (a broken image, say): the page is then drawn in part. A
    // page that cannot be drawn at all fails with Cause::Damaged (the document stays usable),
    // memory running out with Cause::Memory.
    Status drawPage(int index, const PageDrawing &drawing, GrayImage &image, FoldedText *text,
                    std::string &problems);
    // Draws page `index` in colour on white, with its annotations, exactly `width` pixels wide
    // and as high as the page's shape (rotation applied) makes it; a page more than
    // `mostHeight` pixels high at that width is drawn narrower instead. Failures and problems
    // as drawPage(); a page of no area gives an image of no pixels.
    Status drawPageInColour(int index, int width, int mostHeight, ColourImage &image, std::string &problems);
    // Before drawing: what each page may take. A page that takes longer is given up with
    // Cause::TimeUp, one that needs more memory with Cause::OverBudget; the document stays
    // usable for the next page either way.
    void limitPages(const PageLimits &limits) { m_limits = limits; }
    // Before open(): how much MuPDF keeps of what pages share (fonts, decoded images) between
    // drawings. The default suits a run that reads every page once.
    void limitStore(std::size_t bytes) { m_storeLimit = bytes; }
    // Lets MuPDF forget what it kept from the pages drawn so far (fonts, images, the objects
    // read for them), so that drawing page after page of a large document keeps memory flat.
    // The next pages read and decode what they use again.
    void forgetUnusedObjects();

    // For PartWriter, which copies pages out of this document. The functions below that
    // take or return pdf_obj throw through MuPDF: call them inside fz_try.
    fz_context *context() const { return m_ctx; }
    pdf_document *document() const { return m_doc; }
    const std::vector<PageEntry> &pages() const { return m_pages; }
    enum NodeKind : std::uint8_t { NotInTree = 0, TreeNode = 1, TreeLeaf = 2 };
    NodeKind nodeKind(int num) const;
    // The index of a page object's first listing in the tree (a page may be listed twice); -1 if none.
    int pageIndexOfNum(int num) const;
    // Loads the page objects first..last (indexes from 0). Throws through MuPDF.
    void loadPages(int first, int last);
    // The page's own value for an inheritable attribute, else the one it inherits; null if none.
    pdf_obj *pageAttribute(int index, PageEntry::Inherited which) const;
    bool inherits(int index, PageEntry::Inherited which) const;
    static pdf_obj *inheritableKey(int which);
    // The source page index a destination (explicit, named, or a dictionary with D) points
    // at, or -1; array receives the explicit destination array.
    int destinationPage(pdf_obj *destination, pdf_obj **array);
    // The page labels number tree, flattened and sorted by page index.
    const std::vector<std::pair<int, pdf_obj *>> &pageLabels();
    // The label range (index into pageLabels()) a page falls in; -1 before the first one.
    int labelRangeOf(int index);
    // The outline (bookmarks) in document order; an item reached twice (a loop) is skipped.
    const std::vector<OutlineEntry> &outline();

private:
    struct Canvas; // where and how large a page is drawn (PdfDocument_pages.cpp)
    Status drawOnto(int index, Canvas &canvas, FoldedText *text, std::string &problems);
    void mapPages();
    pdf_page *loadPageForDrawing(int index, bool &elsewhere);
    void walkPageTree();
    void pushNode(pdf_obj *node, int parent, int num);
    void popNode();
    void track(int num);
    void addPage(int num, int node, pdf_obj *page);
    // Takes over one reference to `kept` until releasePages(); returns it.
    pdf_obj *hold(pdf_obj *kept);
    pdf_obj *loadPageObject(int index);
    pdf_obj *lookupNamedDestination(pdf_obj *name);
    pdf_obj *searchNameTree(pdf_obj *root, const char *key, std::size_t keyLength);
    pdf_obj *indexedDestination(pdf_obj *tree, const char *key, std::size_t keyLength);
    void collectLabels(pdf_obj *root);
    void startSearch(pdf_obj *root);
    void newSeenMark();
    bool markSeen(pdf_obj *kid);
    void queueUnseenKids(pdf_obj *node);
    void walkOutline(pdf_obj *first);
    void structureFacts(DocumentFacts &facts);
    void releasePages();

    struct Frame {
        pdf_obj *kids = nullptr; // kept
        int next = 0;
        int node = 0;
        int num = 0; // the node's object number, 0 if direct
    };

    std::string m_path;
    std::FILE *m_file = nullptr; // MuPDF reads through it; closed after the document is dropped
    MappedSource m_mapped; // or MuPDF reads this mapping of it, unmapped after the document is dropped
    FileVersion m_opened;
    std::size_t m_storeLimit = 256u << 20; // MuPDF's own default
    fz_context *m_ctx = nullptr;
    pdf_document *m_doc = nullptr;
    std::vector<PageEntry> m_pages;
    // Inheritable attributes in force at each tree node (held), InheritedCount per node.
    std::vector<pdf_obj *> m_nodeAttributes;
    // The objects the page list and the attributes point at, each kept once however often it is
    // listed: a page or value reached again and again would otherwise be kept past MuPDF's
    // reference count limit, and never freed.
    std::unordered_set<pdf_obj *> m_held;
    std::vector<Frame> m_stack;
    std::vector<std::uint8_t> m_kind; // by object number
    std::vector<int> m_pageIndex; // by object number: the page's first listing, -1 when not a page
    std::vector<std::uint8_t> m_onPath; // by object number: a node between the walk and the root
    std::vector<std::uint32_t> m_seen; // by object number, for cycle-safe tree searches
    std::uint32_t m_seenMark = 0;
    std::vector<pdf_obj *> m_search; // kept nodes waiting in a tree search
    std::vector<std::pair<int, pdf_obj *>> m_labels; // kept label dictionaries
    bool m_labelsLoaded = false;
    struct PendingItem {
        pdf_obj *item; // a First or Next value inside a kept dictionary
        int parent;
        int level;
    };
    std::vector<PendingItem> m_pendingItems;
    std::vector<OutlineEntry> m_outline;
    // The destinations name tree flattened and sorted by key, once names are looked up often.
    struct NamedDestination {
        const char *key; // inside a kept leaf of the tree
        std::size_t length;
        pdf_obj *value;
    };
    static constexpr int kSearchesBeforeIndex = 32;
    int m_namedLookups = 0;
    bool m_indexBuilt = false;
    std::vector<NamedDestination> m_destinationIndex;
    std::vector<pdf_obj *> m_indexLeaves; // kept
    bool m_outlineLoaded = false;
    // MuPDF's map from page numbers to page objects, made from the page list before the first
    // page is drawn: without it MuPDF finds each page by walking its tree from the root, by
    // its Counts. A page list with a page that is no object of its own cannot be mapped.
    enum class PageMap : std::uint8_t { NotYet, Ours, None };
    PageMap m_pageMap = PageMap::NotYet;
    PageLimits m_limits;
    std::unique_ptr<MemoryBudget> m_budget; // the context's allocator
    std::unique_ptr<PageWatchdog> m_watchdog; // once a page is drawn with a time limit
};

} // namespace quirekit
