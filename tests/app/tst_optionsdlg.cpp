// The Options dialog, driven by real clicks and keys while it runs modally, against the
// options.ini beside this program (which runs from a folder of its own) and the user's own
// options.ini in a configuration folder made for the test.
#include "framework/AppMessageBox.h"
#include "framework/DialogBuilder.h"
#include "framework/FileDialogs.h"
#include "core/ModulePath.h"
#include "res/ResourceIds.h"
#include "app/OptionsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace qw;

using namespace CtrlId;

namespace {
QByteArray optionsText(int type, int archive, const QString &out, const QString &archiveFolder, const QString &pattern)
{
    return QStringLiteral("[Setting]\r\nSaveFileType=%1\r\nArchiveButtonState=%2\r\nOutFolderName=%3\r\n"
                          "ArchiveFolderName=%4\r\nFileNamePattern=%5\r\n")
        .arg(QString::number(type), QString::number(archive), out, archiveFolder, pattern)
        .toUtf8();
}

// The fields in the form the file would take them.
QByteArray fieldsText(const OptionsDlg &d)
{
    return optionsText(d.SaveFileType, d.ArchiveButtonState, d.OutFolderName, d.ArchiveFolderName, d.FileNamePattern);
}

QByteArray utf16(const QByteArray &text)
{
    return "\xFF\xFE" + QStringEncoder(QStringConverter::Utf16LE).encode(QString::fromUtf8(text));
}

const QString kDefaultPattern = QStringLiteral("{basename} {part}");
const QByteArray kMine = "; mine\r\n[Setting]\r\nSaveFileType=3\r\nFileNamePattern={part}\r\n";
const QByteArray kFolders = "[Setting]\r\nSaveFileType=2\r\nArchiveButtonState=1\r\nOutFolderName=/old\r\n"
                            "ArchiveFolderName=/oldArch\r\n";
} // namespace

class TestOptionsDlg : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void openingShowsTheFile_data();
    void openingShowsTheFile();
    void okRefusesWhatItCannotKeep_data();
    void okRefusesWhatItCannotKeep();
    void okStoresTextsAsTyped_data();
    void okStoresTextsAsTyped();
    void okKeepsTheOptionsWhereTheyCanBeWritten_data();
    void okKeepsTheOptionsWhereTheyCanBeWritten();
    void installedProgramKeepsOptionsPerUser_data();
    void installedProgramKeepsOptionsPerUser();
    void okRewritesOnlyWhatChanged_data();
    void okRewritesOnlyWhatChanged();
    void keysActLikeThePlatformsDialogKeys_data();
    void keysActLikeThePlatformsDialogKeys();
    void clicksEnableTheFolders();
    void patternNoticeNamesUnknownTokens();
    void folderButtonsFillTheirEdits_data();
    void folderButtonsFillTheirEdits();
    void reopeningShowsTheFileNotTheFields();
    void ownerIsOnlyBorrowed();

private:
    int run(const std::function<void()> &steps);
    QWidget *control(int id) const { return DialogBuilder::ControlById(dlg_.get(), id); }
    QWidget *keyTarget(int id) const;
    void click(int id);
    void retype(int id, const QString &text);
    QString state() const;
    void put(const QByteArray &bytes) const { put(path_, bytes); }
    static void put(const QString &path, const QByteArray &bytes);
    QByteArray contents() const { return contents(path_); }
    static QByteArray contents(const QString &path);
    void removeOptionsFiles() const;

    std::unique_ptr<QWidget> owner_;
    std::unique_ptr<OptionsDlg> dlg_;
    QString path_;
    QTemporaryDir config_; // stands in for the user's configuration folder
    QTemporaryDir systemConfig_; // stands in for the configuration folders of $XDG_CONFIG_DIRS
    QString userPath_;
    QStringList messages_;
    QStringList folderTitles_;
    QString folderAnswer_;
};

