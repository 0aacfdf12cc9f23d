// Drawing pages and reading their text, for page_facts and render_pages.
#include "ColourImage.h"
#include "FoldedText.h"
#include "GrayImage.h"
#include "MemoryBudget.h"
#include "MupdfGuard.h"
#include "MupdfFields.h"
#include "PageWatchdog.h"
#include "PdfDocument.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace quirekit {

namespace {

// Counts what MuPDF warns about while a page is drawn, and passes it on: MuPDF goes past a
// broken image or content stream with a warning, and draws the rest.
struct Warnings {
    fz_warning_cb *previous = nullptr;
    void *previousUser = nullptr;
    int count = 0;
    char first[160] = "";
};

extern "C" void countWarning(void *user, const char *message)
{
    auto *warnings = static_cast<Warnings *>(user);
    if (warnings->count++ == 0)
        std::snprintf(warnings->first, sizeof warnings->first, "%s", message);
    if (warnings->previous)
        warnings->previous(warnings->previousUser, message);
}

void collectText(fz_stext_page *page, FoldedText &text)
{
    for (fz_stext_block *block = page->first_block; block; block = block->next) {
        if (block->type != FZ_STEXT_BLOCK_TEXT)
            continue;
        for (fz_stext_line *line = block->u.t.first_line; line; line = line->next) {
            text.beginLine();
            for (fz_stext_char *ch = line->first_char; ch; ch = ch->next)
                text.addCharacter(ch->c);
            text.addSpace();
        }
    }
}

std::string secondsText(std::chrono::milliseconds time)
{
    const long long ms = time.count();
    if (ms % 1000 == 0)
        return std::to_string(ms / 1000) + (ms == 1000 ? " second" : " seconds");
    char text[32];
    std::snprintf(text, sizeof text, "%.1f seconds", static_cast<double>(ms) / 1000);
    return text;
}

// Where the page is scaled to fit: the page's corner at the pixmap's origin, exactly width x
// height pixels (the two scales may differ by a fraction of a pixel).
fz_matrix fitted(fz_rect bounds, int width, int height)
{
    const float sx = static_cast<float>(width) / (bounds.x1 - bounds.x0);
    const float sy = static_cast<float>(height) / (bounds.y1 - bounds.y0);
    return fz_concat(fz_translate(-bounds.x0, -bounds.y0), fz_scale(sx, sy));
}

} // namespace

// A drawing's colour and size, and where its pixels go.
struct PdfDocument::Canvas {
    bool colour = false;
    PageDrawing drawing; // grey: at a resolution
    int width = 0; // colour: this many pixels wide...
    int mostHeight = 0; // ...unless that makes it higher than this
    double scanDpi = 0; // grey, atMostScanned: the page's scan resolution, 0 when it is no scan
    int outWidth = 0;
    int outHeight = 0;
    double outDpi = 0;
    std::vector<std::uint8_t> *pixels = nullptr;

    // The transformation and the pixels the page's bounds take; false for a page of no area.
    bool place(fz_rect bounds, fz_matrix &ctm, fz_irect &box)
    {
        const double pageWidth = std::max(0.0f, bounds.x1 - bounds.x0);
        const double pageHeight = std::max(0.0f, bounds.y1 - bounds.y0);
        if (colour) {
            if (pageWidth <= 0 || pageHeight <= 0 || width <= 0)
                return false;
            // Worked out in floating point first: a page of absurd proportions would overflow an int.
            int w = width;
            const double high = width * pageHeight / pageWidth;
            int h = high > mostHeight ? mostHeight : std::max(1, static_cast<int>(std::lround(high)));
            if (high > mostHeight)
                w = std::clamp(static_cast<int>(std::lround(h * pageWidth / pageHeight)), 1, width);
            ctm = fitted(bounds, w, h);
            box = fz_make_irect(0, 0, w, h);
            return true;
        }
        double dpi = drawing.dpi;
        if (drawing.atMostScanned && scanDpi > 0)
            dpi = std::min(dpi, std::max(scanDpi, PageDrawing::kLeastScanDpi));
        double scale = dpi / 72.0;
        const double pixels = pageWidth * pageHeight * scale * scale;
        if (pixels > static_cast<double>(drawing.mostPixels))
            scale *= std::sqrt(static_cast<double>(drawing.mostPixels) / pixels);
        ctm = fz_scale(static_cast<float>(scale), static_cast<float>(scale));
        outDpi = scale * 72;
        box = fz_round_rect(fz_transform_rect(bounds, ctm));
        return box.x1 > box.x0 && box.y1 > box.y0;
    }
};

