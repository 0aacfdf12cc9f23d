// What the engine's exit code tells a caller: each kind of document it cannot use has a code of
// its own, the same for a part and for a report, and running out of memory has one too; a
// failed run writes nothing.
#include "EngineProcess.h"
#include "FileKinds.h"
#include "PdfFixtures.h"
#include "PdfProbe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#if defined(__SANITIZE_ADDRESS__)
#define QUIRE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUIRE_ADDRESS_SANITIZER 1
#endif
#endif

class TestEngineExitCodes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void refusesDocumentsItCannotRead_data();
    void refusesDocumentsItCannotRead();
    void runningOutOfMemoryExitsTen_data();
    void runningOutOfMemoryExitsTen();

private:
    static QStringList folderEntries(const QString &path);
    static QList<QStringList> commandsOn(const QString &input, const QTemporaryDir &dir);

    QTemporaryDir m_dir;
    QString m_source;
};

void TestEngineExitCodes::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_source = m_dir.filePath("source.pdf");
    QVERIFY(PdfFixtures::write(m_source, PdfFixtures::tenPages()));
}

QStringList TestEngineExitCodes::folderEntries(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

QList<QStringList> TestEngineExitCodes::commandsOn(const QString &input, const QTemporaryDir &dir)
{
    return {{"A=" + input, "cat", "A1-2", "output", dir.filePath("part.pdf")},
            {input, "dump_data", "output", dir.filePath("report.txt")},
            {input, "size_plan", "100000", "output", dir.filePath("plan.txt")}};
}

void TestEngineExitCodes::refusesDocumentsItCannotRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: the file is not created
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QStringList none;
    QTest::newRow("missingFile") << "missing.pdf" << QByteArray() << none << 6 << "No such file or directory";
    QTest::newRow("folder") << "folder.pdf" << QByteArray("<folder>") << none << 6 << "is a folder";
    // Opening a named pipe would wait for a writer forever.
    QTest::newRow("namedPipe") << "pipe.pdf" << QByteArray("<fifo>") << none << 6
                               << "is a named pipe, not a PDF document";
    QTest::newRow("socket") << "socket.pdf" << QByteArray("<socket>") << none << 6 << "is a socket, not a PDF document";
    QTest::newRow("linkToDevice") << "zero.pdf" << QByteArray("<link:/dev/zero>") << none << 6
                                  << "is a device, not a PDF document";
    QTest::newRow("textFile") << "notes.pdf" << QByteArray("just some text\n") << none << 7 << "is not a PDF document";
    QTest::newRow("emptyFile") << "empty.pdf" << QByteArray("<empty>") << none << 7 << "is not a PDF document";
    QTest::newRow("garbageWithoutHeader")
        << "noise.pdf" << PdfFixtures::garbage(false) << none << 7 << "is not a PDF document";
    QTest::newRow("userPassword") << "locked.pdf" << QByteArray("<encrypted>") << none << 8
                                  << "is protected by a password";
    // A header and nothing MuPDF can make a document of, even repaired.
    QTest::newRow("damagedBeyondRepair") << "noise.pdf" << PdfFixtures::garbage(true) << none << 9 << "cannot open '";
    // Deeper than MuPDF reads one object: no page count can be told, so none is (not 0).
    QTest::newRow("pageTreeNestedTooDeeply")
        << "nested.pdf" << PdfFixtures::nestedInOneObject(1000) << none << 9 << "has no page tree that can be read";
    QTest::newRow("notTheCheckedFile") << "other.pdf" << PdfFixtures::tenPages()
                                       << QStringList{"QUIREKIT_DOCUMENT=1:2:3:4"} << 4
                                       << "is not the file that was checked";
}

void TestEngineExitCodes::refusesDocumentsItCannotRead()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, variables);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString input = dir.filePath(name);
    if (content == "<folder>")
        QVERIFY(QDir(dir.path()).mkdir(name));
    else if (content == "<empty>")
        QVERIFY(PdfFixtures::write(input, QByteArray()));
    else if (content == "<encrypted>")
        QVERIFY(PdfProbe::encrypt(m_source, input, "secret"));
    else if (content.startsWith("<link:"))
        QVERIFY(QFile::link(QString::fromLatin1(content.mid(6).chopped(1)), input));
    else if (content == "<fifo>" || content == "<socket>")
        QVERIFY(FileKinds::make(QString::fromLatin1(content.mid(1).chopped(1)), input));
    else if (!content.isEmpty())
        QVERIFY(PdfFixtures::write(input, content));
    const QStringList before = folderEntries(dir.path());

    for (const QStringList &command : commandsOn(input, dir)) {
        const EngineProcess::Result result = EngineProcess::run(command, variables, 5000);
        QVERIFY(!result.timedOut);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.err.contains(message.toUtf8()), result.err.constData());
        QVERIFY(result.err.contains(QFile::encodeName(input)));
        QCOMPARE(folderEntries(dir.path()), before);
    }
}

void TestEngineExitCodes::runningOutOfMemoryExitsTen_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // after "cannot open '<document>'"
    // Shows that the limit leaves the engine room for an ordinary document.
    QTest::newRow("ordinaryDocument") << PdfFixtures::tenPages() << 0 << QString();
    // MuPDF's repair asks for a table of eight million objects, some 320 MB.
    QTest::newRow("mupdfRunsOut") << PdfFixtures::unlistedUpTo(PdfFixtures::tenPages(), 8000000) << 10 << ": calloc";
    // MuPDF's table of a million objects fits, but the page tree's listings, bounded by the
    // number of objects, fill the engine's own lists first; the allocation that fails becomes
    // MuPDF's error (a C++ exception would otherwise cross MuPDF's error handling).
    QTest::newRow("engineRunsOut") << PdfFixtures::unlistedUpTo(PdfFixtures::doublingBranches(40), 1000000) << 10
                                   << ": out of memory\n";
}

void TestEngineExitCodes::runningOutOfMemoryExitsTen()
{
#ifdef QUIRE_ADDRESS_SANITIZER
    QSKIP("the address sanitizer maps far more memory than the limit allows");
#endif
    QFETCH(QByteArray, content);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    constexpr qint64 kAddressSpace = qint64(160) << 20; // the engine alone maps about 55 MB
    QTemporaryDir dir;
    const QString input = dir.filePath("in.pdf");
    QVERIFY(PdfFixtures::write(input, content));

    for (const QStringList &command : commandsOn(input, dir)) {
        const EngineProcess::Result result = EngineProcess::run(command, {}, 20000, kAddressSpace);
        QVERIFY(!result.timedOut);
        QVERIFY(!result.crashed);
        QVERIFY2(result.exitCode == exitCode, result.err.constData());
        if (exitCode == 0)
            continue;
        const QByteArray expected = "quirekit: cannot open '" + QFile::encodeName(input) + "'" + message.toUtf8();
        QVERIFY2(result.err.contains(expected), result.err.constData());
        QCOMPARE(folderEntries(dir.path()), QStringList{"in.pdf"});
    }
}

QTEST_GUILESS_MAIN(TestEngineExitCodes)
#include "tst_engineexitcodes.moc"
