#pragma once

#include "PageRange.h"
#include "PdfDocument.h"
#include "Status.h"

#include <cstdint>
#include <vector>

struct fz_context;
struct pdf_document;
struct pdf_obj;

namespace quirekit {

// Writes ranges of a document's pages as a new PDF. Pages are rebuilt in a new document
// and everything they use is copied once, object by object; references that lead out of
// the ranges (other pages, the page tree, annotations and form fields of other pages, links
// to pages left out) are cut there, so no other page or its content reaches the output.
// Links within the ranges, form fields, page labels, optional content, the document
// information and metadata, the viewer settings and the bookmarks that lead into them
// are kept.
class PartWriter {
public:
    explicit PartWriter(PdfDocument &source);
    ~PartWriter();

    PartWriter(const PartWriter &) = delete;
    PartWriter &operator=(const PartWriter &) = delete;

    // The pages of each range, range after range, written to the open file descriptor; no
    // page may be in two ranges. A failed write fails with Cause::Output, pages that cannot be
    // read with Cause::Damaged (Memory when memory ran out), and pages the document turns out
    // not to have (its page tree's counts promised them) with Cause::Other.
    Status write(const std::vector<PageRange> &ranges, int fd);
    // The number of bytes write() would write for these ranges, found by writing them to
    // nowhere: the one true size of a part, as no estimate is. Fails as write() does. A
    // PartWriter writes or measures one part only.
    Status measure(const std::vector<PageRange> &ranges, std::int64_t &bytes);
    // Whether a page's own entry `key` is copied into its part (the others tie it to
    // structures of the whole document).
    static bool copiesPageKey(const char *key);

private:
    enum Role : std::uint8_t { Unclassified, KeptAnnotation, DroppedAnnotation, KeptField };

    void loadPages(const std::vector<PageRange> &ranges);
    void build(const std::vector<PageRange> &ranges);
    void planPages(const std::vector<PageRange> &ranges);
    void classifyAnnotations(pdf_obj *page);
    void markFieldAncestors(pdf_obj *widget, int widgetNum);
    bool linkStaysInside(pdf_obj *link);
    // Output position of the page a destination leads to; -1 if that page is left out.
    int targetPosition(pdf_obj *destination, pdf_obj **array);
    int positionOf(int index);
    // depth: of the dictionary being filled, as in putCopy (a destination may hold itself).
    bool putDestination(pdf_obj *dict, pdf_obj *key, pdf_obj *destination, int depth = 1);
    bool isOutsideGoTo(pdf_obj *dict);

    pdf_obj *copyRef(int num);
    void copyObject(int num);
    pdf_obj *loadSourceObject(int num);
    void drainWork();
    void putCopy(pdf_obj *dict, pdf_obj *key, pdf_obj *value, int depth);
    void pushCopy(pdf_obj *array, pdf_obj *value, int depth);
    void fillDict(pdf_obj *target, pdf_obj *source, int depth, int ownerNum);
    void fillArray(pdf_obj *target, pdf_obj *source, int depth);
    void fillAnnotations(pdf_obj *target, pdf_obj *source);
    void fillFieldKids(pdf_obj *target, pdf_obj *source);

    void copyPage(std::size_t position);
    void copyDocumentEntries();
    void addPageLabels();
    void addForm();
    void addViewerSettings();
    void addOutline();
    void writeOutlineItem(int index, int outlinesNum);
    void save(int fd);

    Role role(int num) const
    {
        return num > 0 && num < sourceLength() ? static_cast<Role>(m_role[static_cast<std::size_t>(num)])
                                               : Unclassified;
    }
    void setRole(int num, Role value)
    {
        if (num > 0 && num < sourceLength())
            m_role[static_cast<std::size_t>(num)] = value;
    }
    int sourceLength() const { return static_cast<int>(m_newNum.size()); }

    PdfDocument &m_source;
    fz_context *m_ctx;
    pdf_document *m_src;
    pdf_document *m_dst = nullptr;

    std::vector<int> m_order; // source page index of each output page
    std::vector<int> m_position; // output position of each source page, -1 if left out
    std::vector<int> m_pageNums; // object number of each output page
    std::vector<int> m_newNum; // by source object number: copy's number, 0 not yet, -1 cut
    std::vector<std::uint8_t> m_role;
    std::vector<int> m_work; // source objects allocated but not yet copied
    std::vector<int> m_fieldRoots; // top-level form fields reached from kept widgets
    // One per source outline entry, for the part's outline.
    struct OutlineNode {
        int anchor = -1; // the nearest kept entry among itself and its ancestors
        int parent = -1; // the kept entry it hangs from in the part, -1 at the top
        int first = -1, last = -1, prev = -1, next = -1; // kept entries
        int visible = 0; // descendants shown when it is open
        int num = 0; // its object in the part
        bool kept = false;
        bool below = false; // some descendant is kept
        bool open = false;
    };
    std::vector<OutlineNode> m_outline;
    int m_currentPage = -1; // source page being copied, for warnings; -1 for document entries
    int m_writeError = 0; // errno of a failed write to the output
    std::int64_t m_written = 0; // bytes written (or counted) by the last save
};

} // namespace quirekit
