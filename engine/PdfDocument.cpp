#include "PdfDocument.h"

#include "FileIdentity.h"
#include "MemoryBudget.h"
#include "MupdfFields.h"
#include "MupdfGuard.h"
#include "PageWatchdog.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace quirekit {

namespace {

// The PDF header may be preceded by up to 1024 bytes of junk; without it the file is not
// a PDF at all, however much of one MuPDF's repair could guess out of it.
enum class Sniff { Pdf, NotPdf, Unreadable };

Sniff sniffHeader(int fd, int &error)
{
    char head[1024 + 8];
    std::size_t got = 0;
    while (got < sizeof head) {
        const ssize_t n = ::pread(fd, head + got, sizeof head - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            return Sniff::Unreadable;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    const std::string_view bytes(head, got);
    return bytes.find("%PDF") == std::string_view::npos ? Sniff::NotPdf : Sniff::Pdf;
}

// Out of memory is told apart from a file that is not there or may not be read.
Status::Cause unopenedCause(int error)
{
    return error == ENOMEM ? Status::Cause::Memory : Status::Cause::Unavailable;
}

// What a MuPDF error while reading the document says about it: it cannot be read even
// repaired, unless memory ran out.
Status::Cause readCause(int mupdfError)
{
    return mupdfError == FZ_ERROR_MEMORY ? Status::Cause::Memory : Status::Cause::Damaged;
}

int normalizedRotation(int rotate)
{
    rotate %= 360;
    if (rotate < 0)
        rotate += 360;
    return (rotate / 90) * 90;
}

// A page tree may list a branch more than once; walking it is bounded by the file's
// number of objects (a tree without repeats lists fewer pages than that), with room for
// pages written as direct objects and for honest repeats.
constexpr std::size_t kMinPageTreeEntries = 1 << 18;
constexpr std::size_t kPageTreeEntriesPerObject = 8;

const char *const kInfoKeys[]
    = {"Title", "Author", "Subject", "Keywords", "Creator", "Producer", "CreationDate", "ModDate"};

} // namespace

PdfDocument::PdfDocument() : m_budget(std::make_unique<MemoryBudget>())
{
}

PdfDocument::~PdfDocument()
{
    releasePages();
    if (m_ctx) {
        if (m_pageMap == PageMap::Ours)
            pdf_drop_page_tree(m_ctx, m_doc);
        pdf_drop_document(m_ctx, m_doc);
        fz_drop_context(m_ctx);
    }
    if (m_file)
        std::fclose(m_file);
}

void PdfDocument::releasePages()
{
    if (!m_ctx)
        return;
    m_pages.clear();
    m_nodeAttributes.clear();
    for (pdf_obj *object : m_held)
        pdf_drop_obj(m_ctx, object);
    m_held.clear();
    for (Frame &frame : m_stack)
        pdf_drop_obj(m_ctx, frame.kids);
    m_stack.clear();
    for (pdf_obj *node : m_search)
        pdf_drop_obj(m_ctx, node);
    m_search.clear();
    for (auto &label : m_labels)
        pdf_drop_obj(m_ctx, label.second);
    m_labels.clear();
    for (OutlineEntry &entry : m_outline)
        pdf_drop_obj(m_ctx, entry.item);
    m_outline.clear();
    for (pdf_obj *leaf : m_indexLeaves)
        pdf_drop_obj(m_ctx, leaf);
    m_indexLeaves.clear();
    m_destinationIndex.clear();
    m_indexBuilt = false;
    m_pendingItems.clear();
}

pdf_obj *PdfDocument::inheritableKey(int which)
{
    switch (which) {
    case PageEntry::Resources: return PDF_NAME(Resources);
    case PageEntry::MediaBox: return PDF_NAME(MediaBox);
    case PageEntry::CropBox: return PDF_NAME(CropBox);
    case PageEntry::BleedBox: return PDF_NAME(BleedBox);
    case PageEntry::TrimBox: return PDF_NAME(TrimBox);
    case PageEntry::ArtBox: return PDF_NAME(ArtBox);
    case PageEntry::Rotate: return PDF_NAME(Rotate);
    case PageEntry::UserUnit: return PDF_NAME(UserUnit);
    default: return nullptr;
    }
}

Status PdfDocument::open(const std::string &path, const FileVersion *expected, Reading reading)
{
    const auto cannotOpen = [&path](int error) {
        return Status::failure("cannot open '" + path + "': " + std::strerror(error), unopenedCause(error));
    };
    // Checked before anything opens it: opening a named pipe would wait for a writer.
    int error = 0;
    const FileIdentity::Kind kind = FileIdentity::targetKind(path, error);
    if (kind == FileIdentity::Kind::Missing)
        return cannotOpen(error);
    if (kind != FileIdentity::Kind::Regular)
        return Status::failure("'" + path + "' is " + FileIdentity::describe(kind) + ", not a PDF document",
                               Status::Cause::Unavailable);
    // Non-blocking, should the file have been swapped for a pipe since it was checked.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return cannotOpen(errno);
    m_file = ::fdopen(fd, "rb");
    if (!m_file) {
        error = errno;
        ::close(fd);
        return cannotOpen(error);
    }
    m_path = path;
    struct stat opened { };
    if (::fstat(fd, &opened) != 0 || !FileIdentity::versionOf(fd, m_opened))
        return cannotOpen(errno);
    if (!S_ISREG(opened.st_mode))
        return Status::failure("'" + path + "' is no longer a file", Status::Cause::Unavailable);
    if (expected && !m_opened.matches(*expected))
        return Status::failure("the document changed since it was opened: '" + path
                                   + "' is not the file that was checked; nothing was written",
                               Status::Cause::Changed);
    switch (sniffHeader(fd, error)) {
    case Sniff::Unreadable: return cannotOpen(error);
    case Sniff::NotPdf: return Status::failure("'" + path + "' is not a PDF document", Status::Cause::NotPdf);
    case Sniff::Pdf: break;
    }

    m_ctx = fz_new_context(m_budget->allocator(), nullptr, m_storeLimit);
    if (!m_ctx)
        return Status::failure("out of memory", Status::Cause::Memory);

    int failure = FZ_ERROR_NONE;
    bool needsPassword = false;
    fz_stream *stream = nullptr;
    fz_var(stream);
    fz_try(m_ctx)
    {
        guardCpp(m_ctx, [&] {
            if (reading == Reading::Mapped && m_mapped.map(fd, static_cast<std::size_t>(opened.st_size)))
                stream = fz_open_memory(m_ctx, m_mapped.data(), m_mapped.size());
            else
                stream = fz_open_file_ptr_no_close(m_ctx, m_file);
            m_doc = pdf_open_document_with_stream(m_ctx, stream);
            if (pdf_needs_password(m_ctx, m_doc)) {
                needsPassword = true;
                return;
            }
            if (!pdf_is_dict(m_ctx, pdf_dict_getp(m_ctx, pdf_trailer(m_ctx, m_doc), "Root/Pages"))
                && !pdf_was_repaired(m_ctx, m_doc)) {
                // A cross-reference table that parses but points nowhere: MuPDF only
                // repairs tables it cannot parse, so rebuild it from the objects here.
                fz_warn(m_ctx, "the document has no page tree; repairing it");
                MupdfFields::forgetObjectLocations(m_doc);
                pdf_repair_xref(m_ctx, m_doc);
                pdf_repair_trailer(m_ctx, m_doc);
            }
            if (!pdf_is_dict(m_ctx, pdf_dict_getp(m_ctx, pdf_trailer(m_ctx, m_doc), "Root/Pages")))
                fz_throw(m_ctx, FZ_ERROR_GENERIC,
                         "the document has no page tree that can be read (it is missing, damaged, or nested "
                         "deeper than can be read)");
            walkPageTree();
            // The walk read every page object; those nothing holds are read again when used, so
            // that each of page_facts' openings keeps only the pages it draws.
            pdf_clear_xref(m_ctx, m_doc);
        });
    }
    fz_always(m_ctx)
    {
        fz_drop_stream(m_ctx, stream); // the document keeps its own reference
    }
    fz_catch(m_ctx)
    {
        failure = fz_caught(m_ctx);
    }
    if (failure != FZ_ERROR_NONE)
        return Status::failure("cannot open '" + path + "': " + fz_caught_message(m_ctx), readCause(failure));
    if (needsPassword)
        return Status::failure("'" + path + "' is protected by a password", Status::Cause::Password);
    return Status::success();
}

Status PdfDocument::unchangedSinceOpened() const
{
    FileVersion now;
    if (!m_file || !FileIdentity::versionOf(::fileno(m_file), now)) {
        const int error = m_file ? errno : EBADF;
        return Status::failure("cannot check the document '" + m_path + "': " + std::strerror(error));
    }
    if (!now.matches(m_opened) || m_mapped.shrank())
        return Status::failure("the document '" + m_path + "' changed while it was being read; nothing was written",
                               Status::Cause::Changed);
    return Status::success();
}

const unsigned char *PdfDocument::mappedBytes(std::int64_t offset, std::int64_t length) const
{
    if (!m_mapped.mapped() || offset < 0 || length < 0 || static_cast<std::uint64_t>(offset) > m_mapped.size()
        || static_cast<std::uint64_t>(length) > m_mapped.size() - static_cast<std::uint64_t>(offset))
        return nullptr;
    return m_mapped.data() + offset;
}

void PdfDocument::track(int num)
{
    if (num > 0 && static_cast<std::size_t>(num) >= m_kind.size()) {
        m_kind.resize(static_cast<std::size_t>(num) + 1, NotInTree);
        m_pageIndex.resize(static_cast<std::size_t>(num) + 1, -1);
        m_onPath.resize(static_cast<std::size_t>(num) + 1, 0);
    }
}

void PdfDocument::addPage(int num, int node, pdf_obj *page)
{
    if (num > 0) {
        m_kind[static_cast<std::size_t>(num)] = TreeLeaf;
        if (m_pageIndex[static_cast<std::size_t>(num)] < 0) // links lead to the first listing
            m_pageIndex[static_cast<std::size_t>(num)] = static_cast<int>(m_pages.size());
    }
    m_pages.push_back(PageEntry{num, node, hold(page)});
}

pdf_obj *PdfDocument::hold(pdf_obj *kept)
{
    if (kept && !m_held.insert(kept).second)
        pdf_drop_obj(m_ctx, kept); // held already: one reference is enough
    return kept;
}

// Walks the page tree without recursion. A page listed twice is a page twice, with the
// attributes inherited along each way to it, as readers count it; only a kid that is one
// of its own ancestors is skipped, so a tree whose Kids lead back up still ends. Shared
// branches are walked once per listing, which a file can nest into exponential numbers:
// the walk gives up beyond a bound tied to the file's size in objects. Every kid is looked
// at, whatever the Counts claim: a Count can lie, and the page count the walk finds is the
// one every command uses, so a part planned from dump_data's count is never found outside
// the document later. A kid that refers to something other than a node or a page (an
// object that is missing or cannot be read) is still a page, written empty, as readers
// keep its place. Page objects are loaded again when they are used (loadPages()), so that
// MuPDF may forget them meanwhile.
void PdfDocument::walkPageTree()
{
    releasePages();
    m_labelsLoaded = false;
    m_outlineLoaded = false;
    const std::size_t objects = static_cast<std::size_t>(std::max(0, pdf_xref_len(m_ctx, m_doc)));
    m_kind.assign(objects, NotInTree);
    m_pageIndex.assign(objects, -1);
    m_onPath.assign(objects, 0);
    // Page indexes are ints everywhere, MuPDF's too.
    const std::size_t maxEntries = std::min<std::size_t>(kMinPageTreeEntries + kPageTreeEntriesPerObject * objects,
                                                         std::numeric_limits<int>::max());

    pdf_obj *root = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_doc), PDF_NAME(Root));
    pdf_obj *top = pdf_dict_get(m_ctx, root, PDF_NAME(Pages));
    if (!pdf_is_dict(m_ctx, top))
        return;
    const int topNum = pdf_is_indirect(m_ctx, top) ? pdf_to_num(m_ctx, top) : 0;
    track(topNum);
    if (pdf_name_eq(m_ctx, pdf_dict_get(m_ctx, top, PDF_NAME(Type)), PDF_NAME(Page))) {
        // Some writers point the catalog straight at a single page.
        pushNode(top, -1, 0);
        popNode();
        addPage(topNum, 0, pdf_keep_obj(m_ctx, top));
        return;
    }
    if (topNum > 0)
        m_kind[static_cast<std::size_t>(topNum)] = TreeNode;
    pushNode(top, -1, topNum);

