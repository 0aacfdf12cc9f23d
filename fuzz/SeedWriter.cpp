// Writes the fuzz targets' seed corpora: the test suite's documents (sound, damaged, protected,
// and as the engine writes them) and small hand-picked texts. Run by the fuzz_seeds target;
// the corpora it writes are kept in the sources.
#include "PartWriter.h"
#include "PdfDocument.h"
#include "PdfFixtures.h"
#include "PdfProbe.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {

using Seeds = QList<std::pair<QString, QByteArray>>;

// Documents written by MuPDF rather than by hand: encrypted ones, and a part as the engine writes it.
QByteArray throughFile(const QString &name, const std::function<bool(const QString &, const QString &)> &make)
{
    QTemporaryDir folder;
    const QString source = folder.filePath("source.pdf");
    const QString target = folder.filePath(name);
    QFile out(target);
    if (!PdfFixtures::write(source, PdfFixtures::manual()) || !make(source, target) || !out.open(QIODevice::ReadOnly))
        return {};
    return out.readAll();
}

bool writePart(const QString &source, const QString &target)
{
    quirekit::PdfDocument document;
    if (!document.open(source.toStdString()).ok)
        return false;
    const int fd = ::open(target.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    quirekit::PartWriter writer(document);
    const bool ok = fd >= 0 && writer.write({quirekit::PageRange{3, 8}}, fd).ok;
    ::close(fd);
    return ok;
}

Seeds documents()
{
    const QByteArray ten = PdfFixtures::tenPages();
    QByteArray noXref = ten.left(ten.indexOf("xref"));
    QByteArray wrongStartxref = ten;
    wrongStartxref.replace("startxref\n", "startxref\n9");
    QByteArray headerLate = QByteArray(600, ' ') + ten;
    Seeds seeds{
        {"ten-pages.pdf", ten},
        {"manual.pdf", PdfFixtures::manual()},
        {"manual-outline-loop.pdf", PdfFixtures::manual(true)},
        {"named-outline.pdf", PdfFixtures::namedOutline(40)},
        {"cyclic-tree.pdf", PdfFixtures::cyclicTree()},
        {"lying-counts.pdf", PdfFixtures::lyingCounts()},
        {"dangling-page.pdf", PdfFixtures::danglingPage()},
        {"page-twice.pdf", PdfFixtures::pageTwiceInOneKids()},
        {"page-two-parents.pdf", PdfFixtures::pageUnderTwoParents()},
        {"shared-branch.pdf", PdfFixtures::sharedBranch()},
        {"doubling-branches.pdf", PdfFixtures::doublingBranches(6)},
        {"garbage-with-header.pdf", PdfFixtures::garbage(true).left(2048)},
        {"truncated.pdf", ten.left(ten.size() / 2)},
        {"no-xref.pdf", noXref},
        {"wrong-startxref.pdf", wrongStartxref},
        {"header-late.pdf", headerLate},
        {"engine-part.pdf", throughFile("part.pdf", writePart)},
        {"encrypted-open.pdf", throughFile("open.pdf", [](const QString &s, const QString &t) {
             return PdfProbe::encrypt(s, t, QString());
         })},
        {"encrypted-locked.pdf", throughFile("locked.pdf", [](const QString &s, const QString &t) {
             return PdfProbe::encrypt(s, t, "secret");
         })},
    };
    for (const char *kind : {"Font", "Resources", "XObject", "Contents"})
        seeds.append({QString("damaged-objstm-%1.pdf").arg(kind).toLower(), PdfFixtures::damagedObjectStream(kind)});
    return seeds;
}

Seeds ranges(const Seeds &documents)
{
    // Two bytes choose the first and last page (each modulo the page count, plus one).
    Seeds seeds;
    const QList<QByteArray> choices{QByteArray("\x00\x00", 2), "\x02\x05", "\x07\x01", QByteArray("\x00\x09", 2),
                                    "\x04\x04"};
    for (qsizetype i = 0; i < documents.size(); ++i)
        seeds.append({documents[i].first, choices[i % choices.size()] + documents[i].second});
    return seeds;
}

QByteArray fields(std::initializer_list<QByteArray> texts, const QByteArray &rest)
{
    QByteArray bytes;
    for (const QByteArray &text : texts)
        bytes += text + '\0';
    return bytes + rest;
}

Seeds options()
{
    const QByteArray usual = "[Setting]\r\nSaveFileType=2\r\nArchiveButtonState=1\r\nOutFolderName=C:\\out\r\n"
                             "ArchiveFolderName=C:\\archive\r\nFileNamePattern={basename} {part}\r\n";
    const QByteArray utf16 = QByteArray("\xff\xfe", 2)
                           + QByteArray(reinterpret_cast<const char *>(u"[Setting]\r\nSaveFileType=1\r\n"), 54);
    return {
        {"empty-file.ini", fields({"Setting", "SaveFileType", "2"}, "")},
        {"usual.ini", fields({"Setting", "FileNamePattern", "{basename} {part:0000}"}, usual)},
        {"usual-new-key.ini", fields({"Setting", "Extra", "1"}, usual)},
        {"new-section.ini", fields({"Other", "Key", "Value"}, usual)},
        {"lf-endings.ini", fields({"Setting", "OutFolderName", "/home/ann/out"}, "[Setting]\nOutFolderName=/tmp\n")},
        {"utf8-bom.ini", fields({"setting", "outfoldername", "Ablage/Übersicht"},
                                "\xef\xbb\xbf[Setting]\r\nOutFolderName=Ä\r\n")},
        {"utf16le-bom.ini", fields({"Setting", "SaveFileType", "3"}, utf16)},
        {"case-and-blanks.ini", fields({"SETTING", "savefiletype", "1"}, "  [ Setting ]  \r\n  SaveFileType  =  2 \r\n")},
        {"duplicates.ini", fields({"Setting", "SaveFileType", "2"},
                                  "[Setting]\nSaveFileType=1\nSaveFileType=3\n[Setting]\nSaveFileType=4\n")},
        {"comments-junk.ini", fields({"Setting", "Key", "v"},
                                     ";[Setting]\nno equals here\n=value without key\n[Setting\nKey=old\n")},
        {"before-any-section.ini", fields({"Setting", "Key", "v"}, "Key=loose\n[Setting]\n")},
        {"nul-byte.ini", fields({"Setting", "Key", "v"}, QByteArray("[Setting]\nKe\0y=1\nKey=2\n", 23))},
        {"junk-values.ini", fields({"Setting", "SaveFileType", "-2147483649"},
                                   "[Setting]\nSaveFileType=0x1F\nArchiveButtonState=99999999999\n")},
        {"invalid-utf8.ini", fields({"Setting", "Key", "v"}, "[Setting]\nKey=\xff\xfe\xc3\n\xc0\xaf=x\n")},
        {"no-final-newline.ini", fields({"Setting", "Key", "new"}, "[Setting]\r\nKey=old")},
        {"refused-equals-key.ini", fields({"Setting", "a=b", "v"}, usual)},
        {"refused-bracket-section.ini", fields({"Set]ting", "Key", "v"}, usual)},
        {"refused-newline-value.ini", fields({"Setting", "Key", "one\r\ntwo=2"}, usual)},
        {"refused-outer-blank.ini", fields({"Setting", "Key", " v"}, usual)},
        {"refused-empty-key.ini", fields({"Setting", "", "v"}, usual)},
        {"same-value.ini", fields({"Setting", "SaveFileType", "2"}, usual)},
        {"empty-value.ini", fields({"Setting", "OutFolderName", ""}, usual)},
    };
}

Seeds names()
{
    const QByteArray report = "NumberOfPages: 12\nBookmarkBegin\nBookmarkTitle: Chapter 1/Intro\nBookmarkLevel: 1\n"
                              "BookmarkPageNumber: 1\nBookmarkBegin\nBookmarkTitle: Tab&#9;and &#38;#1\n"
                              "BookmarkLevel: 2\nBookmarkPageNumber: 4\nBookmarkBegin\nBookmarkTitle:   \n"
                              "BookmarkLevel: 1\nBookmarkPageNumber: 7\n";
    const QByteArray longTitle = "BookmarkBegin\nBookmarkTitle: " + QByteArray(79, 'x') + "\xf0\x9f\x93\x96"
                               + "\nBookmarkLevel: 1\nBookmarkPageNumber: 1\n";
    const auto bytes = [](std::initializer_list<int> values) {
        QByteArray b;
        for (int v : values)
            b += char(v);
        return b;
    };
    return {
        {"same-folder.txt", bytes({3, 4, 4, 2, 1, 0}) + fields({"{basename} {part}", "/docs/manual.pdf", "", ""}, "")},
        {"asked-folder.txt", bytes({1, 0, 9, 9, 3, 0})
                                 + fields({"{basename} {part} of {filecount}", "/docs/scan.final.pdf", "/asked", ""}, "")},
        {"output-folder.txt",
         bytes({2, 0, 0, 0, 0, 0}) + fields({"{basename} {part:0000}", "/docs/a.pdf", "", "/out/"}, "")},
        {"unknown-type.txt", bytes({0, 1, 1, 1, 1, 1}) + fields({"", "relative/name", "", ""}, "")},
        {"pages.txt", bytes({4, 8, 3, 5, 2, 0})
                          + fields({"{basename} from page {pagebegin} to {pageend}", "/d/x.PDF", "", ""}, "")},
        {"bookmark.txt", bytes({3, 6, 2, 3, 1, 2}) + fields({"{part:0000} {bookmark}", "/docs/book.pdf", "", ""}, report)},
        {"bookmark-any-level.txt",
         bytes({3, 3, 0, 3, 2, 0}) + fields({"{bookmark}", "/docs/book.pdf", "", ""}, report)},
        {"long-title.txt", bytes({3, 0, 0, 0, 0, 0}) + fields({"{bookmark}", "/docs/b.pdf", "", ""}, longTitle)},
        {"token-in-name.txt", bytes({3, 0, 0, 6, 6, 0}) + fields({"{basename} {part}", "/docs/{part} notes.pdf", "", ""}, "")},
        {"no-tokens.txt", bytes({3, 0, 0, 0, 0, 0}) + fields({"plain name", "/docs/a.pdf", "", ""}, "")},
        {"no-folder.txt", bytes({3, 0, 0, 0, 0, 0}) + fields({"{basename}-{part}-{part}", "scan.pdf", "", ""}, "")},
        {"quotes-spaces.txt", bytes({2, 0, 0, 0, 0, 0})
                                  + fields({"\"{basename}\" {Part}", "/my docs/it's \"q\".pdf", "", "/out dir"}, "")},
        {"non-ascii.txt", bytes({1, 0, 0, 0, 0, 0})
                              + fields({"{basename} – Teil {part}", "/Dokumente/Übersicht.pdf", "/Ablage/Ä", ""}, "")},
        {"dots.txt", bytes({3, 0, 0, 0, 0, 0}) + fields({"{basename}", "/a.b/.hidden", "", ""}, "")},
        {"parent-folders.txt", bytes({2, 0, 0, 0, 0, 0}) + fields({"../{basename}", "/docs/a.pdf", "", "out/../x"}, "")},
    };
}

Seeds commandLines()
{
    // The first byte: even reads the rest as UTF-8, odd as UTF-16.
    const QList<QByteArray> texts{
        "",
        "   \t ",
        "quirekit.dll A=\"C:\\docs\\manual.pdf\" cat A1-3 output \"C:\\docs\\manual 1.pdf\"",
        "a b\tc",
        "\"quoted with spaces\" plain",
        "\"\"",
        "\"a\"\"b\" \"\"\"\"",
        "back\\slash \\\\\"quoted\\\\\" \\\"x",
        "trailing\\\\",
        "\"unclosed quote and \\",
        "mid\"dle quo\"te",
        "Ünïcödé \"日本語 テキスト\" 😀",
        "a\\\\\\\"b c\\\\\\\\\"d e\"",
        "\"\\\\\" \"\\\\\\\" \\\"",
        "\xff\xfe invalid \xc3",
        // A document and a part name, for the engine's reading of a split's command.
        "/home/ann/My \"Docs\"/scan\\.pdf\nscan 1 of 3",
        "C:\\docs\\manual.pdf\n-A=1 output cat",
    };
    Seeds seeds;
    int i = 0;
    for (const QByteArray &text : texts)
        seeds.append({QString("utf8-%1.txt").arg(++i, 2, 10, QChar('0')), '\0' + text});
    const QList<QString> wide{"C:\\Program Files\\x \"y\"", QString(QChar(0xd800)) + " lone \\\"", "\t\"\"\t"};
    for (const QString &text : wide) {
        QByteArray bytes(1, '\x01');
        bytes += QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        seeds.append({QString("utf16-%1.txt").arg(++i, 2, 10, QChar('0')), bytes});
    }
    return seeds;
}

bool writeAll(const QString &folder, const Seeds &seeds)
{
    QDir().mkpath(folder);
    for (const auto &[name, bytes] : seeds) {
        QFile file(QDir(folder).filePath(name));
        if (bytes.isEmpty()) {
            std::fprintf(stderr, "could not make %s\n", qPrintable(name));
            return false;
        }
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const Seeds pdfs = documents();
    const bool ok = writeAll(root + "/engine_open", pdfs) && writeAll(root + "/engine_write", ranges(pdfs))
                 && writeAll(root + "/options_ini", options()) && writeAll(root + "/output_naming", names())
                 && writeAll(root + "/command_line", commandLines());
    return ok ? 0 : 1;
}
