// File names that are bytes, not UTF-8: real entries named so in a temporary folder, beside the
// names that Qt's lossy decoding of them would reach, and the paths Qt makes of them.
#include "core/NativeFileName.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qw;

namespace {

// A temporary folder removed by its bytes: QTemporaryDir removes what it lists by their decoded
// names, which is just what cannot reach these entries.
class RawFolder {
public:
    RawFolder() : path_(QFile::encodeName(QDir::tempPath()) + "/tst_nativefilename-XXXXXX")
    {
        if (!::mkdtemp(path_.data()))
            path_.clear();
    }
    ~RawFolder()
    {
        if (!path_.isEmpty())
            ::nftw(
                path_.constData(), [](const char *path, const struct stat *, int, FTW *) { return ::remove(path); }, 16,
                FTW_DEPTH | FTW_PHYS);
    }
    Q_DISABLE_COPY(RawFolder)

    const QByteArray &path() const { return path_; }

    // Makes `entry` by its bytes, with the folders on the way: a folder when it ends in '/', a
    // symbolic link when it reads "name>target", else an empty file.
    bool create(const QByteArray &entry) const
    {
        if (const qsizetype arrow = entry.indexOf('>'); arrow > 0)
            return ::symlink(entry.mid(arrow + 1).constData(), (path_ + '/' + entry.left(arrow)).constData()) == 0;
        QByteArray at = path_;
        const QByteArrayList parts = entry.split('/');
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            at += '/' + parts.at(i);
            if (::mkdir(at.constData(), 0700) != 0 && errno != EEXIST)
                return false;
        }
        if (parts.last().isEmpty())
            return true;
        const int file = ::open((at + '/' + parts.last()).constData(), O_CREAT | O_EXCL | O_WRONLY, 0600);
        return file >= 0 && ::close(file) == 0;
    }

private:
    QByteArray path_;
};

} // namespace

class TestNativeFileName : public QObject {
    Q_OBJECT
private slots:
    void decodesOnlyWhatEncodesBack_data();
    void decodesOnlyWhatEncodesBack();
    void pathNamesTheEntryItCameFrom_data();
    void pathNamesTheEntryItCameFrom();
    void droppedUrlGivesItsOwnBytes_data();
    void droppedUrlGivesItsOwnBytes();
};

void TestNativeFileName::decodesOnlyWhatEncodesBack_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<bool>("decodes");
    QTest::addColumn<QString>("text");
    QTest::newRow("utf8") << QByteArray("Grüße 文書.pdf") << true << QStringLiteral("Grüße 文書.pdf");
    QTest::newRow("literalReplacementCharacter")
        << QByteArray("d\xEF\xBF\xBD.pdf") << true << QStringLiteral("d\uFFFD.pdf");
    // Qt's own decoding drops it, and "doc.pdf" is another file.
    QTest::newRow("leadingByteOrderMark")
        << QByteArray("\xEF\xBB\xBF") + "doc.pdf" << true << QStringLiteral("\uFEFFdoc.pdf");
    QTest::newRow("latin1Byte") << QByteArray("d\xE9.pdf") << false << QString();
    QTest::newRow("overlongSlash") << QByteArray("a\xC0\xAF") << false << QString();
}

void TestNativeFileName::decodesOnlyWhatEncodesBack()
{
    QFETCH(QByteArray, raw);
    QFETCH(bool, decodes);
    QFETCH(QString, text);
    const std::optional<QString> decoded = NativeFileName::Decode(raw);
    QCOMPARE(decoded.has_value(), decodes);
    if (decodes) {
        QCOMPARE(*decoded, text);
        QCOMPARE(QFile::encodeName(*decoded), raw);
    }
}

