// How the engine treats files: refusals that write nothing, never overwriting its input,
// replacing outputs only with complete files, unusual path names, and damaged documents.
#include "EngineProcess.h"
#include "FileKinds.h"
#include "PdfFixtures.h"
#include "PdfProbe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cctype>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kOther = 1; // the engine's code for a failure of no kind of its own
constexpr int kDamaged = 9; // the document cannot be read, even repaired

} // namespace

class TestEngineFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void refusesRangesOutsideTheDocument_data();
    void refusesRangesOutsideTheDocument();
    void neverOverwritesItsInput_data();
    void neverOverwritesItsInput();
    void failedRunKeepsExistingOutput_data();
    void failedRunKeepsExistingOutput();
    void replacesExistingOutputWithCompletePart();
    void handlesUnusualPaths_data();
    void handlesUnusualPaths();
    void damagedDocumentsEndCleanly_data();
    void damagedDocumentsEndCleanly();
    void refusesOutputsItMustNotReplace_data();
    void refusesOutputsItMustNotReplace();
    void writesThroughLinkToFile();
    void replacingKeepsModeAndOwner();
    void unreadableObjectsAreLeftOut_data();
    void unreadableObjectsAreLeftOut();
    void damagedStreamLengthsAreCopied_data();
    void damagedStreamLengthsAreCopied();
    void endlesslyRepeatedBranchesAreRefused();
    void removesTemporaryFilesOfKilledRuns();

private:
    static QStringList folderEntries(const QString &path);
    static QString fileState(const QString &path);
    QList<QStringList> writingCommands(const QString &output) const;

    QTemporaryDir m_dir;
    QString m_source;
    QByteArray m_sourceBytes;
};

void TestEngineFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_sourceBytes = PdfFixtures::tenPages();
    m_source = m_dir.filePath("source.pdf");
    QVERIFY(PdfFixtures::write(m_source, m_sourceBytes));
}

QStringList TestEngineFiles::folderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// What an entry is, as a string to compare before and after a run: type, mode, inode, and
// the content of a regular file.
QString TestEngineFiles::fileState(const QString &path)
{
    struct stat status { };
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return "missing";
    QString state = QString("%1 %2").arg(status.st_mode, 0, 8).arg(status.st_ino);
    QFile file(path);
    if (S_ISREG(status.st_mode) && file.open(QIODevice::ReadOnly))
        state += " " + QString::fromLatin1(file.readAll().toHex());
    return state;
}

QList<QStringList> TestEngineFiles::writingCommands(const QString &output) const
{
    return {{"A=" + m_source, "cat", "A2-3", "output", output}, {m_source, "dump_data", "output", output}};
}

void TestEngineFiles::refusesRangesOutsideTheDocument_data()
{
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("message");
    QTest::newRow("pageZero") << "A0-2"
                              << "page range 0-2 is outside the document (10 pages)";
    QTest::newRow("beyondEnd") << "A3-11"
                               << "page range 3-11 is outside the document (10 pages)";
    QTest::newRow("singleBeyondEnd") << "A11"
                                     << "page 11 is outside the document (10 pages)";
    QTest::newRow("reversedBeyondEnd") << "A12-1"
                                       << "page range 12-1 is outside the document (10 pages)";
    QTest::newRow("hugeNumber") << "A1-99999999999"
                                << "is outside the document (10 pages)";
    // The part's first and last pages are in the document; the range between them is not.
    QTest::newRow("middleRangeBeyondEnd") << "A2 A11-3 A1"
                                          << "page range 11-3 is outside the document (10 pages)";
}

void TestEngineFiles::refusesRangesOutsideTheDocument()
{
    QFETCH(QString, range);
    QFETCH(QString, message);
    QTemporaryDir out;
    const EngineProcess::Result result = EngineProcess::run(QStringList{"A=" + m_source, "cat"} + range.split(' ')
                                                            + QStringList{"output", out.filePath("part.pdf")});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains(message.toUtf8()), result.err.constData());
    QVERIFY(result.err.startsWith("quirekit: "));
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY(folderEntries(out.path()).isEmpty());
}

