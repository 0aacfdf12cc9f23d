#include "PartWriter.h"

#include "MupdfFields.h"
#include "MupdfGuard.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

namespace quirekit {

// Copying objects from the source document into the part: references are followed, each
// object is copied once, and whatever leads out of the part is cut.

namespace {

// Direct objects nested deeper than this are refused rather than risking the stack.
constexpr int kMaxDepth = 96;

// Call inside fz_catch: names the object, the source page that uses it (-1: none) and
// MuPDF's reason.
void warnUnreadable(fz_context *ctx, int num, int page, const char *outcome)
{
    if (page >= 0)
        fz_warn(ctx, "page %d: object %d cannot be read (%s); %s", page + 1, num, fz_caught_message(ctx), outcome);
    else
        fz_warn(ctx, "object %d cannot be read (%s); %s", num, fz_caught_message(ctx), outcome);
}

// The stream's stored bytes where they can be taken from the mapped file as they are: an
// unencrypted document, and data that ends where its Length says, right before "endstream"
// (else MuPDF reads on to the keyword, and the stream is read as MuPDF reads it). The part
// then points at the file's own pages instead of holding a copy of every stream until it
// is written.
fz_buffer *mappedRawStream(fz_context *ctx, const PdfDocument &source, int num, std::int64_t length)
{
    if (MupdfFields::isEncrypted(source.document()))
        return nullptr;
    static constexpr std::string_view kEnd = "endstream";
    const std::int64_t offset = MupdfFields::streamOffset(ctx, source.document(), num);
    const unsigned char *bytes = offset > 0 ? source.mappedBytes(offset, length) : nullptr;
    if (!bytes)
        return nullptr;
    const std::size_t size = static_cast<std::size_t>(length);
    const std::size_t room = static_cast<std::size_t>(source.fileSize() - offset) - size;
    std::string_view after(reinterpret_cast<const char *>(bytes) + size, std::min<std::size_t>(room, 2 + kEnd.size()));
    if (after.starts_with("\r\n"))
        after.remove_prefix(2);
    else if (after.starts_with('\n') || after.starts_with('\r'))
        after.remove_prefix(1);
    if (!after.starts_with(kEnd))
        return nullptr;
    return fz_new_buffer_from_shared_data(ctx, bytes, size);
}

// As pdf_load_raw_stream_number, except that the stream's Length only sets the buffer's first
// size when it lies within the file: MuPDF would ask for a damaged (negative or huge) Length's
// bytes at once, and fail as out of memory. Throws through MuPDF.
fz_buffer *readRawStream(fz_context *ctx, const PdfDocument &source, int num)
{
    pdf_document *doc = source.document();
    if (fz_buffer *held = MupdfFields::heldStreamData(ctx, doc, num))
        return held;
    pdf_obj *dict = pdf_load_object(ctx, doc, num);
    std::int64_t length = 0;
    fz_try(ctx)
    {
        length = pdf_dict_get_int(ctx, dict, PDF_NAME(Length));
    }
    fz_always(ctx)
    {
        pdf_drop_obj(ctx, dict);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
    if (fz_buffer *mapped = mappedRawStream(ctx, source, num, length))
        return mapped;
    fz_stream *stream = pdf_open_raw_stream_number(ctx, doc, num);
    fz_buffer *data = nullptr;
    fz_var(data);
    fz_try(ctx)
    {
        data = fz_read_all(ctx, stream,
                           static_cast<std::size_t>(std::clamp<std::int64_t>(length, 0, source.fileSize())));
    }
    fz_always(ctx)
    {
        fz_drop_stream(ctx, stream);
    }
    fz_catch(ctx)
    {
        fz_rethrow(ctx);
    }
    return data;
}

// The stream's data as stored; null, with a warning, if it cannot be read.
fz_buffer *loadRawStream(fz_context *ctx, const PdfDocument &source, int num, int page)
{
    fz_buffer *data = nullptr;
    fz_var(data);
    fz_try(ctx)
    {
        data = readRawStream(ctx, source, num);
    }
    fz_catch(ctx)
    {
        if (fz_caught(ctx) == FZ_ERROR_MEMORY)
            fz_rethrow(ctx);
        warnUnreadable(ctx, num, page, "its data is written empty");
        data = nullptr;
    }
    return data;
}

// A direct scalar of the source as an object of its own. Shared instead, one value that many
// pages list (an inherited MediaBox's numbers) could be kept past MuPDF's reference count
// limit, after which it is never freed. Null and booleans are constants.
pdf_obj *newScalar(fz_context *ctx, pdf_obj *value)
{
    if (pdf_is_int(ctx, value))
        return pdf_new_int(ctx, pdf_to_int64(ctx, value));
    if (pdf_is_real(ctx, value))
        return pdf_new_real(ctx, pdf_to_real(ctx, value));
    if (pdf_is_string(ctx, value))
        return pdf_new_string(ctx, pdf_to_str_buf(ctx, value), pdf_to_str_len(ctx, value));
    if (pdf_is_name(ctx, value))
        return pdf_new_name(ctx, pdf_to_name(ctx, value));
    return pdf_keep_obj(ctx, value);
}

} // namespace

// The copy of a source object: its new reference, or null where the reference is cut.
pdf_obj *PartWriter::copyRef(int num)
{
    if (num <= 0 || num >= sourceLength())
        return nullptr;
    const int mapped = m_newNum[static_cast<std::size_t>(num)];
    if (mapped > 0)
        return pdf_new_indirect(m_ctx, m_dst, mapped, 0);
    if (mapped < 0 || m_source.nodeKind(num) != PdfDocument::NotInTree)
        return nullptr; // other pages, page tree nodes, the catalog

    const Role kind = role(num);
    if (kind == DroppedAnnotation)
        return nullptr;
    if (kind == Unclassified) {
        pdf_obj *object = loadSourceObject(num);
        bool cut = !object; // unreadable: the reference becomes null
        if (pdf_is_dict(m_ctx, object)) {
            pdf_obj *type = pdf_dict_get(m_ctx, object, PDF_NAME(Type));
            const bool structural = pdf_name_eq(m_ctx, type, PDF_NAME(Page))
                                    || pdf_name_eq(m_ctx, type, PDF_NAME(Pages))
                                    || pdf_name_eq(m_ctx, type, PDF_NAME(Catalog));
            // Annotations and fields not on the copied pages, and jumps to pages left out.
            const bool otherAnnotation = pdf_is_name(m_ctx, pdf_dict_get(m_ctx, object, PDF_NAME(Subtype)))
                                         && pdf_is_array(m_ctx, pdf_dict_get(m_ctx, object, PDF_NAME(Rect)));
            const bool otherField
                = pdf_dict_get(m_ctx, object, PDF_NAME(FT))
                  || (pdf_dict_get(m_ctx, object, PDF_NAME(T)) && pdf_dict_get(m_ctx, object, PDF_NAME(Kids)));
            cut = structural || otherAnnotation || otherField || isOutsideGoTo(object);
        }
        pdf_drop_obj(m_ctx, object);
        if (cut) {
            m_newNum[static_cast<std::size_t>(num)] = -1;
            return nullptr;
        }
    }
    const int created = pdf_create_object(m_ctx, m_dst);
    m_newNum[static_cast<std::size_t>(num)] = created;
    m_work.push_back(num);
    return pdf_new_indirect(m_ctx, m_dst, created, 0);
}

void PartWriter::drainWork()
{
    while (!m_work.empty()) {
        const int num = m_work.back();
        m_work.pop_back();
        copyObject(num);
    }
}

void PartWriter::copyObject(int num)
{
    const int target = m_newNum[static_cast<std::size_t>(num)];
    pdf_obj *object = loadSourceObject(num);
    pdf_obj *copy = nullptr;
    pdf_obj *ref = nullptr;
    fz_buffer *data = nullptr;
    fz_var(copy);
    fz_var(ref);
    fz_var(data);
    fz_try(m_ctx)
    {
        guardCpp(m_ctx, [&] {
            if (pdf_is_dict(m_ctx, object)) {
                copy = pdf_new_dict(m_ctx, m_dst, pdf_dict_len(m_ctx, object));
                fillDict(copy, object, 0, num);
            } else if (pdf_is_array(m_ctx, object)) {
                copy = pdf_new_array(m_ctx, m_dst, pdf_array_len(m_ctx, object));
                fillArray(copy, object, 0);
            } else if (object && !pdf_is_indirect(m_ctx, object)) {
                copy = pdf_keep_obj(m_ctx, object);
            }
            if (copy && pdf_obj_num_is_stream(m_ctx, m_src, num)) {
                // Stream data is copied as stored (still compressed), never decoded.
                data = loadRawStream(m_ctx, m_source, num, m_currentPage);
                if (!data) {
                    // Where a stream must be, an empty one, which no filter may claim to decode.
                    data = fz_new_buffer(m_ctx, 1);
                    pdf_dict_del(m_ctx, copy, PDF_NAME(Filter));
                    pdf_dict_del(m_ctx, copy, PDF_NAME(DecodeParms));
                }
            }
            pdf_update_object(m_ctx, m_dst, target, copy ? copy : PDF_NULL);
            if (data) {
                ref = pdf_new_indirect(m_ctx, m_dst, target, 0);
                pdf_update_stream(m_ctx, m_dst, ref, data, 1);
            }
        });
    }
    fz_always(m_ctx)
    {
        fz_drop_buffer(m_ctx, data);
        pdf_drop_obj(m_ctx, ref);
        pdf_drop_obj(m_ctx, copy);
        pdf_drop_obj(m_ctx, object);
    }
    fz_catch(m_ctx)
    {
        fz_rethrow(m_ctx);
    }
}

// An object that cannot be read (a damaged object stream, say) is left out with a warning
// rather than failing the whole part, as a missing page is; running out of memory still
// fails. Returns null for such an object (a missing one loads as the null object).
pdf_obj *PartWriter::loadSourceObject(int num)
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
        warnUnreadable(m_ctx, num, m_currentPage, "it is left out");
        object = nullptr;
    }
    return object;
}