    std::size_t entries = 0;
    while (!m_stack.empty()) {
        Frame &frame = m_stack.back();
        if (frame.next >= pdf_array_len(m_ctx, frame.kids)) {
            popNode();
            continue;
        }
        if (++entries > maxEntries)
            fz_throw(m_ctx, FZ_ERROR_GENERIC,
                     "its page tree repeats its branches beyond %zu pages; the file is damaged", maxEntries);
        pdf_obj *kidRef = pdf_array_get(m_ctx, frame.kids, frame.next++);
        const int node = frame.node;
        const int num = pdf_is_indirect(m_ctx, kidRef) ? pdf_to_num(m_ctx, kidRef) : 0;
        if (pdf_is_indirect(m_ctx, kidRef) && num <= 0)
            continue;
        track(num);
        if (num > 0 && m_onPath[static_cast<std::size_t>(num)])
            continue; // leads back to an ancestor
        pdf_obj *kid = pdf_resolve_indirect(m_ctx, kidRef);
        if (!pdf_is_dict(m_ctx, kid)) {
            if (num > 0)
                addPage(num, node, nullptr);
            continue;
        }
        pdf_obj *type = pdf_dict_get(m_ctx, kid, PDF_NAME(Type));
        const bool isNode = pdf_name_eq(m_ctx, type, PDF_NAME(Pages))
                            || (!pdf_name_eq(m_ctx, type, PDF_NAME(Page))
                                && pdf_is_array(m_ctx, pdf_dict_get(m_ctx, kid, PDF_NAME(Kids))));
        if (!isNode) {
            addPage(num, node, num > 0 ? nullptr : pdf_keep_obj(m_ctx, kid));
            continue;
        }
        if (num > 0)
            m_kind[static_cast<std::size_t>(num)] = TreeNode;
        pushNode(kid, node, num);
    }
}

