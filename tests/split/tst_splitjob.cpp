// The split job without any window, against a stand-in engine beside this program: what it asks
// the engine for and where, what it refuses before writing, how it counts and reports parts that
// were not written, the cancel, and the archive move.
#include "split/EngineRunner.h"
#include "split/SplitJob.h"
#include "support/StandInEngine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace qw;

namespace {

// Writes parts as the engine does (a new file renamed into place), logging
// "<first>-<last>|<output>|<working folder>" to $FAKE_LOG. The range in $FAKE_FAIL fails with
// a message; with $FAKE_SILENT set it ends with success but writes nothing. The range in
// $FAKE_HANG leaves an unfinished file (and one of another machine by the same process id) and waits: it cleans up and ends when asked to stop,
// unless $FAKE_STUBBORN is set (to "finish": it ignores the request but soon writes the part).
const QByteArray kFakeEngine = R"(#!/bin/sh
range=${3#A}
printf '%s|%s|%s\n' "$range" "$5" "$PWD" >> "$FAKE_LOG"
if [ "$range" = "$FAKE_FAIL" ]; then echo "quirekit: simulated failure for $range" >&2; exit 1; fi
if [ "$range" = "$FAKE_HANG" ]; then
  machine=$(tr -cd 'A-Za-z0-9' < /etc/machine-id 2>/dev/null | cut -c1-32)
  [ -n "$machine" ] || machine=$(uname -n | tr -cd 'A-Za-z0-9' | cut -c1-32)
  tmp=".quirekit-$$-$machine-hang00"; : > "$tmp"
  : > ".quirekit-$$-elsewhere-hang00" # another machine's, writing into the same folder
  if [ "$FAKE_STUBBORN" = finish ]; then
    trap '' TERM; echo working; sleep 0.5; rm "$tmp"; printf '%%PDF-1.4 late\n' > "$5"; exit 0
  fi
  if [ -n "$FAKE_STUBBORN" ]; then trap '' TERM; exec sleep 30; fi
  sleep 30 </dev/null >/dev/null 2>&1 &
  trap 'rm -f "$tmp"; kill $!; exit 143' TERM
  wait; exit 0
fi
if [ -n "$FAKE_SILENT" ]; then exit 0; fi
printf '%%PDF-1.4 part %s\n' "$range" > "$5.new" && mv "$5.new" "$5"
)";

QList<PartRange> partsOf(const QList<QPair<int, int>> &ranges)
{
    QList<PartRange> parts;
    for (const auto &[first, last] : ranges)
        parts.append({first, last, int(parts.size()) + 1, int(ranges.size())});
    return parts;
}

} // namespace

class TestSplitJob : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void partsLandWhereTheSettingsSay_data();
    void partsLandWhereTheSettingsSay();
    void refusedBeforeAnythingIsWritten_data();
    void refusedBeforeAnythingIsWritten();
    void onlyWhatThisRunWroteCounts_data();
    void onlyWhatThisRunWroteCounts();
    void cancelStopsTheRunningEngine_data();
    void cancelStopsTheRunningEngine();
    void bookmarkTitlesNameTheParts();
    void separatorsNameTheParts();
    void archiveNeverReplacesAFile_data();
    void archiveNeverReplacesAFile();

private:
    QStringList log() const;
    void writeFile(const QString &path, const QByteArray &data);
    SplitJob job(const QList<QPair<int, int>> &ranges, SplitSettings settings = {}) const;

    QTemporaryDir dir_;
    QString document_;
};

void TestSplitJob::initTestCase()
{
    QVERIFY(InstallStandInEngine(kFakeEngine));
}

void TestSplitJob::init()
{
    QVERIFY(InstallStandInEngine(kFakeEngine));
    QDir(dir_.path()).removeRecursively();
    QDir().mkpath(dir_.filePath("docs"));
    QDir().mkpath(dir_.filePath("out"));
    document_ = dir_.filePath("docs/my \"manual\".pdf");
    writeFile(document_, "%PDF source");
    qputenv("FAKE_LOG", dir_.filePath("log").toLocal8Bit());
    for (const char *name : {"FAKE_FAIL", "FAKE_SILENT", "FAKE_HANG", "FAKE_STUBBORN"})
        qputenv(name, "");
}

