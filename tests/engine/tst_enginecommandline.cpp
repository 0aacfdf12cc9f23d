// The engine's argument parsing, report format and file identity, tested directly, and
// its help, version and usage-error behaviour through the built program, and what it does
// when started with standard streams closed.
#include "RequestParser.h"
#include "DataReport.h"
#include "EngineProcess.h"
#include "FileIdentity.h"
#include "PdfFixtures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace quirekit;

class TestEngineCommandLine : public QObject {
    Q_OBJECT

private slots:
    void acceptsDocumentCommands_data();
    void acceptsDocumentCommands();
    void rejectsMalformedCommands_data();
    void rejectsMalformedCommands();
    void reportPutsPageCountFirstOnOneLine();
    void reportFormatsSizes();
    void identityFollowsEverySpelling();
    void helpAndVersion();
    void usageErrorsExitTwoAndWriteNothing_data();
    void usageErrorsExitTwoAndWriteNothing();
    void closedStandardStreamsNeverReachAPart_data();
    void closedStandardStreamsNeverReachAPart();
};

void TestEngineCommandLine::acceptsDocumentCommands_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("output");
    QTest::addColumn<qlonglong>("first");
    QTest::addColumn<qlonglong>("last");
    QTest::addColumn<QString>("ranges");
    const int dump = int(Request::Action::DumpData), cat = int(Request::Action::Cat);

    QTest::newRow("dumpData") << QStringList{"/a/in.pdf", "dump_data", "output", "/t/r.txt"} << dump << "/a/in.pdf"
                              << "/t/r.txt" << 0LL << 0LL << "";
    QTest::newRow("range") << QStringList{"A=/x/in.pdf", "cat", "A1-3", "output", "/out/in 1.pdf"} << cat << "/x/in.pdf"
                           << "/out/in 1.pdf" << 1LL << 3LL << "1-3";
    QTest::newRow("reversedRange") << QStringList{"A=in.pdf", "cat", "A5-2", "output", "o.pdf"} << cat << "in.pdf"
                                   << "o.pdf" << 5LL << 2LL << "5-2";
    QTest::newRow("singlePage") << QStringList{"A=in.pdf", "cat", "A7", "output", "o.pdf"} << cat << "in.pdf"
                                << "o.pdf" << 7LL << 7LL << "7-7";
    QTest::newRow("spacesAndEqualsInPath")
        << QStringList{"A=/home/u/My Docs/a=b.pdf", "cat", "A2-2", "output", "/o/x y.pdf"} << cat
        << "/home/u/My Docs/a=b.pdf"
        << "/o/x y.pdf" << 2LL << 2LL << "2-2";
    QTest::newRow("otherHandle") << QStringList{"IN=a.pdf", "cat", "IN1-2", "output", "o.pdf"} << cat << "a.pdf"
                                 << "o.pdf" << 1LL << 2LL << "1-2";
    QTest::newRow("hugePageNumberIsCapped")
        << QStringList{"A=a.pdf", "cat", "A1-99999999999999999999", "output", "o.pdf"} << cat << "a.pdf"
        << "o.pdf" << 1LL << 1000000000LL << "1-1000000000";
    QTest::newRow("pageZeroParsesAndIsRefusedLater")
        << QStringList{"A=a.pdf", "cat", "A0-2", "output", "o.pdf"} << cat << "a.pdf"
        << "o.pdf" << 0LL << 2LL << "0-2";
    // first and last: where the part begins and ends.
    QTest::newRow("rangesInAnyOrderAndDirection")
        << QStringList{"A=a.pdf", "cat", "A9-7", "A2", "A3-4", "output", "o.pdf"} << cat << "a.pdf"
        << "o.pdf" << 9LL << 4LL << "9-7 2-2 3-4";
    // Both are beyond any document; the range check says so rather than that they share a page.
    QTest::newRow("cappedRangesLeftToRangeCheck")
        << QStringList{"IN=a.pdf", "cat", "IN2000000000", "IN3000000000", "output", "o.pdf"} << cat << "a.pdf"
        << "o.pdf" << 1000000000LL << 1000000000LL << "1000000000-1000000000 1000000000-1000000000";
}

