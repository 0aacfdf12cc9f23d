// The split from the command line: the built program runs with no display on a generated
// ten-page PDF and the real engine; a run that is refused leaves every file as it was.
#include "PdfFixtures.h"
#include "PdfProbe.h"
#include "ScanFixtures.h"
#include "support/OwnOptions.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>


namespace {

const QByteArray kBesideTheDocument = "[Setting]\nSaveFileType=3\nFileNamePattern={basename} {part}\n";

// Every file below `folder` with its size: what a refused run must leave exactly as it was.
QMap<QString, qint64> listing(const QString &folder)
{
    QMap<QString, qint64> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files.insert(QDir(folder).relativeFilePath(it.filePath()), it.fileInfo().size());
    }
    return files;
}

// Runs the built program in `work` and gives its exit code (-1 when it did not end normally)
// and all it printed.
std::pair<int, QString> run(const QStringList &arguments, const QString &work, const QString &configHome,
                            const QStringList &variables = {})
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // With no display and no usable platform, a program that needed a window could not start.
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "no-such-platform");
    environment.insert("XDG_CONFIG_HOME", configHome);
    // Read before the options.ini beside the program, which a window of the build may have written.
    MakeOwnOptions(configHome);
    for (const QString &variable : variables)
        environment.insert(variable.section('=', 0, 0), variable.section('=', 1));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(work);
    program.start(QUIREWRIGHT_PATH, arguments);
    const bool ended = program.waitForFinished(60000) && program.exitStatus() == QProcess::NormalExit;
    return {ended ? program.exitCode() : -1,
            QString::fromLocal8Bit(program.readAllStandardOutput() + program.readAllStandardError())};
}

} // namespace

class TestBatchSplit : public QObject {
    Q_OBJECT
private slots:
    void split_data();
    void split();
    void chaptersBecomeParts();
    void bookmarksChosenByName();
    void dryRunPlanAsJson();
    void partsOfAtMostASize();
    void manyDocumentsInOneRun_data();
    void manyDocumentsInOneRun();
    void separatorSheetsOfAScannedStack_data();
    void separatorSheetsOfAScannedStack();
};