// Containers are attached to their parent before they are filled, so a failure part-way
// leaves nothing unowned.
void PartWriter::putCopy(pdf_obj *dict, pdf_obj *key, pdf_obj *value, int depth)
{
    if (depth > kMaxDepth)
        fz_throw(m_ctx, FZ_ERROR_SYNTAX, "objects are nested too deeply");
    if (pdf_is_indirect(m_ctx, value)) {
        if (pdf_obj *ref = copyRef(pdf_to_num(m_ctx, value)))
            pdf_dict_put_drop(m_ctx, dict, key, ref);
    } else if (pdf_is_array(m_ctx, value)) {
        fillArray(pdf_dict_put_array(m_ctx, dict, key, pdf_array_len(m_ctx, value)), value, depth + 1);
    } else if (pdf_is_dict(m_ctx, value)) {
        if (!isOutsideGoTo(value))
            fillDict(pdf_dict_put_dict(m_ctx, dict, key, pdf_dict_len(m_ctx, value)), value, depth + 1, 0);
    } else if (value) {
        pdf_dict_put_drop(m_ctx, dict, key, newScalar(m_ctx, value));
    }
}

void PartWriter::pushCopy(pdf_obj *array, pdf_obj *value, int depth)
{
    if (depth > kMaxDepth)
        fz_throw(m_ctx, FZ_ERROR_SYNTAX, "objects are nested too deeply");
    if (pdf_is_indirect(m_ctx, value)) {
        pdf_obj *ref = copyRef(pdf_to_num(m_ctx, value));
        pdf_array_push_drop(m_ctx, array, ref ? ref : PDF_NULL);
    } else if (pdf_is_array(m_ctx, value)) {
        fillArray(pdf_array_push_array(m_ctx, array, pdf_array_len(m_ctx, value)), value, depth + 1);
    } else if (pdf_is_dict(m_ctx, value)) {
        if (isOutsideGoTo(value))
            pdf_array_push(m_ctx, array, PDF_NULL);
        else
            fillDict(pdf_array_push_dict(m_ctx, array, pdf_dict_len(m_ctx, value)), value, depth + 1, 0);
    } else {
        pdf_array_push_drop(m_ctx, array, value ? newScalar(m_ctx, value) : PDF_NULL);
    }
}

