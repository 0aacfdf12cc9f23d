#include "PdfFixtures.h"

#include <QFile>
#include <QRandomGenerator>

#include <zlib.h>

namespace {

// Deflate data of `data` that ends on a byte boundary and refers to nothing before it, so that
// copies of it may follow one another in one stream.
QByteArray rawDeflate(const QByteArray &data)
{
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(int(deflateBound(&z, uLong(data.size()))) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FULL_FLUSH);
    out.resize(out.size() - int(z.avail_out));
    deflateEnd(&z);
    return out;
}

// A zlib stream of deflate blocks: its header, the blocks, an empty last block, and a checksum
// that is wrong, as no reader gets that far.
QByteArray zlibStream(const QByteArray &blocks)
{
    return QByteArray("\x78\xda") + blocks + QByteArray("\x03\x00", 2) + QByteArray(4, '\0');
}

// A megabyte of copies of `unit`, as deflate blocks of about a kilobyte.
QByteArray megabyteOf(const QByteArray &unit)
{
    return rawDeflate(unit.repeated((1 << 20) / unit.size()));
}

} // namespace

QByteArray PdfFixtures::stream(const QByteArray &dict, const QByteArray &data)
{
    return "<< " + dict + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n" + data + "\nendstream";
}

QByteArray PdfFixtures::assemble(const QMap<int, QByteArray> &objects, const QByteArray &trailer)
{
    QByteArray out = "%PDF-1.6\n%\xe2\xe3\xcf\xd3\n";
    const int size = objects.isEmpty() ? 1 : objects.lastKey() + 1;
    QVector<qint64> offsets(size, -1);
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        offsets[it.key()] = out.size();
        out += QByteArray::number(it.key()) + " 0 obj\n" + it.value() + "\nendobj\n";
    }
    const qint64 xref = out.size();
    out += "xref\n0 " + QByteArray::number(size) + "\n";
    for (int i = 0; i < size; ++i) {
        if (offsets[i] < 0)
            out += QByteArray("0000000000 65535 f\r\n");
        else
            out += QByteArray::number(offsets[i]).rightJustified(10, '0') + " 00000 n\r\n";
    }
    out += "trailer\n<< /Size " + QByteArray::number(size) + " " + trailer + " >>\nstartxref\n"
           + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

