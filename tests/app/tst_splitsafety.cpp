// What a split promises about the user's files, through the real engine, in the window and in
// the batch mode alike: the checks look at the very files the engine writes (links followed),
// a relative output folder lies beside the document, a document that changes stops the split,
// a file that appears meanwhile is never replaced (so two splits into one folder never mix), and
// everything that would stop a part is found before the first. The batch mode also stops its
// engine on a signal. This program runs beside the engine, as the window does.
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "framework/AppMessageBox.h"
#include "split/SplitPlan.h"
#include "split/SplitRefusal.h"

#include "PdfFixtures.h"
#include "PdfProbe.h"
#include "support/OwnOptions.h"

#include <QCryptographicHash>
#include <QMimeData>
#include <QDirIterator>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qw;

namespace {

const QString kSuccess = QStringLiteral("Split PDF file success! Do you want to open the output directory?");

// A split as the user asks for it; the window and the batch mode are told the same.
struct Request {
    QString document; // relative to the work folder
    int every = 0;
    QString pattern;
    QString outputFolder; // relative to the work folder; empty: beside the document
    bool folderFromOptions = false; // named relative in the options, not on the command line
    bool replace = false; // --replace, or Yes to the question

    Request(QString document = {}, int every = 0, QString pattern = QStringLiteral("{basename} {part}"),
            QString outputFolder = {}, bool folderFromOptions = false, bool replace = false)
        : document(std::move(document)), every(every), pattern(std::move(pattern)),
          outputFolder(std::move(outputFolder)), folderFromOptions(folderFromOptions), replace(replace)
    {
    }
};

struct Outcome {
    bool succeeded = false; // exit 0, or the success prompt
    int exitCode = -1; // the batch mode's; the window's is 0 on success, else 1
    QString said; // standard error, or every message the window showed
};

// Asked again and again while a split runs, until it says it has done its part.
using Meddler = std::function<bool()>;

class WindowUnderTest : public SplitterDlg {
public:
    Request request;
    QString work;
    bool RunOptionsDialog() override
    {
        Options.SaveFileType = request.outputFolder.isEmpty() ? 3 : 2;
        Options.OutFolderName = request.folderFromOptions || request.outputFolder.isEmpty()
                                    ? request.outputFolder
                                    : work + '/' + request.outputFolder;
        Options.FileNamePattern = request.pattern;
        Options.ArchiveButtonState = 0;
        return true;
    }
};

void writeLabelledPdf(const QString &path, int pages, const QString &label)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A6));
    QPainter painter(&writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        painter.drawText(QRect(0, 0, 1000, 400), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("%1 %2").arg(label).arg(page));
    }
}

// "Page 4-6" when the file holds the pages "Page 4" to "Page 6", else what it holds.
QString pagesIn(const QString &path)
{
    PdfProbe probe(path);
    if (!probe.isOpen() || probe.pageCount() == 0)
        return QStringLiteral("unreadable");
    // The first two words of a page: "Page 7".
    const auto text = [&](int page) { return probe.page(page).text.simplified().section(' ', 0, 1); };
    const auto number = [&](int page) { return text(page).section(' ', 1).toInt(); };
    for (int page = 1; page < probe.pageCount(); ++page)
        if (number(page) != number(page - 1) + 1)
            return QStringLiteral("out of order");
    return probe.pageCount() == 1 ? text(0) : text(0) + '-' + QString::number(number(probe.pageCount() - 1));
}

// Every file below `folder` with a digest of its contents (pipes and links by their kind).
QMap<QString, QString> listing(const QString &folder)
{
    QMap<QString, QString> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QString what = it.fileInfo().isSymLink() ? "link" : "special";
        QFile file(path);
        if (it.fileInfo().isFile() && !it.fileInfo().isSymLink() && file.open(QIODevice::ReadOnly))
            what = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex();
        files.insert(QDir(folder).relativeFilePath(path), what);
    }
    return files;
}

} // namespace

Q_DECLARE_METATYPE(Request)