void PdfDocument::pushNode(pdf_obj *node, int parent, int num)
{
    const int index = static_cast<int>(m_nodeAttributes.size() / PageEntry::InheritedCount);
    for (int i = 0; i < PageEntry::InheritedCount; ++i) {
        pdf_obj *value = pdf_dict_get(m_ctx, node, inheritableKey(i));
        if (!value && parent >= 0)
            value = m_nodeAttributes[static_cast<std::size_t>(parent * PageEntry::InheritedCount + i)];
        m_nodeAttributes.push_back(hold(pdf_keep_obj(m_ctx, value)));
    }
    pdf_obj *kids = pdf_dict_get(m_ctx, node, PDF_NAME(Kids));
    m_stack.push_back(Frame{pdf_keep_obj(m_ctx, kids), 0, index, num});
    if (num > 0)
        m_onPath[static_cast<std::size_t>(num)] = 1;
}

void PdfDocument::popNode()
{
    const Frame &frame = m_stack.back();
    if (frame.num > 0)
        m_onPath[static_cast<std::size_t>(frame.num)] = 0;
    pdf_drop_obj(m_ctx, frame.kids);
    m_stack.pop_back();
}

void PdfDocument::loadPages(int first, int last)
{
    for (int i = std::max(0, first); i <= last && i < pageCount(); ++i) {
        PageEntry &entry = m_pages[static_cast<std::size_t>(i)];
        if (!entry.page)
            entry.page = hold(loadPageObject(i));
    }
}