void PartWriter::fillArray(pdf_obj *target, pdf_obj *source, int depth)
{
    const int count = pdf_array_len(m_ctx, source);
    for (int i = 0; i < count; ++i)
        pushCopy(target, pdf_array_get(m_ctx, source, i), depth);
}

// ownerNum is the source object number when source is a whole indirect object.
void PartWriter::fillDict(pdf_obj *target, pdf_obj *source, int depth, int ownerNum)
{
    const bool stream = ownerNum > 0 && pdf_obj_num_is_stream(m_ctx, m_src, ownerNum);
    const bool field = role(ownerNum) == KeptField;
    const bool goTo = pdf_name_eq(m_ctx, pdf_dict_get(m_ctx, source, PDF_NAME(S)), PDF_NAME(GoTo));
    const int count = pdf_dict_len(m_ctx, source);
    for (int i = 0; i < count; ++i) {
        pdf_obj *key = pdf_dict_get_key(m_ctx, source, i);
        pdf_obj *value = pdf_dict_get_val(m_ctx, source, i);
        if (stream && pdf_name_eq(m_ctx, key, PDF_NAME(Length)))
            continue; // set again from the copied data
        if (pdf_name_eq(m_ctx, key, PDF_NAME(Dest)) || (goTo && pdf_name_eq(m_ctx, key, PDF_NAME(D)))) {
            putDestination(target, key, value, depth);
        } else if (field && pdf_name_eq(m_ctx, key, PDF_NAME(Kids))) {
            fillFieldKids(pdf_dict_put_array(m_ctx, target, key, 4), value);
        } else if (key < PDF_LIMIT) {
            putCopy(target, key, value, depth);
        } else {
            // A name of the file's own (not a standard one) gets an object of its own, as
            // scalars do (see newScalar).
            pdf_obj *ownKey = pdf_new_name(m_ctx, pdf_to_name(m_ctx, key));
            fz_try(m_ctx)
            {
                guardCpp(m_ctx, [&] { putCopy(target, ownKey, value, depth); });
            }
            fz_always(m_ctx)
            {
                pdf_drop_obj(m_ctx, ownKey);
            }
            fz_catch(m_ctx)
            {
                fz_rethrow(m_ctx);
            }
        }
    }
}