void TestNativeFileName::pathNamesTheEntryItCameFrom_data()
{
    QTest::addColumn<QByteArrayList>("entries"); // made in the folder before the check
    QTest::addColumn<QByteArray>("asked"); // the path's bytes, which Qt decodes as a whole
    QTest::addColumn<bool>("relative"); // taken from the folder as the current one, else below it
    QTest::addColumn<bool>("exact");

    const QByteArray nonUtf8 = "d\xE9.pdf";
    const QByteArray decoy = "d\xEF\xBF\xBD.pdf"; // the bytes the lossy text encodes to
    const QByteArray mark = "\xEF\xBB\xBF"; // a byte order mark
    const QByteArray markedDoc = mark + "doc.pdf";
    QTest::newRow("literalReplacementCharacter") << QByteArrayList{decoy} << decoy << false << true;
    QTest::newRow("nonUtf8File") << QByteArrayList{nonUtf8} << nonUtf8 << false << false;
    QTest::newRow("nonUtf8FileBesideDecoy") << QByteArrayList{nonUtf8, decoy} << nonUtf8 << false << false;
    QTest::newRow("nonUtf8Folder") << QByteArrayList{"f\xE9/doc.pdf"} << QByteArray("f\xE9/doc.pdf") << false << false;
    QTest::newRow("nonUtf8DeepBelowUtf8Folders")
        << QByteArrayList{"a/ü b/" + nonUtf8} << "a/ü b/" + nonUtf8 << false << false;
    QTest::newRow("nothingThereYet") << QByteArrayList{} << QByteArray("new\xEF\xBF\xBD.pdf") << false << true;
    QTest::newRow("folderThatCannotBeListed") << QByteArrayList{} << "gone/" + decoy << false << true;
    // The system resolves ".." from where the link leads, not by striking out "link/".
    QTest::newRow("dotDotAfterLink") << QByteArrayList{"real/sub/", "real/" + nonUtf8, "link>real/sub"}
                                     << "link/../" + nonUtf8 << false << false;
    QTest::newRow("relativeUtf8") << QByteArrayList{"Grüße.pdf"} << QByteArray("Grüße.pdf") << true << true;
    QTest::newRow("relativeNonUtf8AfterByteOrderMark")
        << QByteArrayList{mark + nonUtf8} << mark + nonUtf8 << true << false;
    QTest::newRow("relativeLostByteOrderMark") << QByteArrayList{markedDoc} << markedDoc << true << false;
    QTest::newRow("byteOrderMarkKeptInsidePath") << QByteArrayList{markedDoc} << markedDoc << false << true;
}

void TestNativeFileName::pathNamesTheEntryItCameFrom()
{
    QFETCH(QByteArrayList, entries);
    QFETCH(QByteArray, asked);
    QFETCH(bool, relative);
    QFETCH(bool, exact);

    const RawFolder folder;
    QVERIFY(!folder.path().isEmpty());
    for (const QByteArray &entry : entries)
        QVERIFY2(folder.create(entry), entry.constData());
    const QString before = QDir::currentPath();
    const auto restore = qScopeGuard([&before] { QDir::setCurrent(before); });
    if (relative)
        QVERIFY(QDir::setCurrent(QFile::decodeName(folder.path())));

    // As the command line, a list or a file dialog hands it over.
    const QString path = QFile::decodeName(relative ? asked : folder.path() + '/' + asked);
    QCOMPARE(NativeFileName::IsExact(path), exact);
}

void TestNativeFileName::droppedUrlGivesItsOwnBytes_data()
{
    QTest::addColumn<QByteArray>("url");
    QTest::addColumn<bool>("decodes");
    QTest::addColumn<QString>("path");
    QTest::newRow("utf8") << QByteArray("file:///tmp/Gr%C3%BC%C3%9Fe%20b.pdf") << true
                          << QStringLiteral("/tmp/Grüße b.pdf");
    QTest::newRow("nonUtf8") << QByteArray("file:///tmp/f%E9/doc.pdf") << false << QString();
    QTest::newRow("literalReplacementCharacter")
        << QByteArray("file:///tmp/d%EF%BF%BD.pdf") << true << QStringLiteral("/tmp/d\uFFFD.pdf");
    QTest::newRow("percentDecodedOnce") << QByteArray("file:///tmp/a%2541.pdf") << true
                                        << QStringLiteral("/tmp/a%41.pdf");
    QTest::newRow("host") << QByteArray("file://server/share/x.pdf") << true << QStringLiteral("//server/share/x.pdf");
    QTest::newRow("notALocalFile") << QByteArray("https://example.org/x.pdf") << true << QString();
}

void TestNativeFileName::droppedUrlGivesItsOwnBytes()
{
    QFETCH(QByteArray, url);
    QFETCH(bool, decodes);
    QFETCH(QString, path);
    const std::optional<QString> local = NativeFileName::FromUrl(QUrl::fromEncoded(url));
    QCOMPARE(local.has_value(), decodes);
    if (decodes)
        QCOMPARE(*local, path);
}

QTEST_GUILESS_MAIN(TestNativeFileName)
#include "tst_nativefilename.moc"
