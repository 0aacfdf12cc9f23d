// The page count query, against a stand-in engine that writes a given report and exit code.
// This program runs from a folder of its own, where it puts the stand-in under the engine's name.
#include "split/EngineRunner.h"
#include "support/StandInEngine.h"
#include "split/DocumentReport.h"
#include "split/OpenFailure.h"
#include "split/PageCountQuery.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qw;

namespace {
// The stand-in writes $FAKE_REPORT to the report (its last argument), its arguments one per
// line to $FAKE_ARGS, says $FAKE_SAY, and exits with $FAKE_EXIT.
const QByteArray kFakeEngine = R"(#!/bin/sh
for last in "$@"; do :; done
[ -n "$FAKE_ARGS" ] && for a in "$@"; do printf '%s\n' "$a"; done > "$FAKE_ARGS"
[ -n "$FAKE_WRITE" ] && printf '%s' "$FAKE_REPORT" > "$last"
[ -n "$FAKE_SAY" ] && echo "quirekit: $FAKE_SAY" >&2
exit ${FAKE_EXIT:-0}
)";
} // namespace

class TestPageCount : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void reportsGiveTheirCount_data();
    void reportsGiveTheirCount();
    void failuresGiveZeroAndLeaveNoReport_data();
    void failuresGiveZeroAndLeaveNoReport();
    void reasonsComeFromTheExitCode_data();
    void reasonsComeFromTheExitCode();
    void pathsReachTheEngineIntact();
    void missingEngineGivesZero();
    void tempNamesAreUniqueAndCreated();

private:
    QStringList engineArguments() const;
    QTemporaryDir dir_;
};

void TestPageCount::initTestCase()
{
    QVERIFY(InstallStandInEngine(kFakeEngine));
    qputenv("FAKE_ARGS", dir_.filePath("args").toLocal8Bit());
}

