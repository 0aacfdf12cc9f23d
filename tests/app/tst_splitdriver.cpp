// The window's side of the split, against a stand-in engine beside this program: the parts its
// rows make, the folder prompt, the questions and messages, progress and Cancel, archiving.
#include "app/ProgressPanel.h"
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "controls/OpenLink.h"
#include "framework/AppMessageBox.h"
#include "framework/FileDialogs.h"
#include "res/ResourceIds.h"
#include "split/EngineRunner.h"
#include "split/SplitRefusal.h"
#include "support/StandInEngine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

using namespace qw;

namespace {

// Counts pages ($FAKE_PAGES), and writes parts as the engine does (a new file renamed into
// place), logging "<first>-<last>|<output>" to $FAKE_LOG; the range in $FAKE_FAIL fails with a
// message and no file, and the range in $FAKE_HANG never ends by itself. Every run first takes
// $FAKE_SLOW seconds.
const QByteArray kFakeEngine = R"(#!/bin/sh
[ -n "$FAKE_SLOW" ] && sleep "$FAKE_SLOW"
if [ "$2" = dump_data ]; then printf 'NumberOfPages: %s\n' "$FAKE_PAGES" > "$4"; exit 0; fi
range=${3#A}
printf '%s|%s\n' "$range" "$5" >> "$FAKE_LOG"
if [ "$range" = "$FAKE_FAIL" ]; then echo "quirekit: simulated failure for $range" >&2; exit 1; fi
if [ "$range" = "$FAKE_HANG" ]; then exec sleep 30; fi
printf '%%PDF-1.4 part %s\n' "$range" > "$5.new" && mv "$5.new" "$5"
)";

const QString kSuccess = QStringLiteral("Split PDF file success! Do you want to open the output directory?");

class DriverDlg : public SplitterDlg {
public:
    int optionsShown = 0;
    bool acceptOptions = true;
    std::function<void(OptionsDlg &)> setOptions;

    bool RunOptionsDialog() override
    {
        ++optionsShown;
        if (acceptOptions && setOptions)
            setOptions(Options);
        return acceptOptions;
    }
};

} // namespace

class TestSplitDriver : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void noBreakPointsGiveOneWholePart();
    void breakPointsGiveConsecutiveRanges();
    void folderThatCannotBeShownIsNamed();
    void nothingHappensWithoutRowsOrOk();
    void askedFolderIsPromptedOncePerSplit();
    void cancelledFolderPromptWritesNothing();
    void failedPartIsReportedNotAnnounced_data();
    void failedPartIsReportedNotAnnounced();
    void archiveMovesTheDocument();
    void refusalIsShownAndNothingRuns_data();
    void refusalIsShownAndNothingRuns();
    void progressAndGuardsDuringTheSplit();
    void undoWaitsForTheSplit();
    void cancelStopsTheSplit();
    void existingFilesAreReplacedOnlyWhenAllowed_data();
    void existingFilesAreReplacedOnlyWhenAllowed();
    void unknownTokensAreToldOncePerPattern();
    void windowAnswersWhileTheEngineWorks_data();
    void windowAnswersWhileTheEngineWorks();
    void openingAgainDropsTheDocumentBeingRead();

private:
    QStringList log() const;
    void openWithBreakPoints(int pages, const QList<int> &before);

    QTemporaryDir dir_;
    std::unique_ptr<DriverDlg> dlg_;
    QString document_;
    QStringList messages_;
    QList<unsigned> types_;
    QList<int> partsAtMessage_; // how many parts the engine had been asked for at each message
    int promptAnswer_ = MsgBox::IdNo;
    int replaceAnswer_ = MsgBox::IdNo;
    bool waitCursorOverDialog_ = false;
    QList<QUrl> opened_;
};

void TestSplitDriver::initTestCase()
{
    QVERIFY(InstallStandInEngine(kFakeEngine));
    OpenLinkSeams::SetPlatformOpener([this](const QUrl &url) {
        opened_ << url;
        return true;
    });
    AppMessageBox::SetResponder([this](const QString &text, unsigned type) {
        // Nothing that waits for the user may show the wait cursor.
        waitCursorOverDialog_ |= QGuiApplication::overrideCursor() != nullptr;
        messages_ << text;
        types_ << type;
        partsAtMessage_ << int(log().size());
        if (text == kSuccess)
            return promptAnswer_;
        return (type & 0xF) == MsgBox::YesNo ? replaceAnswer_ : MsgBox::IdOk;
    });
}