void TestEngineFiles::neverOverwritesItsInput_data()
{
    QTest::addColumn<QString>("spelling");
    QTest::newRow("samePath") << "DIR/in.pdf";
    QTest::newRow("dotSlashSpelling") << "DIR/./in.pdf";
    QTest::newRow("dotDotSpelling") << "DIR/sub/../in.pdf";
    QTest::newRow("symlink") << "DIR/link.pdf";
    QTest::newRow("hardLink") << "DIR/hard.pdf";
    QTest::newRow("relativePath") << "in.pdf";
}

void TestEngineFiles::neverOverwritesItsInput()
{
    QFETCH(QString, spelling);
    QTemporaryDir dir;
    const QString input = dir.filePath("in.pdf");
    QVERIFY(PdfFixtures::write(input, m_sourceBytes));
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(QFile::link(input, dir.filePath("link.pdf")));
    QCOMPARE(::link(QFile::encodeName(input).constData(), QFile::encodeName(dir.filePath("hard.pdf")).constData()), 0);
    const QString target = spelling.replace("DIR", dir.path());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));

    const QList<QStringList> commands = {{"A=" + input, "cat", "A1-2", "output", target},
                                         {"A=in.pdf", "cat", "A2", "output", target},
                                         {input, "dump_data", "output", target}};
    for (const QStringList &command : commands) {
        const EngineProcess::Result result = EngineProcess::run(command);
        QCOMPARE(result.exitCode, 5); // refused as an output
        QVERIFY2(result.err.contains("is the document itself"), result.err.constData());
        QFile file(input);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), m_sourceBytes);
    }
    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(folderEntries(dir.path()), QStringList({"hard.pdf", "in.pdf", "link.pdf", "sub"}));
}

void TestEngineFiles::failedRunKeepsExistingOutput_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("outOfRange") << QStringList{"A=SOURCE", "cat", "A9-12", "output", "TARGET"} << 1;
    QTest::newRow("damagedInput") << QStringList{"A=NOISE", "cat", "A1", "output", "TARGET"} << 9;
    QTest::newRow("reportOfDamagedInput") << QStringList{"NOISE", "dump_data", "output", "TARGET"} << 9;
}

void TestEngineFiles::failedRunKeepsExistingOutput()
{
    QFETCH(QStringList, command);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    const QString target = dir.filePath("existing.pdf");
    const QString noise = dir.filePath("noise.pdf");
    QVERIFY(PdfFixtures::write(target, "previous content"));
    QVERIFY(PdfFixtures::write(noise, PdfFixtures::garbage(true)));
    for (QString &arg : command)
        arg.replace("SOURCE", m_source).replace("NOISE", noise).replace("TARGET", target);
    const EngineProcess::Result result = EngineProcess::run(command);
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, exitCode);
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("previous content"));
    QCOMPARE(folderEntries(dir.path()), QStringList({"existing.pdf", "noise.pdf"}));

    // A folder that does not exist cannot take the output: that fails as an output that
    // cannot be written.
    const EngineProcess::Result missing
        = EngineProcess::run({"A=" + m_source, "cat", "A1", "output", dir.filePath("no/such/part.pdf")});
    QCOMPARE(missing.exitCode, 5);
    QVERIFY(missing.err.contains("No such file or directory"));
}

void TestEngineFiles::replacesExistingOutputWithCompletePart()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("part.pdf");
    QVERIFY(PdfFixtures::write(target, QByteArray(300000, 'x')));
    const EngineProcess::Result result = EngineProcess::run({"A=" + m_source, "cat", "A2-3", "output", target});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(QFileInfo(target).size() < 300000);
    PdfProbe part(target);
    QVERIFY2(part.isOpen(), qPrintable(part.error()));
    QCOMPARE(part.pageCount(), 2);
    QCOMPARE(folderEntries(dir.path()), QStringList({"part.pdf"}));
    // Written like any new file, not with the private mode of a temporary one.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat status { };
    QCOMPARE(::stat(QFile::encodeName(target).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, 0666 & ~mask);
}

