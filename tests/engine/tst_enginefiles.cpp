// How the engine treats files: refusals that write nothing, never overwriting its input,
// replacing outputs only with complete files, unusual path names, and damaged documents.
#include "EngineProcess.h"
#include "PdfFixtures.h"
#include "PdfProbe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TestEngineFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void refusesRangesOutsideTheDocument_data();
    void refusesRangesOutsideTheDocument();
    void refusesDocumentsItCannotRead_data();
    void refusesDocumentsItCannotRead();
    void neverOverwritesItsInput_data();
    void neverOverwritesItsInput();
    void failedRunKeepsExistingOutput_data();
    void failedRunKeepsExistingOutput();
    void replacesExistingOutputWithCompletePart();
    void handlesUnusualPaths_data();
    void handlesUnusualPaths();
    void damagedDocumentsEndCleanly_data();
    void damagedDocumentsEndCleanly();

private:
    static QStringList folderEntries(const QString &path);

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
}

void TestEngineFiles::refusesRangesOutsideTheDocument()
{
    QFETCH(QString, range);
    QFETCH(QString, message);
    QTemporaryDir out;
    const EngineProcess::Result result
        = EngineProcess::run({"A=" + m_source, "cat", range, "output", out.filePath("part.pdf")});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains(message.toUtf8()), result.err.constData());
    QVERIFY(result.err.startsWith("quirekit: "));
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY(folderEntries(out.path()).isEmpty());
}

void TestEngineFiles::refusesDocumentsItCannotRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: the file is not created
    QTest::addColumn<QString>("message");
    QTest::newRow("missingFile") << "missing.pdf" << QByteArray() << "No such file or directory";
    QTest::newRow("folder") << "folder.pdf" << QByteArray("<folder>") << "is a folder";
    QTest::newRow("textFile") << "notes.pdf" << QByteArray("just some text\n") << "is not a PDF document";
    QTest::newRow("emptyFile") << "empty.pdf" << QByteArray("<empty>") << "is not a PDF document";
    QTest::newRow("garbageWithoutHeader") << "noise.pdf" << PdfFixtures::garbage(false) << "is not a PDF document";
    QTest::newRow("userPassword") << "locked.pdf" << QByteArray("<encrypted>") << "is protected by a password";
}

void TestEngineFiles::refusesDocumentsItCannotRead()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString input = dir.filePath(name);
    if (content == "<folder>")
        QVERIFY(QDir(dir.path()).mkdir(name));
    else if (content == "<empty>")
        QVERIFY(PdfFixtures::write(input, QByteArray()));
    else if (content == "<encrypted>")
        QVERIFY(PdfProbe::encrypt(m_source, input, "secret"));
    else if (!content.isEmpty())
        QVERIFY(PdfFixtures::write(input, content));
    const QStringList before = folderEntries(dir.path());

    const QList<QStringList> commands = {{"A=" + input, "cat", "A1-2", "output", dir.filePath("part.pdf")},
                                         {input, "dump_data", "output", dir.filePath("report.txt")}};
    for (const QStringList &command : commands) {
        const EngineProcess::Result result = EngineProcess::run(command);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(message.toUtf8()), result.err.constData());
        QVERIFY(result.err.contains(QFile::encodeName(input)));
        QCOMPARE(folderEntries(dir.path()), before);
    }
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
        QCOMPARE(result.exitCode, 1);
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
    QTest::newRow("outOfRange") << QStringList{"A=SOURCE", "cat", "A9-12", "output", "TARGET"};
    QTest::newRow("damagedInput") << QStringList{"A=NOISE", "cat", "A1", "output", "TARGET"};
    QTest::newRow("reportOfDamagedInput") << QStringList{"NOISE", "dump_data", "output", "TARGET"};
}

void TestEngineFiles::failedRunKeepsExistingOutput()
{
    QFETCH(QStringList, command);
    QTemporaryDir dir;
    const QString target = dir.filePath("existing.pdf");
    const QString noise = dir.filePath("noise.pdf");
    QVERIFY(PdfFixtures::write(target, "previous content"));
    QVERIFY(PdfFixtures::write(noise, PdfFixtures::garbage(true)));
    for (QString &arg : command)
        arg.replace("SOURCE", m_source).replace("NOISE", noise).replace("TARGET", target);
    const EngineProcess::Result result = EngineProcess::run(command);
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 1);
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("previous content"));
    QCOMPARE(folderEntries(dir.path()), QStringList({"existing.pdf", "noise.pdf"}));

    // A folder that does not exist cannot take the output: that fails the same way.
    const EngineProcess::Result missing
        = EngineProcess::run({"A=" + m_source, "cat", "A1", "output", dir.filePath("no/such/part.pdf")});
    QCOMPARE(missing.exitCode, 1);
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
    QVERIFY(dump.exitCode == 0 || dump.exitCode == 1);
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
        QVERIFY(part.exitCode == 0 || part.exitCode == 1);
        if (part.exitCode == 0) {
            PdfProbe probe(output);
            QVERIFY2(probe.isOpen(), qPrintable(probe.error()));
            QCOMPARE(probe.pageCount(), range == "A1" ? 1 : 2);
        } else {
            QVERIFY(!QFile::exists(output));
            QVERIFY(count < 2 || range == "A1" || !part.err.contains("outside"));
        }
        for (const QString &entry : folderEntries(dir.path()))
            QVERIFY2(!entry.startsWith(".quirekit"), qPrintable(entry));
    }
}

QTEST_GUILESS_MAIN(TestEngineFiles)
#include "tst_enginefiles.moc"