QByteArray PdfFixtures::tenPages()
{
    // Object numbers: page k is 10+k, its content 20+k; annotations 31-37; field 40.
    auto page = [](int k) { return QByteArray::number(10 + k) + " 0 R"; };
    QMap<int, QByteArray> o;
    o[1] = "<< /Type /Catalog /Pages 2 0 R /Names << /Dests 3 0 R >>"
           " /PageLabels << /Nums [0 << /S /r >> 3 << /S /D /P (Ch-) >>] >>"
           " /AcroForm << /Fields [40 0 R] /DA (/Helv 0 Tf 0 g) /NeedAppearances true >> >>";
    o[2] = "<< /Type /Pages /Kids [4 0 R 5 0 R] /Count 10 /MediaBox [0 0 595 842]"
           " /Resources << /Font << /F1 6 0 R >> >> >>";
    o[3] = "<< /Names [(chapter4) [" + page(4) + " /XYZ 0 800 0] (nine) [" + page(9) + " /Fit]] >>";
    o[4] = "<< /Type /Pages /Parent 2 0 R /Kids [" + page(1) + " " + page(2) + " " + page(3) + " " + page(4) + " "
           + page(5) + "] /Count 5 /Rotate 90 >>";
    o[5] = "<< /Type /Pages /Parent 2 0 R /Kids [" + page(6) + " " + page(7) + " " + page(8) + " " + page(9) + " "
           + page(10) + "] /Count 5 >>";
    o[6] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";

    QMap<int, QByteArray> annots;
    annots[1] = "[31 0 R]";
    annots[2] = "[32 0 R 41 0 R]";
    annots[3] = "[33 0 R 34 0 R]";
    annots[4] = "[35 0 R 36 0 R]";
    annots[9] = "[37 0 R 42 0 R]";
    QMap<int, QByteArray> extra;
    extra[6] = " /MediaBox [0 0 612 792]";
    extra[7] = " /CropBox [10 20 500 700]";
    extra[8] = " /Rotate 180 /UserUnit 2";
    extra[10] = " /MediaBox [0 0 842 595] /BleedBox [5 5 837 590] /TrimBox [10 10 832 585]"
                " /ArtBox [20 20 822 575]";
    for (int k = 1; k <= 10; ++k) {
        QByteArray dict = "<< /Type /Page /Parent " + QByteArray(k <= 5 ? "4" : "5") + " 0 R /Contents "
                          + QByteArray::number(20 + k) + " 0 R" + extra.value(k);
        if (annots.contains(k))
            dict += " /Annots " + annots[k];
        o[10 + k] = dict + " >>";
        QByteArray text = "BT /F1 24 Tf 72 700 Td (Page " + QByteArray::number(k) + ") Tj ET";
        if (k == 9)
            text += "\nBT /F1 10 Tf 72 650 Td (" + QByteArray(kPageNineMarker) + ") Tj ET";
        o[20 + k] = stream("", text);
    }
    const QByteArray link = "/Type /Annot /Subtype /Link /Border [0 0 1] /Rect ";
    o[31] = "<< " + link + "[72 72 200 100] /Dest [" + page(3) + " /XYZ 0 800 0] >>";
    o[32] = "<< " + link + "[72 72 200 100] /A << /S /GoTo /D [" + page(9) + " /Fit] >> >>";
    o[33] = "<< " + link + "[72 72 200 100] /Dest (chapter4) >>";
    o[34] = "<< " + link + "[72 120 200 150] /Dest (nine) >>";
    o[35] = "<< " + link + "[72 72 200 100] /A << /S /URI /URI (https://example.org/quire) >> >>";
    o[36] = "<< /Type /Annot /Subtype /Text /Rect [300 300 320 320] /Contents (a note) /P " + page(4) + " >>";
    o[37] = "<< " + link + "[72 72 200 100] /Dest [" + page(1) + " /Fit] >>";
    o[40] = "<< /FT /Tx /T (name) /V (hello) /Kids [41 0 R 42 0 R] >>";
    o[41] = "<< /Type /Annot /Subtype /Widget /Rect [300 500 500 520] /Parent 40 0 R /P " + page(2) + " >>";
    o[42] = "<< /Type /Annot /Subtype /Widget /Rect [300 500 500 520] /Parent 40 0 R /P " + page(9)
            + " /AP << /N 43 0 R >> >>";
    o[43] = stream("/Type /XObject /Subtype /Form /BBox [0 0 200 20]",
                   "BT /F1 10 Tf 2 5 Td (" + QByteArray(kWidgetNineMarker) + ") Tj ET");
    o[50] = "<< /Title (Quire Test) /Author (Ann\\nAuthor) /Subject (NumberOfPages: 99) /Creator (fixtures) >>";
    return assemble(o, "/Root 1 0 R /Info 50 0 R");
}