pdf_obj *PdfDocument::loadPageObject(int index)
{
    pdf_obj *page = nullptr;
    fz_var(page);
    fz_try(m_ctx)
    {
        page = pdf_load_object(m_ctx, m_doc, m_pages[static_cast<std::size_t>(index)].num);
    }
    fz_catch(m_ctx)
    {
        if (fz_caught(m_ctx) == FZ_ERROR_MEMORY)
            fz_rethrow(m_ctx);
        // Counted by the tree but unreadable: it stays a page, written empty.
        fz_warn(m_ctx, "page %d cannot be read: %s", index + 1, fz_caught_message(m_ctx));
        page = PDF_NULL;
    }
    return page;
}

pdf_obj *PdfDocument::pageAttribute(int index, PageEntry::Inherited which) const
{
    const PageEntry &entry = m_pages[static_cast<std::size_t>(index)];
    if (pdf_obj *own = pdf_dict_get(m_ctx, entry.page, inheritableKey(which)))
        return own;
    if (m_nodeAttributes.empty())
        return nullptr;
    return m_nodeAttributes[static_cast<std::size_t>(entry.node * PageEntry::InheritedCount + which)];
}

bool PdfDocument::inherits(int index, PageEntry::Inherited which) const
{
    const PageEntry &entry = m_pages[static_cast<std::size_t>(index)];
    return !pdf_dict_get(m_ctx, entry.page, inheritableKey(which)) && pageAttribute(index, which);
}