class TestSplitSafety : public QObject {
    Q_OBJECT
private slots:
    void init();
    void checksFollowTheFileSystem_data();
    void checksFollowTheFileSystem();
    void meddlingStopsTheSplit_data();
    void meddlingStopsTheSplit();
    void signalStopsTheEngine_data();
    void signalStopsTheEngine();
    void engineEndsWithAKilledProgram();
    void fullTemporaryFolderIsNamed();
    void namesThatAreNotUtf8AreRefused_data();
    void namesThatAreNotUtf8AreRefused();

private:
    Outcome split(bool window, const Request &request, const Meddler &meddle = {},
                  const QStringList &environment = {});
    Outcome splitInWindow(const Request &request, const Meddler &meddle);
    QProcess *startBatch(const Request &request, const QStringList &environment = {},
                         const QString &program = QStringLiteral(QUIREWRIGHT_PATH));
    static Outcome finishBatch(QProcess &program, const Meddler &meddle);
    QString at(const QString &relative) const { return work_ + '/' + relative; }
    bool engineLeft(bool writing = false) const;

    std::unique_ptr<QTemporaryDir> dir_;
    QString work_;
};

void TestSplitSafety::init()
{
    dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/split safety XXXXXX");
    work_ = QFileInfo(dir_->path()).canonicalFilePath();
    QVERIFY(MakeOwnOptions(at("config")));
    QVERIFY(PdfFixtures::write(at("doc.pdf"), PdfFixtures::tenPages()));
}

QProcess *TestSplitSafety::startBatch(const Request &request, const QStringList &environment, const QString &path)
{
    QStringList arguments{"--split", request.document, "--pattern", request.pattern};
    if (request.every > 0)
        arguments << "--every" << QString::number(request.every);
    QByteArray options = "[Setting]\nSaveFileType=3\n";
    if (request.folderFromOptions)
        options = "[Setting]\nSaveFileType=2\nOutFolderName=" + request.outputFolder.toUtf8() + '\n';
    else if (!request.outputFolder.isEmpty())
        arguments << "--output-folder" << request.outputFolder;
    if (request.replace)
        arguments << "--replace";
    PdfFixtures::write(at("config/Ardenne Quirewright/options.ini"), options);

    auto *program = new QProcess(this);
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.remove("DISPLAY");
    variables.insert("XDG_CONFIG_HOME", at("config"));
    for (const QString &entry : environment)
        variables.insert(entry.section('=', 0, 0), entry.section('=', 1));
    program->setProcessEnvironment(variables);
    program->setWorkingDirectory(work_);
    program->setProcessChannelMode(QProcess::MergedChannels);
    program->start(path, arguments);
    program->waitForStarted();
    return program;
}

Outcome TestSplitSafety::finishBatch(QProcess &program, const Meddler &meddle)
{
    bool meddled = !meddle;
    QElapsedTimer clock;
    clock.start();
    while (!program.waitForFinished(2) && clock.elapsed() < 60000)
        if (!meddled)
            meddled = meddle();
    Outcome outcome;
    outcome.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    outcome.succeeded = outcome.exitCode == 0;
    outcome.said = QString::fromLocal8Bit(program.readAll());
    return outcome;
}

Outcome TestSplitSafety::splitInWindow(const Request &request, const Meddler &meddle)
{
    Outcome outcome;
    AppMessageBox::SetResponder([&](const QString &text, unsigned) {
        outcome.said += text + '\n';
        outcome.succeeded = outcome.succeeded || text == kSuccess;
        return text.contains("Do you want to replace") && request.replace ? MsgBox::IdYes : MsgBox::IdNo;
    });
    WindowUnderTest window;
    window.request = request;
    window.work = work_;
    window.Create();
    probe::Open(window, at(request.document));
    const int pages = probe::RowCount(window);
    window.InsertBreakPointsBefore(SplitPlan::BreaksEvery(pages, request.every), 0);
    // The window handles its events between parts and while the engine runs.
    bool meddled = !meddle;
    QTimer meddler;
    connect(&meddler, &QTimer::timeout, [&] { meddled = meddled || meddle(); });
    meddler.start(1);
    window.OnSplit();
    probe::WaitUntilIdle(window);
    meddler.stop();
    AppMessageBox::SetResponder({});
    outcome.exitCode = outcome.succeeded ? 0 : 1;
    return outcome;
}

Outcome TestSplitSafety::split(bool window, const Request &request, const Meddler &meddle,
                               const QStringList &environment)
{
    if (window)
        return splitInWindow(request, meddle);
    std::unique_ptr<QProcess> program(startBatch(request, environment));
    return finishBatch(*program, meddle);
}