void TestOptionsDlg::initTestCase()
{
    path_ = MakeModulePath(QStringLiteral("options.ini"));
    // Before anything asks for it: the tests must never read or write the developer's own file.
    QVERIFY(config_.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
    userPath_ = config_.filePath(QStringLiteral("Ardenne Quirewright/options.ini"));
    AppMessageBox::SetResponder([this](const QString &text, unsigned type) {
        messages_ << text + ((type & 0xF) == MsgBox::Ok ? "" : " (not an OK box)");
        return MsgBox::IdOk;
    });
    FileDialogs::SetFolderResponder([this](const QString &title, const QString &) {
        folderTitles_ << title;
        return folderAnswer_;
    });
}

void TestOptionsDlg::init()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
    removeOptionsFiles();
    messages_.clear();
    folderTitles_.clear();
    owner_ = std::make_unique<QWidget>();
    owner_->setGeometry(100, 100, 600, 400);
    owner_->show();
    dlg_ = std::make_unique<OptionsDlg>();
}

void TestOptionsDlg::cleanup()
{
    dlg_.reset();
    owner_.reset();
    removeOptionsFiles();
}

int TestOptionsDlg::run(const std::function<void()> &steps)
{
    QTimer::singleShot(0, dlg_.get(), [this, steps] {
        // Typing reaches a control the way a person's does only once the window is active.
        [&] {
            QVERIFY(QTest::qWaitForWindowActive(dlg_.get()));
            steps();
        }();
        if (dlg_->isVisible())
            dlg_->close(); // a failed step must not leave the test waiting
    });
    return dlg_->DoModal(owner_.get());
}

QWidget *TestOptionsDlg::keyTarget(int id) const
{
    auto *combo = qobject_cast<QComboBox *>(control(id));
    return combo ? combo->lineEdit() : control(id);
}

void TestOptionsDlg::click(int id)
{
    QWidget *w = control(id);
    QVERIFY(w);
    // A radio button or check box answers on its box and text, not on all of its rectangle.
    const bool push = qobject_cast<QPushButton *>(w);
    QTest::mouseClick(w, Qt::LeftButton, {}, push ? w->rect().center() : QPoint(6, w->height() / 2));
}

