#include "PdfProbe.h"

extern "C" {
#include <mupdf/fitz.h>
#include <mupdf/pdf.h>
}

#include <QByteArray>
#include <cstdlib>
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
    // MuPDF warns about every outline entry that leads to no page (headings, web addresses).
    fz_set_warning_callback(
        ctx, [](void *, const char *) {}, nullptr);
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
    if (pdf_obj *labels = pdf_dict_getp(ctx, trailer, "Root/PageLabels/Nums")) {
        m_labels = printed(ctx, labels);
        for (int i = 0; i + 1 < pdf_array_len(ctx, labels); i += 2) {
            pdf_obj *range = pdf_array_get(ctx, labels, i + 1);
            pdf_obj *start = pdf_dict_gets(ctx, range, "St");
            m_labelRanges << qMakePair(pdf_to_int(ctx, pdf_array_get(ctx, labels, i)),
                                       QString("%1|%2|%3")
                                           .arg(pdf_to_name(ctx, pdf_dict_get(ctx, range, PDF_NAME(S))))
                                           .arg(pdf_to_text_string(ctx, pdf_dict_get(ctx, range, PDF_NAME(P))))
                                           .arg(start ? pdf_to_int(ctx, start) : 1));
        }
    }
    readOutline(ctx, doc);
    readCatalog(ctx, pdf);
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

void PdfProbe::readOutline(fz_context *ctx, fz_document *doc)
{
    fz_outline *outline = nullptr;
    fz_var(outline);
    fz_try(ctx)
    {
        outline = fz_load_outline(ctx, doc);
    }
    fz_catch(ctx)
    {
        m_outlineProblem = QString::fromUtf8(fz_caught_message(ctx));
        return;
    }
    QList<QPair<fz_outline *, int>> stack;
    for (fz_outline *item = outline; item; item = item->next)
        stack << qMakePair(item, 1);
    while (!stack.isEmpty() && m_bookmarks.size() < 10000) {
        const auto [item, level] = stack.takeFirst();
        Bookmark bookmark;
        bookmark.level = level;
        bookmark.title = QString::fromUtf8(item->title);
        bookmark.open = item->is_open;
        if (item->uri && fz_is_external_link(ctx, item->uri))
            bookmark.uri = QString::fromUtf8(item->uri);
        else if (item->uri)
            bookmark.page = targetOf(ctx, doc, item->uri);
        m_bookmarks << bookmark;
        QList<QPair<fz_outline *, int>> children;
        for (fz_outline *child = item->down; child; child = child->next)
            children << qMakePair(child, level + 1);
        stack = children + stack;
    }
    fz_drop_outline(ctx, outline);

    pdf_document *pdf = pdf_specifics(ctx, doc);
    pdf_obj *root = pdf_dict_getp(ctx, pdf_trailer(ctx, pdf), "Root/Outlines");
    int index = 0;
    const int shown = checkItems(ctx, root, 0, index);
    const int count = pdf_dict_get_int(ctx, root, PDF_NAME(Count));
    if (m_outlineProblem.isEmpty() && shown != count && !(shown == 0 && !pdf_dict_get(ctx, root, PDF_NAME(Count))))
        m_outlineProblem = QString("the outline's Count is %1, %2 entries are shown").arg(count).arg(shown);
    if (m_outlineProblem.isEmpty() && index != m_bookmarks.size())
        m_outlineProblem = QString("%1 items, %2 bookmarks").arg(index).arg(m_bookmarks.size());
}