void TestBatchSplit::split_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("options"); // the user's options.ini
    QTest::addColumn<QString>("existing"); // a file that is there before the run
    QTest::addColumn<bool>("readOnly"); // and that the engine must not write over
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("outputs"); // in part order, each with its pages in `ranges`
    QTest::addColumn<QString>("ranges");
    QTest::addColumn<QString>("message");

    const auto row = [](const char *name, const QStringList &arguments, int exitCode, const QString &message,
                        const QStringList &outputs = {}, const QString &ranges = {}, const QString &existing = {},
                        bool readOnly = false, const QByteArray &options = kBesideTheDocument) {
        QTest::newRow(name) << arguments << options << existing << readOnly << exitCode << outputs << ranges << message;
    };
    const QStringList beside{"ten 1.pdf", "ten 2.pdf", "ten 3.pdf"};
    const QStringList atFourAndEight{"--split", "ten.pdf", "--at", "4,8"};
    row("atFourAndEight", atFourAndEight + QStringList{"--output-folder", "out"}, 0, "",
        {"out/ten 1.pdf", "out/ten 2.pdf", "out/ten 3.pdf"}, "1-3 4-7 8-10");
    row("everyFourBesideTheDocument", {"--split", "ten.pdf", "--every", "4"}, 0, "", beside, "1-4 5-8 9-10");
    row("patternAndArchive",
        {"--split", "ten.pdf", "--at", "6", "--pattern", "{basename} p{pagebegin}", "--archive-folder", "archive"}, 0,
        "archived", {"ten p1.pdf", "ten p6.pdf"}, "1-5 6-10");
    // Text in braces that is no token is named once, and written as it stands.
    row("unknownTokens", {"--split", "ten.pdf", "--at", "6", "--pattern", "{part:00} {x} {part} {x}"}, 0,
        "warning: unknown tokens {part:00}, {x} in the pattern; the tokens are {basename} {part}",
        {"{part:00} {x} 1 {x}.pdf", "{part:00} {x} 2 {x}.pdf"}, "1-5 6-10");
    // A page that says "Page 4" is a separator: it begins a part, or is left out; with --at the
    // break points join.
    const QStringList atPageFour{"--split", "ten.pdf", "--at-separators", "text:page  4"};
    row("textSeparator", atPageFour, 0, "looking for separators: page 10 of 10", {"ten 1.pdf", "ten 2.pdf"},
        "1-3 4-10");
    // The pages that show "Page" (page 7's crop box hides it) each begin a document, side by
    // side, none merged into the one before it. Page 10's text lies outside its crop box.
    QStringList eachAPart;
    for (int part = 1; part <= 8; ++part)
        eachAPart << QString("ten %1.pdf").arg(part);
    row("textStartsSideBySide", {"--split", "ten.pdf", "--at-separators", "text:page"}, 0,
        "warning: Page 10 has no text to search", eachAPart, "1-1 2-2 3-3 4-4 5-5 6-7 8-8 9-10");
    row("textSeparatorDropped", atPageFour + QStringList{"--drop-separators", "--at", "8"}, 0, "", beside,
        "1-3 5-7 8-10");
    // The line where the phrase begins names the part it begins; a part before any takes the
    // document's name.
    row("textSeparatorNamesItsPart", atPageFour + QStringList{"--pattern", "{part} {separator}"}, 0, "",
        {"1 ten 1.pdf", "2 Page 4.pdf"}, "1-3 4-10");
    // An expression's first group names the part its page begins.
    row("expressionNamesItsPart",
        {"--split", "ten.pdf", "--at-separators", "match:pa.e (4)\\b", "--pattern", "{part} {separator}"}, 0, "",
        {"1 ten 1.pdf", "2 4.pdf"}, "1-3 4-10");
    // A part begins where the value changes; pages without one stay with the part before.
    row("valueChanges", {"--split", "ten.pdf", "--at-change", "pa.e ([1-3])\\b"}, 0, "", beside, "1-1 2-2 3-10");
    row("valueChangeNoExpression", {"--split", "ten.pdf", "--at-change", "(x"}, 2,
        "--at-change (x: missing closing parenthesis");
    // Alone, it still names part 1 apart from the document, beside it.
    row("separatorAloneBesideTheDocument", atPageFour + QStringList{"--pattern", "{separator}"}, 0, "",
        {"ten 1.pdf", "Page 4.pdf"}, "1-3 4-10");
    // A way of placing break points that finds nothing says so, and the run goes on.
    row("phraseFoundNowhere", {"--split", "ten.pdf", "--at-separators", "text:nowhere", "--at", "6"}, 0,
        "warning: No page's text contains \"nowhere\". --at-separators places no break point.",
        {"ten 1.pdf", "ten 2.pdf"}, "1-5 6-10");
    row("sizeTheDocumentFits", {"--split", "ten.pdf", "--max-size", "1G", "--at", "6"}, 0,
        "warning: the whole document fits in one part of at most 1 GB",
        {"ten 1.pdf", "ten 2.pdf"}, "1-5 6-10");
    row("separatorKindUnknown", {"--split", "ten.pdf", "--at-separators", "grey"}, 2,
        "give blank, dark, barcode, barcode:TEXT, text:PHRASE or match:REGEX");
    // A dry run prints the plan and what is in the way, and writes nothing.
    row("dryRun", atFourAndEight + QStringList{"--dry-run"}, 0, "part 3 of 3: pages 8-10 -> ");
    row("dryRunFileInTheWay", atFourAndEight + QStringList{"--dry-run"}, 1, "ten 2.pdf (exists)", {}, {}, "ten 2.pdf");
    row("planFormatWithoutDryRun", atFourAndEight + QStringList{"--plan-format", "json"}, 2, "give --dry-run too");
    row("bookmarkMatchAlone", {"--split", "ten.pdf", "--bookmark-match", "x"}, 2, "give --at-bookmarks LEVEL too");
    row("bookmarkMatchNoExpression", {"--split", "ten.pdf", "--at-bookmarks", "1", "--bookmark-match", "(x"}, 2,
        "--bookmark-match (x: missing closing parenthesis");
    row("dropWithoutSeparators", {"--split", "ten.pdf", "--drop-separators"}, 2, "give --at-separators too");
    row("pageOne", {"--split", "ten.pdf", "--at", "4,1"}, 2, "--at 1: the document has 10 pages");
    row("pageAfterTheLast", {"--split", "ten.pdf", "--at", "11"}, 2, "can begin at page 2 to 10 only");
    row("notANumber", {"--split", "ten.pdf", "--at", "4,x"}, 2, "\"x\" is not a page number");
    row("atAndEvery", {"--split", "ten.pdf", "--at", "4", "--every", "2"}, 2, "cannot be used together");
    row("missingDocument", {"--split", "missing.pdf"}, 1, "missing.pdf does not exist");
    row("notAPdf", {"--split", "notes.pdf"}, 1, "could not be read: it is not a PDF", {}, {}, "notes.pdf");
    row("existingOutputKept", atFourAndEight, 1, "This file already exists:", {}, {}, "ten 2.pdf");
    row("existingOutputReplaced", atFourAndEight + QStringList{"--replace"}, 0, "", beside, "1-3 4-7 8-10",
        "ten 2.pdf");
    // The engine would refuse it, so it stops the split before anything is written.
    row("readOnlyOutputRefused", {"--split", "ten.pdf", "--every", "4", "--replace"}, 1,
        "Part 2 cannot be written to", {}, {}, "ten 2.pdf", true);
    row("optionsAskForAFolder", atFourAndEight, 2, "Pass --output-folder DIR", {}, {}, {}, false,
        "[Setting]\nSaveFileType=1\n");
    // Options far larger than options take are not read (here, ask for a folder), and it is said.
    row("optionsTooLargeToRead", {"--split", "ten.pdf", "--at", "6"}, 0, "options.ini is larger than 1024 KiB",
        {"ten 1.pdf", "ten 2.pdf"}, "1-5 6-10", {}, false, "[Setting]\nSaveFileType=1\n" + QByteArray(2 << 20, ';'));
    row("archiveFolderMissing", atFourAndEight + QStringList{"--archive-folder", "gone"}, 1, "gone does not exist");
    // One engine at a time writes the same parts as several at once (the other rows: one per core).
    row("oneJob", atFourAndEight + QStringList{"--jobs", "1"}, 0, "", beside, "1-3 4-7 8-10");
    row("maxSizeZero", atFourAndEight + QStringList{"--max-size", "0"}, 2, "--max-size 0: A part cannot be at most 0");
    row("jobsZero", atFourAndEight + QStringList{"--jobs", "0"}, 2, "--jobs 0: give how many engines");
    row("version", {"--version"}, 0, "Quirewright " QUIREWRIGHT_VERSION);
    row("help", {"--help"}, 0, "Exit codes: 0 every part was written");
}