namespace {

std::vector<std::string> toArgv(const QStringList &args)
{
    std::vector<std::string> argv;
    for (const QString &arg : args)
        argv.push_back(arg.toStdString());
    return argv;
}

} // namespace

void TestEngineCommandLine::acceptsDocumentCommands()
{
    QFETCH(QStringList, args);
    QFETCH(int, action);
    QFETCH(QString, document);
    QFETCH(QString, output);
    QFETCH(qlonglong, first);
    QFETCH(qlonglong, last);
    const RequestParser::Result result = RequestParser::parse(toArgv(args));
    QVERIFY2(result.ok, result.error.c_str());
    QCOMPARE(int(result.request.action), action);
    QCOMPARE(QString::fromStdString(result.request.document), document);
    QCOMPARE(QString::fromStdString(result.request.output), output);
    QCOMPARE(qlonglong(result.request.first), first);
    QCOMPARE(qlonglong(result.request.last), last);
    QFETCH(QString, ranges);
    QStringList parsed;
    for (const PageRange &range : result.request.ranges)
        parsed << QString("%1-%2").arg(range.first).arg(range.last);
    QCOMPARE(parsed.join(' '), ranges);
}

void TestEngineCommandLine::rejectsMalformedCommands_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("errorPart");

    QTest::newRow("nothing") << QStringList{} << "no command";
    QTest::newRow("unknownKeyword") << QStringList{"a.pdf", "burst", "output", "x"} << "unknown keyword 'burst'";
    QTest::newRow("missingOutput") << QStringList{"A=a.pdf", "cat", "A1-2"} << "missing 'output'";
    QTest::newRow("outputWithoutFile") << QStringList{"A=a.pdf", "cat", "A1-2", "output"} << "missing 'output'";
    QTest::newRow("wrongOutputKeyword") << QStringList{"A=a.pdf", "cat", "A1-2", "out", "x"} << "unknown keyword 'out'";
    QTest::newRow("dumpWithoutOutput") << QStringList{"a.pdf", "dump_data"} << "missing 'output'";
    QTest::newRow("dumpExtraArgument") << QStringList{"a.pdf", "dump_data", "output", "r", "more"}
                                       << "unexpected argument 'more'";
    QTest::newRow("sizeOfZero") << QStringList{"a.pdf", "size_plan", "0", "output", "r"} << "from 1, not '0'";
    QTest::newRow("negativeSize") << QStringList{"a.pdf", "size_plan", "-5", "output", "r"} << "from 1, not '-5'";
    QTest::newRow("sizeWithSuffix") << QStringList{"a.pdf", "size_plan", "10M", "output", "r"} << "not '10M'";
    QTest::newRow("sizeOverflows") << QStringList{"a.pdf", "size_plan", "9223372036854775808", "output", "r"}
                                   << "not '9223372036854775808'";
    QTest::newRow("sizeMissing") << QStringList{"a.pdf", "size_plan", "output", "r"} << "missing the most bytes";
    QTest::newRow("sizePlanWithoutOutput") << QStringList{"a.pdf", "size_plan", "1000"} << "missing 'output'";
    QTest::newRow("catWithoutHandle") << QStringList{"a.pdf", "cat", "A1-2", "output", "x"} << "A=<document>";
    QTest::newRow("lowercaseHandle") << QStringList{"a=x.pdf", "cat", "a1-2", "output", "x"} << "not valid";
    QTest::newRow("emptyDocument") << QStringList{"A=", "cat", "A1", "output", "x"} << "empty";
    QTest::newRow("undefinedHandle") << QStringList{"A=a.pdf", "cat", "B1-2", "output", "x"} << "not defined";
    QTest::newRow("rangeWithoutHandle") << QStringList{"A=a.pdf", "cat", "1-2", "output", "x"} << "not valid";
    QTest::newRow("rangeWithLetters") << QStringList{"A=a.pdf", "cat", "A1-end", "output", "x"} << "not valid";
    QTest::newRow("rangeOpenEnded") << QStringList{"A=a.pdf", "cat", "A3-", "output", "x"} << "not valid";
    QTest::newRow("negativePage") << QStringList{"A=a.pdf", "cat", "A-2", "output", "x"} << "not valid";
    QTest::newRow("emptyOutputName") << QStringList{"A=a.pdf", "cat", "A1", "output", ""} << "empty";
    QTest::newRow("helpWithArguments") << QStringList{"--help", "extra"} << "unknown keyword 'extra'";
    QTest::newRow("overlappingRanges") << QStringList{"A=a.pdf", "cat", "A1-5", "A3-8", "output", "x"}
                                       << "the page ranges 'A1-5' and 'A3-8' both hold page 3";
    QTest::newRow("overlapFarApart") << QStringList{"A=a.pdf", "cat", "A9-4", "A1-2", "A12", "A3-4", "output", "x"}
                                     << "the page ranges 'A9-4' and 'A3-4' both hold page 4";
    QTest::newRow("laterRangeNotValid") << QStringList{"A=a.pdf", "cat", "A1-3", "A5-x", "output", "x"}
                                        << "the page range 'A5-x' is not valid";
    QTest::newRow("misspeltOutputAfterRanges")
        << QStringList{"A=a.pdf", "cat", "A1", "A3", "OUTPUT", "x"} << "unknown keyword 'OUTPUT'";
    QTest::newRow("rangeAfterOutput") << QStringList{"A=a.pdf", "cat", "A1", "output", "x", "A3"}
                                      << "unexpected argument 'A3'";
}

