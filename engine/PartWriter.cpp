#include "PartWriter.h"

#include "MupdfFields.h"
#include "MupdfGuard.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace quirekit {

namespace {

// Page keys that describe the page itself. Others (Parent, B for article beads,
// StructParents, DPart, PresSteps, ID) tie the page to document-wide structures that
// are not copied and would otherwise drag other pages along.
const char *const kPageKeys[] = {"Contents",
                                 "Resources",
                                 "MediaBox",
                                 "CropBox",
                                 "BleedBox",
                                 "TrimBox",
                                 "ArtBox",
                                 "BoxColorInfo",
                                 "Rotate",
                                 "UserUnit",
                                 "Group",
                                 "Thumb",
                                 "Annots",
                                 "AA",
                                 "Metadata",
                                 "PieceInfo",
                                 "LastModified",
                                 "Trans",
                                 "Dur",
                                 "Tabs",
                                 "VP",
                                 "PZ",
                                 "SeparationInfo",
                                 "TemplateInstantiated",
                                 "OutputIntents",
                                 "AF"};

bool isPageKey(const char *name)
{
    for (const char *key : kPageKeys)
        if (std::strcmp(key, name) == 0)
            return true;
    return false;
}

struct DescriptorSink {
    int fd; // negative: the bytes are only counted

    int64_t written;
    int error; // errno of a failed write, to tell a full disk from a damaged document
};

void sinkWrite(fz_context *ctx, void *state, const void *data, size_t size)
{
    auto *sink = static_cast<DescriptorSink *>(state);
    if (sink->fd < 0) {
        sink->written += static_cast<int64_t>(size);
        return;
    }
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t n = ::write(sink->fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            sink->error = n < 0 ? errno : EIO;
            fz_throw(ctx, FZ_ERROR_GENERIC, "%s", std::strerror(sink->error));
        }
        p += n;
        size -= static_cast<size_t>(n);
        sink->written += n;
    }
}

int64_t sinkTell(fz_context *, void *state)
{
    return static_cast<DescriptorSink *>(state)->written;
}

} // namespace

bool PartWriter::copiesPageKey(const char *key)
{
    return isPageKey(key);
}

PartWriter::PartWriter(PdfDocument &source) : m_source(source), m_ctx(source.context()), m_src(source.document())
{
}

PartWriter::~PartWriter()
{
    if (m_dst)
        pdf_drop_document(m_ctx, m_dst);
}

Status PartWriter::write(const std::vector<PageRange> &ranges, int fd)
{
    int failure = FZ_ERROR_NONE;
    bool inDocument = true;
    fz_var(failure);
    fz_var(inDocument);
    fz_try(m_ctx)
    {
        guardCpp(m_ctx, [&] {
            loadPages(ranges);
            inDocument = std::all_of(ranges.begin(), ranges.end(),
                                     [this](const PageRange &range) { return range.high() <= m_source.pageCount(); });
            if (!inDocument)
                return;
            build(ranges);
            save(fd);
        });
    }
    fz_catch(m_ctx)
    {
        failure = fz_caught(m_ctx);
    }
    if (failure != FZ_ERROR_NONE && m_writeError != 0)
        return Status::failure(std::string("cannot write the part: ") + std::strerror(m_writeError),
                               Status::Cause::Output);
    if (failure != FZ_ERROR_NONE)
        return Status::failure(std::string("cannot copy the pages: ") + fz_caught_message(m_ctx),
                               failure == FZ_ERROR_MEMORY ? Status::Cause::Memory : Status::Cause::Damaged);
    if (!inDocument)
        return Status::failure("cannot copy the pages: the document has only " + std::to_string(m_source.pageCount())
                               + " pages");
    return Status::success();
}

Status PartWriter::measure(const std::vector<PageRange> &ranges, std::int64_t &bytes)
{
    const Status status = write(ranges, -1);
    bytes = status.ok ? m_written : 0;
    return status;
}

// The page count is fixed when the document is opened; the ranges were checked against it.
void PartWriter::loadPages(const std::vector<PageRange> &ranges)
{
    for (const PageRange &range : ranges)
        m_source.loadPages(static_cast<int>(range.low()) - 1, static_cast<int>(range.high()) - 1);
}