// Whether an engine of this test runs (one writing a part if `writing`): its command line names
// the document.
bool TestSplitSafety::engineLeft(bool writing) const
{
    QDirIterator processes("/proc", {"[0-9]*"}, QDir::Dirs);
    while (processes.hasNext()) {
        QFile file(processes.next() + "/cmdline");
        const QByteArray commandLine = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (commandLine.contains(QFile::encodeName(at("doc.pdf")))
            && (!writing || commandLine.contains(QByteArray("\0cat\0", 5))))
            return true;
    }
    return false;
}

void TestSplitSafety::checksFollowTheFileSystem_data()
{
    // Columns: the files to make first ("folder/", "link->target", "pipe", "hard=>target",
    // "name=text"), the request, and what must happen: the files written (name=pages) or the
    // message that refuses the split, all else left exactly as it was.
    QTest::addColumn<bool>("window");
    QTest::addColumn<QStringList>("make");
    QTest::addColumn<Request>("request");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QString>("message");
    // Part 2's refusal, as both modes word it.
    using Kind = SplitRefusal::Kind;
    const auto refused = [](Kind kind, const QString &path) { return SplitRefusal{kind, path, 2}.Text(); };
    for (const bool window : {false, true}) {
        const auto row = [window](const char *name) -> QTestData & {
            return QTest::addRow("%s %s", window ? "window" : "batch", name) << window;
        };
        const QStringList linkedOut{"real/inner/", "out->real/inner", "real/x 1.pdf=old"};
        Request dotDot{"doc.pdf", 5, "../x {part}", "out"};
        // ".." after a linked folder leads beside the link's target: that file is what is asked about.
        row("dotDotAfterALinkedFolderAsks") << linkedOut << dotDot << QStringList()
                                            << "This file already exists:\n\n@/real/x 1.pdf";
        dotDot.replace = true;
        row("dotDotAfterALinkedFolderReplaces")
            << linkedOut << dotDot << QStringList{"real/x 1.pdf=Page 1-5", "real/x 2.pdf=Page 6-10"} << QString();
        // A relative folder of the options lies beside the document, wherever the program started.
        row("relativeOutputFolderFromTheOptions")
            << QStringList{"docs/rel/out/", "docs/doc.pdf=ten"} << Request{"docs/doc.pdf", 5, "{basename} {part}",
                                                                              "rel/out", true}
            << QStringList{"docs/rel/out/doc 1.pdf=Page 1-5", "docs/rel/out/doc 2.pdf=Page 6-10"} << QString();
        // A pattern may lead into subfolders; a part whose folder is missing stops the split first.
        row("patternIntoAMissingFolder") << QStringList{"o/1/"} << Request{"doc.pdf", 5, "{part}/x", "o"}
                                         << QStringList() << refused(Kind::PartFolderMissing, "@/o/2/x.pdf");
        row("pipeAtPartTwo") << QStringList{"doc 2.pdf|"} << Request{"doc.pdf", 4} << QStringList()
                             << refused(Kind::NotAFileInTheWay, "@/doc 2.pdf");
        row("hardLinkToTheDocumentAtPartTwo")
            << QStringList{"doc 2.pdf=>doc.pdf"} << Request{"doc.pdf", 4, "{basename} {part}", {}, false, true}
            << QStringList() << refused(Kind::PartOverDocument, "@/doc 2.pdf");
    }
}