PdfDocument::NodeKind PdfDocument::nodeKind(int num) const
{
    if (num <= 0 || static_cast<std::size_t>(num) >= m_kind.size())
        return NotInTree;
    return static_cast<NodeKind>(m_kind[static_cast<std::size_t>(num)]);
}

int PdfDocument::pageIndexOfNum(int num) const
{
    if (num <= 0 || static_cast<std::size_t>(num) >= m_pageIndex.size())
        return -1;
    return m_pageIndex[static_cast<std::size_t>(num)];
}

Status PdfDocument::facts(DocumentFacts &facts)
{
    facts = DocumentFacts();
    facts.encrypted = MupdfFields::isEncrypted(m_doc);

    int version = 0;
    float box[4] = {0, 0, 0, 0};
    float userUnit = 1;
    int rotate = 0;
    int failure = FZ_ERROR_NONE;
    fz_try(m_ctx)
    {
        guardCpp(m_ctx, [&] {
            version = pdf_version(m_ctx, m_doc);
            // Each text is copied as soon as it is decoded, while the object that holds it is
            // certainly still loaded: a later read may repair the file and load every object anew.
            pdf_obj *info = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_doc), PDF_NAME(Info));
            for (const char *key : kInfoKeys) {
                pdf_obj *value = pdf_dict_gets(m_ctx, info, key);
                if (!pdf_is_string(m_ctx, value))
                    continue;
                const char *text = pdf_to_text_string(m_ctx, value);
                facts.info.emplace_back(key, text);
            }
            loadPages(0, 0);
            if (!m_pages.empty()) {
                pdf_obj *media = pageAttribute(0, PageEntry::MediaBox);
                pdf_obj *crop = pageAttribute(0, PageEntry::CropBox);
                fz_rect rect = pdf_is_array(m_ctx, media) ? pdf_to_rect(m_ctx, media) : fz_make_rect(0, 0, 612, 792);
                if (pdf_is_array(m_ctx, crop))
                    rect = fz_intersect_rect(rect, pdf_to_rect(m_ctx, crop));
                box[0] = rect.x0, box[1] = rect.y0, box[2] = rect.x1, box[3] = rect.y1;
                pdf_obj *unit = pageAttribute(0, PageEntry::UserUnit);
                if (pdf_is_number(m_ctx, unit) && pdf_to_real(m_ctx, unit) > 0)
                    userUnit = pdf_to_real(m_ctx, unit);
                rotate = pdf_to_int(m_ctx, pageAttribute(0, PageEntry::Rotate));
            }
            outline();
            pageLabels();
            structureFacts(facts);
        });
    }
    fz_catch(m_ctx)
    {
        failure = fz_caught(m_ctx);
    }
    if (failure != FZ_ERROR_NONE)
        return Status::failure(std::string("cannot read the document: ") + fz_caught_message(m_ctx),
                               readCause(failure));

    facts.pageCount = pageCount();
    facts.pdfVersion = std::to_string(version / 10) + "." + std::to_string(version % 10);
    if (!m_pages.empty()) {
        facts.hasFirstPage = true;
        facts.firstPageRotation = normalizedRotation(rotate);
        const double width = std::max(0.0f, box[2] - box[0]) * static_cast<double>(userUnit);
        const double height = std::max(0.0f, box[3] - box[1]) * static_cast<double>(userUnit);
        const bool sideways = facts.firstPageRotation == 90 || facts.firstPageRotation == 270;
        facts.firstPageWidth = sideways ? height : width;
        facts.firstPageHeight = sideways ? width : height;
    }
    return Status::success();
}

} // namespace quirekit