void PartWriter::build(const std::vector<PageRange> &ranges)
{
    m_dst = pdf_create_document(m_ctx);
    MupdfFields::setHeaderVersion(m_dst, std::max(MupdfFields::headerVersion(m_src), 14));
    planPages(ranges);

    for (int index : m_order)
        classifyAnnotations(m_source.pages()[static_cast<std::size_t>(index)].page);

    pdf_obj *tree = pdf_dict_getl(m_ctx, pdf_trailer(m_ctx, m_dst), PDF_NAME(Root), PDF_NAME(Pages), nullptr);
    pdf_obj *kids = pdf_dict_put_array(m_ctx, tree, PDF_NAME(Kids), static_cast<int>(m_pageNums.size()));
    for (int num : m_pageNums)
        pdf_array_push_drop(m_ctx, kids, pdf_new_indirect(m_ctx, m_dst, num, 0));
    pdf_dict_put_int(m_ctx, tree, PDF_NAME(Count), static_cast<int64_t>(m_pageNums.size()));

    for (std::size_t position = 0; position < m_order.size(); ++position) {
        m_currentPage = m_order[position];
        copyPage(position);
        drainWork();
    }
    m_currentPage = -1;
    copyDocumentEntries();
    addPageLabels();
    addForm();
    addViewerSettings();
    addOutline();
    drainWork();
}

void PartWriter::planPages(const std::vector<PageRange> &ranges)
{
    const auto &pages = m_source.pages();
    const std::size_t objects = static_cast<std::size_t>(std::max(0, pdf_xref_len(m_ctx, m_src)));
    m_newNum.assign(objects, 0);
    m_role.assign(objects, Unclassified);
    m_position.assign(pages.size(), -1);
    for (const PageRange &range : ranges) {
        const int first = static_cast<int>(range.first), last = static_cast<int>(range.last);
        const int step = first <= last ? 1 : -1;
        for (int page = first;; page += step) {
            m_order.push_back(page - 1);
            if (page == last)
                break;
        }
    }
    for (std::size_t position = 0; position < m_order.size(); ++position) {
        const int num = pdf_create_object(m_ctx, m_dst);
        m_pageNums.push_back(num);
        m_position[static_cast<std::size_t>(m_order[position])] = static_cast<int>(position);
        // A page listed twice is copied twice; references to it lead to its first copy.
        const int sourceNum = pages[static_cast<std::size_t>(m_order[position])].num;
        if (sourceNum > 0 && sourceNum < sourceLength() && m_newNum[static_cast<std::size_t>(sourceNum)] == 0)
            m_newNum[static_cast<std::size_t>(sourceNum)] = num;
    }
    // The catalog is never copied through a reference: it would bring the whole document.
    pdf_obj *root = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_src), PDF_NAME(Root));
    const int rootNum = pdf_to_num(m_ctx, root);
    if (rootNum > 0 && rootNum < sourceLength())
        m_newNum[static_cast<std::size_t>(rootNum)] = -1;
}

// Decides once, before anything is copied, which annotations of the range are kept: all
// but links whose destination is a page left out. Widgets make their fields kept too.
void PartWriter::classifyAnnotations(pdf_obj *page)
{
    pdf_obj *annots = pdf_dict_get(m_ctx, page, PDF_NAME(Annots));
    const int count = pdf_array_len(m_ctx, annots);
    for (int i = 0; i < count; ++i) {
        pdf_obj *ref = pdf_array_get(m_ctx, annots, i);
        if (!pdf_is_indirect(m_ctx, ref))
            continue; // direct annotations are judged when copied
        const int num = pdf_to_num(m_ctx, ref);
        pdf_obj *annot = pdf_resolve_indirect(m_ctx, ref);
        if (!pdf_is_dict(m_ctx, annot) || role(num) != Unclassified)
            continue;
        pdf_obj *subtype = pdf_dict_get(m_ctx, annot, PDF_NAME(Subtype));
        if (pdf_name_eq(m_ctx, subtype, PDF_NAME(Link))) {
            setRole(num, linkStaysInside(annot) ? KeptAnnotation : DroppedAnnotation);
            continue;
        }
        setRole(num, KeptAnnotation);
        pdf_obj *popup = pdf_dict_get(m_ctx, annot, PDF_NAME(Popup));
        if (pdf_is_indirect(m_ctx, popup) && role(pdf_to_num(m_ctx, popup)) == Unclassified)
            setRole(pdf_to_num(m_ctx, popup), KeptAnnotation);
        if (pdf_name_eq(m_ctx, subtype, PDF_NAME(Widget)))
            markFieldAncestors(annot, num);
    }
}