void TestEngineFiles::handlesUnusualPaths_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("spaceInPath") << "My Documents"
                                 << "in put 1.pdf";
    QTest::newRow("quoteInPath") << "say \"hi\""
                                 << "a \"quoted\" name.pdf";
    QTest::newRow("backslashInPath") << "back\\slash"
                                     << "a\\b\\.pdf";
    QTest::newRow("nonAsciiPath") << QString::fromUtf8("Ünïcødé €") << QString::fromUtf8("Łódź 日本.pdf");
    QTest::newRow("longPath") << QString(QString(60, 'd') + "/").repeated(6) << QString(100, 'n') + ".pdf";
}

void TestEngineFiles::handlesUnusualPaths()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(folder));
    const QString input = dir.filePath(folder + "/" + name);
    QVERIFY(input.size() > 40);
    QVERIFY(PdfFixtures::write(input, m_sourceBytes));
    const QString output = dir.filePath(folder + "/out " + name);
    const QString report = dir.filePath(folder + "/report " + name + ".txt");

    const EngineProcess::Result part = EngineProcess::run({"A=" + input, "cat", "A2-3", "output", output});
    QVERIFY2(part.exitCode == 0, part.err.constData());
    PdfProbe probe(output);
    QVERIFY2(probe.isOpen(), qPrintable(probe.error()));
    QCOMPARE(probe.pageCount(), 2);

    const EngineProcess::Result dump = EngineProcess::run({input, "dump_data", "output", report});
    QVERIFY2(dump.exitCode == 0, dump.err.constData());
    QFile file(report);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("NumberOfPages: 10\n"));
}

void TestEngineFiles::damagedDocumentsEndCleanly_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("pages"); // expected count when the engine can read it, -1 if unknown
    const QByteArray good = PdfFixtures::tenPages();
    QTest::newRow("truncatedHalf") << good.left(good.size() / 2) << -1;
    QTest::newRow("truncatedXref") << good.left(good.size() - 120) << 10;
    QTest::newRow("garbageWithHeader") << PdfFixtures::garbage(true) << -1;
    QTest::newRow("pageTreeCycle") << PdfFixtures::cyclicTree() << 2;
    QTest::newRow("wrongPageCounts") << PdfFixtures::lyingCounts() << -1;
    QTest::newRow("danglingPageReference") << PdfFixtures::danglingPage() << 2;
    QByteArray brokenOffsets = good;
    brokenOffsets.replace("xref\n0 ", "xref\n3 ");
    QTest::newRow("brokenXrefTable") << brokenOffsets << 10;
    QTest::newRow("destinationInsideItself") << PdfFixtures::destinationInsideItself() << 1;
}

void TestEngineFiles::damagedDocumentsEndCleanly()
{
    QFETCH(QByteArray, content);
    QFETCH(int, pages);
    QTemporaryDir dir;
    const QString input = dir.filePath("damaged.pdf");
    QVERIFY(PdfFixtures::write(input, content));

    const QString report = dir.filePath("report.txt");
    const EngineProcess::Result dump = EngineProcess::run({input, "dump_data", "output", report}, 10000);
    QVERIFY(!dump.timedOut);
    QVERIFY(!dump.crashed);
    QVERIFY2(dump.exitCode == 0 || dump.exitCode == kDamaged, dump.err.constData());
    int count = -1;
    if (dump.exitCode == 0) {
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.startsWith("NumberOfPages: "));
        count = text.mid(15, text.indexOf('\n') - 15).toInt();
        if (pages >= 0)
            QCOMPARE(count, pages);
    }
    for (const QString &range : {QString("A1"), QString("A1-2"), QString("A2-1")}) {
        const QString output = dir.filePath("part.pdf");
        QFile::remove(output);
        const EngineProcess::Result part = EngineProcess::run({"A=" + input, "cat", range, "output", output}, 10000);
        QVERIFY(!part.timedOut);
        QVERIFY(!part.crashed);
        QVERIFY2(part.exitCode == 0 || part.exitCode == kDamaged || part.exitCode == kOther, part.err.constData());
        if (part.exitCode == 0) {
            PdfProbe probe(output);
            QVERIFY2(probe.isOpen(), qPrintable(probe.error()));
            QCOMPARE(probe.pageCount(), range == "A1" ? 1 : 2);
        } else {
            QVERIFY(!QFile::exists(output));
            // Pages the document does not have are refused as such, and a damaged document is not.
            QCOMPARE(part.exitCode == kOther,
                     part.err.contains("outside the document") || part.err.contains("the document has only"));
            QVERIFY(count < 2 || range == "A1" || !part.err.contains("outside"));
        }
        for (const QString &entry : folderEntries(dir.path()))
            QVERIFY2(!entry.startsWith(".quirekit"), qPrintable(entry));
    }
}

