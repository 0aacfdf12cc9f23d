#include "PdfDocument.h"

#include "MupdfGuard.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <algorithm>
#include <cstring>

namespace quirekit {

// Searches of the name and number trees mark each object they reach, so that a tree whose
// kids lead back up is still walked once.
void PdfDocument::newSeenMark()
{
    const std::size_t objects = static_cast<std::size_t>(std::max(0, pdf_xref_len(m_ctx, m_doc)));
    if (m_seen.size() < objects)
        m_seen.resize(objects, 0);
    if (++m_seenMark == 0) {
        std::fill(m_seen.begin(), m_seen.end(), 0);
        m_seenMark = 1;
    }
}

void PdfDocument::startSearch(pdf_obj *root)
{
    newSeenMark();
    for (pdf_obj *node : m_search)
        pdf_drop_obj(m_ctx, node);
    m_search.clear();
    m_search.push_back(pdf_keep_obj(m_ctx, root));
}

// Marks the node `kid` refers to as seen in this walk; false when it was seen already, or is no
// numbered object (only those can lead back to themselves).
bool PdfDocument::markSeen(pdf_obj *kid)
{
    const int num = pdf_to_num(m_ctx, kid);
    if (num <= 0 || static_cast<std::size_t>(num) >= m_seen.size()
        || m_seen[static_cast<std::size_t>(num)] == m_seenMark)
        return false;
    m_seen[static_cast<std::size_t>(num)] = m_seenMark;
    return true;
}

// Puts the kids of a name or number tree node that were not visited yet on the search stack,
// last first, so the tree is walked in order and a node reached twice is walked once.
void PdfDocument::queueUnseenKids(pdf_obj *node)
{
    pdf_obj *kids = pdf_dict_get(m_ctx, node, PDF_NAME(Kids));
    for (int i = pdf_array_len(m_ctx, kids) - 1; i >= 0; --i) {
        pdf_obj *kid = pdf_array_get(m_ctx, kids, i);
        if (!markSeen(kid))
            continue;
        m_search.push_back(pdf_keep_obj(m_ctx, pdf_resolve_indirect(m_ctx, kid)));
    }
}

// The document's destinations, outline and page labels as the parts and the report use them.

namespace {

// A text string as UTF-8; empty if it cannot be decoded. Running out of memory is not
// taken for an empty text. Throws through MuPDF.
const char *textOf(fz_context *ctx, pdf_obj *value)
{
    const char *text = "";
    fz_var(text);
    fz_try(ctx)
    {
        text = pdf_is_string(ctx, value) ? pdf_to_text_string(ctx, value) : "";
    }
    fz_catch(ctx)
    {
        if (fz_caught(ctx) == FZ_ERROR_MEMORY)
            fz_rethrow(ctx);
        text = "";
    }
    return text;
}

// Compares a search key with a name tree key by bytes, as name trees are sorted.
int compareKeys(const char *a, std::size_t aLength, const char *b, std::size_t bLength)
{
    const int c = std::memcmp(a, b, std::min(aLength, bLength));
    if (c != 0)
        return c;
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

bool keyLess(const char *a, std::size_t aLength, const char *b, std::size_t bLength)
{
    const int c = std::memcmp(a, b, std::min(aLength, bLength));
    return c < 0 || (c == 0 && aLength < bLength);
}

} // namespace

int PdfDocument::destinationPage(pdf_obj *destination, pdf_obj **array)
{
    for (int hops = 0; hops < 4; ++hops) {
        destination = pdf_resolve_indirect(m_ctx, destination);
        if (pdf_is_name(m_ctx, destination) || pdf_is_string(m_ctx, destination))
            destination = lookupNamedDestination(destination);
        else if (pdf_is_dict(m_ctx, destination))
            destination = pdf_dict_get(m_ctx, destination, PDF_NAME(D));
        else
            break;
    }
    if (!pdf_is_array(m_ctx, destination) || pdf_array_len(m_ctx, destination) < 1)
        return -1;
    pdf_obj *page = pdf_array_get(m_ctx, destination, 0);
    int index = -1;
    if (pdf_is_indirect(m_ctx, page))
        index = pageIndexOfNum(pdf_to_num(m_ctx, page));
    else if (pdf_is_int(m_ctx, page))
        index = pdf_to_int(m_ctx, page); // a page index: not standard for local links, but seen
    if (index < 0 || index >= pageCount())
        return -1;
    if (array)
        *array = destination;
    return index;
}

pdf_obj *PdfDocument::lookupNamedDestination(pdf_obj *name)
{
    pdf_obj *root = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_doc), PDF_NAME(Root));
    const char *key = nullptr;
    std::size_t keyLength = 0;
    if (pdf_is_name(m_ctx, name)) {
        key = pdf_to_name(m_ctx, name);
        keyLength = std::strlen(key);
    } else if (pdf_is_string(m_ctx, name)) {
        key = pdf_to_string(m_ctx, name, &keyLength);
    } else {
        return nullptr;
    }