void TestBatchSplit::split()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, options);
    QFETCH(QString, existing);
    QFETCH(bool, readOnly);
    QFETCH(int, exitCode);
    QFETCH(QStringList, outputs);
    QFETCH(QString, ranges);
    QFETCH(QString, message);

    QTemporaryDir config;
    QTemporaryDir dir;
    const QString work = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY(PdfFixtures::write(work + "/ten.pdf", PdfFixtures::tenPages()));
    QVERIFY(QDir(work).mkdir("out") && QDir(work).mkdir("archive"));
    if (!existing.isEmpty())
        QVERIFY(PdfFixtures::write(work + '/' + existing, "old"));
    if (readOnly)
        QVERIFY(QFile::setPermissions(work + '/' + existing, QFile::ReadOwner));
    // The user's file is read before the one beside the program, which other tests may write.
    QVERIFY(QDir(config.path()).mkdir("Ardenne Quirewright"));
    QVERIFY(PdfFixtures::write(config.filePath("Ardenne Quirewright/options.ini"), options));
    const QMap<QString, qint64> before = listing(work);

    const auto [exited, said] = run(arguments, work, config.path());
    QVERIFY2(exited == exitCode, qPrintable(said));
    QVERIFY2(said.contains(message), qPrintable(said));

    if (outputs.isEmpty()) {
        QCOMPARE(listing(work), before);
        return;
    }
    QStringList expected = before.keys() + outputs;
    if (arguments.contains("--archive-folder"))
        expected.replace(expected.indexOf("ten.pdf"), "archive/ten.pdf");
    expected.sort();
    expected.removeDuplicates();
    QCOMPARE(listing(work).keys(), expected);
    const QStringList pages = ranges.split(' ');
    for (int part = 0; part < outputs.size(); ++part) {
        const QString path = QDir::toNativeSeparators(work + '/' + outputs.at(part));
        const QString progress = QString("part %1 of %2: pages %3 -> %4\n").arg(part + 1).arg(outputs.size());
        QVERIFY2(said.contains(progress.arg(pages.at(part), path)), qPrintable(said));
        const int first = pages.at(part).section('-', 0, 0).toInt();
        const int last = pages.at(part).section('-', 1, 1).toInt();
        PdfProbe probe(path);
        QVERIFY2(probe.isOpen(), qPrintable(probe.error()));
        QCOMPARE(probe.pageCount(), last - first + 1);
        for (int page = 0; page < probe.pageCount(); ++page)
            QCOMPARE(probe.page(page).text.simplified().section(' ', 0, 1), QString("Page %1").arg(first + page));
    }
}