void TestSplitSafety::checksFollowTheFileSystem()
{
    QFETCH(bool, window);
    QFETCH(QStringList, make);
    QFETCH(Request, request);
    QFETCH(QStringList, written);
    QFETCH(QString, message);
    for (const QString &item : make) {
        if (item.endsWith('/'))
            QVERIFY(QDir(work_).mkpath(item));
        else if (item.endsWith('|'))
            QVERIFY(::mkfifo(QFile::encodeName(at(item.chopped(1))).constData(), 0644) == 0);
        else if (item.contains("=>"))
            QVERIFY(::link(QFile::encodeName(at(item.section("=>", 1))).constData(),
                           QFile::encodeName(at(item.section("=>", 0, 0))).constData())
                    == 0);
        else if (item.contains("->"))
            QVERIFY(QFile::link(at(item.section("->", 1)), at(item.section("->", 0, 0))));
        else if (item.endsWith("=ten"))
            QVERIFY(PdfFixtures::write(at(item.section('=', 0, 0)), PdfFixtures::tenPages()));
        else
            QVERIFY(PdfFixtures::write(at(item.section('=', 0, 0)), item.section('=', 1).toUtf8()));
    }
    const QMap<QString, QString> before = listing(work_);

    const Outcome outcome = split(window, request);
    QVERIFY2(outcome.succeeded == message.isEmpty(), qPrintable(outcome.said));
    QVERIFY2(outcome.said.contains(message.replace('@', work_)), qPrintable(outcome.said));
    // The parts hold their pages; nothing else changed, and nothing appeared anywhere else.
    const QString options = "config/Ardenne Quirewright/options.ini";
    QMap<QString, QString> after = listing(work_);
    QMap<QString, QString> expected = before;
    for (const QString &part : written) {
        const QString name = part.section('=', 0, 0);
        QCOMPARE(pagesIn(at(name)), part.section('=', 1));
        expected.insert(name, after.value(name));
    }
    after.remove(options);
    expected.remove(options);
    QCOMPARE(after, expected);
}

void TestSplitSafety::meddlingStopsTheSplit_data()
{
    // What another program does once the split has begun, and what the split must say.
    QTest::addColumn<bool>("window");
    QTest::addColumn<QString>("meddling");
    QTest::addColumn<QStringList>("said");
    for (const bool window : {false, true}) {
        const char *mode = window ? "window" : "batch";
        // Another document of as many pages takes the first one's place after part 2.
        QTest::addRow("%s documentReplaced", mode)
            << window << "replaceDocument"
            << QStringList{"has been replaced, moved or changed since it was opened, so the split was stopped",
                           "@/doc 1.pdf\n@/doc 2.pdf"};
        // The document is rewritten in place after part 2, its size and modification time put
        // back as rsync --inplace -t or a tool that restores the time does: only its change time
        // tells.
        QTest::addRow("%s documentRewrittenInPlace", mode)
            << window << "rewriteInPlace"
            << QStringList{"has been replaced, moved or changed since it was opened, so the split was stopped",
                           "@/doc 1.pdf\n@/doc 2.pdf"};
        // A file with the name of part 100 arrives after part 1.
        QTest::addRow("%s fileAppears", mode)
            << window << "fileAppears"
            << QStringList{"A file of that name appeared while the part was being written"};
    }
}

void TestSplitSafety::meddlingStopsTheSplit()
{
    QFETCH(bool, window);
    QFETCH(QString, meddling);
    QFETCH(QStringList, said);
    QVERIFY(PdfFixtures::write(at("doc.pdf"), PdfFixtures::chapters(20, 6)));
    writeLabelledPdf(at("other.pdf"), 120, "Other");
    const QByteArray intruder = "another program's file";
    // The batch mode's engines run side by side, so part 2 may be finished before part 1.
    const auto firstTwoWritten = [&] { return QFile::exists(at("doc 1.pdf")) && QFile::exists(at("doc 2.pdf")); };
    const Meddler meddle = [&] {
        if (meddling == "fileAppears")
            return QFile::exists(at("doc 1.pdf")) && PdfFixtures::write(at("doc 100.pdf"), intruder);
        if (meddling == "rewriteInPlace") {
            struct stat before { };
            const QByteArray path = QFile::encodeName(at("doc.pdf"));
            QFile document(at("doc.pdf"));
            if (!firstTwoWritten() || ::stat(path.constData(), &before) != 0
                || !document.open(QIODevice::ReadWrite))
                return false;
            const QByteArray rewritten = document.readAll().replace("(Page ", "(Pbge ");
            document.seek(0);
            document.write(rewritten);
            document.close();
            const timespec times[2] = {before.st_atim, before.st_mtim};
            return ::utimensat(AT_FDCWD, path.constData(), times, 0) == 0;
        }
        return firstTwoWritten() && ::rename(QFile::encodeName(at("other.pdf")).constData(),
                                                          QFile::encodeName(at("doc.pdf")).constData())
                                                     == 0;
    };
    const Outcome outcome = split(window, {"doc.pdf", 1}, meddle);
    QVERIFY2(!outcome.succeeded && outcome.exitCode == 1, qPrintable(outcome.said));
    for (const QString &text : said)
        QVERIFY2(outcome.said.contains(QString(text).replace('@', work_)), qPrintable(outcome.said));

    // Every part written holds its own pages of the document that was opened; the other
    // program's file is as it wrote it; nothing half-written stays.
    QStringList parts = QDir(work_).entryList({"doc *.pdf"});
    if (meddling == "fileAppears") {
        // The window writes one part at a time; the batch mode's second engine may go on with
        // the parts after while part 100 is written (on a busy machine, more than one), and
        // those have no file in their way.
        const int begunAfter = int(parts.size()) - 100;
        QVERIFY2(begunAfter == 0 || (!window && begunAfter > 0 && begunAfter < 20), qPrintable(parts.join(',')));
        QVERIFY2(outcome.said.contains(QString("%1 more parts were not attempted.").arg(20 - begunAfter)),
                 qPrintable(outcome.said));
        QVERIFY(parts.removeOne("doc 100.pdf"));
        QFile kept(at("doc 100.pdf"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), intruder);
    }
    QVERIFY2(parts.size() >= 2 && parts.size() < 120, qPrintable(parts.join(',')));
    for (const QString &part : parts)
        QCOMPARE(pagesIn(at(part)), "Page " + part.section(' ', 1).chopped(4));
    QCOMPARE(QDir(work_).entryList({".quirekit-*"}, QDir::Hidden | QDir::Files), QStringList());
}