void TestSplitDriver::init()
{
    QDir(dir_.path()).removeRecursively();
    QDir().mkpath(dir_.filePath("docs"));
    document_ = dir_.filePath("docs/my \"manual\".pdf");
    QFile doc(document_);
    QVERIFY(doc.open(QIODevice::WriteOnly));
    doc.write("%PDF source");
    doc.close();
    qputenv("FAKE_LOG", dir_.filePath("log").toLocal8Bit());
    qputenv("FAKE_FAIL", "");
    qputenv("FAKE_HANG", "");
    qputenv("FAKE_SLOW", "");
    messages_.clear();
    types_.clear();
    partsAtMessage_.clear();
    opened_.clear();
    promptAnswer_ = MsgBox::IdNo;
    replaceAnswer_ = MsgBox::IdNo;
    waitCursorOverDialog_ = false;
    dlg_ = std::make_unique<DriverDlg>();
    dlg_->Create();
    dlg_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg_.get()));
}

void TestSplitDriver::cleanup()
{
    dlg_.reset();
    FileDialogs::SetFolderResponder({});
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!waitCursorOverDialog_);
}

QStringList TestSplitDriver::log() const
{
    QFile file(dir_.filePath("log"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

void TestSplitDriver::openWithBreakPoints(int pages, const QList<int> &before)
{
    qputenv("FAKE_PAGES", QByteArray::number(pages));
    probe::Open(*dlg_, document_);
    QTreeView *list = probe::PageList(*dlg_);
    for (int page : before) {
        for (int row = 0; row < probe::RowCount(*dlg_); ++row)
            if (probe::RowText(*dlg_, row) == QString::number(page))
                list->setCurrentIndex(list->model()->index(row, 0));
        QTest::keyClick(list, Qt::Key_F2);
    }
}

void TestSplitDriver::noBreakPointsGiveOneWholePart()
{
    openWithBreakPoints(3, {});
    dlg_->setOptions = [](OptionsDlg &o) {
        o.SaveFileType = 3;
        o.FileNamePattern = "{basename} {part} of {filecount}";
    };
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    const QString docs = dir_.filePath("docs");
    QCOMPARE(log(), QStringList{"1-3|" + docs + "/my \"manual\" 1 of 1.pdf"});
    QCOMPARE(messages_, QStringList{kSuccess});
    QVERIFY(opened_.isEmpty()); // answered No
    QCOMPARE(dlg_->focusWidget(), probe::PageList(*dlg_));
    QVERIFY(probe::Button(*dlg_, CtrlId::SplitButton)->isEnabled());
    QVERIFY(probe::Button(*dlg_, CtrlId::OptionsButton)->isEnabled());
    QCOMPARE(dlg_->OutputFolder, docs + "/");
}

void TestSplitDriver::breakPointsGiveConsecutiveRanges()
{
    openWithBreakPoints(10, {4, 8});
    dlg_->setOptions = [this](OptionsDlg &o) {
        o.SaveFileType = 2;
        o.OutFolderName = dir_.filePath("out");
        o.FileNamePattern = "{basename} {part:0000} p{pagebegin}-{pageend}";
    };
    QDir().mkpath(dir_.filePath("out"));
    promptAnswer_ = MsgBox::IdYes;
    QTest::mouseClick(probe::Button(*dlg_, CtrlId::SplitButton), Qt::LeftButton);
    QVERIFY(probe::WaitUntilIdle(*dlg_));
    const QString out = dir_.filePath("out");
    QCOMPARE(log(),
             QStringList({"1-3|" + out + "/my \"manual\" 0001 p1-3.pdf", "4-7|" + out + "/my \"manual\" 0002 p4-7.pdf",
                          "8-10|" + out + "/my \"manual\" 0003 p8-10.pdf"}));
    QCOMPARE(opened_, QList<QUrl>{QUrl::fromLocalFile(out + "/")});
    // The list, the document and the source file are left as they were.
    QCOMPARE(probe::RowCount(*dlg_), 12);
    QVERIFY(QFile::exists(document_));
}

void TestSplitDriver::folderThatCannotBeShownIsNamed()
{
    openWithBreakPoints(2, {});
    dlg_->setOptions = [](OptionsDlg &o) { o.SaveFileType = 3; };
    promptAnswer_ = MsgBox::IdYes;
    // No file manager, and no browser registered to fall back on.
    OpenLinkSeams::SetPlatformOpener([](const QUrl &) { return false; });
    OpenLinkSeams::SetClassReader([](const QString &, QString &) { return 2u; });
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    OpenLinkSeams::SetClassReader({});
    OpenLinkSeams::SetPlatformOpener([this](const QUrl &url) {
        opened_ << url;
        return true;
    });
    QCOMPARE(messages_.size(), 2);
    QCOMPARE(messages_.first(), kSuccess);
    QCOMPARE(messages_.last(), "The output folder could not be opened: no file manager is set up to show it. The "
                               "parts are in\n"
                                   + dir_.filePath("docs") + "/");
}

void TestSplitDriver::nothingHappensWithoutRowsOrOk()
{
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5); // nothing open
    probe::WaitUntilIdle(*dlg_);
    QCOMPARE(dlg_->optionsShown, 0);
    openWithBreakPoints(2, {});
    dlg_->acceptOptions = false;
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    QCOMPARE(dlg_->optionsShown, 1);
    QVERIFY(log().isEmpty());
    QVERIFY(messages_.isEmpty());
    // A document still being read has nothing to split yet.
    dlg_->acceptOptions = true;
    dlg_->OpenDocument(document_);
    QVERIFY(dlg_->IsBusy());
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    QVERIFY(probe::WaitUntilIdle(*dlg_));
    QCOMPARE(dlg_->optionsShown, 1);
    QVERIFY(log().isEmpty());
}

void TestSplitDriver::askedFolderIsPromptedOncePerSplit()
{
    openWithBreakPoints(3, {2, 3});
    dlg_->setOptions = [](OptionsDlg &o) {
        o.SaveFileType = 1;
        o.FileNamePattern = "{basename} {part}";
    };
    QStringList titles;
    FileDialogs::SetFolderResponder([&](const QString &title, const QString &) {
        waitCursorOverDialog_ |= QGuiApplication::overrideCursor() != nullptr;
        titles << title;
        return dir_.filePath("docs");
    });
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    QCOMPARE(titles, QStringList{"Please select a folder"});
    QCOMPARE(log().size(), 3);
    QVERIFY(log().first().startsWith("1-1|" + dir_.filePath("docs") + "/my"));
    QCOMPARE(dlg_->AskedFolder, dir_.filePath("docs"));
}

void TestSplitDriver::cancelledFolderPromptWritesNothing()
{
    openWithBreakPoints(3, {2});
    dlg_->setOptions = [](OptionsDlg &o) { o.SaveFileType = 1; };
    FileDialogs::SetFolderResponder([](const QString &, const QString &) { return QString(); });
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    QVERIFY(log().isEmpty());
    QVERIFY(messages_.isEmpty());
    QVERIFY(probe::Button(*dlg_, CtrlId::SplitButton)->isEnabled());
}

void TestSplitDriver::failedPartIsReportedNotAnnounced_data()
{
    QTest::addColumn<int>("archive");
    QTest::addColumn<QString>("start");
    QTest::newRow("archiving") << 1 << "1 of 3 parts could not be written, so the document was not archived.\n\n";
}

void TestSplitDriver::failedPartIsReportedNotAnnounced()
{
    QFETCH(int, archive);
    QFETCH(QString, start);
    openWithBreakPoints(10, {4, 8});
    QDir().mkpath(dir_.filePath("archive"));
    dlg_->setOptions = [&](OptionsDlg &o) {
        o.SaveFileType = 3;
        o.FileNamePattern = "{basename} {part}";
        o.ArchiveButtonState = archive;
        o.ArchiveFolderName = dir_.filePath("archive");
    };
    qputenv("FAKE_FAIL", "4-7");
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    // The remaining parts are still attempted.
    QCOMPARE(log().size(), 3);
    QVERIFY(QFile::exists(dir_.filePath("docs/my \"manual\" 3.pdf")));
    QCOMPARE(messages_.size(), 1);
    const QString message = messages_.first();
    QVERIFY2(message.startsWith(start), qPrintable(message));
    QVERIFY(message.contains("Part 2 (pages 4 to 7)"));
    QVERIFY(message.contains("quirekit: simulated failure for 4-7"));
    QVERIFY(QFile::exists(document_)); // not archived
}

void TestSplitDriver::archiveMovesTheDocument()
{
    openWithBreakPoints(2, {});
    QDir().mkpath(dir_.filePath("archive"));
    dlg_->setOptions = [this](OptionsDlg &o) {
        o.SaveFileType = 3;
        o.ArchiveButtonState = 1;
        o.ArchiveFolderName = dir_.filePath("archive");
    };
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    QVERIFY(!QFile::exists(document_));
    QVERIFY(QFile::exists(dir_.filePath("archive/my \"manual\".pdf")));
    QCOMPARE(messages_, QStringList{kSuccess});
}

void TestSplitDriver::refusalIsShownAndNothingRuns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("engineAway");
    QTest::addColumn<SplitRefusal::Kind>("refusal");
    QTest::newRow("sameNameForEveryPart") << "{basename} x" << false << SplitRefusal::Kind::TwoPartsOneName;
    QTest::newRow("engineMissing") << "{basename} {part}" << true << SplitRefusal::Kind::EngineMissing;
}

void TestSplitDriver::refusalIsShownAndNothingRuns()
{
    QFETCH(QString, pattern);
    QFETCH(bool, engineAway);
    QFETCH(SplitRefusal::Kind, refusal);
    openWithBreakPoints(3, {2});
    dlg_->setOptions = [&](OptionsDlg &o) {
        o.SaveFileType = 3;
        o.FileNamePattern = pattern;
    };
    const QString engine = EngineRunner::EnginePath();
    if (engineAway)
        QVERIFY(QFile::rename(engine, engine + ".away"));
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    if (engineAway)
        QVERIFY(QFile::rename(engine + ".away", engine));
    QVERIFY(log().isEmpty());
    // The job's refusal, as the window words it.
    const QString docs = QFileInfo(dir_.filePath("docs")).canonicalFilePath();
    const SplitRefusal shown = refusal == SplitRefusal::Kind::EngineMissing
                                   ? SplitRefusal{refusal, engine}
                                   : SplitRefusal{refusal, docs + "/my \"manual\" x.pdf", 2, 1};
    QCOMPARE(messages_, QStringList{shown.Text()});
    QCOMPARE(dlg_->focusWidget(), probe::PageList(*dlg_));
}

void TestSplitDriver::progressAndGuardsDuringTheSplit()
{
    openWithBreakPoints(6, {3, 5});
    dlg_->setOptions = [](OptionsDlg &o) {
        o.SaveFileType = 3;
        o.FileNamePattern = "{basename} {part}";
    };
    // Each part takes a moment, so that the window shows every part's label before the next.
    qputenv("FAKE_SLOW", "0.2");
    QStringList labels;
    bool waitCursorWhileWriting = true;
    QTimer probe;
    probe.setInterval(0);
    connect(&probe, &QTimer::timeout, this, [&] {
        if (auto *progress = dlg_->findChild<ProgressPanel *>()) {
            if (!labels.contains(progress->LabelText()))
                labels << progress->LabelText();
            waitCursorWhileWriting &= QGuiApplication::overrideCursor() != nullptr;
            // Input arriving between parts: neither a new document nor new options get in,
            // and edits of the list do not change the running split.
            dlg_->OnCommand(CmdId::FileOptions);
            dlg_->OnCommand(CmdId::FileOpen);
            dlg_->OnCommand(CmdId::CleanAllBreakPoints);
        }
    });
    probe.start();
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    probe.stop();
    QCOMPARE(labels, QStringList({"Writing part 1 of 3...", "Writing part 2 of 3...", "Writing part 3 of 3..."}));
    QVERIFY(waitCursorWhileWriting);
    QCOMPARE(dlg_->optionsShown, 1);
    QCOMPARE(log().size(), 3);
    QVERIFY(!dlg_->findChild<ProgressPanel *>());
}

void TestSplitDriver::undoWaitsForTheSplit()
{
    openWithBreakPoints(6, {3, 5});
    dlg_->setOptions = [](OptionsDlg &o) { o.SaveFileType = 3; };
    const auto rows = [this] {
        QStringList texts;
        for (int row = 0; row < probe::RowCount(*dlg_); ++row)
            texts << probe::RowText(*dlg_, row);
        return texts;
    };
    QTimer probe;
    probe.setInterval(0);
    connect(&probe, &QTimer::timeout, this, [this] {
        if (dlg_->findChild<ProgressPanel *>())
            QTest::keyClick(probe::PageList(*dlg_), Qt::Key_Z, Qt::ControlModifier);
    });
    probe.start();
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    probe.stop();
    QCOMPARE(log().size(), 3);
    QCOMPARE(rows(), QStringList({"1", "2", "BreakPoint", "3", "4", "BreakPoint", "5", "6"}));
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(rows(), QStringList({"1", "2", "BreakPoint", "3", "4", "5", "6"}));
}

void TestSplitDriver::cancelStopsTheSplit()
{
    openWithBreakPoints(10, {4, 8});
    QDir().mkpath(dir_.filePath("archive"));
    dlg_->setOptions = [this](OptionsDlg &o) {
        o.SaveFileType = 3;
        o.FileNamePattern = "{basename} {part}";
        o.ArchiveButtonState = 1;
        o.ArchiveFolderName = dir_.filePath("archive");
    };
    // The engine hangs on the second part; the window stays live and its Cancel stops it.
    qputenv("FAKE_HANG", "4-7");
    QTimer user;
    user.setInterval(50);
    int ticks = 0;
    connect(&user, &QTimer::timeout, this, [&] {
        auto *progress = dlg_->findChild<ProgressPanel *>();
        if (progress && progress->LabelText() == "Writing part 2 of 3..." && ++ticks == 3)
            QTest::mouseClick(progress->findChild<QPushButton *>(), Qt::LeftButton);
    });
    QElapsedTimer clock;
    clock.start();
    user.start();
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);
    user.stop();
    QVERIFY2(clock.elapsed() < 10000, "the hung engine was not stopped");
    QCOMPARE(log().size(), 2);
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_.first().startsWith("The split was cancelled, so the document was not archived. "
                                          "1 of 3 parts were written:\n\n"
                                          + dir_.filePath("docs/my \"manual\" 1.pdf")),
             qPrintable(messages_.first()));
    QCOMPARE(types_.first() & 0xF0, MsgBox::IconInformation);
    QVERIFY(QFile::exists(document_));
    QVERIFY(!QFile::exists(dir_.filePath("docs/my \"manual\" 2.pdf")));
    QVERIFY(probe::Button(*dlg_, CtrlId::SplitButton)->isEnabled());
}