// Only the chapters whose title matches begin parts (a search, case ignored); every bookmark
// still names the part it begins in.
void TestBatchSplit::bookmarksChosenByName()
{
    QTemporaryDir config;
    QTemporaryDir dir;
    const QString work = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY(PdfFixtures::write(work + "/manual.pdf", PdfFixtures::chapters(20, 3)));
    QVERIFY(QDir(work).mkdir("parts"));
    const auto [exited, said] = run({"--split", "manual.pdf", "--at-bookmarks", "1", "--bookmark-match", "TER 1[0-9]$",
                                     "--pattern", "{part:0000} {bookmark}", "--output-folder", "parts"},
                                    work, config.path());
    QVERIFY2(exited == 0, qPrintable(said));
    QStringList expected{"0001 Chapter 1.pdf"};
    for (int chapter = 10; chapter <= 19; ++chapter)
        expected << QString("%1 Chapter %2.pdf").arg(chapter - 8, 4, 10, QChar('0')).arg(chapter);
    QCOMPARE(QDir(work + "/parts").entryList(QDir::Files, QDir::Name), expected);
    QCOMPARE(PdfProbe(work + "/parts/" + expected.first()).pageCount(), 27);
    QCOMPARE(PdfProbe(work + "/parts/" + expected.last()).pageCount(), 6);
}

// The plan as scripts read it: the document, its pages, each part with its pages and final
// path and whether a file is in the way, and the refusals; the exit code the run would have.
void TestBatchSplit::dryRunPlanAsJson()
{
    QTemporaryDir config;
    QTemporaryDir dir;
    const QString work = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY(PdfFixtures::write(work + "/ten.pdf", PdfFixtures::tenPages()));
    QVERIFY(PdfFixtures::write(work + "/ten 2.pdf", "old"));
    QVERIFY(QDir(config.path()).mkdir("Ardenne Quirewright"));
    QVERIFY(PdfFixtures::write(config.filePath("Ardenne Quirewright/options.ini"), kBesideTheDocument));
    const auto [exited, said] = run({"--split", "ten.pdf", "--at", "4,8", "--dry-run", "--plan-format", "json"}, work,
                                    config.path());
    QCOMPARE(exited, 1);
    QJsonParseError error;
    const QJsonObject plan = QJsonDocument::fromJson(said.toUtf8(), &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(said));
    QCOMPARE(plan.value("document").toString(), work + "/ten.pdf");
    QCOMPARE(plan.value("pageCount").toInt(), 10);
    const QJsonArray parts = plan.value("parts").toArray();
    QCOMPARE(parts.size(), 3);
    const QList<std::pair<int, int>> pages{{1, 3}, {4, 7}, {8, 10}};
    for (int i = 0; i < 3; ++i) {
        const QJsonObject part = parts.at(i).toObject();
        QCOMPARE(part.value("number").toInt(), i + 1);
        QCOMPARE(std::pair(part.value("firstPage").toInt(), part.value("lastPage").toInt()), pages.at(i));
        QCOMPARE(part.value("path").toString(), work + QString("/ten %1.pdf").arg(i + 1));
        QCOMPARE(part.value("exists").toBool(), i == 1);
        QCOMPARE(part.value("leftOut").toArray().size(), 0);
    }
    QCOMPARE(plan.value("refusals").toArray().size(), 1);
    QCOMPARE(QDir(work).entryList(QDir::Files).size(), 2); // nothing written
}