QStringList TestSplitJob::log() const
{
    QFile file(dir_.filePath("log"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

void TestSplitJob::writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

SplitJob TestSplitJob::job(const QList<QPair<int, int>> &ranges, SplitSettings settings) const
{
    if (settings.outFolderName == "out")
        settings.outFolderName = dir_.filePath("out");
    return SplitJob(document_, partsOf(ranges), settings);
}

void TestSplitJob::partsLandWhereTheSettingsSay_data()
{
    QTest::addColumn<int>("saveFileType");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("expected"); // range|argument|folder, with docs/ and out/ relative
    QTest::newRow("besideTheDocument") << 3 << "{basename} {part} of {filecount}"
                                       << QStringList{"1-3|@docs/my \"manual\" 1 of 2.pdf|@docs",
                                                      "4-5|@docs/my \"manual\" 2 of 2.pdf|@docs"};
    QTest::newRow("outputFolder") << 2 << "{basename} {part:0000} p{pagebegin}-{pageend}"
                                  << QStringList{"1-3|@out/my \"manual\" 0001 p1-3.pdf|@out",
                                                 "4-5|@out/my \"manual\" 0002 p4-5.pdf|@out"};
    // A name without a folder is given to the engine as it is, and lands in the output folder.
    QTest::newRow("nameWithoutAFolder") << 2 << "part {part}"
                                        << QStringList{"1-3|part 1.pdf|@out", "4-5|part 2.pdf|@out"};
    // A name starting with ':' is a file like any other (Qt's paths would take it for a resource).
    QTest::newRow("nameStartingWithAColon") << 2 << ":{part}" << QStringList{"1-3|:1.pdf|@out", "4-5|:2.pdf|@out"};
}

void TestSplitJob::partsLandWhereTheSettingsSay()
{
    QFETCH(int, saveFileType);
    QFETCH(QString, pattern);
    QFETCH(QStringList, expected);
    expected.replaceInStrings("@", dir_.path() + "/");
    SplitSettings settings;
    settings.saveFileType = saveFileType;
    settings.outFolderName = "out";
    settings.fileNamePattern = pattern;
    const SplitJob split = job({{1, 3}, {4, 5}}, settings);
    QVERIFY(!split.Refusal());
    QVERIFY(split.ExistingOutputs().isEmpty());

    const SplitResult result = split.Run();
    QCOMPARE(log(), expected);
    QCOMPARE(result.written, split.Outputs());
    QVERIFY(result.Complete(2));
    for (const QString &output : result.written)
        QVERIFY2(QFile::exists(output), qPrintable(output));
    QVERIFY(QFile::exists(document_));
}

void TestSplitJob::refusedBeforeAnythingIsWritten_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("saveFileType");
    QTest::addColumn<bool>("engineAway");
    QTest::addColumn<SplitRefusal::Kind>("refusal");
    using Kind = SplitRefusal::Kind;
    QTest::newRow("sameNameForEveryPart") << "{basename} x" << 3 << false << Kind::TwoPartsOneName;
    QTest::newRow("onePartOverTheDocument") << "{basename}" << 3 << false << Kind::PartOverDocument;
    QTest::newRow("outputFolderMissing") << "{part}" << 2 << false << Kind::NoOutputFolder;
    QTest::newRow("engineMissing") << "{part}" << 3 << true << Kind::EngineMissing;
}

void TestSplitJob::refusedBeforeAnythingIsWritten()
{
    QFETCH(QString, pattern);
    QFETCH(int, saveFileType);
    QFETCH(bool, engineAway);
    QFETCH(SplitRefusal::Kind, refusal);
    SplitSettings settings;
    settings.saveFileType = saveFileType;
    settings.outFolderName = dir_.filePath("no such folder");
    settings.fileNamePattern = pattern;
    const SplitJob split = job(
        pattern.contains("{part}") ? QList<QPair<int, int>>{{1, 1}} : QList<QPair<int, int>>{{1, 1}, {2, 2}}, settings);
    const QString engine = EngineRunner::EnginePath();
    if (engineAway)
        QVERIFY(QFile::rename(engine, engine + ".away"));
    const SplitRefusal found = split.Refusal();
    if (engineAway)
        QVERIFY(QFile::rename(engine + ".away", engine));
    QVERIFY2(found.kind == refusal, qPrintable(found.Text()));
}

void TestSplitJob::onlyWhatThisRunWroteCounts_data()
{
    QTest::addColumn<QByteArray>("engine");
    QTest::addColumn<QByteArray>("fail");
    QTest::addColumn<QStringList>("written"); // part numbers' files that count as written
    QTest::addColumn<int>("runs");
    QTest::addColumn<QString>("report");
    // The remaining parts are still attempted after one fails.
    QTest::newRow("onePartFails") << kFakeEngine << QByteArray("4-7") << QStringList{"1", "3"} << 3
                                  << "1 of 3 parts could not be written, so the document was not archived.\n\n"
                                     "Part 2 (pages 4 to 7), @docs/my \"manual\" 2.pdf:\n"
                                     "quirekit: simulated failure for 4-7";
    // The old files at the output paths must not pass for new parts.
    QTest::newRow("engineWritesNothing") << kFakeEngine << QByteArray("silent") << QStringList{} << 3
                                         << "3 of 3 parts could not be written, so the document was not archived."
                                            "\n\nPart 1 (pages 1 to 3), @docs/my \"manual\" 1.pdf:\n"
                                            "The engine reported success but did not write the file.";
    // The engine file is there, but what would run it is not: the next parts are not tried in vain.
    QTest::newRow("engineCannotStart") << QByteArray("#!/no/such/interpreter\n") << QByteArray() << QStringList{} << 0
                                       << "3 of 3 parts could not be written, so the document was not archived."
                                          "\n\nPart 1 (pages 1 to 3), @docs/my \"manual\" 1.pdf:\nThe PDF engine "
                                          "@fake-engine-job/quirekit.dll could not be started: the interpreter or "
                                          "loader it needs is missing.\n\n2 more parts were not attempted.";
}

void TestSplitJob::onlyWhatThisRunWroteCounts()
{
    QFETCH(QByteArray, engine);
    QFETCH(QByteArray, fail);
    QFETCH(QStringList, written);
    QFETCH(int, runs);
    QFETCH(QString, report);
    report.replace("@docs", dir_.filePath("docs")).replace("@fake-engine-job", QCoreApplication::applicationDirPath());
    SplitSettings settings;
    settings.archive = true;
    settings.archiveFolderName = dir_.filePath("out");
    const SplitJob split = job({{1, 3}, {4, 7}, {8, 10}}, settings);
    for (const QString &output : split.Outputs())
        writeFile(output, "an earlier split");
    qputenv(fail == "silent" ? "FAKE_SILENT" : "FAKE_FAIL", fail);
    QVERIFY(InstallStandInEngine(engine));

    const SplitResult result = split.Run();
    QCOMPARE(log().size(), runs);
    QStringList expected;
    for (const QString &part : written)
        expected << dir_.filePath("docs/my \"manual\" " + part + ".pdf");
    QCOMPARE(result.written, expected);
    QCOMPARE(split.FailureReport(result).left(report.size()), report);
}

void TestSplitJob::cancelStopsTheRunningEngine_data()
{
    QTest::addColumn<QByteArray>("stubborn");
    QTest::addColumn<int>("written");
    QTest::newRow("engineEndsWhenAsked") << QByteArray() << 1;
    QTest::newRow("engineIgnoresTheRequest") << QByteArray("1") << 1;
    // The part is written, but the split still ends with it.
    QTest::newRow("engineFinishesAnyway") << QByteArray("finish") << 2;
}

void TestSplitJob::cancelStopsTheRunningEngine()
{
    QFETCH(QByteArray, stubborn);
    QFETCH(int, written);
    qputenv("FAKE_HANG", "4-7");
    qputenv("FAKE_STUBBORN", stubborn);
    SplitSettings settings;
    settings.archive = true;
    settings.archiveFolderName = dir_.filePath("out");
    const SplitJob split = job({{1, 3}, {4, 7}, {8, 10}}, settings);
    QElapsedTimer clock;
    clock.start();
    // The user cancels once the second part has started.
    struct CancelInSecondPart : SplitObserver {
        int started = 0;
        bool PartStarting(const PartRange &, const QString &) override { return ++started <= 2; }
        bool KeepGoing() override { return started < 2; }
    } user;
    const SplitResult result = split.Run(user);
    QVERIFY2(clock.elapsed() < 15000, "the engine was not stopped");
    QVERIFY(result.cancelled);
    QVERIFY(!result.Complete(3));
    QCOMPARE(result.written, split.Outputs().mid(0, written));
    QCOMPARE(result.notAttempted, 1);
    QVERIFY(result.failures.isEmpty());
    QCOMPARE(log().size(), 2);
    // Nothing half-written is left, and the report names what was written.
    QStringList files{"my \"manual\".pdf"};
    for (int part = 1; part <= written; ++part)
        files << QStringLiteral("my \"manual\" %1.pdf").arg(part);
    files.sort();
    // Another machine's file of the same process id is not this run's to remove.
    QStringList found = QDir(dir_.filePath("docs")).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(found.removeIf([](const QString &name) {
        return QRegularExpression("^\\.quirekit-\\d+-elsewhere-hang00$").match(name).hasMatch();
    }), 1);
    QCOMPARE(found, files);
    QVERIFY(split.FailureReport(result).startsWith(
        QStringLiteral("The split was cancelled, so the document was not archived. %1 of 3 parts were written:\n\n")
            .arg(written)
        + split.Outputs().first()));
}

void TestSplitJob::bookmarkTitlesNameTheParts()
{
    SplitSettings settings;
    settings.saveFileType = 2;
    settings.outFolderName = "out";
    settings.fileNamePattern = "{part} {bookmark}";
    settings.bookmarks = {{"One", 1, 3}, {"One/a", 2, 4}, {"Two", 1, 6}};
    settings.bookmarkLevel = 1;
    const SplitJob split = job({{1, 2}, {3, 5}, {6, 9}}, settings);
    // The front matter, before any bookmark, is named after the document.
    QStringList names;
    for (const PartRange &part : split.Parts())
        names << split.OutputArgumentOf(part);
    QCOMPARE(names, QStringList({"1 my \"manual\" 1.pdf", "2 One.pdf", "3 Two.pdf"}));
}

void TestSplitJob::separatorsNameTheParts()
{
    // Separators at 4 (kept, begins the second part) and at 7 and 8 (left out, side by side):
    // the first of those names the third part; the first part, before any, takes the document's.
    SplitSettings settings;
    settings.saveFileType = 2;
    settings.outFolderName = "out";
    settings.fileNamePattern = "{part} {separator}";
    settings.separatorLabels = {{4, "Invoice 17"}, {7, "Letter/B"}, {8, "ignored"}};
    const SplitJob split = job({{1, 3}, {4, 6}, {9, 10}}, settings);
    QStringList names;
    for (const PartRange &part : split.Parts())
        names << split.OutputArgumentOf(part);
    QCOMPARE(names, QStringList({"1 my \"manual\" 1.pdf", "2 Invoice 17.pdf", "3 Letter-B.pdf"}));
}

void TestSplitJob::archiveNeverReplacesAFile_data()
{
    QTest::addColumn<bool>("taken");
    QTest::newRow("free") << false;
    QTest::newRow("taken") << true;
}

void TestSplitJob::archiveNeverReplacesAFile()
{
    QFETCH(bool, taken);
    SplitSettings settings;
    settings.archive = true;
    settings.archiveFolderName = dir_.filePath("out");
    const SplitJob split = job({{1, 2}}, settings);
    const QString target = dir_.filePath("out/my \"manual\".pdf");
    QCOMPARE(split.ArchiveTarget(), target);
    if (taken)
        writeFile(target, "older archive");
    const MoveResult moved = split.ArchiveDocument();
    QCOMPARE(moved, taken ? MoveResult::TargetExists : MoveResult::Moved);
    QCOMPARE(QFile::exists(document_), taken);
    QFile archived(target);
    QVERIFY(archived.open(QIODevice::ReadOnly));
    QCOMPARE(archived.readAll(), taken ? QByteArray("older archive") : QByteArray("%PDF source"));
    if (taken)
        QVERIFY(split.ArchiveFailure(moved).contains("already in the archive folder"));
}

QTEST_GUILESS_MAIN(TestSplitJob)
#include "tst_splitjob.moc"