void TestOptionsDlg::retype(int id, const QString &text)
{
    QWidget *edit = keyTarget(id);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// The controls in one line: the selected radio button (0: none), whether each folder edit is
// enabled together with its button, the box, and the three texts.
QString TestOptionsDlg::state() const
{
    int radio = 0;
    for (int id : {AskFolderRadio, OutputFolderRadio, SameFolderRadio})
        if (static_cast<QRadioButton *>(control(id))->isChecked())
            radio = radio ? -1 : id;
    const auto enabled = [this](int edit, int button) {
        const bool on = control(edit)->isEnabled();
        return on != control(button)->isEnabled() ? "mixed" : on ? "on" : "off";
    };
    return QStringLiteral("%1 %2 %3 %4 [%5] [%6] [%7]")
        .arg(QString::number(radio), enabled(OutputFolderEdit, OutputFolderBrowse),
             static_cast<QCheckBox *>(control(ArchiveCheck))->isChecked() ? "ticked" : "unticked",
             enabled(ArchiveFolderEdit, ArchiveFolderBrowse),
             static_cast<QComboBox *>(control(PatternCombo))->currentText(),
             static_cast<QLineEdit *>(control(OutputFolderEdit))->text(),
             static_cast<QLineEdit *>(control(ArchiveFolderEdit))->text());
}

void TestOptionsDlg::put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray TestOptionsDlg::contents(const QString &path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void TestOptionsDlg::removeOptionsFiles() const
{
    for (const QString &path : {path_, userPath_}) {
        QFile::setPermissions(path, QFile::Permissions(0x6666));
        QFile::remove(path);
        QDir().rmdir(path);
    }
    QDir().rmdir(QFileInfo(userPath_).absolutePath());
    QFile::remove(config_.filePath(QStringLiteral("blocker")));
    QFile::remove(MakeModulePath(QStringLiteral("installed")));
    for (const char *folder : {"first", "second", "relative"})
        QDir(systemConfig_.filePath(QLatin1String(folder))).removeRecursively();
}

void TestOptionsDlg::openingShowsTheFile_data()
{
    QTest::addColumn<QByteArray>("file"); // null: none
    QTest::addColumn<QString>("expected");
    const QString defaults = "1010 off unticked off [{basename} {part}] [] []";
    QTest::newRow("noFile") << QByteArray() << defaults;
    QTest::newRow("askForFolder") << QByteArray("[Setting]\r\nSaveFileType=1\r\nOutFolderName=/o\r\n")
                                  << "1007 off unticked off [{basename} {part}] [/o] []";
    QTest::newRow("outputFolderAndArchive") << kFolders + "FileNamePattern={part}\r\n"
                                            << "1008 on ticked on [{part}] [/old] [/oldArch]";
    QTest::newRow("unknownTypeSelectsNone")
        << QByteArray("[Setting]\r\nSaveFileType=5\r\n") << "0 off unticked off [{basename} {part}] [] []";
    QTest::newRow("archiveStateTwoIsNotOn") << QByteArray("[Setting]\r\nArchiveButtonState=2\r\n") << defaults;
    QTest::newRow("windowsFileOddCase") << QByteArray("[SETTING]\r\nsavefiletype = 2\r\n outfoldername = C:\\Out \r\n")
                                        << "1008 on unticked off [{basename} {part}] [C:\\Out] []";
    QTest::newRow("junkFile") << QByteArray(3, '\0') + "\xFF\x01\nSaveFileType=1\n[Setting\nSaveFileType=2" << defaults;
}

void TestOptionsDlg::openingShowsTheFile()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    if (!file.isNull())
        put(file);
    const QByteArray before = contents();
    QCOMPARE(run([&] {
                 QCOMPARE(state(), expected);
                 // The first enabled control with a tab stop has the focus; the radio buttons have none.
                 QCOMPARE(dlg_->focusWidget(), control(expected.startsWith("1008") ? OutputFolderEdit : ArchiveCheck));
                 click(OptionsCancel);
             }),
             2);
    QCOMPARE(contents(), before);
}

void TestOptionsDlg::okRefusesWhatItCannotKeep_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("typedInto"); // 0: none
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    QTest::addColumn<bool>("closeBox"); // else Cancel
    const auto blanks = [](const char *field) {
        return QStringLiteral("The %1 begins or ends with a space or tab, which would be lost when the options are "
                              "read again.\nPlease remove the spaces and tabs at its start and end.")
            .arg(QLatin1String(field));
    };
    QTest::newRow("outputFolderEmpty") << QList<int>{OutputFolderRadio} << 0 << ""
                                       << "Please select output folder!" << int(OutputFolderEdit) << false;
    QTest::newRow("archiveFolderEmpty") << QList<int>{ArchiveCheck} << 0 << ""
                                        << "Please select archive folder!" << int(ArchiveFolderEdit) << true;
    QTest::newRow("outputAskedFirst") << QList<int>{OutputFolderRadio, ArchiveCheck} << 0 << ""
                                      << "Please select output folder!" << int(OutputFolderEdit) << false;
    // Reading trims, so such a text would come back as another folder or pattern.
    QTest::newRow("blankOutputFolder") << QList<int>{OutputFolderRadio} << int(OutputFolderEdit) << "   "
                                       << blanks("output folder") << int(OutputFolderEdit) << false;
    QTest::newRow("leadingBlankArchiveFolder") << QList<int>{ArchiveCheck} << int(ArchiveFolderEdit) << " /arch"
                                               << blanks("archive folder") << int(ArchiveFolderEdit) << false;
    QTest::newRow("trailingBlankPattern")
        << QList<int>{} << int(PatternCombo) << "{part} " << blanks("name pattern") << int(PatternCombo) << true;
    QTest::newRow("blanksAskedBeforeEmptiness")
        << QList<int>{OutputFolderRadio, ArchiveCheck} << int(ArchiveFolderEdit) << "/arch " << blanks("archive folder")
        << int(ArchiveFolderEdit) << false;
}

