#pragma once

extern "C" {
#include <mupdf/fitz.h> // fz_buffer has no name of its own to declare ahead
}

#include <cstdint>
#include <utility>
#include <vector>

struct pdf_document;

namespace quirekit {

// The few things the engine needs from inside MuPDF's structures, where MuPDF has no function
// for them. Their layout changes between MuPDF versions, so this is the one place that reads
// them, and it refuses to build against a version it was not written for.
class MupdfFields {
public:
    // The document has an encryption dictionary MuPDF uses (opened with or without a password).
    static bool isEncrypted(const pdf_document *doc);
    // The version the file's header states, times ten (the catalog's Version is not looked at).
    static int headerVersion(const pdf_document *doc);
    static void setHeaderVersion(pdf_document *doc, int version);
    // A stream whose data MuPDF holds in memory (kept for the caller), or null when it is read
    // from the file. Throws through MuPDF.
    static fz_buffer *heldStreamData(fz_context *ctx, pdf_document *doc, int num);
    // Where a stream's data begins in the file, once its object is loaded; 0 if unknown.
    static std::int64_t streamOffset(fz_context *ctx, pdf_document *doc, int num);
    // Lets fz_tell_output ask the output's own position function.
    static void setTell(fz_output *out, std::int64_t (*tell)(fz_context *, void *));
    // Makes MuPDF forget which of its cross-reference sections held each object, before the
    // table is rebuilt from the objects in the file; its index would lead to the old sections.
    static void forgetObjectLocations(pdf_document *doc);
    // Gives MuPDF a page map made from the engine's own page list, so that MuPDF's page n is
    // the engine's page n. MuPDF's own map (pdf_load_page_tree) is sized by the root's Count,
    // which a file may claim in billions, and made by following the tree recursively, as deep
    // as a file nests it. objects: each page's object number in page order; byObject: (object,
    // page) for every page, sorted. False, and nothing changed, when MuPDF has a map already or
    // memory runs out. pdf_drop_page_tree() undoes it.
    static bool installPageMap(fz_context *ctx, pdf_document *doc, const std::vector<int> &objects,
                               const std::vector<std::pair<int, int>> &byObject);
};

} // namespace quirekit