QByteArray PdfFixtures::manual(bool outlineLoop)
{
    // Page k is object 10+k, its content 30+k; outline items 50-60 in document order.
    auto page = [](int k) { return QByteArray::number(10 + k) + " 0 R"; };
    QMap<int, QByteArray> o;
    o[1] = "<< /Type /Catalog /Pages 2 0 R /Outlines 7 0 R /Names << /Dests 4 0 R >> /Metadata 6 0 R"
           " /Lang (de-CH) /PageLayout /TwoColumnRight /PageMode /UseOutlines"
           " /ViewerPreferences << /DisplayDocTitle true /PrintPageRange [0 3] >> /OpenAction ["
           + page(5)
           + " /Fit] /PageLabels << /Nums [0 << /S /r >> 3 << /S /D >> 9 << /S /D /P (A-) /St 1 >>"
             " 11 << /P (Index) >>] >> >>";
    QByteArray kids;
    for (int k = 1; k <= 12; ++k) {
        kids += page(k) + " ";
        o[10 + k] = textPage("2", 30 + k);
        o[30 + k] = textContent("Page " + QByteArray::number(k));
    }
    o[2] = "<< /Type /Pages /Kids [" + kids
           + "] /Count 12 /MediaBox [0 0 300 400]"
             " /Resources << /Font << /F1 3 0 R >> >> >>";
    o[3] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    o[4] = "<< /Names [(ch1) [" + page(4) + " /XYZ 0 400 0] (sec12) << /D [" + page(6) + " /FitH 300] >>] >>";
    o[5] = "<< /Title (Quire Manual) >>";
    o[6] = stream(
        "/Type /Metadata /Subtype /XML",
        "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
        "<rdf:Description dc:title='"
            + QByteArray(kManualXmpMarker) + "' xmlns:dc='http://purl.org/dc/elements/1.1/'/></rdf:RDF></x:xmpmeta>");
    o[7] = "<< /Type /Outlines /First 50 0 R /Last 60 0 R /Count 10 >>";
    auto item = [](const QByteArray &title, int parent, int prev, int next, const QByteArray &rest) {
        QByteArray dict = "<< /Title " + title + " /Parent " + QByteArray::number(parent) + " 0 R";
        if (prev)
            dict += " /Prev " + QByteArray::number(prev) + " 0 R";
        if (next)
            dict += " /Next " + QByteArray::number(next) + " 0 R";
        return dict + " " + rest + " >>";
    };
    // "Préface" in UTF-16; "Chapter 2 — Use" with the dash in PDFDocEncoding.
    o[50] = item("<FEFF0050007200E9006600610063006500>", 7, 0, 51, "/Dest [" + page(1) + " /Fit]");
    o[51] = item("(Part One)", 7, 50, 57, "/First 52 0 R /Last 55 0 R /Count 4 /C [1 0 0] /F 2");
    o[52] = item("(Chapter 1\nIntroduction)", 51, 0, 55, "/First 53 0 R /Last 54 0 R /Count 2 /Dest (ch1)");
    o[53] = item("(Section 1.1)", 52, 0, 54, "/A << /S /GoTo /D [" + page(5) + " /XYZ 0 300 0] >>");
    o[54] = item("(Section 1.2)", 52, 53, 0, "/A << /S /GoTo /D (sec12) >>");
    o[55] = item("(Chapter 2 \204 Use)", 51, 52, 0,
                 "/First 56 0 R /Last 56 0 R /Count -1 /C [0 0 1] /F 1 /Dest [" + page(7) + " /Fit]");
    o[56] = item("(Section 2.1)", 55, 0, 0, (outlineLoop ? "/First 51 0 R " : "") + ("/Dest [" + page(8) + " /Fit]"));
    o[57] = item("(Appendix)", 7, 51, 60,
                 "/First 58 0 R /Last 59 0 R /Count 2 /C [0 0.5 0] /F 3 /Dest [" + page(10) + " /Fit]");
    o[58] = item("(Web site &#1)", 57, 0, 59, "/A << /S /URI /URI (https://example.org/manual) >>");
    o[59] = item("(Appendix B)", 57, 58, 0, "/Dest [" + page(11) + " /Fit]");
    o[60] = item("(Index)", 7, 57, outlineLoop ? 50 : 0, "/Dest [" + page(12) + " /Fit]");
    return assemble(o, "/Root 1 0 R /Info 5 0 R");
}