    // The older form: a dictionary in the catalog keyed by name.
    pdf_obj *dests = pdf_dict_get(m_ctx, root, PDF_NAME(Dests));
    if (pdf_is_dict(m_ctx, dests) && std::strlen(key) == keyLength) {
        if (pdf_obj *found = pdf_dict_gets(m_ctx, dests, key))
            return found;
    }
    pdf_obj *tree = pdf_dict_getl(m_ctx, root, PDF_NAME(Names), PDF_NAME(Dests), nullptr);
    // A few names are searched for; many (an outline by names) are looked up in an index.
    if (++m_namedLookups <= kSearchesBeforeIndex)
        return searchNameTree(tree, key, keyLength);
    return indexedDestination(tree, key, keyLength);
}

// Finds a key in a name tree, using each node's Limits to skip subtrees; every node is
// visited at most once, so a malformed tree cannot loop.
pdf_obj *PdfDocument::searchNameTree(pdf_obj *root, const char *key, std::size_t keyLength)
{
    if (!pdf_is_dict(m_ctx, root))
        return nullptr;
    startSearch(root);

    pdf_obj *found = nullptr;
    while (!m_search.empty() && !found) {
        pdf_obj *node = m_search.back();
        m_search.pop_back();
        pdf_obj *names = pdf_dict_get(m_ctx, node, PDF_NAME(Names));
        const int count = pdf_array_len(m_ctx, names);
        for (int i = 0; i + 1 < count && !found; i += 2) {
            std::size_t length = 0;
            const char *candidate = pdf_to_string(m_ctx, pdf_array_get(m_ctx, names, i), &length);
            if (compareKeys(key, keyLength, candidate, length) == 0)
                found = pdf_array_get(m_ctx, names, i + 1);
        }
        pdf_obj *kids = pdf_dict_get(m_ctx, node, PDF_NAME(Kids));
        for (int i = pdf_array_len(m_ctx, kids) - 1; i >= 0 && !found; --i) {
            pdf_obj *kid = pdf_array_get(m_ctx, kids, i);
            if (!markSeen(kid))
                continue;
            pdf_obj *limits = pdf_dict_get(m_ctx, kid, PDF_NAME(Limits));
            if (pdf_array_len(m_ctx, limits) == 2) {
                std::size_t lowLength = 0, highLength = 0;
                const char *low = pdf_to_string(m_ctx, pdf_array_get(m_ctx, limits, 0), &lowLength);
                const char *high = pdf_to_string(m_ctx, pdf_array_get(m_ctx, limits, 1), &highLength);
                if (compareKeys(key, keyLength, low, lowLength) < 0
                    || compareKeys(key, keyLength, high, highLength) > 0)
                    continue;
            }
            m_search.push_back(pdf_keep_obj(m_ctx, pdf_resolve_indirect(m_ctx, kid)));
        }
        pdf_drop_obj(m_ctx, node);
    }
    return found;
}