// Keeps the chain of fields above a kept widget; their Kids are later filtered down to
// the kept widgets and fields, so widgets on other pages stay behind.
void PartWriter::markFieldAncestors(pdf_obj *widget, int widgetNum)
{
    pdf_obj *current = widget;
    int top = widgetNum;
    for (int depth = 0; depth < 64; ++depth) {
        pdf_obj *parent = pdf_dict_get(m_ctx, current, PDF_NAME(Parent));
        const int parentNum = pdf_is_indirect(m_ctx, parent) ? pdf_to_num(m_ctx, parent) : 0;
        if (parentNum <= 0 || parentNum >= sourceLength())
            break;
        if (role(parentNum) == KeptField)
            return; // the rest of the chain, and its top, are known already
        pdf_obj *parentDict = pdf_resolve_indirect(m_ctx, parent);
        if (role(parentNum) != Unclassified || !pdf_is_dict(m_ctx, parentDict)
            || m_source.nodeKind(parentNum) != PdfDocument::NotInTree)
            break;
        setRole(parentNum, KeptField);
        current = parentDict;
        top = parentNum;
    }
    if (std::find(m_fieldRoots.begin(), m_fieldRoots.end(), top) == m_fieldRoots.end())
        m_fieldRoots.push_back(top);
}

bool PartWriter::linkStaysInside(pdf_obj *link)
{
    pdf_obj *destination = pdf_dict_get(m_ctx, link, PDF_NAME(Dest));
    if (!destination) {
        pdf_obj *action = pdf_dict_get(m_ctx, link, PDF_NAME(A));
        if (!pdf_name_eq(m_ctx, pdf_dict_get(m_ctx, action, PDF_NAME(S)), PDF_NAME(GoTo)))
            return true; // URI, other documents, named actions...: not tied to a page here
        destination = pdf_dict_get(m_ctx, action, PDF_NAME(D));
    }
    return targetPosition(destination, nullptr) >= 0;
}

// A destination names its page by object number, which leads to the page's first listing
// in the tree; when that one is left out but another listing of it is copied, the link
// leads to that copy.
int PartWriter::targetPosition(pdf_obj *destination, pdf_obj **array)
{
    return positionOf(m_source.destinationPage(destination, array));
}

int PartWriter::positionOf(int index)
{
    if (index < 0 || index >= static_cast<int>(m_position.size()))
        return -1;
    if (m_position[static_cast<std::size_t>(index)] >= 0)
        return m_position[static_cast<std::size_t>(index)];
    const int num = m_source.pages()[static_cast<std::size_t>(index)].num;
    const int copy = num > 0 && num < sourceLength() ? m_newNum[static_cast<std::size_t>(num)] : 0;
    if (copy <= 0)
        return -1; // the usual case: a page left out, not searched for
    const auto found = std::find(m_pageNums.begin(), m_pageNums.end(), copy);
    return found != m_pageNums.end() ? static_cast<int>(found - m_pageNums.begin()) : -1;
}

bool PartWriter::isOutsideGoTo(pdf_obj *dict)
{
    return pdf_name_eq(m_ctx, pdf_dict_get(m_ctx, dict, PDF_NAME(S)), PDF_NAME(GoTo))
           && targetPosition(pdf_dict_get(m_ctx, dict, PDF_NAME(D)), nullptr) < 0;
}

// Puts an explicit destination to the copied page under key, when the target is in range.
bool PartWriter::putDestination(pdf_obj *dict, pdf_obj *key, pdf_obj *destination, int depth)
{
    pdf_obj *array = nullptr;
    const int position = targetPosition(destination, &array);
    if (position < 0)
        return false;
    const int length = pdf_array_len(m_ctx, array);
    pdf_obj *copy = pdf_dict_put_array(m_ctx, dict, key, length);
    pdf_array_push_drop(m_ctx, copy, pdf_new_indirect(m_ctx, m_dst, m_pageNums[static_cast<std::size_t>(position)], 0));
    for (int i = 1; i < length; ++i)
        pushCopy(copy, pdf_array_get(m_ctx, array, i), depth + 1);
    return true;
}