void TestEngineCommandLine::rejectsMalformedCommands()
{
    QFETCH(QStringList, args);
    QFETCH(QString, errorPart);
    const RequestParser::Result result = RequestParser::parse(toArgv(args));
    QVERIFY(!result.ok);
    const QString error = QString::fromStdString(result.error);
    QVERIFY2(error.contains(errorPart), qPrintable(error));
    QVERIFY(!error.contains('\n'));
}

void TestEngineCommandLine::reportPutsPageCountFirstOnOneLine()
{
    DocumentFacts facts;
    facts.pageCount = 12;
    facts.pdfVersion = "1.7";
    facts.info = {{"Title", "Line one\nNumberOfPages: 3\r\ttab"}, {"Author", "A. Writer"}};
    const QString report = QString::fromStdString(DataReport::format(facts));
    // The application reads the first "NumberOfPages: " only.
    QVERIFY(report.startsWith("NumberOfPages: 12\n"));
    QCOMPARE(report.indexOf("NumberOfPages: "), 0);
    QVERIFY(report.contains("\nInfoTitle: Line one NumberOfPages: 3  tab\n"));
    QVERIFY(report.contains("\nInfoAuthor: A. Writer\n"));
    QVERIFY(report.contains("\nEncrypted: no\n"));
    QVERIFY(!report.contains("FirstPageSize"));
}

void TestEngineCommandLine::reportFormatsSizes()
{
    DocumentFacts facts;
    facts.pageCount = 1;
    facts.hasFirstPage = true;
    facts.firstPageWidth = 595.276;
    facts.firstPageHeight = 842;
    facts.firstPageRotation = 270;
    const QString report = QString::fromStdString(DataReport::format(facts));
    QVERIFY2(report.contains("\nFirstPageSize: 595.28 842\n"), qPrintable(report));
    QVERIFY(report.contains("\nFirstPageRotation: 270\n"));
}