void TestSplitDriver::existingFilesAreReplacedOnlyWhenAllowed_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("no") << int(MsgBox::IdNo);
    QTest::newRow("yes") << int(MsgBox::IdYes);
}

void TestSplitDriver::existingFilesAreReplacedOnlyWhenAllowed()
{
    QFETCH(int, answer);
    openWithBreakPoints(4, {3});
    dlg_->setOptions = [](OptionsDlg &o) {
        o.SaveFileType = 3;
        o.FileNamePattern = "{basename} {part}";
    };
    const QString taken = dir_.filePath("docs/my \"manual\" 2.pdf");
    QFile file(taken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("someone's own file");
    file.close();
    replaceAnswer_ = answer;
    QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    probe::WaitUntilIdle(*dlg_);

    // One question, before any part, naming the file; No is what Enter answers.
    QVERIFY(!messages_.isEmpty());
    QVERIFY2(messages_.first().startsWith("This file already exists:\n\n" + taken + "\n"),
             qPrintable(messages_.first()));
    QCOMPARE(types_.first() & 0xF, MsgBox::YesNo);
    QVERIFY(types_.first() & MsgBox::DefButton2);
    QVERIFY(file.open(QIODevice::ReadOnly));
    if (answer == MsgBox::IdNo) {
        QVERIFY(log().isEmpty());
        QCOMPARE(file.readAll(), QByteArray("someone's own file"));
        QCOMPARE(messages_.size(), 1);
    } else {
        QCOMPARE(log().size(), 2);
        QCOMPARE(file.readAll(), QByteArray("%PDF-1.4 part 3-4\n"));
        QCOMPARE(messages_.last(), kSuccess);
    }
    QCOMPARE(dlg_->focusWidget(), probe::PageList(*dlg_));
}

// Text in braces that is no token is told before the first part is written, once for each
// pattern, and the split goes on with it as it stands.
void TestSplitDriver::unknownTokensAreToldOncePerPattern()
{
    openWithBreakPoints(4, {3});
    QString pattern;
    dlg_->setOptions = [&pattern](OptionsDlg &o) {
        o.SaveFileType = 3;
        o.FileNamePattern = pattern;
    };
    replaceAnswer_ = MsgBox::IdYes; // the parts of the split before are in the way
    const QList<std::pair<QString, bool>> splits = {{"{basename} {chapter} {part}", true},
                                                    {"{basename} {chapter} {part}", false},
                                                    {"{basename} {part}", false},
                                                    {"{basename} {Part} {part}", true},
                                                    {"{basename} {chapter} {part}", false}};
    for (const auto &[next, told] : splits) {
        pattern = next;
        messages_.clear();
        types_.clear();
        partsAtMessage_.clear();
        QFile::remove(dir_.filePath("log"));
        QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
        probe::WaitUntilIdle(*dlg_);
        const QString docs = dir_.filePath("docs") + "/my \"manual\"";
        const QString named = next; // a structured binding cannot be captured before C++20's clang 16
        const auto part = [&named, &docs](const char *number) {
            return QString(named).replace("{basename}", docs).replace("{part}", number) + ".pdf";
        };
        QCOMPARE(log(), QStringList({"1-2|" + part("1"), "3-4|" + part("2")}));
        QCOMPARE(messages_.last(), kSuccess);
        const QStringList warnings = messages_.filter("in the pattern; the tokens are");
        QCOMPARE(warnings.size(), told ? 1 : 0);
        if (!told)
            continue;
        const qsizetype at = messages_.indexOf(warnings.first());
        QCOMPARE(partsAtMessage_.at(at), 0);
        QCOMPARE(types_.at(at), MsgBox::Ok | MsgBox::IconExclamation);
    }
}

// Every engine run takes a second; the window's thread never waits for one: a timer asking to
// tick every few milliseconds is never kept waiting for more than a small part of it.
void TestSplitDriver::windowAnswersWhileTheEngineWorks_data()
{
    QTest::addColumn<bool>("splitting");
    QTest::newRow("opening") << false;
    QTest::newRow("splitting") << true;
}

void TestSplitDriver::windowAnswersWhileTheEngineWorks()
{
    QFETCH(bool, splitting);
    if (splitting)
        openWithBreakPoints(4, {3});
    dlg_->setOptions = [](OptionsDlg &o) { o.SaveFileType = 3; };
    qputenv("FAKE_PAGES", "4");
    qputenv("FAKE_SLOW", "1");
    QElapsedTimer sinceTick;
    qint64 longestWait = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] {
        longestWait = qMax(longestWait, sinceTick.restart());
    });
    sinceTick.start();
    tick.start(5);
    if (splitting)
        QTest::keyClick(probe::PageList(*dlg_), Qt::Key_F5);
    else
        dlg_->OpenDocument(document_);
    QVERIFY(probe::WaitUntilIdle(*dlg_));
    tick.stop();
    QCOMPARE(probe::RowCount(*dlg_), splitting ? 5 : 4);
    QCOMPARE(log().size(), splitting ? 2 : 0);
    QVERIFY2(longestWait < 400, qPrintable(QString("the window waited %1 ms").arg(longestWait)));
}

void TestSplitDriver::openingAgainDropsTheDocumentBeingRead()
{
    // The first document is still being read when the second is opened: only the second shows,
    // and the engine reading the first is stopped rather than waited for.
    qputenv("FAKE_PAGES", "7");
    qputenv("FAKE_SLOW", "30");
    dlg_->OpenDocument(dir_.filePath("docs/first.pdf"));
    QVERIFY(dlg_->IsBusy());
    qputenv("FAKE_SLOW", "");
    qputenv("FAKE_PAGES", "3");
    QElapsedTimer clock;
    clock.start();
    QVERIFY(probe::Open(*dlg_, document_));
    QCOMPARE(probe::RowCount(*dlg_), 3);
    QCOMPARE(dlg_->DocumentPath, document_);
    QVERIFY2(clock.elapsed() < 10000, "the first document's engine was waited for");
}

QTEST_MAIN(TestSplitDriver)
#include "tst_splitdriver.moc"