void TestBatchSplit::separatorSheetsOfAScannedStack_data()
{
    QTest::addColumn<int>("sheet"); // ScanFixtures::Sheet between the letters
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QList<int>>("pages"); // of each part
    QTest::addColumn<QString>("separator"); // what {separator} names the second and third parts
    QTest::addColumn<QString>("warning"); // said when nothing is found, or why it cannot be
    using Sheet = ScanFixtures::Sheet;
    const QStringList drop{"--drop-separators"};
    QTest::newRow("blank") << int(Sheet::BleedThrough) << QStringList{"blank"} << QList<int>{3, 2, 5} << "" << "";
    QTest::newRow("blankDropped") << int(Sheet::BleedThrough) << QStringList{"blank"} + drop << QList<int>{3, 1, 4}
                                  << "" << "";
    QTest::newRow("darkDropped") << int(Sheet::Black) << QStringList{"dark"} + drop << QList<int>{3, 1, 4} << ""
                                 << "";
    QTest::newRow("qrCodeDropped") << int(Sheet::QrCode) << QStringList{"barcode"} + drop << QList<int>{3, 1, 4}
                                   << ScanFixtures::kQrText << "";
    QTest::newRow("code128WithItsText") << int(Sheet::Code128) << QStringList{"barcode:sep-128"}
                                        << QList<int>{3, 2, 5} << ScanFixtures::kCode128Text << "";
    QTest::newRow("barcodeWithOtherText")
        << int(Sheet::Code128) << QStringList{"barcode:invoice"} << QList<int>{10} << ""
        << "warning: No page has a barcode containing \"invoice\". --at-separators places no break point.";
    // A scan has no text: the phrase cannot be found, and the run says why.
    QTest::newRow("phraseOnScans") << int(Sheet::QrCode) << QStringList{"text:sep"} << QList<int>{10} << ""
                                   << "warning: 10 pages have no text to search (scanned pages have none)";
}

// A stack as a scanner makes it: "3 pages, separator, 1 page, separator, 4 pages". Every kind
// of separator is found, and no letter page is taken for one.
void TestBatchSplit::separatorSheetsOfAScannedStack()
{
    QFETCH(int, sheet);
    QFETCH(QStringList, arguments);
    QFETCH(QList<int>, pages);
    QFETCH(QString, separator);
    QFETCH(QString, warning);
    using Sheet = ScanFixtures::Sheet;
    const auto between = Sheet(sheet);
    QTemporaryDir config;
    QTemporaryDir dir;
    const QString work = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY(PdfFixtures::write(work + "/stack.pdf",
                               ScanFixtures::stack({Sheet::Letter, Sheet::Letter, Sheet::LetterEnd, between,
                                                    Sheet::LetterEnd, between, Sheet::Letter, Sheet::Letter,
                                                    Sheet::Letter, Sheet::LetterEnd})));
    QVERIFY(QDir(work).mkdir("parts"));
    const auto [exited, said] = run(QStringList{"--split", "stack.pdf", "--pattern", "{part} {separator}",
                                                "--output-folder", "parts", "--at-separators"}
                                        + arguments,
                                    work, config.path());
    QVERIFY2(exited == 0, qPrintable(said));
    QVERIFY2(said.contains(warning), qPrintable(said));
    // A part that no separator names takes the document's name and its number.
    QStringList names;
    for (int part = 1; part <= pages.size(); ++part)
        names << QString("%1 %2.pdf").arg(part).arg(part == 1 || separator.isEmpty() ? QString("stack %1").arg(part) : separator);
    QCOMPARE(QDir(work + "/parts").entryList(QDir::Files, QDir::Name), names);
    for (int part = 0; part < pages.size(); ++part)
        QCOMPARE(PdfProbe(work + "/parts/" + names.at(part)).pageCount(), pages.at(part));
}