void TestSplitSafety::signalStopsTheEngine_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("interrupt") << SIGINT;
    QTest::newRow("terminate") << SIGTERM;
    QTest::newRow("hangUp") << SIGHUP; // the terminal closed
}

void TestSplitSafety::signalStopsTheEngine()
{
    QFETCH(int, signal);
    QVERIFY(PdfFixtures::write(at("doc.pdf"), PdfFixtures::chapters(20, 6)));
    std::unique_ptr<QProcess> program(startBatch({"doc.pdf", 1}));
    const qint64 id = program->processId();
    // Sent to the program alone, as a service manager would: its engine must not run on.
    const Outcome outcome = finishBatch(*program, [&] {
        return QFile::exists(at("doc 2.pdf")) && ::kill(pid_t(id), signal) == 0;
    });
    QCOMPARE(outcome.exitCode, 128 + signal);
    QVERIFY2(outcome.said.contains("The split was cancelled."), qPrintable(outcome.said));
    const QStringList parts = QDir(work_).entryList({"doc *.pdf"});
    QVERIFY2(parts.size() >= 2 && parts.size() < 120, qPrintable(outcome.said));
    QVERIFY2(outcome.said.contains(QString("%1 of 120 parts were written").arg(parts.size())), qPrintable(outcome.said));
    // Nothing half-written stays, and no engine is left to write on after the program ended.
    QTRY_VERIFY_WITH_TIMEOUT(!engineLeft(), 1500);
    QCOMPARE(QDir(work_).entryList({"doc *.pdf"}), parts);
    QCOMPARE(QDir(work_).entryList({".quirekit-*"}, QDir::Hidden | QDir::Files), QStringList());
}

// SIGKILL leaves the program no moment to stop its engines: they end with it all the same, and
// none writes a part afterwards. Here the engine beside a copy of the program takes its time
// before each part, as one writing a large part would.
void TestSplitSafety::engineEndsWithAKilledProgram()
{
    QVERIFY(QDir(work_).mkdir("program"));
    const QString program = at("program/quirewright");
    QVERIFY(QFile::copy(QUIREWRIGHT_PATH, program));
    QVERIFY(PdfFixtures::write(at("program/quirekit.dll"),
                               "#!/bin/sh\ncase \"$*\" in *\" cat \"*) sleep 2;; esac\nexec \"" QUIREKIT_PATH "\" \"$@\"\n"));
    QVERIFY(QFile::setPermissions(at("program/quirekit.dll"), QFile::ReadOwner | QFile::ExeOwner));
    std::unique_ptr<QProcess> batch(startBatch({"doc.pdf", 5}, {}, program));
    // Killed while its engines wait to write the first parts.
    QTRY_VERIFY_WITH_TIMEOUT(engineLeft(true), 10000);
    QVERIFY(::kill(pid_t(batch->processId()), SIGKILL) == 0);
    QVERIFY(batch->waitForFinished(5000));
    // With no engine left (nor the stand-in waiting before it would write), none writes a part.
    QTRY_VERIFY_WITH_TIMEOUT(!engineLeft(), 1500);
    QCOMPARE(QDir(work_).entryList({"doc *.pdf"}), QStringList());
    QCOMPARE(QDir(work_).entryList({".quirekit-*"}, QDir::Hidden | QDir::Files), QStringList());
}

