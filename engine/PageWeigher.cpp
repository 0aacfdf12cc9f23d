#include "PageWeigher.h"

#include "MupdfGuard.h"
#include "PartWriter.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <algorithm>
#include <cstring>

namespace quirekit {

namespace {

// As PartWriter refuses deeper nesting, the weighing stops following there.
constexpr int kMaxDepth = 96;
// The bytes around an object beside its number: "N 0 obj\n", "\nendobj\n", the line of the
// cross-reference table; and around stream data, "stream\n" and "\nendstream".
constexpr std::int64_t kObjectFrame = 7 + 9 + 20;
constexpr std::int64_t kStreamFrame = 8 + 11;
// A page's reference in the part's Kids array.
constexpr std::int64_t kKidsEntry = 10;

std::int64_t digits(std::int64_t value)
{
    std::int64_t count = 1;
    for (; value >= 10; value /= 10)
        ++count;
    return count;
}

void countBytes(fz_context *, void *state, const void *, size_t size)
{
    *static_cast<std::int64_t *>(state) += static_cast<std::int64_t>(size);
}

} // namespace

PageWeigher::PageWeigher(PdfDocument &document)
    : m_document(document), m_ctx(document.context()), m_src(document.document())
{
}

PageWeigher::~PageWeigher() = default;

Status PageWeigher::weigh(PageWeights &weights)
{
    m_weights = &weights;
    int failure = FZ_ERROR_NONE;
    fz_var(failure);
    fz_try(m_ctx)
    {
        m_counter = fz_new_output(m_ctx, 4096, &m_counted, countBytes, nullptr, nullptr);
        guardCpp(m_ctx, [&] { weighAll(); });
        fz_close_output(m_ctx, m_counter);
    }
    fz_always(m_ctx)
    {
        fz_drop_output(m_ctx, m_counter);
        m_counter = nullptr;
    }
    fz_catch(m_ctx)
    {
        failure = fz_caught(m_ctx);
    }
    if (failure != FZ_ERROR_NONE)
        return Status::failure(std::string("cannot weigh the pages: ") + fz_caught_message(m_ctx),
                               failure == FZ_ERROR_MEMORY ? Status::Cause::Memory : Status::Cause::Damaged);
    return Status::success();
}

void PageWeigher::weighAll()
{
    if (m_document.pageCount() > 0)
        m_document.loadPages(0, m_document.pageCount() - 1);
    const auto pages = static_cast<std::size_t>(m_document.pageCount());
    const auto objects = static_cast<std::size_t>(std::max(0, pdf_xref_len(m_ctx, m_src)));
    m_weights->own.assign(pages, 0);
    m_weights->objects.assign(pages, {});
    m_weights->objectBytes.assign(objects, 0);
    m_seen.assign(objects, 0);
    m_ownAnnotation.assign(objects, 0);
    m_sized.assign(objects, 0);
    m_rootNum = pdf_to_num(m_ctx, pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_src), PDF_NAME(Root)));
    for (int index = 0; index < static_cast<int>(pages); ++index)
        weighPage(index);
    weighOutline();
}

void PageWeigher::weighPage(int index)
{
    ++m_mark;
    const PageEntry &entry = m_document.pages()[static_cast<std::size_t>(index)];
    std::int64_t own = kKidsEntry;
    if (pdf_is_dict(m_ctx, entry.page)) {
        own += printed(entry.page) + kObjectFrame + digits(entry.num);
        pdf_obj *annots = pdf_resolve_indirect(m_ctx, pdf_dict_get(m_ctx, entry.page, PDF_NAME(Annots)));
        for (int i = 0, count = pdf_array_len(m_ctx, annots); i < count; ++i) {
            pdf_obj *annot = pdf_array_get(m_ctx, annots, i);
            const int num = pdf_is_indirect(m_ctx, annot) ? pdf_to_num(m_ctx, annot) : 0;
            if (num > 0 && num < static_cast<int>(m_ownAnnotation.size()))
                m_ownAnnotation[static_cast<std::size_t>(num)] = m_mark;
        }
        for (int i = 0, count = pdf_dict_len(m_ctx, entry.page); i < count; ++i)
            if (PartWriter::copiesPageKey(pdf_to_name(m_ctx, pdf_dict_get_key(m_ctx, entry.page, i))))
                scan(pdf_dict_get_val(m_ctx, entry.page, i), 1);
    }
    // What the page inherits becomes its own in the part, as the tree stays behind.
    for (int i = 0; i < PageEntry::InheritedCount; ++i) {
        const auto which = static_cast<PageEntry::Inherited>(i);
        if (!m_document.inherits(index, which))
            continue;
        pdf_obj *value = m_document.pageAttribute(index, which);
        own += printed(PdfDocument::inheritableKey(i)) + printed(value);
        scan(value, 1);
    }
    m_weights->own[static_cast<std::size_t>(index)] += own;
    while (!m_pending.empty()) {
        const int num = m_pending.back();
        m_pending.pop_back();
        visit(num, index);
    }
}