namespace {

// The resolution a page was scanned at: that of the finest image among its own resources with
// the page's shape (upright or turned, within 2 %), counted across the page's width; 0 when it
// has none. Only the image's size is read, not its pixels.
double scanResolution(fz_context *ctx, pdf_page *page, fz_rect bounds)
{
    const double width = bounds.x1 - bounds.x0, height = bounds.y1 - bounds.y0;
    if (width <= 0 || height <= 0)
        return 0;
    pdf_obj *images = pdf_dict_get(ctx, pdf_page_resources(ctx, page), PDF_NAME(XObject));
    double finest = 0;
    for (int i = 0, n = pdf_dict_len(ctx, images); i < n; ++i) {
        pdf_obj *image = pdf_dict_get_val(ctx, images, i);
        if (!pdf_name_eq(ctx, pdf_dict_get(ctx, image, PDF_NAME(Subtype)), PDF_NAME(Image)))
            continue;
        const double across = pdf_dict_get_int(ctx, image, PDF_NAME(Width));
        const double down = pdf_dict_get_int(ctx, image, PDF_NAME(Height));
        if (across <= 0 || down <= 0)
            continue;
        const double shape = across / down;
        if (std::abs(shape / (width / height) - 1) < 0.02)
            finest = std::max(finest, across / (width / 72));
        else if (std::abs(shape / (height / width) - 1) < 0.02)
            finest = std::max(finest, across / (height / 72));
    }
    return finest;
}

// Draws the page (from the list when there is one) into a new pixmap and copies it out. Images
// are decoded no finer than the drawing needs (MuPDF subsamples a JPEG while decoding it when
// it is drawn small), which keeps a small drawing of a scan cheap. Throws through MuPDF;
// pixmap and device are the caller's to drop.
template <typename Canvas>
void drawInto(fz_context *ctx, fz_display_list *list, pdf_page *page, fz_rect bounds, Canvas &canvas,
              fz_cookie &cookie, fz_pixmap *&pixmap, fz_device *&device)
{
    fz_matrix ctm;
    fz_irect box;
    if (!canvas.place(bounds, ctm, box))
        return; // a page of no area: no pixels, no ink
    pixmap = fz_new_pixmap_with_bbox(ctx, canvas.colour ? fz_device_rgb(ctx) : fz_device_gray(ctx), box, nullptr, 0);
    fz_clear_pixmap_with_value(ctx, pixmap, 255);
    device = fz_new_draw_device(ctx, fz_identity, pixmap);
    if (list)
        fz_run_display_list(ctx, list, device, ctm, fz_infinite_rect, &cookie);
    else
        fz_run_page(ctx, &page->super, device, ctm, &cookie);
    fz_close_device(ctx, device);
    fz_drop_device(ctx, device);
    device = nullptr;
    const int width = fz_pixmap_width(ctx, pixmap);
    const int height = fz_pixmap_height(ctx, pixmap);
    const std::size_t row = static_cast<std::size_t>(width) * static_cast<std::size_t>(fz_pixmap_components(ctx, pixmap));
    canvas.pixels->resize(row * static_cast<std::size_t>(height));
    const unsigned char *samples = fz_pixmap_samples(ctx, pixmap);
    const std::size_t stride = static_cast<std::size_t>(fz_pixmap_stride(ctx, pixmap));
    for (int y = 0; y < height; ++y)
        std::memcpy(canvas.pixels->data() + static_cast<std::size_t>(y) * row,
                    samples + static_cast<std::size_t>(y) * stride, row);
    canvas.outWidth = width;
    canvas.outHeight = height;
}

} // namespace

Status PdfDocument::drawPage(int index, const PageDrawing &drawing, GrayImage &image, FoldedText *text,
                             std::string &problems)
{
    image = GrayImage();
    Canvas canvas;
    canvas.drawing = drawing;
    canvas.pixels = &image.pixels;
    const Status status = drawOnto(index, canvas, text, problems);
    image.width = canvas.outWidth;
    image.height = canvas.outHeight;
    image.dpi = canvas.outDpi;
    return status;
}

Status PdfDocument::drawPageInColour(int index, int width, int mostHeight, ColourImage &image, std::string &problems)
{
    image = ColourImage();
    Canvas canvas;
    canvas.colour = true;
    canvas.width = width;
    canvas.mostHeight = mostHeight;
    canvas.pixels = &image.pixels;
    const Status status = drawOnto(index, canvas, nullptr, problems);
    image.width = canvas.outWidth;
    image.height = canvas.outHeight;
    return status;
}