// Reads every leaf of the tree once (cycle-safe, as the search); a key listed twice leads
// where its first listing does, as in the search.
pdf_obj *PdfDocument::indexedDestination(pdf_obj *tree, const char *key, std::size_t keyLength)
{
    if (!m_indexBuilt && pdf_is_dict(m_ctx, tree)) {
        m_indexBuilt = true;
        startSearch(tree);
        while (!m_search.empty()) {
            pdf_obj *node = m_search.back();
            m_search.pop_back();
            m_indexLeaves.push_back(node); // owns the keys and values listed below
            pdf_obj *names = pdf_dict_get(m_ctx, node, PDF_NAME(Names));
            const int count = pdf_array_len(m_ctx, names);
            for (int i = 0; i + 1 < count; i += 2) {
                std::size_t length = 0;
                const char *name = pdf_to_string(m_ctx, pdf_array_get(m_ctx, names, i), &length);
                m_destinationIndex.push_back(NamedDestination{name, length, pdf_array_get(m_ctx, names, i + 1)});
            }
            queueUnseenKids(node);
        }
        std::stable_sort(m_destinationIndex.begin(), m_destinationIndex.end(),
                         [](const NamedDestination &a, const NamedDestination &b) {
                             return keyLess(a.key, a.length, b.key, b.length);
                         });
    }
    const auto found = std::lower_bound(m_destinationIndex.begin(), m_destinationIndex.end(), key,
                                        [keyLength](const NamedDestination &entry, const char *wanted) {
                                            return keyLess(entry.key, entry.length, wanted, keyLength);
                                        });
    if (found == m_destinationIndex.end() || keyLess(key, keyLength, found->key, found->length))
        return nullptr;
    return found->value;
}

const std::vector<OutlineEntry> &PdfDocument::outline()
{
    if (m_outlineLoaded)
        return m_outline;
    m_outlineLoaded = true;
    pdf_obj *root = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_doc), PDF_NAME(Root));
    pdf_obj *outlines = pdf_dict_get(m_ctx, root, PDF_NAME(Outlines));
    if (!pdf_is_dict(m_ctx, outlines))
        return m_outline;
    // The top of the tree is kept while it is walked: loading an item may repair the file,
    // which reloads every object.
    pdf_obj *top = pdf_keep_obj(m_ctx, outlines);
    fz_try(m_ctx)
    {
        guardCpp(m_ctx, [&] { walkOutline(pdf_dict_get(m_ctx, top, PDF_NAME(First))); });
    }
    fz_always(m_ctx)
    {
        pdf_drop_obj(m_ctx, top);
    }
    fz_catch(m_ctx)
    {
        fz_rethrow(m_ctx);
    }

    // Destinations are resolved once the walk is over, as a named one searches the name tree.
    // An outline of more entries than a few searches are worth reads the tree once, whole.
    if (m_outline.size() > static_cast<std::size_t>(kSearchesBeforeIndex))
        m_namedLookups = std::max(m_namedLookups, kSearchesBeforeIndex);
    for (OutlineEntry &entry : m_outline) {
        pdf_obj *destination = pdf_dict_get(m_ctx, entry.item, PDF_NAME(Dest));
        if (!destination) {
            pdf_obj *action = pdf_dict_get(m_ctx, entry.item, PDF_NAME(A));
            if (!pdf_is_dict(m_ctx, action))
                continue;
            if (!pdf_name_eq(m_ctx, pdf_dict_get(m_ctx, action, PDF_NAME(S)), PDF_NAME(GoTo))) {
                entry.target = OutlineEntry::Action;
                continue;
            }
            destination = pdf_dict_get(m_ctx, action, PDF_NAME(D));
        }
        entry.target = OutlineEntry::Page;
        entry.page = destinationPage(destination, nullptr);
    }
    return m_outline;
}