void TestEngineCommandLine::identityFollowsEverySpelling()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath("in.pdf");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(QFile::link(file, dir.filePath("link.pdf")));
    QCOMPARE(::link(QFile::encodeName(file).constData(), QFile::encodeName(dir.filePath("hard.pdf")).constData()), 0);
    QFile other(dir.filePath("other.pdf"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();

    const std::string in = file.toStdString();
    QVERIFY(FileIdentity::sameFile(in, in));
    QVERIFY(FileIdentity::sameFile(in, dir.filePath("sub/../in.pdf").toStdString()));
    QVERIFY(FileIdentity::sameFile(in, dir.filePath("./in.pdf").toStdString()));
    QVERIFY(FileIdentity::sameFile(in, dir.filePath("link.pdf").toStdString()));
    QVERIFY(FileIdentity::sameFile(in, dir.filePath("hard.pdf").toStdString()));
    QVERIFY(!FileIdentity::sameFile(in, dir.filePath("other.pdf").toStdString()));
    QVERIFY(!FileIdentity::sameFile(in, dir.filePath("new.pdf").toStdString()));
    QVERIFY(!FileIdentity::sameFile(in, dir.filePath("missing/in.pdf").toStdString()));
    QVERIFY(FileIdentity::isFolder(dir.path().toStdString()));
    QVERIFY(!FileIdentity::isFolder(in));
}

void TestEngineCommandLine::helpAndVersion()
{
    const EngineProcess::Result help = EngineProcess::run({"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("dump_data output"));
    QVERIFY(help.out.contains("cat A<first>"));
    QVERIFY(help.err.isEmpty());

    const EngineProcess::Result version = EngineProcess::run({"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY2(version.out.startsWith("quirekit 2.0\n"), version.out.constData());
    QVERIFY(version.out.contains("MuPDF 1."));
}

void TestEngineCommandLine::usageErrorsExitTwoAndWriteNothing_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("noArguments") << QStringList{};
    QTest::newRow("unknownKeyword") << QStringList{"A=in.pdf", "shuffle", "A1-2", "output", "OUT"};
    QTest::newRow("missingOutput") << QStringList{"A=in.pdf", "cat", "A1-2", "OUT"};
    QTest::newRow("badRange") << QStringList{"A=in.pdf", "cat", "A1-x", "output", "OUT"};
    QTest::newRow("overlappingRanges") << QStringList{"A=in.pdf", "cat", "A1-3", "A3-5", "output", "OUT"};
    QTest::newRow("dumpMissingOutput") << QStringList{"in.pdf", "dump_data", "OUT"};
}

void TestEngineCommandLine::usageErrorsExitTwoAndWriteNothing()
{
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (QString &arg : args)
        arg.replace("OUT", dir.filePath("out.pdf"));
    const EngineProcess::Result result = EngineProcess::run(args);
    QCOMPARE(result.exitCode, 2);
    QVERIFY(result.err.startsWith("quirekit: "));
    QVERIFY(result.err.contains("Usage:"));
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

void TestEngineCommandLine::closedStandardStreamsNeverReachAPart_data()
{
    QTest::addColumn<QString>("closing"); // as the shell writes it
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("begins"); // what the file written begins with
    // MuPDF warns about the document: a closed standard error must not be taken by the part.
    QTest::newRow("errorWhileWritingAPart") << "2>&-"
                                            << "cat" << QByteArray("%PDF-");
    // page_facts prints its progress: a closed standard output must not be taken by the report.
    QTest::newRow("outputWhileWritingAReport") << ">&-"
                                               << "page_facts" << QByteArray("NumberOfPages: 10\n");
}

void TestEngineCommandLine::closedStandardStreamsNeverReachAPart()
{
    QFETCH(QString, closing);
    QFETCH(QString, command);
    QFETCH(QByteArray, begins);
    QTemporaryDir dir;
    const QString input = dir.filePath("document.pdf");
    const QByteArray good = PdfFixtures::tenPages();
    QVERIFY(PdfFixtures::write(input, good.left(good.size() - 120)));
    const QString output = dir.filePath("written");
    const QStringList arguments = command == "cat" ? QStringList{"A=" + input, "cat", "A1-10", "output", output}
                                                   : QStringList{input, "page_facts", "output", output};
    const EngineProcess::Result result = EngineProcess::runProgram(
        "/bin/sh", QStringList{"-c", "exec \"$0\" \"$@\" " + closing, EngineProcess::program()} + arguments);
    QCOMPARE(result.exitCode, 0);
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(begins.size()), begins);
}

QTEST_GUILESS_MAIN(TestEngineCommandLine)
#include "tst_enginecommandline.moc"