void PdfDocument::forgetUnusedObjects()
{
    // MuPDF's store is meant to keep what pages share (fonts, decoded images) within its limit,
    // yet drawing page after page of a born-digital document grew it far past that limit (its
    // count of what a font costs falls short), and what it keeps holds its objects in the
    // object cache. Objects held elsewhere (the page list) stay; the rest are read again from
    // the file when needed.
    fz_try(m_ctx)
    {
        fz_empty_store(m_ctx);
        pdf_clear_xref(m_ctx, m_doc);
    }
    fz_catch(m_ctx)
    {
        // Nothing is lost: what could not be forgotten is simply kept.
    }
}

// MuPDF is given the page list as its page map, so that it never counts pages by the tree's
// Counts (its own map is sized by the root's Count, which may claim billions of pages).
void PdfDocument::mapPages()
{
    m_pageMap = PageMap::None;
    try {
        std::vector<int> objects;
        std::vector<std::pair<int, int>> byObject;
        objects.reserve(m_pages.size());
        byObject.reserve(m_pages.size());
        for (std::size_t i = 0; i < m_pages.size(); ++i) {
            if (m_pages[i].num <= 0)
                return;
            objects.push_back(m_pages[i].num);
            byObject.emplace_back(m_pages[i].num, static_cast<int>(i));
        }
        std::sort(byObject.begin(), byObject.end());
        if (MupdfFields::installPageMap(m_ctx, m_doc, objects, byObject))
            m_pageMap = PageMap::Ours;
    } catch (const std::bad_alloc &) {
        // Drawn without the map: MuPDF walks the tree for each page.
    }
}

// Loads page `index` as MuPDF draws it, or sets `elsewhere` when MuPDF would find another
// page there. Throws through MuPDF.
pdf_page *PdfDocument::loadPageForDrawing(int index, bool &elsewhere)
{
    loadPages(index, index);
    if (index >= pageCount()) {
        elsewhere = true;
        return nullptr;
    }
    pdf_obj *own = pdf_resolve_indirect(m_ctx, m_pages[static_cast<std::size_t>(index)].page);
    // A page whose object is missing would draw as an empty sheet, which a caller could take
    // for a blank separator.
    if (!pdf_is_dict(m_ctx, own))
        fz_throw(m_ctx, FZ_ERROR_GENERIC, "its page object is missing or is no dictionary");
    // Without the map, MuPDF finds the page by the tree's Counts; it must be the page this
    // document lists there.
    if (m_pageMap != PageMap::Ours && pdf_resolve_indirect(m_ctx, pdf_lookup_page_obj(m_ctx, m_doc, index)) != own) {
        elsewhere = true;
        return nullptr;
    }
    // Loaded directly rather than through pdf_load_page(), which would refuse a page beyond
    // the root's Count. Through a map, MuPDF 1.21 keeps one reference to the page object more
    // than it gives back, so the object would outlive the document: it is given back here.
    const int before = pdf_obj_refs(m_ctx, own);
    pdf_page *page = nullptr;
    fz_var(page);
    fz_try(m_ctx)
    {
        page = reinterpret_cast<pdf_page *>(pdf_load_page_imp(m_ctx, reinterpret_cast<fz_document *>(m_doc), 0, index));
    }
    fz_catch(m_ctx)
    {
        if (m_pageMap == PageMap::Ours && pdf_obj_refs(m_ctx, own) > before)
            pdf_drop_obj(m_ctx, own);
        fz_rethrow(m_ctx);
    }
    if (m_pageMap == PageMap::Ours && pdf_obj_refs(m_ctx, own) > before + 1)
        pdf_drop_obj(m_ctx, own);
    return page;
}