QStringList TestPageCount::engineArguments() const
{
    QFile file(dir_.filePath("args"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void TestPageCount::reportsGiveTheirCount_data()
{
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<int>("count");
    QTest::newRow("entryAmongOtherLines") << QByteArray("PdfVersion: 1.7\nNumberOfPages: 250\nTitle: x\n") << 250;
    QTest::newRow("firstOfTwoEntries") << QByteArray("NumberOfPages: 3\nNumberOfPages: 9\n") << 3;
    QTest::newRow("letterInsteadOfDigits") << QByteArray("NumberOfPages: x12\n") << 0;
    QTest::newRow("noSpaceAfterColon") << QByteArray("NumberOfPages:7\n") << 0;
    QTest::newRow("otherCase") << QByteArray("numberofpages: 7\n") << 0;
    QTest::newRow("windowsLineEnds") << QByteArray("A: b\r\nNumberOfPages: 12\r\n") << 12;
    QTest::newRow("moreWhiteSpaceAndSign") << QByteArray("NumberOfPages:  \t+41 pages") << 41;
    QTest::newRow("negative") << QByteArray("NumberOfPages: -4") << -4;
    QTest::newRow("tooLargeIsClamped") << QByteArray("NumberOfPages: 99999999999999") << INT_MAX;
    QTest::newRow("entryAfterNulIsNotRead") << QByteArray("junk\0NumberOfPages: 5", 22) << 0;
}

void TestPageCount::reportsGiveTheirCount()
{
    QFETCH(QByteArray, report);
    QFETCH(int, count);
    QCOMPARE(ParsePageCountReport(report), count);

    qputenv("FAKE_WRITE", "1");
    qputenv("FAKE_REPORT", report);
    qputenv("FAKE_EXIT", "0");
    if (!report.contains('\0') && !report.contains('\r'))
        QCOMPARE(QueryPageCount("/docs/a.pdf"), count);
    const QStringList arguments = engineArguments();
    QCOMPARE(arguments.size(), 4);
    QVERIFY2(!QFile::exists(arguments.last()), "the report was left behind");
}

void TestPageCount::failuresGiveZeroAndLeaveNoReport_data()
{
    QTest::addColumn<QByteArray>("write");
    QTest::addColumn<QByteArray>("exitCode");
    QTest::addColumn<int>("status"); // DocumentReport::Status
    QTest::addColumn<QString>("problem"); // how the report's problem begins; empty: the document's fault
    using Status = DocumentReport::Status;
    QTest::newRow("exitOneWithValidReport") << QByteArray("1") << QByteArray("1") << int(Status::Unreadable) << "";
    QTest::newRow("noReportWritten") << QByteArray() << QByteArray("0") << int(Status::Read) << "";
    QTest::newRow("noReportAndFailure") << QByteArray() << QByteArray("2") << int(Status::Unreadable) << "";
    // What the engine's exit code tells is not blamed on the document.
    QTest::newRow("reportCouldNotBeWritten") << QByteArray() << QByteArray("5") << int(Status::NotWritten)
                                             << "The PDF engine could not write its report in the temporary folder "
                                                "@: cannot write: No space left on device. Free some space there";
    QTest::newRow("documentChangedWhileRead") << QByteArray("1") << QByteArray("4") << int(Status::DocumentChanged)
                                              << "The document was replaced or changed while it was being read.";
}

void TestPageCount::failuresGiveZeroAndLeaveNoReport()
{
    QFETCH(QByteArray, write);
    QFETCH(QByteArray, exitCode);
    QFETCH(int, status);
    QFETCH(QString, problem);
    qputenv("FAKE_WRITE", write);
    qputenv("FAKE_REPORT", "NumberOfPages: 8\n");
    qputenv("FAKE_EXIT", exitCode);
    qputenv("FAKE_SAY", "cannot write: No space left on device");
    const DocumentReport report = DocumentReport::Of("/docs/a.pdf");
    qputenv("FAKE_SAY", "");
    QCOMPARE(report.PageCount(), 0);
    QCOMPARE(int(report.status()), status);
    if (problem.isEmpty())
        QCOMPARE(report.Problem(), QString());
    else
        QVERIFY2(report.Problem().startsWith(problem.replace("@", QDir::tempPath())), qPrintable(report.Problem()));
    const QStringList arguments = engineArguments();
    QCOMPARE(arguments.size(), 4);
    QVERIFY(!QFile::exists(arguments.last()));
}

void TestPageCount::reasonsComeFromTheExitCode_data()
{
    // The engine's words are made to mislead: only its exit code may choose the reason, and its
    // last line is shown as the detail of a document it could not read.
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("document"); // "file", "folder" or "missing"
    QTest::addColumn<QString>("reason");
    const auto row = [](const char *name, int code, const char *document, const char *reason) {
        QTest::newRow(name) << code << QString(document) << QString(reason);
    };
    row("password", EngineExit::Password, "file", "This PDF is protected by a password");
    row("notPdf", EngineExit::NotPdf, "file", "This file is not a PDF");
    row("folder", EngineExit::DocumentMissing, "folder", "This file is not a PDF");
    row("missing", EngineExit::DocumentMissing, "missing", "The file no longer exists");
    row("unopenable", EngineExit::DocumentMissing, "file", "This PDF could not be read: is not a PDF document");
    row("damaged", EngineExit::Damaged, "file", "This PDF could not be read: is not a PDF document");
    row("outOfMemory", EngineExit::OutOfMemory, "file", "There is not enough memory to open this PDF");
    row("otherFailure", EngineExit::Failed, "file", "This PDF could not be read: is not a PDF document");
}

void TestPageCount::reasonsComeFromTheExitCode()
{
    QFETCH(int, exitCode);
    QFETCH(QString, document);
    const QString path = dir_.filePath(document + ".pdf");
    if (document == "file")
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    else if (document == "folder")
        QVERIFY(QDir(dir_.path()).mkpath(document + ".pdf"));
    qputenv("FAKE_EXIT", QByteArray::number(exitCode));
    qputenv("FAKE_SAY", "is not a PDF document");
    const DocumentReport report = DocumentReport::Of(path);
    qunsetenv("FAKE_SAY");
    qunsetenv("FAKE_EXIT");
    // The engine is beside the program; a file that is gone is told before anything else.
    if (document != "missing")
        QTEST(OpenFailureReason(path, report), "reason");
    else
        QCOMPARE(FaultOf(path, report), DocumentFault::Missing);
}

void TestPageCount::pathsReachTheEngineIntact()
{
    qputenv("FAKE_WRITE", "1");
    qputenv("FAKE_REPORT", "NumberOfPages: 2");
    qputenv("FAKE_EXIT", "0");
    const QString document = R"(/docs/My "best" Grüße\ folder/in put.pdf)";
    QCOMPARE(QueryPageCount(document), 2);
    const QStringList arguments = engineArguments();
    QCOMPARE(arguments.mid(0, 3), QStringList({document, "dump_data", "output"}));
    const QString report = arguments.at(3);
    QVERIFY(QFileInfo(report).fileName().startsWith("txt"));
    QVERIFY(report.endsWith(".tmp.txt"));
    QCOMPARE(QFileInfo(report).absolutePath(), QDir::tempPath());
}

void TestPageCount::missingEngineGivesZero()
{
    const QString engine = EngineRunner::EnginePath();
    QVERIFY(QFile::rename(engine, engine + ".away"));
    qputenv("FAKE_WRITE", "1");
    qputenv("FAKE_REPORT", "NumberOfPages: 8");
    const QDir temp = QDir::temp();
    const QStringList before = temp.entryList({"txt*.tmp.txt"});
    const int count = QueryPageCount("/docs/a.pdf");
    const QStringList after = temp.entryList({"txt*.tmp.txt"});
    QVERIFY(QFile::rename(engine + ".away", engine));
    QCOMPARE(count, 0);
    QCOMPARE(after, before);
}

void TestPageCount::tempNamesAreUniqueAndCreated()
{
    QStringList names;
    for (int i = 0; i < 50; ++i) {
        const QString name = MakeTempFileName(".txt");
        QVERIFY(QFile::exists(name));
        QCOMPARE(QFileInfo(name).size(), 0);
        names << name;
    }
    const QString bare = MakeTempFileName(QString());
    QVERIFY(bare.endsWith(".tmp"));
    names << bare;
    for (const QString &name : names)
        QFile::remove(name);
    names.removeDuplicates();
    QCOMPARE(names.size(), 51);
}

QTEST_GUILESS_MAIN(TestPageCount)
#include "tst_pagecount.moc"