void PartWriter::copyPage(std::size_t position)
{
    const int index = m_order[position];
    pdf_obj *source = m_source.pages()[static_cast<std::size_t>(index)].page;
    if (!pdf_is_dict(m_ctx, source))
        fz_warn(m_ctx, "page %d is missing; it is written as an empty page", index + 1);
    pdf_obj *tree = pdf_dict_getl(m_ctx, pdf_trailer(m_ctx, m_dst), PDF_NAME(Root), PDF_NAME(Pages), nullptr);
    pdf_obj *page = pdf_new_dict(m_ctx, m_dst, 16);
    fz_try(m_ctx)
    {
        guardCpp(m_ctx, [&] {
            pdf_dict_put(m_ctx, page, PDF_NAME(Type), PDF_NAME(Page));
            pdf_dict_put_drop(m_ctx, page, PDF_NAME(Parent),
                              pdf_new_indirect(m_ctx, m_dst, pdf_to_num(m_ctx, tree), 0));
            const int count = pdf_dict_len(m_ctx, source);
            for (int i = 0; i < count; ++i) {
                pdf_obj *key = pdf_dict_get_key(m_ctx, source, i);
                if (!isPageKey(pdf_to_name(m_ctx, key)))
                    continue;
                pdf_obj *value = pdf_dict_get_val(m_ctx, source, i);
                if (pdf_name_eq(m_ctx, key, PDF_NAME(Annots)))
                    fillAnnotations(pdf_dict_put_array(m_ctx, page, key, pdf_array_len(m_ctx, value)), value);
                else
                    putCopy(page, key, value, 1);
            }
            // Attributes the page inherited from the tree are made its own, as the tree stays behind.
            for (int i = 0; i < PageEntry::InheritedCount; ++i) {
                const auto which = static_cast<PageEntry::Inherited>(i);
                if (m_source.inherits(index, which))
                    putCopy(page, PdfDocument::inheritableKey(i), m_source.pageAttribute(index, which), 1);
            }
            pdf_update_object(m_ctx, m_dst, m_pageNums[position], page);
        });
    }
    fz_always(m_ctx)
    {
        pdf_drop_obj(m_ctx, page);
    }
    fz_catch(m_ctx)
    {
        fz_rethrow(m_ctx);
    }
}

void PartWriter::copyDocumentEntries()
{
    pdf_obj *info = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_src), PDF_NAME(Info));
    if (pdf_is_indirect(m_ctx, info)) {
        if (pdf_obj *ref = copyRef(pdf_to_num(m_ctx, info)))
            pdf_dict_put_drop(m_ctx, pdf_trailer(m_ctx, m_dst), PDF_NAME(Info), ref);
    } else if (pdf_is_dict(m_ctx, info)) {
        pdf_obj *copy = pdf_add_new_dict(m_ctx, m_dst, pdf_dict_len(m_ctx, info));
        pdf_dict_put_drop(m_ctx, pdf_trailer(m_ctx, m_dst), PDF_NAME(Info), copy);
        fillDict(pdf_resolve_indirect(m_ctx, copy), info, 1, 0);
    }

    // Optional content keeps its default visibility only with its catalog entry.
    pdf_obj *sourceRoot = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_src), PDF_NAME(Root));
    pdf_obj *root = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_dst), PDF_NAME(Root));
    for (pdf_obj *key : {PDF_NAME(OCProperties), PDF_NAME(Lang), PDF_NAME(Metadata)})
        putCopy(root, key, pdf_dict_get(m_ctx, sourceRoot, key), 1);
}