// Walks the items depth first without recursion. Every item object is visited once, so a
// First or Next that leads back to an item already seen ends that chain instead of looping.
void PdfDocument::walkOutline(pdf_obj *first)
{
    newSeenMark();
    m_pendingItems.clear();
    m_pendingItems.push_back(PendingItem{first, -1, 1});
    while (!m_pendingItems.empty()) {
        PendingItem pending = m_pendingItems.back();
        m_pendingItems.pop_back();
        pdf_obj *ref = pending.item;
        while (ref) {
            if (pdf_is_indirect(m_ctx, ref)) {
                const int num = pdf_to_num(m_ctx, ref);
                if (num <= 0 || static_cast<std::size_t>(num) >= m_seen.size())
                    break; // no such object
                if (m_seen[static_cast<std::size_t>(num)] == m_seenMark) {
                    fz_warn(m_ctx, "the outline leads back to an item already read; the rest of that list is skipped");
                    break;
                }
                m_seen[static_cast<std::size_t>(num)] = m_seenMark;
            }
            pdf_obj *item = pdf_resolve_indirect(m_ctx, ref);
            if (!pdf_is_dict(m_ctx, item))
                break;
            m_outline.push_back(
                OutlineEntry{pdf_keep_obj(m_ctx, item), pending.level, pending.parent, -1, OutlineEntry::None});
            pdf_obj *next = pdf_dict_get(m_ctx, item, PDF_NAME(Next));
            pdf_obj *child = pdf_dict_get(m_ctx, item, PDF_NAME(First));
            if (child) {
                if (next)
                    m_pendingItems.push_back(PendingItem{next, pending.parent, pending.level});
                pending.parent = static_cast<int>(m_outline.size()) - 1;
                ++pending.level;
                ref = child;
            } else {
                ref = next;
            }
        }
    }
}

// Called inside fz_try, after the walks. Each text is copied as soon as it is decoded (see
// facts()), and no C++ object outlives the expression it is made in, as MuPDF may jump out
// of any call here.
void PdfDocument::structureFacts(DocumentFacts &facts)
{
    for (const OutlineEntry &entry : m_outline) {
        const char *title = textOf(m_ctx, pdf_dict_get(m_ctx, entry.item, PDF_NAME(Title)));
        facts.bookmarks.push_back(DocumentFacts::Bookmark{title, entry.level, entry.page >= 0 ? entry.page + 1 : 0});
    }
    for (const auto &[index, label] : m_labels) {
        pdf_obj *start = pdf_dict_gets(m_ctx, label, "St");
        const long long first = pdf_is_int(m_ctx, start) ? pdf_to_int64(m_ctx, start) : 1;
        const char *style = pdf_to_name(m_ctx, pdf_dict_get(m_ctx, label, PDF_NAME(S)));
        const char *prefix = textOf(m_ctx, pdf_dict_get(m_ctx, label, PDF_NAME(P)));
        facts.labels.push_back(
            DocumentFacts::LabelRange{index + 1, first, style[0] && !style[1] ? style[0] : '\0', prefix});
    }
}

const std::vector<std::pair<int, pdf_obj *>> &PdfDocument::pageLabels()
{
    if (!m_labelsLoaded) {
        m_labelsLoaded = true;
        pdf_obj *root = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_doc), PDF_NAME(Root));
        collectLabels(pdf_dict_gets(m_ctx, root, "PageLabels"));
        std::stable_sort(m_labels.begin(), m_labels.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
    }
    return m_labels;
}

int PdfDocument::labelRangeOf(int index)
{
    const auto &labels = pageLabels();
    const auto after = std::upper_bound(labels.begin(), labels.end(), index,
                                        [](int value, const auto &label) { return value < label.first; });
    return static_cast<int>(after - labels.begin()) - 1;
}

// Flattens the page labels number tree (cycle-safe, as the name tree search).
void PdfDocument::collectLabels(pdf_obj *root)
{
    if (!pdf_is_dict(m_ctx, root))
        return;
    startSearch(root);
    while (!m_search.empty()) {
        pdf_obj *node = m_search.back();
        m_search.pop_back();
        pdf_obj *nums = pdf_dict_get(m_ctx, node, PDF_NAME(Nums));
        const int count = pdf_array_len(m_ctx, nums);
        for (int i = 0; i + 1 < count; i += 2) {
            pdf_obj *key = pdf_array_get(m_ctx, nums, i);
            pdf_obj *value = pdf_array_get(m_ctx, nums, i + 1);
            if (pdf_is_int(m_ctx, key) && pdf_to_int(m_ctx, key) >= 0 && pdf_is_dict(m_ctx, value))
                m_labels.emplace_back(pdf_to_int(m_ctx, key), pdf_keep_obj(m_ctx, pdf_resolve_indirect(m_ctx, value)));
        }
        queueUnseenKids(node);
        pdf_drop_obj(m_ctx, node);
    }
}

} // namespace quirekit