// A bookmark is written into the part that holds its page; a heading into the part that holds
// the bookmarks below it, which follow it. Bookmarks of another kind (a web address) go into
// every part, as the rest of what every part holds.
void PageWeigher::weighOutline()
{
    const std::vector<OutlineEntry> &entries = m_document.outline();
    const int pages = m_document.pageCount();
    int nextPage = -1;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (entry->target == OutlineEntry::Page && entry->page >= 0 && entry->page < pages)
            nextPage = entry->page;
        if (entry->target == OutlineEntry::Action || nextPage < 0)
            continue;
        if (entry->target == OutlineEntry::Page && (entry->page < 0 || entry->page >= pages))
            continue;
        m_weights->own[static_cast<std::size_t>(nextPage)] += printed(entry->item) + kObjectFrame + 6;
    }
}

void PageWeigher::scan(pdf_obj *value, int depth)
{
    if (depth > kMaxDepth)
        return;
    if (pdf_is_indirect(m_ctx, value)) {
        m_pending.push_back(pdf_to_num(m_ctx, value));
    } else if (pdf_is_array(m_ctx, value)) {
        for (int i = 0, count = pdf_array_len(m_ctx, value); i < count; ++i)
            scan(pdf_array_get(m_ctx, value, i), depth + 1);
    } else if (pdf_is_dict(m_ctx, value)) {
        for (int i = 0, count = pdf_dict_len(m_ctx, value); i < count; ++i)
            scan(pdf_dict_get_val(m_ctx, value, i), depth + 1);
    }
}

void PageWeigher::visit(int num, int index)
{
    if (num <= 0 || num >= static_cast<int>(m_seen.size()) || m_seen[static_cast<std::size_t>(num)] == m_mark)
        return;
    m_seen[static_cast<std::size_t>(num)] = m_mark;
    if (num == m_rootNum || m_document.nodeKind(num) != PdfDocument::NotInTree)
        return;
    pdf_obj *object = load(num);
    if (!object)
        return;
    fz_try(m_ctx)
    {
        guardCpp(m_ctx, [&] {
            if (!followed(num, object))
                return;
            m_weights->objects[static_cast<std::size_t>(index)].push_back(num);
            if (!m_sized[static_cast<std::size_t>(num)]) {
                m_weights->objectBytes[static_cast<std::size_t>(num)] = objectBytes(num, object);
                m_sized[static_cast<std::size_t>(num)] = 1;
            }
            const bool stream = pdf_obj_num_is_stream(m_ctx, m_src, num);
            if (!pdf_is_dict(m_ctx, object)) {
                scan(object, 0);
                return;
            }
            for (int i = 0, count = pdf_dict_len(m_ctx, object); i < count; ++i)
                if (!(stream && pdf_name_eq(m_ctx, pdf_dict_get_key(m_ctx, object, i), PDF_NAME(Length))))
                    scan(pdf_dict_get_val(m_ctx, object, i), 1); // a stream's Length is written anew
        });
    }
    fz_always(m_ctx)
    {
        pdf_drop_obj(m_ctx, object);
    }
    fz_catch(m_ctx)
    {
        fz_rethrow(m_ctx);
    }
}

// As PartWriter cuts: pages and the tree are never reached through a reference, and an
// annotation goes with the page that lists it (a popup with the annotation it belongs to).
bool PageWeigher::followed(int num, pdf_obj *object)
{
    if (!pdf_is_dict(m_ctx, object))
        return true;
    pdf_obj *type = pdf_dict_get(m_ctx, object, PDF_NAME(Type));
    if (pdf_name_eq(m_ctx, type, PDF_NAME(Page)) || pdf_name_eq(m_ctx, type, PDF_NAME(Pages))
        || pdf_name_eq(m_ctx, type, PDF_NAME(Catalog)))
        return false;
    pdf_obj *subtype = pdf_dict_get(m_ctx, object, PDF_NAME(Subtype));
    const bool annotation = pdf_is_name(m_ctx, subtype) && pdf_is_array(m_ctx, pdf_dict_get(m_ctx, object, PDF_NAME(Rect)));
    if (!annotation || pdf_name_eq(m_ctx, subtype, PDF_NAME(Popup)))
        return true;
    return m_ownAnnotation[static_cast<std::size_t>(num)] == m_mark;
}

std::int64_t PageWeigher::printed(pdf_obj *object)
{
    if (!object)
        return 0;
    m_counted = 0;
    pdf_print_obj(m_ctx, m_counter, object, 1, 0); // tight, as PartWriter's output is written
    fz_flush_output(m_ctx, m_counter);
    return m_counted;
}

// Stream data is written as stored, so its stored length counts; a Length beyond the file
// cannot be what is stored.
std::int64_t PageWeigher::objectBytes(int num, pdf_obj *object)
{
    std::int64_t bytes = printed(object) + kObjectFrame + digits(num);
    if (pdf_obj_num_is_stream(m_ctx, m_src, num)) {
        const std::int64_t length = pdf_dict_get_int(m_ctx, object, PDF_NAME(Length));
        bytes += std::clamp<std::int64_t>(length, 0, m_document.fileSize()) + kStreamFrame;
    }
    return bytes;
}

// Null for an object that cannot be read: PartWriter leaves it out. Memory running out
// still fails the weighing.
pdf_obj *PageWeigher::load(int num)
{
    pdf_obj *object = nullptr;
    fz_var(object);
    fz_try(m_ctx)
    {
        object = pdf_load_object(m_ctx, m_src, num);
    }
    fz_catch(m_ctx)
    {
        if (fz_caught(m_ctx) == FZ_ERROR_MEMORY)
            fz_rethrow(m_ctx);
        object = nullptr;
    }
    return object;
}

} // namespace quirekit
