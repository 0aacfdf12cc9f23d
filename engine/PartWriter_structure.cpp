#include "PartWriter.h"

#include "MupdfGuard.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <cstring>

namespace quirekit {

// What makes a part read like the document it came from: the viewer settings, the page it
// opens at, and the bookmarks that lead into it.

// The catalog's viewer settings. PrintPageRange names the source's page numbers, which
// mean other pages in the part, so it is left out. The page the document opens at is kept
// when it is in the part (at its new position); another kind of opening action is kept as
// it is, as links with such actions are.
void PartWriter::addViewerSettings()
{
    pdf_obj *sourceRoot = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_src), PDF_NAME(Root));
    pdf_obj *root = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_dst), PDF_NAME(Root));
    for (const char *key : {"PageLayout", "PageMode"}) {
        pdf_obj *value = pdf_dict_gets(m_ctx, sourceRoot, key);
        if (pdf_is_name(m_ctx, value))
            pdf_dict_puts(m_ctx, root, key, value);
    }

    pdf_obj *preferences = pdf_dict_gets(m_ctx, sourceRoot, "ViewerPreferences");
    if (pdf_is_dict(m_ctx, preferences)) {
        const int count = pdf_dict_len(m_ctx, preferences);
        pdf_obj *copy = pdf_dict_puts_dict(m_ctx, root, "ViewerPreferences", count);
        for (int i = 0; i < count; ++i) {
            pdf_obj *key = pdf_dict_get_key(m_ctx, preferences, i);
            if (std::strcmp(pdf_to_name(m_ctx, key), "PrintPageRange") != 0)
                putCopy(copy, key, pdf_dict_get_val(m_ctx, preferences, i), 1);
        }
    }

    pdf_obj *open = pdf_dict_gets(m_ctx, sourceRoot, "OpenAction");
    if (!open)
        return;
    pdf_obj *key = pdf_new_name(m_ctx, "OpenAction");
    fz_try(m_ctx)
    {
        guardCpp(m_ctx, [&] {
            if (pdf_is_dict(m_ctx, open) && pdf_dict_get(m_ctx, open, PDF_NAME(S)))
                putCopy(root, key, open, 1); // an action; a GoTo out of the part is cut there
            else
                putDestination(root, key, open);
        });
    }
    fz_always(m_ctx)
    {
        pdf_drop_obj(m_ctx, key);
    }
    fz_catch(m_ctx)
    {
        fz_rethrow(m_ctx);
    }
}

// The part's outline: the entries whose destination is one of its pages, and entries with
// another kind of action (a web address...), which lead to the same place from any part.
// An entry leading to a page left out is dropped and its kept descendants take its place
// under its nearest kept ancestor; an entry without any destination or action (a heading)
// stays only above kept entries. Order, titles, colours, styles and open state are kept;
// named destinations become explicit ones, as the name tree is not copied.
void PartWriter::addOutline()
{
    const std::vector<OutlineEntry> &entries = m_source.outline();
    const int count = static_cast<int>(entries.size());
    m_outline.assign(entries.size(), OutlineNode());
    // Descendants follow their entry, so a backward pass sees them all first.
    for (int i = count - 1; i >= 0; --i) {
        const OutlineEntry &entry = entries[static_cast<std::size_t>(i)];
        OutlineNode &node = m_outline[static_cast<std::size_t>(i)];
        switch (entry.target) {
        case OutlineEntry::Page: node.kept = positionOf(entry.page) >= 0; break;
        case OutlineEntry::Action: node.kept = true; break;
        case OutlineEntry::None: node.kept = node.below; break;
        }
        if ((node.kept || node.below) && entry.parent >= 0)
            m_outline[static_cast<std::size_t>(entry.parent)].below = true;
    }

    int top = -1, bottom = -1; // the first and last kept entry of the top level
    for (int i = 0; i < count; ++i) {
        const OutlineEntry &entry = entries[static_cast<std::size_t>(i)];
        OutlineNode &node = m_outline[static_cast<std::size_t>(i)];
        const int above = entry.parent >= 0 ? m_outline[static_cast<std::size_t>(entry.parent)].anchor : -1;
        node.anchor = node.kept ? i : above;
        if (!node.kept)
            continue;
        node.parent = above;
        int &first = above >= 0 ? m_outline[static_cast<std::size_t>(above)].first : top;
        int &last = above >= 0 ? m_outline[static_cast<std::size_t>(above)].last : bottom;
        if (last >= 0)
            m_outline[static_cast<std::size_t>(last)].next = i;
        else
            first = i;
        node.prev = last;
        last = i;
        node.open = pdf_dict_get_int(m_ctx, entry.item, PDF_NAME(Count)) > 0;
        node.num = pdf_create_object(m_ctx, m_dst);
    }
    if (top < 0)
        return;

    int shown = 0; // entries shown with the outline as it opens
    for (int i = count - 1; i >= 0; --i) {
        const OutlineNode &node = m_outline[static_cast<std::size_t>(i)];
        if (!node.kept)
            continue;
        const int add = 1 + (node.open ? node.visible : 0);
        if (node.parent >= 0)
            m_outline[static_cast<std::size_t>(node.parent)].visible += add;
        else
            shown += add;
    }

    pdf_obj *root = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_dst), PDF_NAME(Root));
    pdf_obj *outlines = pdf_add_new_dict(m_ctx, m_dst, 4);
    pdf_dict_put_drop(m_ctx, root, PDF_NAME(Outlines), outlines);
    outlines = pdf_resolve_indirect(m_ctx, outlines);
    pdf_dict_put(m_ctx, outlines, PDF_NAME(Type), PDF_NAME(Outlines));
    const int topNum = m_outline[static_cast<std::size_t>(top)].num;
    const int bottomNum = m_outline[static_cast<std::size_t>(bottom)].num;
    pdf_dict_put_drop(m_ctx, outlines, PDF_NAME(First), pdf_new_indirect(m_ctx, m_dst, topNum, 0));
    pdf_dict_put_drop(m_ctx, outlines, PDF_NAME(Last), pdf_new_indirect(m_ctx, m_dst, bottomNum, 0));
    pdf_dict_put_int(m_ctx, outlines, PDF_NAME(Count), shown);
    const int outlinesNum = pdf_to_num(m_ctx, pdf_dict_get(m_ctx, root, PDF_NAME(Outlines)));
    for (int i = 0; i < count; ++i)
        if (m_outline[static_cast<std::size_t>(i)].kept)
            writeOutlineItem(i, outlinesNum);
}

