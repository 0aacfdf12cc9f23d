#include "MupdfFields.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <climits>
#include <cstring>

// Every field read below was checked against this version's headers. Another version may have
// moved or changed them: check each one against its headers, then change the numbers.
#if FZ_VERSION_MAJOR != 1 || FZ_VERSION_MINOR != 21
#error "engine/MupdfFields.cpp was written for MuPDF 1.21: check the fields it reads against this MuPDF's headers"
#endif

namespace quirekit {

bool MupdfFields::isEncrypted(const pdf_document *doc)
{
    return doc->crypt != nullptr;
}

int MupdfFields::headerVersion(const pdf_document *doc)
{
    return doc->version;
}

void MupdfFields::setHeaderVersion(pdf_document *doc, int version)
{
    doc->version = version;
}

fz_buffer *MupdfFields::heldStreamData(fz_context *ctx, pdf_document *doc, int num)
{
    const pdf_xref_entry *entry = pdf_get_xref_entry(ctx, doc, num);
    return entry && entry->stm_buf ? fz_keep_buffer(ctx, entry->stm_buf) : nullptr;
}

std::int64_t MupdfFields::streamOffset(fz_context *ctx, pdf_document *doc, int num)
{
    const pdf_xref_entry *entry = pdf_get_xref_entry(ctx, doc, num);
    return entry ? entry->stm_ofs : 0;
}

void MupdfFields::setTell(fz_output *out, std::int64_t (*tell)(fz_context *, void *))
{
    out->tell = tell;
}

void MupdfFields::forgetObjectLocations(pdf_document *doc)
{
    if (doc->xref_index)
        std::memset(doc->xref_index, 0, sizeof(int) * static_cast<std::size_t>(doc->max_xref_len));
}

bool MupdfFields::installPageMap(fz_context *ctx, pdf_document *doc, const std::vector<int> &objects,
                                 const std::vector<std::pair<int, int>> &byObject)
{
    if (doc->page_map_nesting != 0 || doc->fwd_page_map || doc->rev_page_map || objects.empty()
        || objects.size() != byObject.size() || objects.size() > static_cast<std::size_t>(INT_MAX))
        return false;
    auto *forward = static_cast<int *>(fz_malloc_no_throw(ctx, objects.size() * sizeof(int)));
    auto *reverse
        = static_cast<pdf_rev_page_map *>(fz_malloc_no_throw(ctx, byObject.size() * sizeof(pdf_rev_page_map)));
    if (!forward || !reverse) {
        fz_free(ctx, forward);
        fz_free(ctx, reverse);
        return false;
    }
    for (std::size_t i = 0; i < objects.size(); ++i) {
        forward[i] = objects[i];
        reverse[i].object = byObject[i].first;
        reverse[i].page = byObject[i].second;
    }
    doc->fwd_page_map = forward;
    doc->rev_page_map = reverse;
    doc->map_page_count = static_cast<int>(objects.size());
    doc->page_map_nesting = 1; // as one pdf_load_page_tree() would leave it
    return true;
}

} // namespace quirekit