Status PdfDocument::drawOnto(int index, Canvas &canvas, FoldedText *text, std::string &problems)
{
    problems.clear();
    if (m_pageMap == PageMap::NotYet)
        mapPages();
    Warnings warnings;
    warnings.previous = fz_warning_callback(m_ctx, &warnings.previousUser);
    bool counting = false;
    fz_var(counting);
    pdf_page *page = nullptr;
    fz_display_list *list = nullptr;
    fz_device *device = nullptr;
    fz_pixmap *pixmap = nullptr;
    fz_stext_page *stext = nullptr;
    fz_var(page);
    fz_var(list);
    fz_var(device);
    fz_var(pixmap);
    fz_var(stext);
    bool elsewhere = false;
    int failure = FZ_ERROR_NONE;
    fz_cookie cookie{};
    const bool timed = m_limits.time.count() > 0;
    if (timed && !m_watchdog)
        m_watchdog = std::make_unique<PageWatchdog>();
    if (timed)
        m_watchdog->watch(&cookie.abort, m_limits.time, index + 1,
                          PageWatchdog::Stuck{m_limits.stuckAfter, m_limits.endStuck});
    m_budget->limit(m_limits.memory);
    fz_try(m_ctx)
    {
        guardCpp(m_ctx, [&] {
            page = loadPageForDrawing(index, elsewhere);
            if (!page)
                return;
            // Only what drawing meets counts: loading the page warns of links that lead
            // nowhere, say, which changes nothing that is drawn.
            fz_flush_warnings(m_ctx);
            fz_set_warning_callback(m_ctx, countWarning, &warnings);
            counting = true;
            const fz_rect bounds = fz_bound_page(m_ctx, &page->super);
            const bool draw = canvas.colour || canvas.drawing.dpi > 0;
            fz_stext_options options{};
            // Characters entirely outside the page are not part of what it shows.
            options.flags = FZ_STEXT_MEDIABOX_CLIP;
            if (text && !draw) {
                stext = fz_new_stext_page(m_ctx, bounds);
                device = fz_new_stext_device(m_ctx, stext, &options);
                fz_run_page(m_ctx, &page->super, device, fz_identity, &cookie);
                fz_close_device(m_ctx, device);
                fz_drop_device(m_ctx, device);
                device = nullptr;
            } else if (text) {
                // Read once, then both drawn and read as text from the list.
                list = fz_new_display_list(m_ctx, bounds);
                device = fz_new_list_device(m_ctx, list);
                fz_run_page(m_ctx, &page->super, device, fz_identity, &cookie);
                fz_close_device(m_ctx, device);
                fz_drop_device(m_ctx, device);
                device = nullptr;
                stext = fz_new_stext_page_from_display_list(m_ctx, list, &options);
            }
            if (stext)
                collectText(stext, *text);
            if (draw && !canvas.colour && canvas.drawing.atMostScanned)
                canvas.scanDpi = scanResolution(m_ctx, page, bounds);
            if (draw)
                drawInto(m_ctx, list, page, bounds, canvas, cookie, pixmap, device);
        });
    }
    fz_always(m_ctx)
    {
        fz_drop_device(m_ctx, device);
        fz_drop_stext_page(m_ctx, stext);
        fz_drop_pixmap(m_ctx, pixmap);
        fz_drop_display_list(m_ctx, list);
        fz_drop_page(m_ctx, page ? &page->super : nullptr);
        if (counting) {
            fz_flush_warnings(m_ctx); // a repeated warning is held back until it changes
            fz_set_warning_callback(m_ctx, warnings.previous, warnings.previousUser);
        }
    }
    fz_catch(m_ctx)
    {
        failure = fz_caught(m_ctx);
    }
    const bool timeUp = timed && m_watchdog->stop();
    // A refusal that MuPDF went past (it let go of what it kept, and the allocation then
    // fitted) changed nothing; one that failed the drawing or left a part of it out did.
    const bool overBudget = m_budget->refused() && (failure != FZ_ERROR_NONE || warnings.count + cookie.errors > 0);
    m_budget->limit(0);
    const std::string number = std::to_string(index + 1);
    if (timeUp)
        return Status::failure("page " + number + " was given up: it takes longer than " + secondsText(m_limits.time)
                                   + " to draw",
                               Status::Cause::TimeUp);
    if (overBudget)
        return Status::failure("page " + number + " was given up: it needs more than "
                                   + std::to_string(m_limits.memory >> 20) + " MiB of memory to draw",
                               Status::Cause::OverBudget);
    if (failure == FZ_ERROR_MEMORY)
        return Status::failure("out of memory while drawing page " + number, Status::Cause::Memory);
    if (failure != FZ_ERROR_NONE)
        return Status::failure("page " + number + " cannot be drawn: " + fz_caught_message(m_ctx),
                               Status::Cause::Damaged);
    if (elsewhere)
        return Status::failure("page " + number + " cannot be drawn: the page tree is damaged there",
                               Status::Cause::Damaged);
    const int met = warnings.count + cookie.errors;
    if (met > 0)
        problems = std::to_string(met) + (met == 1 ? " problem" : " problems") + " met while drawing it"
                   + (warnings.count > 0 ? std::string(", the first: ") + warnings.first : std::string());
    return Status::success();
}

} // namespace quirekit