void TestEngineFiles::refusesOutputsItMustNotReplace_data()
{
    // What the output is; "link:<kind>" is a symbolic link to a file of that kind.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("device") << "device"
                            << "is a device, not a file; choose a file to write to";
    QTest::newRow("namedPipe") << "fifo"
                               << "is a named pipe, not a file; choose a file to write to";
    QTest::newRow("socket") << "socket"
                            << "is a socket, not a file; choose a file to write to";
    QTest::newRow("folder") << "folder"
                            << "is a folder";
    QTest::newRow("readOnlyFile") << "readOnly"
                                  << "is read-only; it was left unchanged";
    QTest::newRow("danglingLink") << "link:missing"
                                  << "is a symbolic link to 'target', which does not exist";
    QTest::newRow("linkToNamedPipe") << "link:fifo"
                                     << "leads to a named pipe, not to a file";
    QTest::newRow("linkToDevice") << "link:device"
                                  << "leads to a device, not to a file";
    QTest::newRow("linkToFolder") << "link:folder"
                                  << "is a folder";
    QTest::newRow("linkToReadOnlyFile") << "link:readOnly"
                                        << "is read-only; it was left unchanged";
}

void TestEngineFiles::refusesOutputsItMustNotReplace()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString output = dir.filePath("out.pdf");
    const QString target = dir.filePath("target");
    const bool link = kind.startsWith("link:");
    if (link) {
        QVERIFY(QFile::link("target", output));
        kind = kind.mid(5);
    }
    if (kind != "missing" && !FileKinds::make(kind, link ? target : output)) {
        QCOMPARE(kind, QString("device"));
        QSKIP("making a device needs root");
    }
    const QStringList entries = folderEntries(dir.path());
    const QString outputBefore = fileState(output);
    const QString targetBefore = fileState(target);

    for (const QStringList &command : writingCommands(output)) {
        const EngineProcess::Result result = EngineProcess::run(command, 5000);
        QVERIFY(!result.timedOut);
        QCOMPARE(result.exitCode, 5);
        QVERIFY2(result.err.startsWith("quirekit: the "), result.err.constData());
        QVERIFY2(result.err.contains("'" + QFile::encodeName(output) + "' " + message.toUtf8()),
                 result.err.constData());
        QCOMPARE(result.err.count('\n'), 1);
        QCOMPARE(fileState(output), outputBefore);
        QCOMPARE(fileState(target), targetBefore);
        QCOMPARE(folderEntries(dir.path()), entries);
    }
}

void TestEngineFiles::writesThroughLinkToFile()
{
    // The link is in one folder, its file in another: the file is replaced where it is.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("links"));
    QVERIFY(QDir(dir.path()).mkdir("files"));
    const QString link = dir.filePath("links/out.pdf");
    const QString target = dir.filePath("files/out.pdf");
    QVERIFY(FileKinds::make("file", target));
    QVERIFY(QFile::link("../files/out.pdf", link));

    for (const QStringList &command : writingCommands(link)) {
        const EngineProcess::Result result = EngineProcess::run(command);
        QVERIFY2(result.exitCode == 0, result.err.constData());
        QCOMPARE(QFile::symLinkTarget(link), target);
        QCOMPARE(folderEntries(dir.filePath("links")), QStringList({"out.pdf"}));
        QCOMPARE(folderEntries(dir.filePath("files")), QStringList({"out.pdf"}));
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QVERIFY(written.startsWith(command[1] == "cat" ? "%PDF" : "NumberOfPages: 10\n"));
    }
}