QByteArray PdfFixtures::namedOutline(int entries)
{
    // Pages 11-20, contents 21-30, the name tree's leaves from 40, the items after them.
    QMap<int, QByteArray> o;
    QByteArray kids;
    for (int k = 1; k <= 10; ++k) {
        kids += QByteArray::number(10 + k) + " 0 R ";
        o[10 + k] = textPage("2", 20 + k);
        o[20 + k] = textContent("Page " + QByteArray::number(k));
    }
    o[1] = "<< /Type /Catalog /Pages 2 0 R /Outlines 3 0 R /Names << /Dests 4 0 R >> >>";
    o[2] = "<< /Type /Pages /Kids [" + kids
           + "] /Count 10 /MediaBox [0 0 300 400]"
             " /Resources << /Font << /F1 5 0 R >> >> >>";
    o[5] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    auto name = [](int j) { return "n" + QByteArray::number(j).rightJustified(3, '0'); };
    QByteArray leaves;
    const int leafCount = (entries + 7) / 8;
    for (int leaf = 0; leaf < leafCount; ++leaf) {
        const int last = qMin(entries, leaf * 8 + 8) - 1;
        QByteArray names;
        for (int j = leaf * 8; j <= last; ++j)
            names += "(" + name(j) + ") [" + QByteArray::number(10 + namedOutlinePage(j)) + " 0 R /Fit] ";
        o[40 + leaf] = "<< /Names [" + names + "] /Limits [(" + name(leaf * 8) + ") (" + name(last) + ")] >>";
        leaves += QByteArray::number(40 + leaf) + " 0 R ";
    }
    o[4] = "<< /Kids [" + leaves + "] >>";
    const int firstItem = 40 + leafCount;
    for (int j = 0; j <= entries; ++j) {
        const int num = firstItem + j;
        const QByteArray title = j < entries ? "Entry " + QByteArray::number(j) : "Entry missing";
        o[num] = "<< /Title (" + title + ") /Parent 3 0 R /Dest (" + (j < entries ? name(j) : "zzz") + ")"
                 + (j > 0 ? " /Prev " + QByteArray::number(num - 1) + " 0 R" : "")
                 + (j < entries ? " /Next " + QByteArray::number(num + 1) + " 0 R" : "") + " >>";
    }
    o[3] = "<< /Type /Outlines /First " + QByteArray::number(firstItem) + " 0 R /Last "
           + QByteArray::number(firstItem + entries) + " 0 R /Count " + QByteArray::number(entries + 1) + " >>";
    return assemble(o, "/Root 1 0 R");
}

namespace {

// Bytes no filter would shrink, the same for the same seed.
QByteArray noise(int size, quint32 seed)
{
    QByteArray data(size, Qt::Uninitialized);
    quint32 state = seed * 2654435761u + 1;
    for (char &byte : data) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<char>(state & 0xff);
    }
    return data;
}

} // namespace

QByteArray PdfFixtures::weighted(const QList<int> &imageBytes, int sharedBytes)
{
    // Pages from 1000, contents from 3000, images from 5000; the font is 5, its file 7.
    QMap<int, QByteArray> o;
    QByteArray kids;
    for (int k = 1; k <= imageBytes.size(); ++k) {
        kids += QByteArray::number(1000 + k) + " 0 R ";
        o[1000 + k] = "<< /Type /Page /Parent 2 0 R /Contents " + QByteArray::number(3000 + k)
                      + " 0 R /Resources << /Font << /F1 5 0 R >> /XObject << /Im " + QByteArray::number(5000 + k)
                      + " 0 R >> >> >>";
        o[3000 + k] = stream("", "q 200 0 0 100 50 250 cm /Im Do Q BT /F1 24 Tf 72 700 Td (Page "
                                     + QByteArray::number(k) + ") Tj ET");
        const int bytes = imageBytes[k - 1];
        o[5000 + k] = stream("/Type /XObject /Subtype /Image /Width " + QByteArray::number(bytes)
                                 + " /Height 1 /ColorSpace /DeviceGray /BitsPerComponent 8",
                             noise(bytes, quint32(k)));
    }
    o[1] = "<< /Type /Catalog /Pages 2 0 R >>";
    o[2] = "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(imageBytes.size())
           + " /MediaBox [0 0 300 400] >>";
    o[5] = "<< /Type /Font /Subtype /TrueType /BaseFont /Shared /FirstChar 32 /LastChar 32 /Widths [500]"
           " /FontDescriptor 6 0 R >>";
    o[6] = "<< /Type /FontDescriptor /FontName /Shared /Flags 32 /FontBBox [0 0 1000 1000] /ItalicAngle 0"
           " /Ascent 800 /Descent -200 /CapHeight 700 /StemV 80 /FontFile2 7 0 R >>";
    o[7] = stream("/Length1 " + QByteArray::number(sharedBytes), noise(sharedBytes, 0));
    return assemble(o, "/Root 1 0 R");
}