void TestBatchSplit::chaptersBecomeParts()
{
    // A manual of 20 chapters of 3 pages, each with a section: one part per chapter, named
    // after it, opening with its own bookmarks; the page count, the break points and the names
    // all come from one report of the engine.
    QTemporaryDir config;
    QTemporaryDir dir;
    const QString work = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY(PdfFixtures::write(work + "/manual.pdf", PdfFixtures::chapters(20, 3)));
    QVERIFY(QDir(work).mkdir("parts"));
    const auto [exited, said] = run({"--split", "manual.pdf", "--at-bookmarks", "1", "--pattern",
                                     "{part:0000} {bookmark}", "--output-folder", "parts"},
                                    work, config.path(), {"QT_LOGGING_RULES=quirewright.engine.debug=true"});
    QVERIFY2(exited == 0, qPrintable(said));
    QCOMPARE(said.count(" dump_data "), 1);
    QStringList expected;
    for (int chapter = 1; chapter <= 20; ++chapter)
        expected << QString("%1 %2.pdf")
                        .arg(chapter, 4, 10, QChar('0'))
                        .arg(chapter == 3 ? "Chapter 3: Input-Output" : QString("Chapter %1").arg(chapter));
    QCOMPARE(QDir(work + "/parts").entryList(QDir::Files, QDir::Name), expected);
    for (int chapter = 1; chapter <= 20; ++chapter) {
        PdfProbe probe(work + "/parts/" + expected.at(chapter - 1));
        QVERIFY2(probe.isOpen(), qPrintable(probe.error()));
        QCOMPARE(probe.pageCount(), 3);
        QStringList outline;
        for (const QString &line : probe.outline())
            outline << line.section('|', 0, 2);
        const QString title = chapter == 3 ? "Chapter 3: Input/Output" : QString("Chapter %1").arg(chapter);
        QCOMPARE(outline, QStringList({"1|" + title + "|1", QString("2|Section %1.1|2").arg(chapter)}));
    }
}

// Pages of 40 KB with a font every part carries: parts of at most 150 KB, each as the plan said,
// joined by the break points of --at; the page that alone is larger is a part of its own, named.
void TestBatchSplit::partsOfAtMostASize()
{
    QTemporaryDir config;
    QTemporaryDir dir;
    const QString work = QFileInfo(dir.path()).canonicalFilePath();
    QList<int> images(12, 40000);
    images[7] = 200000;
    QVERIFY(PdfFixtures::write(work + "/heavy.pdf", PdfFixtures::weighted(images, 20000)));
    QVERIFY(QDir(work).mkdir("parts"));
    const QStringList arguments{"--split", "heavy.pdf", "--max-size", "150K", "--at", "3", "--output-folder", "parts"};
    const auto [planned, plan] = run(arguments + QStringList{"--dry-run"}, work, config.path());
    QVERIFY2(planned == 0, qPrintable(plan));
    const auto [exited, said] = run(arguments, work, config.path());
    QVERIFY2(exited == 0, qPrintable(said));
    QVERIFY2(said.contains("warning: Page 8 alone is larger than 150 KB"), qPrintable(said));
    const QStringList parts = QDir(work + "/parts").entryList(QDir::Files, QDir::Name);
    qint64 total = 0;
    int pages = 0;
    for (const QString &part : parts) {
        const QString path = work + "/parts/" + part;
        const int count = PdfProbe(path).pageCount();
        QVERIFY2(QFileInfo(path).size() <= 150000 || count == 1, qPrintable(part));
        QVERIFY2(plan.contains(QString(": pages %1-%2 -> %3").arg(pages + 1).arg(pages + count).arg(path)),
                 qPrintable(plan));
        QVERIFY2(pages >= 2 || pages + count <= 2, "a part runs over the break point of --at");
        pages += count;
        total += QFileInfo(path).size();
    }
    QCOMPARE(pages, 12);
    QVERIFY2(parts.size() <= 2 * ((total + 149999) / 150000) + 1, qPrintable(parts.join(", ")));
}

