// The Options dialog, driven by real clicks and keys while it runs modally, against the
// options.ini beside this program (which runs from a folder of its own).
#include "framework/AppMessageBox.h"
#include "framework/DialogBuilder.h"
#include "framework/FileDialogs.h"
#include "framework/ModulePath.h"
#include "res/ResourceIds.h"
#include "split/OptionsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

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
    void okRefusesEmptyFolders_data();
    void okRefusesEmptyFolders();
    void okStoresTextsAsTyped_data();
    void okStoresTextsAsTyped();
    void keysActLikeThePlatformsDialogKeys_data();
    void keysActLikeThePlatformsDialogKeys();
    void clicksEnableTheFolders();
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
    void put(const QByteArray &bytes) const;
    QByteArray contents() const;
    void removeOptionsFile() const;

    std::unique_ptr<QWidget> owner_;
    std::unique_ptr<OptionsDlg> dlg_;
    QString path_;
    QStringList messages_;
    QStringList folderTitles_;
    QString folderAnswer_;
};

void TestOptionsDlg::initTestCase()
{
    path_ = MakeModulePath(QStringLiteral("options.ini"));
    AppMessageBox::SetResponder([this](const QString &text, unsigned type) {
        messages_ << text + (type == MsgBox::Ok ? "" : " (not an OK box)");
        return MsgBox::IdOk;
    });
    FileDialogs::SetFolderResponder([this](const QString &title, const QString &) {
        folderTitles_ << title;
        return folderAnswer_;
    });
}

void TestOptionsDlg::init()
{
    removeOptionsFile();
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
    removeOptionsFile();
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

void TestOptionsDlg::put(const QByteArray &bytes) const
{
    QFile file(path_);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray TestOptionsDlg::contents() const
{
    QFile file(path_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void TestOptionsDlg::removeOptionsFile() const
{
    QFile::setPermissions(path_, QFile::Permissions(0x6666));
    QFile::remove(path_);
    QDir().rmdir(path_);
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

void TestOptionsDlg::okRefusesEmptyFolders_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");
    QTest::addColumn<bool>("closeBox"); // else Cancel
    QTest::newRow("outputFolderEmpty") << QList<int>{OutputFolderRadio} << "Please select output folder!"
                                       << OutputFolderEdit << false;
    QTest::newRow("archiveFolderEmpty") << QList<int>{ArchiveCheck} << "Please select archive folder!"
                                        << ArchiveFolderEdit << true;
    QTest::newRow("outputAskedFirst") << QList<int>{OutputFolderRadio, ArchiveCheck} << "Please select output folder!"
                                      << OutputFolderEdit << false;
}

void TestOptionsDlg::okRefusesEmptyFolders()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QString, message);
    QFETCH(int, focus);
    QFETCH(bool, closeBox);
    put(kMine);
    dlg_->OutFolderName = QStringLiteral("kept");
    const QByteArray fields = fieldsText(*dlg_);
    QCOMPARE(run([&] {
                 for (int id : clicks)
                     click(id);
                 click(OptionsOk);
                 QCOMPARE(messages_, QStringList{message});
                 QVERIFY(dlg_->isVisible());
                 QCOMPARE(dlg_->focusWidget(), control(focus));
                 closeBox ? (void)dlg_->close() : click(OptionsCancel);
             }),
             2);
    QCOMPARE(contents(), kMine);
    QCOMPARE(fieldsText(*dlg_), fields);
}

void TestOptionsDlg::okStoresTextsAsTyped_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<int>("clicked"); // 0: none
    QTest::addColumn<int>("typedInto"); // 0: none
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("obstacle"); // 1: the file is read-only, 2: a folder has its name
    QTest::addColumn<QByteArray>("fields");
    QTest::newRow("askForFolderWithEmptyEdit")
        << QByteArray() << int(AskFolderRadio) << 0 << "" << 0 << optionsText(1, 0, "", "", kDefaultPattern);
    QTest::newRow("blankFolderPasses") << QByteArray() << int(OutputFolderRadio) << int(OutputFolderEdit) << "   " << 0
                                       << optionsText(2, 0, "   ", "", kDefaultPattern);
    QTest::newRow("archiveWithFolder") << QByteArray() << int(ArchiveCheck) << int(ArchiveFolderEdit) << "/arch" << 0
                                       << optionsText(3, 1, "", "/arch", kDefaultPattern);
    QTest::newRow("emptyPattern") << QByteArray() << 0 << int(PatternCombo) << "" << 0 << optionsText(3, 0, "", "", "");
    QTest::newRow("typedPatternIsNotCompleted")
        << QByteArray() << 0 << int(PatternCombo) << "{basename}" << 0 << optionsText(3, 0, "", "", "{basename}");
    QTest::newRow("unknownTypeWrittenBack") << QByteArray("[Setting]\r\nSaveFileType=5\r\n") << 0 << 0 << "" << 0
                                            << optionsText(5, 0, "", "", kDefaultPattern);
    QTest::newRow("readOnlyFileStillOk") << kMine << int(OutputFolderRadio) << int(OutputFolderEdit) << "/out" << 1
                                         << optionsText(2, 0, "/out", "", "{part}");
    QTest::newRow("folderInPlaceStillOk") << QByteArray() << int(OutputFolderRadio) << int(OutputFolderEdit) << "/out"
                                          << 2 << optionsText(2, 0, "/out", "", kDefaultPattern);
}

void TestOptionsDlg::okStoresTextsAsTyped()
{
    QFETCH(QByteArray, before);
    QFETCH(int, clicked);
    QFETCH(int, typedInto);
    QFETCH(QString, typed);
    QFETCH(int, obstacle);
    QFETCH(QByteArray, fields);
    if (!before.isNull())
        put(before);
    if (obstacle == 1)
        QFile::setPermissions(path_, QFile::Permissions(0x4444)); // read-only binds root too
    if (obstacle == 2)
        QVERIFY(QDir().mkdir(path_));
    const QByteArray unwritable = contents();
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
    QCOMPARE(contents(), obstacle ? unwritable : fields);
    run([this] { QCOMPARE(static_cast<QComboBox *>(control(PatternCombo))->currentText(), dlg_->FileNamePattern); });
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