void TestOptionsDlg::okRefusesWhatItCannotKeep()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, typedInto);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(int, focus);
    QFETCH(bool, closeBox);
    put(kMine);
    dlg_->OutFolderName = QStringLiteral("kept");
    const QByteArray fields = fieldsText(*dlg_);
    QCOMPARE(run([&] {
                 for (int id : clicks)
                     click(id);
                 if (typedInto)
                     retype(typedInto, typed);
                 click(OptionsOk);
                 QCOMPARE(messages_, QStringList{message});
                 QVERIFY(dlg_->isVisible());
                 QCOMPARE(dlg_->focusWidget(), control(focus));
                 closeBox ? (void)dlg_->close() : click(OptionsCancel);
             }),
             2);
    QCOMPARE(contents(), kMine);
    QCOMPARE(contents(userPath_), QByteArray("<none>"));
    QCOMPARE(fieldsText(*dlg_), fields);
}

void TestOptionsDlg::okStoresTextsAsTyped_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<int>("clicked"); // 0: none
    QTest::addColumn<int>("typedInto"); // 0: none
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("fields");
    QTest::newRow("askForFolderWithEmptyEdit")
        << QByteArray() << int(AskFolderRadio) << 0 << "" << optionsText(1, 0, "", "", kDefaultPattern);
    QTest::newRow("blanksInsideKept") << QByteArray() << int(OutputFolderRadio) << int(OutputFolderEdit) << "/my  out"
                                      << optionsText(2, 0, "/my  out", "", kDefaultPattern);
    QTest::newRow("archiveWithFolder") << QByteArray() << int(ArchiveCheck) << int(ArchiveFolderEdit) << "/arch"
                                       << optionsText(3, 1, "", "/arch", kDefaultPattern);
    QTest::newRow("emptyPattern") << QByteArray() << 0 << int(PatternCombo) << "" << optionsText(3, 0, "", "", "");
    QTest::newRow("typedPatternIsNotCompleted")
        << QByteArray() << 0 << int(PatternCombo) << "{basename}" << optionsText(3, 0, "", "", "{basename}");
    QTest::newRow("unknownTypeWrittenBack")
        << QByteArray("[Setting]\r\nSaveFileType=5\r\n") << 0 << 0 << "" << optionsText(5, 0, "", "", kDefaultPattern);
}

void TestOptionsDlg::okStoresTextsAsTyped()
{
    QFETCH(QByteArray, before);
    QFETCH(int, clicked);
    QFETCH(int, typedInto);
    QFETCH(QString, typed);
    QFETCH(QByteArray, fields);
    if (!before.isNull())
        put(before);
    QCOMPARE(run([&] {
                 if (clicked)
                     click(clicked);
                 if (typedInto)
                     retype(typedInto, typed);
                 click(OptionsOk);
             }),
             1);
    QCOMPARE(messages_, QStringList());
    QCOMPARE(fieldsText(*dlg_), fields);
    QCOMPARE(contents(), fields);
    run([this] { QCOMPARE(static_cast<QComboBox *>(control(PatternCombo))->currentText(), dlg_->FileNamePattern); });
}

void TestOptionsDlg::okKeepsTheOptionsWhereTheyCanBeWritten_data()
{
    QTest::addColumn<QByteArray>("program"); // null: none
    QTest::addColumn<int>("obstacle"); // 1: the program's file is read-only, 2: a folder has its name
    QTest::addColumn<QByteArray>("user"); // null: none
    QTest::addColumn<bool>("userBlocked"); // the configuration folder lies below a regular file
    QTest::addColumn<bool>("changed"); // else Ok as opened
    QTest::addColumn<QByteArray>("programAfter");
    QTest::addColumn<QByteArray>("userAfter");
    const QByteArray none = "<none>";
    const QByteArray mineChanged = "; mine\r\n[Setting]\r\nSaveFileType=2\r\nFileNamePattern={part}\r\n"
                                   "ArchiveButtonState=0\r\nOutFolderName=/out\r\nArchiveFolderName=\r\n";
    const QByteArray complete = optionsText(3, 0, "", "", "{part}");
    QTest::newRow("programFileWritable") << kMine << 0 << QByteArray() << false << true << mineChanged << none;
    QTest::newRow("readOnlyProgramFileCopiedForTheUser")
        << kMine << 1 << QByteArray() << false << true << kMine << mineChanged;
    QTest::newRow("folderInPlaceOfTheProgramFile")
        << QByteArray() << 2 << QByteArray() << false << true << none << optionsText(2, 0, "/out", "", kDefaultPattern);
    QTest::newRow("userFileOnceItExists")
        << kMine << 0 << kFolders << false << true << kMine
        << QByteArray(kFolders).replace("/old\r", "/out\r") + "FileNamePattern={basename} {part}\r\n";
    QTest::newRow("userFileCannotBeMadeEither") << kMine << 1 << QByteArray() << true << true << kMine << none;
    QTest::newRow("readOnlyProgramFileAlreadyHoldingAll")
        << complete << 1 << QByteArray() << false << false << complete << none;
}

