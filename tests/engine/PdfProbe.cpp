#include "PdfProbe.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <QByteArray>
#include <cstring>

namespace {

QString boxText(fz_context *ctx, pdf_obj *page, pdf_obj *key)
{
    pdf_obj *box = pdf_dict_get(ctx, page, key);
    if (!pdf_is_array(ctx, box))
        return {};
    QStringList parts;
    for (int i = 0; i < pdf_array_len(ctx, box); ++i)
        parts << QString::number(pdf_to_real(ctx, pdf_array_get(ctx, box, i)));
    return parts.join(' ');
}

QString printed(fz_context *ctx, pdf_obj *obj)
{
    size_t length = 0;
    char *text = pdf_sprint_obj(ctx, nullptr, 0, &length, obj, 1, 1);
    QString result = QString::fromUtf8(text, static_cast<int>(length));
    fz_free(ctx, text);
    return result;
}

} // namespace

// MuPDF calls that can throw stay inside fz_try with plain data only; Qt values are made
// from what they return afterwards.
PdfProbe::PdfProbe(const QString &path)
{
    fz_context *ctx = fz_new_context(nullptr, nullptr, FZ_STORE_DEFAULT);
    fz_document *doc = nullptr;
    const QByteArray file = path.toUtf8();
    volatile int count = 0;
    fz_var(doc);
    fz_try(ctx)
    {
        // Opened as PDF only: the generic opener would pull in every document handler.
        doc = &pdf_open_document(ctx, file.constData())->super;
        count = fz_count_pages(ctx, doc);
    }
    fz_catch(ctx)
    {
        count = -1;
    }
    if (count < 0) {
        m_error = QString::fromUtf8(fz_caught_message(ctx));
        fz_drop_document(ctx, doc);
        fz_drop_context(ctx);
        return;
    }
    pdf_document *pdf = pdf_specifics(ctx, doc);
    m_objectCount = pdf_count_objects(ctx, pdf);
    for (int i = 0; i < count && m_error.isEmpty(); ++i)
        readPage(ctx, doc, i);

    pdf_obj *trailer = pdf_trailer(ctx, pdf);
    pdf_obj *info = pdf_dict_get(ctx, trailer, PDF_NAME(Info));
    for (int i = 0; i < pdf_dict_len(ctx, info); ++i) {
        m_infoKeys << QString::fromUtf8(pdf_to_name(ctx, pdf_dict_get_key(ctx, info, i)));
        m_infoValues << QString::fromUtf8(pdf_to_text_string(ctx, pdf_dict_get_val(ctx, info, i)));
    }
    pdf_obj *fields = pdf_dict_getp(ctx, trailer, "Root/AcroForm/Fields");
    m_fieldCount = pdf_array_len(ctx, fields);
    m_fieldKidCount = pdf_array_len(ctx, pdf_dict_get(ctx, pdf_array_get(ctx, fields, 0), PDF_NAME(Kids)));
    if (pdf_obj *labels = pdf_dict_getp(ctx, trailer, "Root/PageLabels/Nums"))
        m_labels = printed(ctx, labels);
    fz_drop_document(ctx, doc);
    fz_drop_context(ctx);
}

void PdfProbe::readPage(fz_context *ctx, fz_document *doc, int index)
{
    fz_page *page = nullptr;
    fz_stext_page *text = nullptr;
    fz_buffer *buffer = nullptr;
    fz_link *links = nullptr;
    pdf_obj *dict = nullptr;
    bool failed = false;
    fz_var(page);
    fz_var(text);
    fz_var(buffer);
    fz_var(links);
    fz_var(dict);
    fz_try(ctx)
    {
        page = fz_load_page(ctx, doc, index);
        text = fz_new_stext_page_from_page(ctx, page, nullptr);
        buffer = fz_new_buffer_from_stext_page(ctx, text);
        fz_terminate_buffer(ctx, buffer);
        dict = pdf_keep_obj(ctx, pdf_page_from_fz_page(ctx, page)->obj);
        links = fz_load_links(ctx, page);
    }
    fz_catch(ctx)
    {
        failed = true;
    }
    if (failed) {
        m_error = QString::fromUtf8(fz_caught_message(ctx));
    } else {
        Page facts;
        unsigned char *data = nullptr;
        const size_t length = fz_buffer_storage(ctx, buffer, &data);
        facts.text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<int>(length)).simplified();
        facts.mediaBox = boxText(ctx, dict, PDF_NAME(MediaBox));
        facts.cropBox = boxText(ctx, dict, PDF_NAME(CropBox));
        facts.bleedBox = boxText(ctx, dict, PDF_NAME(BleedBox));
        facts.trimBox = boxText(ctx, dict, PDF_NAME(TrimBox));
        facts.artBox = boxText(ctx, dict, PDF_NAME(ArtBox));
        if (pdf_obj *rotate = pdf_dict_get(ctx, dict, PDF_NAME(Rotate)))
            facts.rotate = pdf_to_int(ctx, rotate);
        if (pdf_obj *unit = pdf_dict_get(ctx, dict, PDF_NAME(UserUnit)))
            facts.userUnit = pdf_to_real(ctx, unit);
        facts.annotationCount = pdf_array_len(ctx, pdf_dict_get(ctx, dict, PDF_NAME(Annots)));
        facts.objectNumber = pdf_to_num(ctx, dict);
        for (fz_link *link = links; link; link = link->next) {
            Link found;
            if (fz_is_external_link(ctx, link->uri))
                found.uri = QString::fromUtf8(link->uri);
            else
                found.targetPage = targetOf(ctx, doc, link->uri);
            facts.links << found;
        }
        m_pages << facts;
    }
    fz_drop_link(ctx, links);
    pdf_drop_obj(ctx, dict);
    fz_drop_buffer(ctx, buffer);
    fz_drop_stext_page(ctx, text);
    fz_drop_page(ctx, page);
}

int PdfProbe::targetOf(fz_context *ctx, fz_document *doc, const char *uri)
{
    volatile int target = -1;
    fz_try(ctx)
    {
        target = fz_page_number_from_location(ctx, doc, fz_resolve_link(ctx, doc, uri, nullptr, nullptr));
    }
    fz_catch(ctx)
    {
        target = -1;
    }
    return target;
}

PdfProbe::~PdfProbe() = default;

QString PdfProbe::info(const QString &key) const
{
    const int i = m_infoKeys.indexOf(key);
    return i < 0 ? QString() : m_infoValues.at(i);
}

bool PdfProbe::encrypt(const QString &source, const QString &target, const QString &password)
{
    fz_context *ctx = fz_new_context(nullptr, nullptr, FZ_STORE_DEFAULT);
    pdf_document *doc = nullptr;
    const QByteArray in = source.toUtf8();
    const QByteArray out = target.toUtf8();
    const QByteArray secret = password.toUtf8();
    bool ok = true;
    fz_var(doc);
    fz_try(ctx)
    {
        doc = pdf_open_document(ctx, in.constData());
        pdf_write_options options = pdf_default_write_options;
        options.do_encrypt = PDF_ENCRYPT_AES_256;
        std::strncpy(options.upwd_utf8, secret.constData(), sizeof options.upwd_utf8 - 1);
        std::strncpy(options.opwd_utf8, "owner-secret", sizeof options.opwd_utf8 - 1);
        options.permissions = -1;
        pdf_save_document(ctx, doc, out.constData(), &options);
    }
    fz_always(ctx)
    {
        pdf_drop_document(ctx, doc);
    }
    fz_catch(ctx)
    {
        ok = false;
    }
    fz_drop_context(ctx);
    return ok;
}