// Each output page keeps the label it had in the source. A new range starts wherever the
// numbering does not simply continue (a range start in the source, a reversed order).
void PartWriter::addPageLabels()
{
    const auto &labels = m_source.pageLabels();
    if (labels.empty())
        return;
    pdf_obj *root = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_dst), PDF_NAME(Root));
    pdf_obj *nums = pdf_dict_put_array(m_ctx, pdf_dict_puts_dict(m_ctx, root, "PageLabels", 1), PDF_NAME(Nums), 8);
    int previousIndex = -2, previousRange = -2;
    for (std::size_t position = 0; position < m_order.size(); ++position) {
        const int index = m_order[position];
        const int range = m_source.labelRangeOf(index);
        const bool continues = index == previousIndex + 1 && range == previousRange;
        previousIndex = index;
        previousRange = range;
        if (continues)
            continue;
        pdf_array_push_int(m_ctx, nums, static_cast<int64_t>(position));
        pdf_obj *label = pdf_array_push_dict(m_ctx, nums, 3);
        pdf_obj *source = range < 0 ? nullptr : labels[static_cast<std::size_t>(range)].second;
        // Before the first range the source has no label: plain page numbers.
        int64_t number = index + 1;
        if (source) {
            pdf_obj *start = pdf_dict_gets(m_ctx, source, "St");
            number = (pdf_is_int(m_ctx, start) ? pdf_to_int64(m_ctx, start) : 1)
                     + (index - labels[static_cast<std::size_t>(range)].first);
            putCopy(label, PDF_NAME(S), pdf_dict_get(m_ctx, source, PDF_NAME(S)), 1);
            putCopy(label, PDF_NAME(P), pdf_dict_get(m_ctx, source, PDF_NAME(P)), 1);
        } else {
            pdf_dict_put(m_ctx, label, PDF_NAME(S), PDF_NAME(D));
        }
        pdf_dict_puts_drop(m_ctx, label, "St", pdf_new_int(m_ctx, number));
    }
}

// The form keeps the fields whose widgets were copied; its defaults come from the source.
void PartWriter::addForm()
{
    if (m_fieldRoots.empty())
        return;
    pdf_obj *sourceForm = pdf_dict_getl(m_ctx, pdf_trailer(m_ctx, m_src), PDF_NAME(Root), PDF_NAME(AcroForm), nullptr);
    pdf_obj *root = pdf_dict_get(m_ctx, pdf_trailer(m_ctx, m_dst), PDF_NAME(Root));
    pdf_obj *form = pdf_dict_put_dict(m_ctx, root, PDF_NAME(AcroForm), 6);
    pdf_obj *fields = pdf_dict_put_array(m_ctx, form, PDF_NAME(Fields), static_cast<int>(m_fieldRoots.size()));
    for (int num : m_fieldRoots)
        if (pdf_obj *ref = copyRef(num))
            pdf_array_push_drop(m_ctx, fields, ref);
    for (pdf_obj *key : {PDF_NAME(DR), PDF_NAME(DA), PDF_NAME(Q), PDF_NAME(SigFlags)})
        putCopy(form, key, pdf_dict_get(m_ctx, sourceForm, key), 1);
    pdf_obj *needAppearances = pdf_dict_gets(m_ctx, sourceForm, "NeedAppearances");
    if (pdf_is_bool(m_ctx, needAppearances))
        pdf_dict_puts(m_ctx, form, "NeedAppearances", needAppearances);
    pdf_obj *order = pdf_dict_gets(m_ctx, sourceForm, "CO");
    if (pdf_array_len(m_ctx, order) > 0) {
        pdf_obj *kept = pdf_new_array(m_ctx, m_dst, pdf_array_len(m_ctx, order));
        pdf_dict_puts_drop(m_ctx, form, "CO", kept);
        fillFieldKids(kept, order);
    }
}

void PartWriter::save(int fd)
{
    DescriptorSink sink{fd, 0, 0};
    fz_output *out = fz_new_output(m_ctx, 64 * 1024, &sink, sinkWrite, nullptr, nullptr);
    MupdfFields::setTell(out, sinkTell);
    fz_try(m_ctx)
    {
        pdf_write_options options = pdf_default_write_options;
        pdf_write_document(m_ctx, m_dst, out, &options);
        fz_close_output(m_ctx, out);
    }
    fz_always(m_ctx)
    {
        fz_drop_output(m_ctx, out);
        m_writeError = sink.error;
        m_written = sink.written;
    }
    fz_catch(m_ctx)
    {
        fz_rethrow(m_ctx);
    }
}

} // namespace quirekit