void TestOptionsDlg::okKeepsTheOptionsWhereTheyCanBeWritten()
{
    QFETCH(QByteArray, program);
    QFETCH(int, obstacle);
    QFETCH(QByteArray, user);
    QFETCH(bool, userBlocked);
    QFETCH(bool, changed);
    if (!program.isNull())
        put(program);
    if (obstacle == 1)
        QFile::setPermissions(path_, QFile::Permissions(0x4444)); // read-only binds root too
    if (obstacle == 2)
        QVERIFY(QDir().mkdir(path_));
    if (!user.isNull())
        put(userPath_, user);
    if (userBlocked) {
        put(config_.filePath(QStringLiteral("blocker")), "a file, not a folder");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.filePath(QStringLiteral("blocker/config"))));
    }
    QCOMPARE(run([&] {
                 if (changed) {
                     click(OutputFolderRadio);
                     retype(OutputFolderEdit, QStringLiteral("/out"));
                 }
                 click(OptionsOk);
             }),
             1);
    QTEST(contents(), "programAfter");
    QTEST(contents(userPath_), "userAfter");
    if (obstacle == 2) {
        // Said as the dialog opens: the folder's options cannot be read.
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_.takeFirst().contains(path_ + " is not a file"), qPrintable(path_));
    }
    if (userBlocked) {
        // Said once, with the reason for each file and what to do; the values still apply.
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].startsWith("The options could not be saved") && messages_[0].contains(path_)
                     && messages_[0].contains(config_.filePath("blocker/config")) && messages_[0].contains("writable"),
                 qPrintable(messages_[0]));
        QCOMPARE(dlg_->OutFolderName, QStringLiteral("/out"));
        return;
    }
    QCOMPARE(messages_, QStringList());
    // What the next opening reads is what this Ok wrote.
    run([this] { QCOMPARE(static_cast<QLineEdit *>(control(OutputFolderEdit))->text(), dlg_->OutFolderName); });
}

void TestOptionsDlg::installedProgramKeepsOptionsPerUser_data()
{
    // The file beside the program is writable and holds other options: an installed program
    // must neither read nor write it.
    QTest::addColumn<QByteArray>("user"); // null: none
    QTest::addColumn<QByteArray>("firstSystem"); // null: none
    QTest::addColumn<QByteArray>("secondSystem"); // null: none
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QByteArray>("userAfter"); // after Ok as opened
    // Ok keeps in the user's file only what differs from what the user inherits (the system's
    // defaults, else the built-in ones), so an administrator's later change still applies.
    const QByteArray none = "<none>";
    const QByteArray system = "[Setting]\r\nSaveFileType=2\r\nOutFolderName=/sys\r\nFileNamePattern={part}\r\n";
    QTest::newRow("nothingButTheProgramsFile") << QByteArray() << QByteArray() << QByteArray()
                                               << "1010 off unticked off [{basename} {part}] [] []" << none;
    QTest::newRow("systemDefaults") << QByteArray() << system << QByteArray()
                                    << "1008 on unticked off [{part}] [/sys] []" << none;
    QTest::newRow("userOverridesKeyByKey")
        << QByteArray("[Setting]\r\nFileNamePattern=\r\n") << system << QByteArray()
        << "1008 on unticked off [] [/sys] []" << QByteArray("[Setting]\r\nFileNamePattern=\r\n");
    QTest::newRow("userValuesEqualToTheDefaultsGo")
        << QByteArray("[Setting]\r\nSaveFileType=2\r\nOutFolderName=/sys\r\nOutFolderName=/again\r\n"
                      "ArchiveButtonState=0\r\n; mine\r\n")
        << system << QByteArray() << "1008 on unticked off [{part}] [/sys] []" << QByteArray("[Setting]\r\n; mine\r\n");
    QTest::newRow("firstSystemFolderFirst")
        << QByteArray() << QByteArray("[Setting]\r\nFileNamePattern=A\r\n")
        << QByteArray("[Setting]\r\nFileNamePattern=B\r\nArchiveButtonState=1\r\nArchiveFolderName=/arch\r\n")
        << "1010 off ticked on [A] [] [/arch]" << none;
}

