// The documents the engine cannot use: every one is refused with its reason, the same for a
// part and for a report, and nothing is written.
#include "EngineProcess.h"
#include "FileKinds.h"
#include "PdfFixtures.h"
#include "PdfProbe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestEngineExitCodes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void refusesDocumentsItCannotRead_data();
    void refusesDocumentsItCannotRead();

private:
    static QStringList folderEntries(const QString &path);

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

void TestEngineExitCodes::refusesDocumentsItCannotRead_data()
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
    // Opening a named pipe would wait for a writer forever.
    QTest::newRow("namedPipe") << "pipe.pdf" << QByteArray("<fifo>") << "is a named pipe, not a PDF document";
    QTest::newRow("socket") << "socket.pdf" << QByteArray("<socket>") << "is a socket, not a PDF document";
    QTest::newRow("linkToDevice") << "zero.pdf" << QByteArray("<link:/dev/zero>") << "is a device, not a PDF document";
}

void TestEngineExitCodes::refusesDocumentsItCannotRead()
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
    else if (content.startsWith("<link:"))
        QVERIFY(QFile::link(QString::fromLatin1(content.mid(6).chopped(1)), input));
    else if (content == "<fifo>" || content == "<socket>")
        QVERIFY(FileKinds::make(QString::fromLatin1(content.mid(1).chopped(1)), input));
    else if (!content.isEmpty())
        QVERIFY(PdfFixtures::write(input, content));
    const QStringList before = folderEntries(dir.path());

    const QList<QStringList> commands = {{"A=" + input, "cat", "A1-2", "output", dir.filePath("part.pdf")},
                                         {input, "dump_data", "output", dir.filePath("report.txt")}};
    for (const QStringList &command : commands) {
        const EngineProcess::Result result = EngineProcess::run(command, 5000);
        QVERIFY(!result.timedOut);
        QCOMPARE(result.exitCode, 1);
        QVERIFY2(result.err.contains(message.toUtf8()), result.err.constData());
        QVERIFY(result.err.contains(QFile::encodeName(input)));
        QCOMPARE(folderEntries(dir.path()), before);
    }
}

QTEST_GUILESS_MAIN(TestEngineExitCodes)
#include "tst_engineexitcodes.moc"