void PartWriter::fillFieldKids(pdf_obj *target, pdf_obj *source)
{
    source = pdf_resolve_indirect(m_ctx, source);
    const int count = pdf_array_len(m_ctx, source);
    for (int i = 0; i < count; ++i) {
        pdf_obj *kid = pdf_array_get(m_ctx, source, i);
        const int num = pdf_is_indirect(m_ctx, kid) ? pdf_to_num(m_ctx, kid) : 0;
        const Role kind = role(num);
        if (kind != KeptField && kind != KeptAnnotation)
            continue;
        if (pdf_obj *ref = copyRef(num))
            pdf_array_push_drop(m_ctx, target, ref);
    }
}

void PartWriter::fillAnnotations(pdf_obj *target, pdf_obj *source)
{
    source = pdf_resolve_indirect(m_ctx, source);
    const int count = pdf_array_len(m_ctx, source);
    for (int i = 0; i < count; ++i) {
        pdf_obj *annot = pdf_array_get(m_ctx, source, i);
        if (pdf_is_indirect(m_ctx, annot)) {
            if (pdf_obj *ref = copyRef(pdf_to_num(m_ctx, annot)))
                pdf_array_push_drop(m_ctx, target, ref);
        } else if (pdf_is_dict(m_ctx, annot)) {
            if (pdf_name_eq(m_ctx, pdf_dict_get(m_ctx, annot, PDF_NAME(Subtype)), PDF_NAME(Link))
                && !linkStaysInside(annot))
                continue;
            fillDict(pdf_array_push_dict(m_ctx, target, pdf_dict_len(m_ctx, annot)), annot, 1, 0);
        }
    }
}

} // namespace quirekit