void TestEngineFiles::replacingKeepsModeAndOwner()
{
    // Root can give the file to someone else, and must then keep it theirs.
    const bool root = ::geteuid() == 0;
    QTemporaryDir dir;
    const QString output = dir.filePath("kept.pdf");
    const QByteArray name = QFile::encodeName(output);
    for (const QStringList &command : writingCommands(output)) {
        QVERIFY(FileKinds::make("file", output));
        QCOMPARE(::chmod(name.constData(), 0604), 0);
        if (root)
            QCOMPARE(::chown(name.constData(), 4321, 4322), 0);
        const EngineProcess::Result result = EngineProcess::run(command);
        QVERIFY2(result.exitCode == 0, result.err.constData());
        struct stat status { };
        QCOMPARE(::stat(name.constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0604));
        if (root) {
            QCOMPARE(status.st_uid, uid_t(4321));
            QCOMPARE(status.st_gid, gid_t(4322));
        }
        QVERIFY(QFileInfo(output).size() != qint64(strlen("previous content")));
        QFile::remove(output);
    }
}

void TestEngineFiles::unreadableObjectsAreLeftOut_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::newRow("unreadableFont") << QByteArray("Font");
    QTest::newRow("unreadableResources") << QByteArray("Resources");
    QTest::newRow("unreadableXObject") << QByteArray("XObject");
    QTest::newRow("unreadableContents") << QByteArray("Contents");
}

void TestEngineFiles::unreadableObjectsAreLeftOut()
{
    QFETCH(QByteArray, kind);
    QTemporaryDir dir;
    const QString input = dir.filePath("damaged.pdf");
    QVERIFY(PdfFixtures::write(input, PdfFixtures::damagedObjectStream(kind)));
    const QString output = dir.filePath("part.pdf");
    const EngineProcess::Result result = EngineProcess::run({"A=" + input, "cat", "A1-2", "output", output});
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QVERIFY2(result.err.contains("page 1: object 30 cannot be read"), result.err.constData());
    PdfProbe part(output);
    QVERIFY2(part.isOpen(), qPrintable(part.error()));
    QCOMPARE(part.pageCount(), 2);
    QCOMPARE(part.page(1).text, QString("Page two"));
}

void TestEngineFiles::damagedStreamLengthsAreCopied_data()
{
    QTest::addColumn<QByteArray>("length");
    QTest::newRow("negative") << QByteArray("-6");
    QTest::newRow("pastTheEndOfTheFile") << QByteArray("2147483647");
}

void TestEngineFiles::damagedStreamLengthsAreCopied()
{
    // Page 1's content stream claims a Length that cannot be: the part is still written whole.
    QFETCH(QByteArray, length);
    QByteArray content = PdfFixtures::tenPages();
    const qsizetype lengthAt = content.lastIndexOf("/Length ", content.indexOf("(Page 1)")) + 8;
    content.replace(lengthAt, content.indexOf(' ', lengthAt) - lengthAt, length);
    QTemporaryDir dir;
    const QString input = dir.filePath("lengths.pdf");
    QVERIFY(PdfFixtures::write(input, content));
    const QString output = dir.filePath("part.pdf");
    const EngineProcess::Result result = EngineProcess::run({"A=" + input, "cat", "A1-2", "output", output});
    QVERIFY2(result.exitCode == 0, result.err.constData());
    PdfProbe part(output);
    QVERIFY2(part.isOpen(), qPrintable(part.error()));
    QCOMPARE(part.pageCount(), 2);
    QCOMPARE(part.page(1).text, QString("Page 2"));
}

void TestEngineFiles::endlesslyRepeatedBranchesAreRefused()
{
    // 2^40 listings of one page from a few objects: the walk must stop, not run out of memory.
    QTemporaryDir dir;
    const QString input = dir.filePath("doubling.pdf");
    QVERIFY(PdfFixtures::write(input, PdfFixtures::doublingBranches(40)));
    const QList<QStringList> commands = {{input, "dump_data", "output", dir.filePath("report.txt")},
                                         {"A=" + input, "cat", "A1", "output", dir.filePath("part.pdf")}};
    for (const QStringList &command : commands) {
        const EngineProcess::Result result = EngineProcess::run(command, 10000);
        QVERIFY(!result.timedOut);
        QCOMPARE(result.exitCode, 9);
        QVERIFY2(result.err.contains("its page tree repeats its branches beyond"), result.err.constData());
    }
    QCOMPARE(folderEntries(dir.path()), QStringList({"doubling.pdf"}));
}

