#pragma once

#include "PdfDocument.h"
#include "Status.h"

#include <cstdint>
#include <vector>

struct fz_context;
struct fz_output;
struct pdf_document;
struct pdf_obj;

namespace quirekit {

// What each page adds to a part that holds it, in the bytes PartWriter writes: objects are
// written uncompressed one by one (never in object streams) and stream data as stored, so a
// source object's size is its printed form, its stream's stored bytes and its frame.
struct PageWeights {
    // By page index: the page object itself, its entry in the page tree, its bookmarks.
    std::vector<std::int64_t> own;
    // By page index: the source objects the page reaches (contents, resources, fonts, images,
    // its annotations...), each once. A part counts an object its pages share only once.
    std::vector<std::vector<int>> objects;
    // By object number: the object's size as written; 0 for one no page reaches.
    std::vector<std::int64_t> objectBytes;
};

// Finds the weights of every page, following references as PartWriter does and cutting them
// where it does (other pages, the page tree, the catalog, other pages' annotations). Where the
// part depends on its other pages (a link to a page that may be left out) the object is
// counted: an estimate errs on the heavy side.
class PageWeigher {
public:
    explicit PageWeigher(PdfDocument &document);
    ~PageWeigher();

    PageWeigher(const PageWeigher &) = delete;
    PageWeigher &operator=(const PageWeigher &) = delete;

    // Fails with Cause::Damaged when the pages cannot be read, Memory when memory ran out.
    // An object that cannot be read weighs nothing (PartWriter leaves it out too).
    Status weigh(PageWeights &weights);

private:
    void weighAll();
    void weighPage(int index);
    void weighOutline();
    void scan(pdf_obj *value, int depth);
    void visit(int num, int index);
    bool followed(int num, pdf_obj *object);
    std::int64_t printed(pdf_obj *object);
    std::int64_t objectBytes(int num, pdf_obj *object);
    pdf_obj *load(int num);

    PdfDocument &m_document;
    fz_context *m_ctx;
    pdf_document *m_src;
    PageWeights *m_weights = nullptr;
    fz_output *m_counter = nullptr;
    std::int64_t m_counted = 0;
    int m_rootNum = 0;
    std::uint32_t m_mark = 0; // this page's mark in m_seen and m_ownAnnotation
    std::vector<std::uint32_t> m_seen; // by object number
    std::vector<std::uint32_t> m_ownAnnotation; // by object number: listed in the page's Annots
    std::vector<std::uint8_t> m_sized; // by object number: objectBytes known
    std::vector<int> m_pending; // object numbers reached and not yet visited
};

} // namespace quirekit