void TestOptionsDlg::installedProgramKeepsOptionsPerUser()
{
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, firstSystem);
    QFETCH(QByteArray, secondSystem);
    QFETCH(QString, opened);
    put(MakeModulePath(QStringLiteral("installed")), "installed by the test");
    put(kMine);
    if (!user.isNull())
        put(userPath_, user);
    const QString first = systemConfig_.filePath(QStringLiteral("first/Ardenne Quirewright/options.ini"));
    const QString second = systemConfig_.filePath(QStringLiteral("second/Ardenne Quirewright/options.ini"));
    if (!firstSystem.isNull())
        put(first, firstSystem);
    if (!secondSystem.isNull())
        put(second, secondSystem);
    // A relative entry is ignored, as the base directory rules ask, wherever the program starts.
    put(systemConfig_.filePath(QStringLiteral("relative/Ardenne Quirewright/options.ini")),
        "[Setting]\r\nSaveFileType=1\r\nOutFolderName=/relative\r\n");
    const QString startFolder = QDir::currentPath();
    QDir::setCurrent(systemConfig_.path());
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(systemConfig_.filePath("first") + ":relative:"
                                                 + systemConfig_.filePath("second")));
    QCOMPARE(run([&] {
                 QCOMPARE(state(), opened);
                 click(OptionsOk);
             }),
             1);
    qunsetenv("XDG_CONFIG_DIRS");
    QDir::setCurrent(startFolder);
    QCOMPARE(messages_, QStringList());
    QCOMPARE(contents(), kMine);
    QTEST(contents(userPath_), "userAfter");
    QCOMPARE(contents(first), firstSystem.isNull() ? QByteArray("<none>") : firstSystem);
    QCOMPARE(contents(second), secondSystem.isNull() ? QByteArray("<none>") : secondSystem);
}

void TestOptionsDlg::okRewritesOnlyWhatChanged_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("pattern"); // typed; null: none
    QTest::addColumn<QByteArray>("after");
    const QByteArray latin1 = "[Setting]\r\nSaveFileType=2\r\nArchiveButtonState=0\r\nOutFolderName=/caf\xE9\r\n"
                              "ArchiveFolderName=\r\nFileNamePattern={part}\r\n";
    QTest::newRow("folderNotInUtf8Untouched") << latin1 << QString() << latin1;
    QTest::newRow("folderNotInUtf8KeptWhenThePatternChanges")
        << latin1 << "{part:00}" << QByteArray(latin1).replace("{part}", "{part:00}");
    QTest::newRow("utf16WithOddByteGetsUtf16Lines")
        << utf16("[Setting]\r\nSaveFileType=2\r\nOutFolderName=/o\r\n") + "x" << QString()
        << utf16("[Setting]\r\nSaveFileType=2\r\nOutFolderName=/o\r\nArchiveButtonState=0\r\nArchiveFolderName=\r\n"
                 "FileNamePattern={basename} {part}\r\n")
               + "x";
}

void TestOptionsDlg::okRewritesOnlyWhatChanged()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, pattern);
    put(before);
    QCOMPARE(run([&] {
                 QVERIFY(state().startsWith("1008 on")); // the file's keys are found
                 if (!pattern.isNull())
                     retype(PatternCombo, pattern);
                 click(OptionsOk);
             }),
             1);
    QCOMPARE(messages_, QStringList());
    QTEST(contents(), "after");
}