namespace {

// This machine as the engine names it in its temporary files.
QString machineToken()
{
    QFile id("/etc/machine-id");
    QByteArray text = id.open(QIODevice::ReadOnly) ? id.readLine() : QByteArray();
    QString token;
    for (char c : text)
        if (std::isalnum(static_cast<unsigned char>(c)) && token.size() < 32)
            token += QLatin1Char(c);
    if (!token.isEmpty())
        return token;
    char host[256] = "";
    ::gethostname(host, sizeof host - 1);
    for (const char *c = host; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)) && token.size() < 32)
            token += QLatin1Char(*c);
    return token;
}

} // namespace

void TestEngineFiles::removesTemporaryFilesOfKilledRuns()
{
    // A process that has certainly ended: its pid is not in use until the system wraps round.
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    QVERIFY(child > 0);
    QCOMPARE(::waitpid(child, nullptr, 0), child);
    const QString dead = QString::number(child);
    const QString alive = QString::number(::getpid());
    const QString here = "-" + machineToken() + "-";
    QVERIFY(here.size() > 2);
    const QString elsewhere = "-0ther1machine-"; // a machine writing into a folder shared with it

    QTemporaryDir dir;
    struct Leftover {
        QString name;
        bool old; // last written two days ago
        bool removed;
    };
    const QString prefix = ".quirekit-";
    const QList<Leftover> leftovers = {
        {prefix + dead + here + "a1B2c3", false, true}, // killed on this machine
        {prefix + alive + here + "a1B2c3", false, false}, // a run still writing
        {prefix + alive + here + "a1B2c4", true, true}, // that number is another process's by now
        {prefix + dead + elsewhere + "a1B2c3", false, false}, // its number means nothing here
        {prefix + alive + elsewhere + "a1B2c3", false, false},
        {prefix + dead + elsewhere + "a1B2c4", true, true},
        // Left by an earlier version, whose names tell no machine.
        {prefix + dead + "-a1B2c3", false, false},
        {prefix + dead + "-a1B2c4", true, true},
        // Not names the engine makes.
        {prefix + dead + here + "a1B2c", true, false},
        {prefix + dead + here + "a1B2c3.pdf", true, false},
        {prefix + "0" + dead + here + "a1B2c3", true, false},
        {prefix + "a1B2c3", true, false},
        {prefix + dead + "-my.host-a1B2c3", true, false},
        {prefix + dead + "--a1B2c3", true, false},
        {"quirekit-" + dead + here + "a1B2c3", true, false},
        {prefix + dead + here + "d1r2c3", true, false}, // a folder
        {prefix + dead + here + "l1n2k3", true, false}, // a link to a file
        {"linked.pdf", true, false},
    };
    for (const Leftover &leftover : leftovers) {
        const QString path = dir.filePath(leftover.name);
        if (leftover.name.contains("d1r2c3"))
            QVERIFY(QDir(dir.path()).mkdir(leftover.name));
        else if (leftover.name.contains("l1n2k3"))
            QVERIFY(QFile::link("linked.pdf", path));
        else
            QVERIFY(FileKinds::make("file", path));
        if (leftover.old) {
            const timespec twoDaysAgo{::time(nullptr) - 2 * 24 * 3600, 0};
            const timespec times[2] = {twoDaysAgo, twoDaysAgo};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0);
        }
    }

    const EngineProcess::Result result
        = EngineProcess::run({"A=" + m_source, "cat", "A1", "output", dir.filePath("part.pdf")});
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QStringList expected{"part.pdf"};
    for (const Leftover &leftover : leftovers)
        if (!leftover.removed)
            expected << leftover.name;
    expected.sort();
    QCOMPARE(folderEntries(dir.path()), expected);
    QFile survivor(dir.filePath("linked.pdf"));
    QVERIFY(survivor.open(QIODevice::ReadOnly));
    QCOMPARE(survivor.readAll(), QByteArray("previous content"));
}

QTEST_GUILESS_MAIN(TestEngineFiles)
#include "tst_enginefiles.moc"