void TestSplitSafety::fullTemporaryFolderIsNamed()
{
    // A temporary folder that cannot take the report is named, not blamed on the document.
    const QString missing = at("no tmp");
    const Outcome batch = split(false, {"doc.pdf", 5}, {}, {"TMPDIR=" + missing});
    QCOMPARE(batch.exitCode, 1);
    QVERIFY2(batch.said.contains("No file for the PDF engine's report could be made in the temporary folder " + missing
                                 + ": "),
             qPrintable(batch.said));
    QVERIFY2(!batch.said.contains("not a PDF"), qPrintable(batch.said));

    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(missing));
    SplitterDlg window;
    window.Create();
    probe::Open(window, at("doc.pdf"));
    qputenv("TMPDIR", saved);
    QVERIFY2(window.Preview().Message().startsWith("No file for the PDF engine's report could be made in the temporary "
                                                "folder "
                                                + missing),
             qPrintable(window.Preview().Message()));
}

void TestSplitSafety::namesThatAreNotUtf8AreRefused_data()
{
    // How the name reaches the program, and whether a file of the lossy decoding's name (the
    // one that would be split instead) is there too.
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("decoy");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString refusal = "is not valid UTF-8, so it cannot be told apart from other names. Rename the file";
    QTest::newRow("batchDocument") << "batch" << false << 1 << refusal;
    QTest::newRow("batchDocumentBesideItsLossyName") << "batch" << true << 1 << refusal;
    QTest::newRow("batchPattern") << "pattern" << false << 2 << "--pattern: the pattern is not valid UTF-8";
    QTest::newRow("windowDialogOrList") << "window" << true << 0 << refusal;
    QTest::newRow("windowDrop") << "drop" << true << 0 << refusal;
}

void TestSplitSafety::namesThatAreNotUtf8AreRefused()
{
    QFETCH(QString, source);
    QFETCH(bool, decoy);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QByteArray raw = QFile::encodeName(work_) + "/d\xe9.pdf";
    QVERIFY(QFile::copy(at("doc.pdf"), at("ok.pdf")));
    QVERIFY(::rename(QFile::encodeName(at("doc.pdf")).constData(), raw.constData()) == 0);
    if (decoy)
        QVERIFY(PdfFixtures::write(at("d\uFFFD.pdf"), PdfFixtures::tenPages()));
    const QMap<QString, QString> before = listing(work_);

    QString said;
    if (source == "batch" || source == "pattern") {
        // The bytes go through the shell: QProcess would encode the arguments as UTF-8.
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", at("config"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.setWorkingDirectory(work_);
        const QString arguments = source == "batch" ? "--split \"$(printf 'd\\351.pdf')\" --every 5"
                                                    : "--split ok.pdf --pattern \"$(printf 'x\\351 {part}')\"";
        program.start("/bin/sh", {"-c", "exec \"$0\" " + arguments, QUIREWRIGHT_PATH});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), exitCode);
        said = QString::fromLocal8Bit(program.readAll());
    } else {
        SplitterDlg window;
        window.Create();
        if (source == "drop") {
            QMimeData data;
            data.setUrls({QUrl::fromEncoded("file://" + raw.toPercentEncoding("/"))});
            window.OnDropFiles(SplitterDlg::DroppedPaths(&data));
            probe::WaitUntilIdle(window);
        } else {
            // What a file dialog or the recent-file list hands over: the lossy text.
            probe::Open(window, QFile::decodeName(raw));
        }
        QCOMPARE(probe::RowCount(window), 0);
        said = window.Preview().Message();
    }
    QVERIFY2(said.contains(message), qPrintable(said));
    QCOMPARE(listing(work_), before);
}

QTEST_MAIN(TestSplitSafety)
#include "tst_splitsafety.moc"