// Walks the items below parent as written, checking the links back and the counts, and
// takes each item's colour and flags; returns how many descendants show when it is open.
int PdfProbe::checkItems(fz_context *ctx, pdf_obj *parent, int depth, int &index)
{
    int shown = 0;
    pdf_obj *previous = nullptr;
    pdf_obj *item = pdf_dict_get(ctx, parent, PDF_NAME(First));
    for (; item && index < 10000 && depth < 32; item = pdf_dict_get(ctx, item, PDF_NAME(Next))) {
        auto problem = [&](const char *what) {
            if (m_outlineProblem.isEmpty())
                m_outlineProblem = QString("item %1: %2").arg(pdf_to_num(ctx, item)).arg(what);
        };
        if (pdf_to_num(ctx, pdf_dict_get(ctx, item, PDF_NAME(Parent))) != pdf_to_num(ctx, parent))
            problem("Parent is not the item above");
        if (pdf_to_num(ctx, pdf_dict_get(ctx, item, PDF_NAME(Prev))) != pdf_to_num(ctx, previous))
            problem("Prev is not the item before");
        if (index < m_bookmarks.size()) {
            Bookmark &bookmark = m_bookmarks[index];
            if (pdf_obj *color = pdf_dict_get(ctx, item, PDF_NAME(C)))
                bookmark.color = printed(ctx, color);
            if (pdf_obj *flags = pdf_dict_get(ctx, item, PDF_NAME(F)))
                bookmark.flags = pdf_to_int(ctx, flags);
        }
        ++index;
        const int below = checkItems(ctx, item, depth + 1, index);
        const int count = pdf_dict_get_int(ctx, item, PDF_NAME(Count));
        if (pdf_dict_get(ctx, item, PDF_NAME(First)) && std::abs(count) != below)
            problem("Count does not match the items below");
        shown += 1 + (count > 0 ? below : 0);
        previous = item;
    }
    if (pdf_to_num(ctx, pdf_dict_get(ctx, parent, PDF_NAME(Last))) != pdf_to_num(ctx, previous)
        && m_outlineProblem.isEmpty())
        m_outlineProblem = QString("item %1: Last is not the last item below").arg(pdf_to_num(ctx, parent));
    return shown;
}

void PdfProbe::readCatalog(fz_context *ctx, pdf_document *pdf)
{
    pdf_obj *root = pdf_dict_get(ctx, pdf_trailer(ctx, pdf), PDF_NAME(Root));
    for (int i = 0; i < pdf_dict_len(ctx, root); ++i)
        m_catalog.insert(pdf_to_name(ctx, pdf_dict_get_key(ctx, root, i)),
                         printed(ctx, pdf_resolve_indirect(ctx, pdf_dict_get_val(ctx, root, i))));
    pdf_obj *open = pdf_dict_gets(ctx, root, "OpenAction");
    if (pdf_is_dict(ctx, open))
        open = pdf_dict_get(ctx, open, PDF_NAME(D));
    if (pdf_is_array(ctx, open)) {
        fz_try(ctx)
        {
            m_openActionPage = pdf_lookup_page_number(ctx, pdf, pdf_array_get(ctx, open, 0));
        }
        fz_catch(ctx)
        {
            m_openActionPage = -1;
        }
    }
    fz_buffer *data = nullptr;
    fz_var(data);
    fz_try(ctx)
    {
        if (pdf_obj *metadata = pdf_dict_get(ctx, root, PDF_NAME(Metadata)))
            data = pdf_load_stream(ctx, metadata);
    }
    fz_catch(ctx)
    {
        data = nullptr;
    }
    if (data) {
        unsigned char *bytes = nullptr;
        const size_t length = fz_buffer_storage(ctx, data, &bytes);
        m_metadata = QByteArray(reinterpret_cast<const char *>(bytes), static_cast<int>(length));
        fz_drop_buffer(ctx, data);
    }
}

QStringList PdfProbe::outline() const
{
    QStringList lines;
    for (const Bookmark &bookmark : m_bookmarks) {
        const QString target = bookmark.uri.isEmpty() ? QString::number(bookmark.page + 1) : bookmark.uri;
        lines << QString("%1|%2|%3|%4|%5|%6")
                     .arg(bookmark.level)
                     .arg(bookmark.title, target, bookmark.open ? "open" : "closed", bookmark.color)
                     .arg(bookmark.flags);
    }
    return lines;
}

namespace {

QString roman(int number)
{
    static const QPair<int, const char *> digits[]
        = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
           {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    QString text;
    for (const auto &[value, letters] : digits)
        for (; number >= value; number -= value)
            text += letters;
    return text;
}

} // namespace

QString PdfProbe::label(int index) const
{
    const QPair<int, QString> *range = nullptr;
    for (const auto &candidate : m_labelRanges)
        if (candidate.first <= index && (!range || candidate.first >= range->first))
            range = &candidate;
    if (!range)
        return QString::number(index + 1);
    const QStringList parts = range->second.split('|');
    const int number = parts[2].toInt() + index - range->first;
    QString text;
    if (parts[0] == "D")
        text = QString::number(number);
    else if (parts[0] == "r")
        text = roman(number);
    else if (parts[0] == "R")
        text = roman(number).toUpper();
    else if (parts[0] == "a" || parts[0] == "A")
        text = QString(QChar('a' + (number - 1) % 26)).repeated((number - 1) / 26 + 1);
    if (parts[0] == "A")
        text = text.toUpper();
    return parts[1] + text;
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