void TestOptionsDlg::keysActLikeThePlatformsDialogKeys_data()
{
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result"); // 0: the dialog stays open
    QTest::addColumn<int>("browsed");
    QTest::newRow("enterInPatternBox") << int(PatternCombo) << int(Qt::Key_Return) << 0 << 0;
    QTest::newRow("keypadEnterInPatternBox") << int(PatternCombo) << int(Qt::Key_Enter) << 0 << 0;
    QTest::newRow("enterInFolderEdit") << int(OutputFolderEdit) << int(Qt::Key_Return) << 0 << 0;
    QTest::newRow("enterOnRadioButton") << int(OutputFolderRadio) << int(Qt::Key_Return) << 0 << 0;
    QTest::newRow("escape") << int(ArchiveCheck) << int(Qt::Key_Escape) << 0 << 0;
    QTest::newRow("enterOnOk") << int(OptionsOk) << int(Qt::Key_Return) << 1 << 0;
    QTest::newRow("enterOnCancel") << int(OptionsCancel) << int(Qt::Key_Return) << 2 << 0;
    QTest::newRow("enterOnFolderButton") << int(OutputFolderBrowse) << int(Qt::Key_Return) << 0 << 1;
}

void TestOptionsDlg::keysActLikeThePlatformsDialogKeys()
{
    QFETCH(int, focus);
    QFETCH(int, key);
    QFETCH(int, result);
    put(kFolders);
    QCOMPARE(run([&] {
                 retype(PatternCombo, QStringLiteral("{part}"));
                 keyTarget(focus)->setFocus();
                 QTest::keyClick(keyTarget(focus), Qt::Key(key));
                 if (result)
                     return;
                 QVERIFY(dlg_->isVisible());
                 QCOMPARE(static_cast<QComboBox *>(control(PatternCombo))->count(), 4);
                 QCOMPARE(state(), QStringLiteral("1008 on ticked on [{part}] [/old] [/oldArch]"));
             }),
             result ? result : 2);
    QTEST(int(folderTitles_.size()), "browsed");
    if (result != 1)
        QCOMPARE(contents(), kFolders);
}

void TestOptionsDlg::clicksEnableTheFolders()
{
    put("[Setting]\r\nSaveFileType=5\r\n"); // no radio selected at first
    const QString rest = QStringLiteral(" [{basename} {part}] [] []");
    const QList<std::pair<int, QString>> steps
        = {{OutputFolderRadio, "1008 on unticked off"}, {AskFolderRadio, "1007 off unticked off"},
           {OutputFolderRadio, "1008 on unticked off"}, {SameFolderRadio, "1010 off unticked off"},
           {ArchiveCheck, "1010 off ticked on"},        {ArchiveCheck, "1010 off unticked off"}};
    run([&] {
        for (const auto &[id, expected] : steps) {
            click(id);
            QCOMPARE(state(), expected + rest);
        }
    });
}