void PartWriter::writeOutlineItem(int index, int outlinesNum)
{
    const OutlineEntry &entry = m_source.outline()[static_cast<std::size_t>(index)];
    const OutlineNode &node = m_outline[static_cast<std::size_t>(index)];
    auto ref = [this](int entryIndex) {
        return pdf_new_indirect(m_ctx, m_dst, m_outline[static_cast<std::size_t>(entryIndex)].num, 0);
    };
    pdf_obj *item = pdf_new_dict(m_ctx, m_dst, 10);
    fz_try(m_ctx)
    {
        guardCpp(m_ctx, [&] {
            pdf_obj *title = pdf_resolve_indirect(m_ctx, pdf_dict_get(m_ctx, entry.item, PDF_NAME(Title)));
            if (pdf_is_string(m_ctx, title))
                pdf_dict_put(m_ctx, item, PDF_NAME(Title), title);
            else
                pdf_dict_put_text_string(m_ctx, item, PDF_NAME(Title), ""); // a title is required
            pdf_dict_put_drop(m_ctx, item, PDF_NAME(Parent),
                              node.parent >= 0 ? ref(node.parent) : pdf_new_indirect(m_ctx, m_dst, outlinesNum, 0));
            if (node.prev >= 0)
                pdf_dict_put_drop(m_ctx, item, PDF_NAME(Prev), ref(node.prev));
            if (node.next >= 0)
                pdf_dict_put_drop(m_ctx, item, PDF_NAME(Next), ref(node.next));
            if (node.first >= 0) {
                pdf_dict_put_drop(m_ctx, item, PDF_NAME(First), ref(node.first));
                pdf_dict_put_drop(m_ctx, item, PDF_NAME(Last), ref(node.last));
                pdf_dict_put_int(m_ctx, item, PDF_NAME(Count), node.open ? node.visible : -node.visible);
            }
            pdf_obj *destination = pdf_dict_get(m_ctx, entry.item, PDF_NAME(Dest));
            if (entry.target == OutlineEntry::Page && destination)
                putDestination(item, PDF_NAME(Dest), destination);
            else if (entry.target != OutlineEntry::None)
                putCopy(item, PDF_NAME(A), pdf_dict_get(m_ctx, entry.item, PDF_NAME(A)), 1);
            putCopy(item, PDF_NAME(C), pdf_dict_get(m_ctx, entry.item, PDF_NAME(C)), 1);
            putCopy(item, PDF_NAME(F), pdf_dict_get(m_ctx, entry.item, PDF_NAME(F)), 1);
            pdf_update_object(m_ctx, m_dst, node.num, item);
        });
    }
    fz_always(m_ctx)
    {
        pdf_drop_obj(m_ctx, item);
    }
    fz_catch(m_ctx)
    {
        fz_rethrow(m_ctx);
    }
}

} // namespace quirekit