QByteArray PdfFixtures::chapters(int count, int pagesEach)
{
    // Pages from 1000, contents from 3000, chapter items at 6000 + 2j, sections just after.
    QMap<int, QByteArray> o;
    const int pages = count * pagesEach;
    QByteArray kids;
    for (int k = 1; k <= pages; ++k) {
        kids += QByteArray::number(1000 + k) + " 0 R ";
        o[1000 + k] = textPage("2", 3000 + k);
        o[3000 + k] = textContent("Page " + QByteArray::number(k));
    }
    o[1] = "<< /Type /Catalog /Pages 2 0 R /Outlines 3 0 R >>";
    o[2] = "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages)
           + " /MediaBox [0 0 300 400] /Resources << /Font << /F1 5 0 R >> >> >>";
    o[5] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    const auto ref = [](int num) { return QByteArray::number(num) + " 0 R"; };
    for (int j = 1; j <= count; ++j) {
        const int chapter = 6000 + 2 * j, section = chapter + 1;
        const int firstPage = 1 + (j - 1) * pagesEach;
        const QByteArray title = j == 3 ? "Chapter 3: Input/Output" : "Chapter " + QByteArray::number(j);
        o[chapter] = "<< /Title (" + title + ") /Parent 3 0 R /Dest [" + ref(1000 + firstPage) + " /Fit] /First "
                     + ref(section) + " /Last " + ref(section) + " /Count 1"
                     + (j > 1 ? " /Prev " + ref(chapter - 2) : "") + (j < count ? " /Next " + ref(chapter + 2) : "")
                     + " >>";
        o[section] = "<< /Title (Section " + QByteArray::number(j) + ".1) /Parent " + ref(chapter) + " /Dest ["
                     + ref(1000 + qMin(firstPage + 1, pages)) + " /Fit] >>";
    }
    o[3] = "<< /Type /Outlines /First " + ref(6002) + " /Last " + ref(6000 + 2 * count) + " /Count "
           + QByteArray::number(2 * count) + " >>";
    return assemble(o, "/Root 1 0 R");
}

QByteArray PdfFixtures::squaresTree(const QByteArray &kids, const QByteArray &count, QMap<int, QByteArray> objects)
{
    objects.insert(1, "<< /Type /Catalog /Pages 2 0 R >>");
    objects.insert(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + count + " /MediaBox [0 0 300 300] >>");
    if (!objects.contains(5))
        objects.insert(5, stream("", "0 0 1 rg 10 10 100 100 re f"));
    return assemble(objects, "/Root 1 0 R");
}