void TestBatchSplit::manyDocumentsInOneRun_data()
{
    QTest::addColumn<QStringList>("arguments"); // after "--split"
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("outputs"); // every file the run leaves in "parts"
    QTest::addColumn<QString>("summary"); // its last line
    QTest::addColumn<QString>("lang");

    const QStringList every5{"--every", "5", "--output-folder", "parts"};
    const QStringList aAndC{"a 1.pdf", "a 2.pdf", "c 1.pdf", "c 2.pdf"};
    // A folder stands for its PDFs in name order; the one that is not a PDF is refused alone.
    QTest::newRow("folder") << QStringList{"in"} + every5 << 1 << aAndC
                            << "quirewright: 3 documents: 2 split, 1 refused, 0 failed" << "";
    QTest::newRow("documents") << QStringList{"in/c.pdf", "in/a.pdf"} + every5 << 0 << aAndC
                               << "quirewright: 2 documents: 2 split, 0 refused, 0 failed" << "";
    // Parts of two documents on one name: the second is refused, even with --replace, rather
    // than write over the first's.
    QTest::newRow("sameNames") << QStringList{"in/a.pdf", "in/c.pdf", "--pattern", "{part}", "--replace"} + every5
                               << 1 << QStringList{"1.pdf", "2.pdf"}
                               << "quirewright: 2 documents: 1 split, 1 refused, 0 failed" << "";
    QTest::newRow("emptyFolder") << QStringList{"parts"} + every5 << 1 << QStringList{} << "has no PDF documents" << "";
    QTest::newRow("dryRun") << QStringList{"in", "--dry-run"} + every5 << 1 << QStringList{}
                            << "quirewright: 3 documents: 2 can be split, 1 refused" << "";
    // Scripts read it line by line: the summary stays English in every language, and a line
    // break in a document's name never splits a progress line.
    QTest::newRow("lineBreakInANameInGerman")
        << QStringList{"in/a.pdf", "in/line\nbreak.pdf"} + every5 << 0
        << QStringList{"a 1.pdf", "a 2.pdf", "line\nbreak 1.pdf", "line\nbreak 2.pdf"}
        << "quirewright: 2 documents: 2 split, 0 refused, 0 failed" << "de_DE.UTF-8";
}

// The same options for each document in turn or at once, each with its own checks; the last
// line sums the run up, and the exit code is 0 only if every document was split.
void TestBatchSplit::manyDocumentsInOneRun()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, outputs);
    QFETCH(QString, summary);
    QFETCH(QString, lang);
    QTemporaryDir config;
    QTemporaryDir dir;
    const QString work = QFileInfo(dir.path()).canonicalFilePath();
    QVERIFY(QDir(work).mkdir("in") && QDir(work).mkdir("parts"));
    QVERIFY(PdfFixtures::write(work + "/in/a.pdf", PdfFixtures::tenPages()));
    const bool lineBreak = arguments.contains("in/line\nbreak.pdf");
    if (lineBreak)
        QVERIFY(PdfFixtures::write(work + "/in/line\nbreak.pdf", PdfFixtures::tenPages()));
    QVERIFY(PdfFixtures::write(work + "/in/b.pdf", "not a PDF"));
    QVERIFY(PdfFixtures::write(work + "/in/c.pdf", PdfFixtures::tenPages()));
    QVERIFY(PdfFixtures::write(work + "/in/notes.txt", "not a document"));
    const auto [exited, said] = run(QStringList{"--split"} + arguments + QStringList{"--jobs", "2"}, work,
                                    config.path(), lang.isEmpty() ? QStringList() : QStringList{"LC_ALL=" + lang});
    QVERIFY2(exited == exitCode, qPrintable(said));
    QVERIFY2(said.trimmed().section('\n', -1).contains(summary), qPrintable(said));
    QCOMPARE(QDir(work + "/parts").entryList(QDir::Files, QDir::Name), outputs);
    for (const QString &output : outputs)
        QCOMPARE(PdfProbe(work + "/parts/" + output).pageCount(), 5);
    if (lineBreak) {
        QVERIFY2(said.contains("[2/2] splitting " + work + "/in/line?break.pdf\n"), qPrintable(said));
        QVERIFY2(said.contains("[2/2] part 2 of 2: pages 6-10 -> " + work + "/parts/line?break 2.pdf\n"),
                 qPrintable(said));
    }
    if (arguments.first() == "in" && !arguments.contains("--dry-run")) {
        // Each line says which document it is about, and the refused one is named.
        QVERIFY2(said.contains("[2/3] quirewright: The document " + work + "/in/b.pdf could not be read"),
                 qPrintable(said));
        QVERIFY2(said.contains("[3/3] part 2 of 2: pages 6-10 -> " + work + "/parts/c 2.pdf"), qPrintable(said));
    }
}

// A GUI application, for the scans this test paints.
QTEST_MAIN(TestBatchSplit)
#include "tst_batchsplit.moc"