void TestOptionsDlg::patternNoticeNamesUnknownTokens()
{
    // A pattern read from the file is judged as one typed.
    put(optionsText(3, 0, "", "", "{basename} {Part}"));
    const QString tokens = QStringLiteral("the tokens are {basename} {part} {part:0000} {filecount} {pagebegin} "
                                          "{pageend} {bookmark} {separator}.");
    // The notice under the buttons and the field's tip follow the typing: text in braces that is
    // no token is named, a pattern of tokens has neither.
    const QList<std::pair<QString, QString>> steps
        = {{"{part:00} {bookmark}", "Unknown token {part:00} in the pattern; " + tokens},
           {"{basename} {part:0000}", ""},
           {"{a} {part} {b}", "Unknown tokens {a}, {b} in the pattern; " + tokens}};
    const QSize plain = dlg_->size();
    const QList<int> ids = {AskFolderRadio,  OutputFolderRadio,   SameFolderRadio,     OutputFolderEdit,
                            ArchiveCheck,    ArchiveFolderEdit,   OutputFolderBrowse,  ArchiveFolderBrowse,
                            PatternCombo,    OptionsOk,           OptionsCancel};
    run([&] {
        const auto *notice = dlg_->findChild<QLabel *>("patternNotice");
        QVERIFY(notice);
        QVERIFY(notice->isVisible());
        QCOMPARE(notice->text(), "Unknown token {Part} in the pattern; " + tokens);
        for (const auto &[pattern, text] : steps) {
            retype(PatternCombo, pattern);
            QCOMPARE(control(PatternCombo)->toolTip(), text);
            QCOMPARE(notice->isVisible(), !text.isEmpty());
            // The dialog grows for the notice only, below the template's controls.
            if (text.isEmpty()) {
                QCOMPARE(dlg_->size(), plain);
                continue;
            }
            QCOMPARE(notice->text(), text);
            QCOMPARE(dlg_->width(), plain.width());
            QVERIFY(dlg_->height() > plain.height());
            QVERIFY(dlg_->rect().contains(notice->geometry()));
            QVERIFY(notice->height() >= notice->heightForWidth(notice->width())); // every line of it
            for (int id : ids)
                QVERIFY2(!control(id)->geometry().intersects(notice->geometry()), qPrintable(QString::number(id)));
        }
    });
}

void TestOptionsDlg::folderButtonsFillTheirEdits_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("answer"); // empty: cancelled
    QTest::addColumn<QString>("folders");
    QTest::newRow("outputChosen") << int(OutputFolderBrowse) << "/new"
                                  << "[/new] [/oldArch]";
    QTest::newRow("outputCancelled") << int(OutputFolderBrowse) << ""
                                     << "[/old] [/oldArch]";
    QTest::newRow("archiveChosen") << int(ArchiveFolderBrowse) << "/new"
                                   << "[/old] [/new]";
    QTest::newRow("archiveCancelled") << int(ArchiveFolderBrowse) << ""
                                      << "[/old] [/oldArch]";
}

void TestOptionsDlg::folderButtonsFillTheirEdits()
{
    QFETCH(int, button);
    QFETCH(QString, folders);
    QFETCH(QString, answer);
    folderAnswer_ = answer;
    put(kFolders);
    run([&] {
        click(button);
        QCOMPARE(folderTitles_, QStringList{QStringLiteral("Please select a folder")});
        QCOMPARE(state(), "1008 on ticked on [{basename} {part}] " + folders);
    });
}

void TestOptionsDlg::reopeningShowsTheFileNotTheFields()
{
    run([this] {
        click(OutputFolderRadio);
        retype(OutputFolderEdit, QStringLiteral("/a"));
        click(OptionsOk);
    });
    put(optionsText(5, 0, "/b", "", "{part}")); // changed by another program
    run([this] { QCOMPARE(state(), QStringLiteral("0 off unticked off [{part}] [/b] []")); });
    QCOMPARE(dlg_->OutFolderName, QStringLiteral("/a"));
}

void TestOptionsDlg::ownerIsOnlyBorrowed()
{
    // While open, the dialog is its owner's child, centred on it; afterwards nobody's.
    QPoint offset(99, 99);
    run([&] {
        QCOMPARE(dlg_->parentWidget(), owner_.get());
        QVERIFY(dlg_->isModal());
        offset = dlg_->frameGeometry().center() - owner_->frameGeometry().center();
    });
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    QCOMPARE(dlg_->parentWidget(), nullptr);

    // An owner destroyed while the dialog is open ends it with Cancel, and it can open again.
    QCOMPARE(run([this] { owner_.reset(); }), 2);
    owner_ = std::make_unique<QWidget>();
    QCOMPARE(run([this] { click(OptionsOk); }), 1);

    // The main window holds the dialog as a member, and goes first.
    struct Holder : QWidget {
        OptionsDlg Options;
    };
    auto holder = std::make_unique<Holder>();
    QTimer::singleShot(0, &holder->Options, [&] { holder->Options.close(); });
    QCOMPARE(holder->Options.DoModal(holder.get()), 2);
    holder.reset();
}

QTEST_MAIN(TestOptionsDlg)
#include "tst_optionsdlg.moc"