QByteArray PdfFixtures::cyclicTree()
{
    return squaresTree("3 0 R 4 0 R 2 0 R", "5",
                       {{3, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>"},
                        {4, "<< /Type /Pages /Parent 4 0 R /Kids [4 0 R 2 0 R 6 0 R] /Count 2 >>"},
                        {6, "<< /Type /Page /Parent 4 0 R /Contents 5 0 R >>"}});
}

QByteArray PdfFixtures::lyingCounts()
{
    // The root says its two kids are pages (Count 2), but the second is a node of two pages.
    return squaresTree("3 0 R 4 0 R", "2",
                       {{3, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>"},
                        {4, "<< /Type /Pages /Parent 2 0 R /Kids [6 0 R 7 0 R] /Count 2 >>"},
                        {6, "<< /Type /Page /Parent 4 0 R /Contents 5 0 R >>"},
                        {7, "<< /Type /Page /Parent 4 0 R /Contents 5 0 R /Rotate 90 >>"}});
}

QByteArray PdfFixtures::danglingPage()
{
    return squaresTree("3 0 R 90 0 R", "2", {{3, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>"}});
}

QByteArray PdfFixtures::freedPage()
{
    return squaresTree("3 0 R 4 0 R", "2", {{3, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>"}});
}

QByteArray PdfFixtures::emptyNodeCountedAsPage()
{
    return squaresTree("3 0 R 4 0 R", "2",
                       {{3, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>"},
                        {4, "<< /Type /Pages /Parent 2 0 R /Kids [] /Count 1 >>"}});
}

QByteArray PdfFixtures::claimsTenBillionPages()
{
    return squaresTree("3 0 R", "9999999999", {{3, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>"}});
}

QByteArray PdfFixtures::deepTree(int levels)
{
    QMap<int, QByteArray> o;
    o[3] = "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>";
    o[4] = "<< /Type /Page /Parent " + QByteArray::number(9 + levels) + " 0 R /Contents 6 0 R >>";
    o[6] = stream("", "1 0 0 rg 10 10 100 100 re f");
    for (int level = 0; level < levels; ++level) {
        const QByteArray kid = level + 1 < levels ? QByteArray::number(11 + level) + " 0 R" : "4 0 R";
        o[10 + level] = "<< /Type /Pages /Parent " + QByteArray::number(level == 0 ? 2 : 9 + level) + " 0 R /Kids ["
                        + kid + "] /Count 1 >>";
    }
    return squaresTree("10 0 R 3 0 R", "2", o);
}

QByteArray PdfFixtures::nestedInOneObject(int levels)
{
    QByteArray tree = "<< /Type /Page /Contents 5 0 R >>";
    for (int level = 0; level < levels; ++level)
        tree = "<< /Type /Pages /Kids [" + tree + "] /Count 1 >>";
    return squaresTree(tree, "1", {});
}

QByteArray PdfFixtures::endlessContent(const QByteArray &unit)
{
    // A megabyte of the unit compresses to about a kilobyte; a thousand copies of that is the
    // inner stream, which compresses the same way again. Sixteen copies of the outer block
    // make some sixteen gigabytes of content.
    const QByteArray block = megabyteOf(unit);
    const QByteArray outerBlock = megabyteOf(block);
    const qsizetype innerCopies = ((1 << 20) / block.size()) * 16;
    const QByteArray inner = zlibStream(block.repeated(innerCopies));
    const QByteArray innerHead = inner.left(2);
    const QByteArray innerTail = inner.right(6);
    const QByteArray data = zlibStream(rawDeflate(innerHead) + outerBlock.repeated(16) + rawDeflate(innerTail));
    return squaresTree("3 0 R 4 0 R", "2",
                       {{3, "<< /Type /Page /Parent 2 0 R /Contents 6 0 R >>"},
                        {4, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>"},
                        {6, stream("/Filter [/FlateDecode /FlateDecode]", data)}});
}

QByteArray PdfFixtures::pageOfSize(const QByteArray &mediaBox)
{
    return squaresTree("3 0 R 4 0 R", "2",
                       {{3, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R /MediaBox " + mediaBox + " >>"},
                        {4, "<< /Type /Page /Parent 2 0 R /Contents 5 0 R >>"}});
}

QByteArray PdfFixtures::textPage(const QByteArray &parent, int content, const QByteArray &extra)
{
    return "<< /Type /Page /Parent " + parent + " 0 R /Contents " + QByteArray::number(content) + " 0 R" + extra
           + " >>";
}

QByteArray PdfFixtures::textContent(const QByteArray &text)
{
    return stream("", "BT /F1 24 Tf 72 150 Td (" + text + ") Tj ET");
}

QByteArray PdfFixtures::pageTwiceInOneKids()
{
    return pageListed(2);
}

QByteArray PdfFixtures::pageListed(int times)
{
    QMap<int, QByteArray> o;
    o[1] = "<< /Type /Catalog /Pages 2 0 R >>";
    o[2] = "<< /Type /Pages /Kids [" + QByteArray("3 0 R ").repeated(times) + "4 0 R] /Count "
           + QByteArray::number(times + 1) + " /MediaBox [0 0 300 300] /Resources << /Font << /F1 9 0 R >> >> >>";
    o[3] = textPage("2", 5);
    o[4] = textPage("2", 6);
    o[5] = textContent("Page A");
    o[6] = textContent("Page B");
    o[9] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    return assemble(o, "/Root 1 0 R");
}

QByteArray PdfFixtures::pageUnderTwoParents()
{
    QMap<int, QByteArray> o;
    o[1] = "<< /Type /Catalog /Pages 2 0 R >>";
    o[2] = "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 3 /MediaBox [0 0 300 300]"
           " /Resources << /Font << /F1 9 0 R >> >> >>";
    o[3] = "<< /Type /Pages /Parent 2 0 R /Kids [5 0 R] /Count 1 /Rotate 90 /MediaBox [0 0 200 200] >>";
    o[4] = "<< /Type /Pages /Parent 2 0 R /Kids [5 0 R 6 0 R] /Count 2 /Rotate 180 /MediaBox [0 0 400 400] >>";
    o[5] = textPage("3", 7);
    o[6] = textPage("4", 8, " /Annots [10 0 R]");
    o[7] = textContent("Page A");
    o[8] = textContent("Page B");
    o[9] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    o[10] = "<< /Type /Annot /Subtype /Link /Rect [10 10 100 40] /Border [0 0 1] /Dest [5 0 R /Fit] >>";
    return assemble(o, "/Root 1 0 R");
}

QByteArray PdfFixtures::sharedBranch()
{
    QMap<int, QByteArray> o;
    o[1] = "<< /Type /Catalog /Pages 2 0 R >>";
    o[2] = "<< /Type /Pages /Kids [3 0 R 6 0 R 3 0 R] /Count 5 /MediaBox [0 0 300 300]"
           " /Resources << /Font << /F1 9 0 R >> >> >>";
    o[3] = "<< /Type /Pages /Parent 2 0 R /Kids [4 0 R 5 0 R] /Count 2 /Rotate 90 >>";
    o[4] = textPage("3", 7);
    o[5] = textPage("3", 8);
    o[6] = textPage("2", 10);
    o[7] = textContent("Page A");
    o[8] = textContent("Page B");
    o[9] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    o[10] = textContent("Page C");
    return assemble(o, "/Root 1 0 R");
}

QByteArray PdfFixtures::doublingBranches(int levels)
{
    QMap<int, QByteArray> o;
    o[1] = "<< /Type /Catalog /Pages 10 0 R >>";
    o[2] = textPage(QByteArray::number(10 + levels - 1), 3);
    o[3] = textContent("Page A");
    o[4] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    for (int level = 0; level < levels; ++level) {
        const QByteArray kid = level + 1 < levels ? QByteArray::number(11 + level) + " 0 R" : "2 0 R";
        const QByteArray attributes = level > 0 ? " /Parent " + QByteArray::number(9 + level) + " 0 R"
                                                : " /MediaBox [0 0 300 300] /Resources << /Font << /F1 4 0 R >> >>";
        o[10 + level] = "<< /Type /Pages" + attributes + " /Kids [" + kid + " " + kid + "] /Count "
                        + QByteArray::number(qint64(1) << (levels - level)) + " >>";
    }
    return assemble(o, "/Root 1 0 R");
}

QByteArray PdfFixtures::damagedObjectStream(const QByteArray &kind)
{
    QMap<int, QByteArray> o;
    o[1] = "<< /Type /Catalog /Pages 2 0 R >>";
    o[2] = "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 /MediaBox [0 0 300 300] >>";
    const QByteArray font = "/Font << /F1 9 0 R >>";
    QByteArray first = " /Resources << " + font + " >>";
    if (kind == "Font")
        first = " /Resources << /Font << /F1 30 0 R >> >>";
    else if (kind == "Resources")
        first = " /Resources 30 0 R";
    else if (kind == "XObject")
        first = " /Resources << " + font + " /XObject << /X1 30 0 R >> >>";
    o[3] = textPage("2", kind == "Contents" ? 30 : 5, first);
    o[4] = textPage("2", 6, " /Resources << " + font + " >>");
    o[5] = textContent("Page one");
    o[6] = textContent("Page two");
    o[9] = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    QRandomGenerator random(99);
    QByteArray noise;
    for (int i = 0; i < 200; ++i)
        noise += char(random.bounded(256));
    o[20] = stream("/Type /ObjStm /N 1 /First 5 /Filter /FlateDecode", noise);

    // Object 30 is listed as the first object in stream 20, which needs an xref stream.
    QByteArray out = "%PDF-1.6\n%\xe2\xe3\xcf\xd3\n";
    QMap<int, qint64> offsets;
    for (auto it = o.begin(); it != o.end(); ++it) {
        offsets[it.key()] = out.size();
        out += QByteArray::number(it.key()) + " 0 obj\n" + it.value() + "\nendobj\n";
    }
    const int xrefNum = 31;
    offsets[xrefNum] = out.size();
    QByteArray rows;
    auto row = [&rows](int type, qint64 field2, int field3) {
        rows += char(type);
        for (int shift = 24; shift >= 0; shift -= 8)
            rows += char((field2 >> shift) & 0xff);
        rows += char((field3 >> 8) & 0xff);
        rows += char(field3 & 0xff);
    };
    for (int num = 0; num <= xrefNum; ++num) {
        if (num == 30)
            row(2, 20, 0);
        else if (offsets.contains(num))
            row(1, offsets[num], 0);
        else
            row(0, 0, 0xffff);
    }
    out += QByteArray::number(xrefNum) + " 0 obj\n"
           + stream("/Type /XRef /Size " + QByteArray::number(xrefNum + 1) + " /W [1 4 2] /Root 1 0 R", rows)
           + "\nendobj\nstartxref\n" + QByteArray::number(offsets[xrefNum]) + "\n%%EOF\n";
    return out;
}

QByteArray PdfFixtures::garbage(bool withHeader)
{
    QByteArray data = withHeader ? "%PDF-1.7\n" : "";
    QRandomGenerator random(1234);
    for (int i = 0; i < 64 * 1024; ++i)
        data += char(random.bounded(256));
    if (!withHeader && data.contains("%PDF"))
        data.replace("%PDF", "%XXX");
    return data;
}

QByteArray PdfFixtures::unlistedUpTo(const QByteArray &file, int number)
{
    return file.left(file.lastIndexOf("\nxref\n") + 1) + QByteArray::number(number)
           + " 0 obj\n<< >>\nendobj\ntrailer\n<< /Root 1 0 R >>\n%%EOF\n";
}

QByteArray PdfFixtures::destinationInsideItself()
{
    QMap<int, QByteArray> o;
    o[1] = "<< /Type /Catalog /Pages 2 0 R /Names << /Dests << /Names [(loop) 5 0 R] >> >> >>";
    o[2] = "<< /Type /Pages /Kids [3 0 R] /Count 1 /MediaBox [0 0 200 200] >>";
    o[3] = "<< /Type /Page /Parent 2 0 R /Annots [4 0 R] >>";
    o[4] = "<< /Type /Annot /Subtype /Link /Rect [0 0 10 10] /Dest (loop) >>";
    o[5] = "[3 0 R /XYZ << /Dest (loop) >> 0 0]";
    return assemble(o, "/Root 1 0 R");
}

bool PdfFixtures::write(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}
