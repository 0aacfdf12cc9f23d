#include "OptionsDlg.h"

#include "split/OutputNaming.h"

#include "split/OptionsFile.h"
#include "split/PrivateProfile.h"
#include "split/SplitSettings.h"
#include "framework/AppMessageBox.h"
#include "framework/DialogBuilder.h"
#include "framework/DialogKeyFilter.h"
#include "framework/DialogUnits.h"
#include "framework/FileDialogs.h"
#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <array>

namespace qw {

namespace {
const QString kSaveFileTypeKey = QString::fromLatin1(SplitSettings::SaveFileTypeKey);
const QString kArchiveButtonStateKey = QString::fromLatin1(SplitSettings::ArchiveButtonStateKey);
const QString kOutFolderNameKey = QString::fromLatin1(SplitSettings::OutFolderNameKey);
const QString kArchiveFolderNameKey = QString::fromLatin1(SplitSettings::ArchiveFolderNameKey);
const QString kFileNamePatternKey = QString::fromLatin1(SplitSettings::FileNamePatternKey);

constexpr int kAskForFolder = SplitSettings::AskForFolder;
constexpr int kOutputFolder = SplitSettings::OutputFolder;
constexpr int kSameFolder = SplitSettings::SameFolder;

const DialogTemplate &optionsTemplate()
{
    return *FindDialogTemplate(ResId::OptionsDialog);
}
} // namespace

OptionsDlg::OptionsDlg() : QDialog(nullptr)
{
    Create();
}

OptionsDlg::~OptionsDlg() = default;

void OptionsDlg::Create()
{
    const DialogTemplate &dialog = optionsTemplate();
    DialogBuilder::BuildFixedDialog(dialog, this);
    DoDataExchange();

    // A drop-down combo box of the platform neither adds typed texts to its list nor completes
    // them: a completion would be stored as if typed.
    PatternCombo->setInsertPolicy(QComboBox::NoInsert);
    PatternCombo->setCompleter(nullptr);
    templateSize_ = size();
    PatternNotice = new QLabel(this);
    PatternNotice->setObjectName(QStringLiteral("patternNotice"));
    PatternNotice->setTextFormat(Qt::PlainText);
    PatternNotice->setWordWrap(true);
    PatternNotice->hide();
    connect(PatternCombo, &QComboBox::editTextChanged, this,
            [this](const QString &pattern) { ShowPatternNotice(pattern); });
    ConnectControls();
    new DialogKeyFilter(this, [this](QKeyEvent *key) { return PreTranslateMessage(key); });
}

QString OptionsDlg::UnknownTokensSentence(const QString &pattern)
{
    const QString notice = UnknownTokensNotice(pattern);
    return notice.isEmpty() ? notice : notice.at(0).toUpper() + notice.mid(1) + QLatin1Char('.');
}

void OptionsDlg::ShowPatternNotice(const QString &pattern)
{
    // Text in braces that is not a token would stand in the names as it is: said while typing,
    // under the buttons (the template's places stay as they are), and in the field's tip.
    const QString notice = UnknownTokensSentence(pattern);
    PatternCombo->setToolTip(notice);
    PatternNotice->setText(notice);
    if (notice.isEmpty()) {
        PatternNotice->hide();
        setFixedSize(templateSize_);
        return;
    }
    const DialogUnits units = DialogUnits::ForFont(font());
    const int top = qMax(OkButton->geometry().bottom(), CancelButton->geometry().bottom()) + 1 + units.ToPixelsY(4);
    const int width = PatternCombo->width();
    const int height = PatternNotice->heightForWidth(width);
    PatternNotice->setGeometry(PatternCombo->x(), top, width, height);
    PatternNotice->show();
    // The template's margin below its last line of controls, below the notice.
    setFixedSize(templateSize_.width(), qMax(templateSize_.height(), top + height + units.ToPixelsY(7)));
}

void OptionsDlg::DoDataExchange()
{
    const auto control = [this](int id) { return DialogBuilder::ControlById(this, id); };
    AskFolderRadio = qobject_cast<QRadioButton *>(control(CtrlId::AskFolderRadio));
    OutputFolderRadio = qobject_cast<QRadioButton *>(control(CtrlId::OutputFolderRadio));
    SameFolderRadio = qobject_cast<QRadioButton *>(control(CtrlId::SameFolderRadio));
    OutputFolderEdit = qobject_cast<QLineEdit *>(control(CtrlId::OutputFolderEdit));
    ArchiveFolderEdit = qobject_cast<QLineEdit *>(control(CtrlId::ArchiveFolderEdit));
    ArchiveCheck = qobject_cast<QCheckBox *>(control(CtrlId::ArchiveCheck));
    PatternCombo = qobject_cast<QComboBox *>(control(CtrlId::PatternCombo));
    OutputFolderBrowse = qobject_cast<QPushButton *>(control(CtrlId::OutputFolderBrowse));
    ArchiveFolderBrowse = qobject_cast<QPushButton *>(control(CtrlId::ArchiveFolderBrowse));
    OkButton = qobject_cast<QPushButton *>(control(CtrlId::OptionsOk));
    CancelButton = qobject_cast<QPushButton *>(control(CtrlId::OptionsCancel));
}

void OptionsDlg::ConnectControls()
{
    // `clicked` comes from the user (mouse, space bar, arrow keys in the group), never from
    // the states set while opening, as the platform's click notification does.
    connect(AskFolderRadio, &QAbstractButton::clicked, this, [this] { OnAskFolderRadio(); });
    connect(OutputFolderRadio, &QAbstractButton::clicked, this, [this] { OnOutputFolderRadio(); });
    connect(SameFolderRadio, &QAbstractButton::clicked, this, [this] { OnSameFolderRadio(); });
    connect(ArchiveCheck, &QAbstractButton::clicked, this, [this] { OnArchiveCheck(); });
    connect(OutputFolderBrowse, &QAbstractButton::clicked, this, [this] { BrowseFolderInto(OutputFolderEdit); });
    connect(ArchiveFolderBrowse, &QAbstractButton::clicked, this, [this] { BrowseFolderInto(ArchiveFolderEdit); });
    connect(OkButton, &QAbstractButton::clicked, this, [this] { OnOk(); });
    connect(CancelButton, &QAbstractButton::clicked, this, [this] { OnCancel(); });
}

int OptionsDlg::DoModal(QWidget *owner)
{
    if (isVisible())
        return CtrlId::Cancel; // already open: a second modal loop would end with the first
    OnInitDialog();
    QWidget *ownerWindow = owner ? owner->window() : nullptr;
    AttachToOwner(ownerWindow);
    CentreOver(ownerWindow);
    const QPointer<OptionsDlg> alive(this);
    const int result = exec();
    if (!alive)
        return CtrlId::Cancel; // destroyed while open, together with the window holding it
    DetachFromOwner();
    return result == CtrlId::Ok ? CtrlId::Ok : CtrlId::Cancel;
}

void OptionsDlg::OnInitDialog()
{
    ResetPatternList();
    ReadOptionsFile();
    FocusFirstTabStop();
}

void OptionsDlg::ResetPatternList()
{
    for (const DialogControl &control : optionsTemplate().controls)
        if (control.id == CtrlId::PatternCombo) {
            PatternCombo->clear();
            PatternCombo->addItems(control.items);
            PatternCombo->setCurrentIndex(-1);
        }
}

void OptionsDlg::FocusFirstTabStop()
{
    // As the platform does on opening: the first control of the template with a tab stop that
    // is enabled (the radio buttons have none).
    for (const DialogControl &control : optionsTemplate().controls) {
        if (!(control.style & WinStyle::TabStop))
            continue;
        QWidget *widget = DialogBuilder::ControlById(this, control.id);
        if (widget && widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void OptionsDlg::ReadOptionsFile()
{
    const OptionsFile options = OptionsFile::ForThisProgram();
    // Told once: the dialog opens at every split.
    if (const QString problem = options.ReadProblem(); !problem.isEmpty() && !readProblemTold_) {
        readProblemTold_ = true;
        AppMessageBox::Show(parentWidget(), problem, MsgBox::Ok | MsgBox::IconExclamation);
    }
    const SplitSettings read = SplitSettings::Read(options.ForReading());
    // The type read is kept aside: the field changes only when Ok succeeds.
    saveFileTypeRead_ = read.saveFileType;
    SelectSaveFileType(saveFileTypeRead_);
    EnableOutputFolder(saveFileTypeRead_ == kOutputFolder);
    ArchiveCheck->setChecked(read.archive);
    EnableArchiveFolder(read.archive);
    PatternCombo->setEditText(read.fileNamePattern);
    OutputFolderEdit->setText(read.outFolderName);
    ArchiveFolderEdit->setText(read.archiveFolderName);
}

void OptionsDlg::WriteOptionsFile()
{
    const OptionsFile::WriteResult written = OptionsFile::ForThisProgram().WriteEntries(
        QString::fromLatin1(Section), {{kSaveFileTypeKey, QString::number(SaveFileType)},
                                       {kArchiveButtonStateKey, QString::number(ArchiveButtonState)},
                                       {kOutFolderNameKey, OutFolderName},
                                       {kArchiveFolderNameKey, ArchiveFolderName},
                                       {kFileNamePatternKey, FileNamePattern}},
        SplitSettings::BuiltInEntries());
    // The fields already hold the values the split will use; only keeping them failed.
    if (!written)
        AppMessageBox::Show(this,
                            tr("The options could not be saved, so they apply only until the program "
                                           "ends.\n\n%1\n\nPlease make the folder or file named above writable, "
                                           "then open Options and press Ok again to keep them.")
                                .arg(written.reason),
                            MsgBox::Ok | MsgBox::IconExclamation);
}

void OptionsDlg::OnAskFolderRadio()
{
    if (AskFolderRadio->isChecked())
        EnableOutputFolder(false);
}

void OptionsDlg::OnOutputFolderRadio()
{
    EnableOutputFolder(OutputFolderRadio->isChecked());
}

void OptionsDlg::OnSameFolderRadio()
{
    if (SameFolderRadio->isChecked())
        EnableOutputFolder(false);
}

void OptionsDlg::OnArchiveCheck()
{
    EnableArchiveFolder(ArchiveCheck->isChecked());
}

void OptionsDlg::BrowseFolderInto(QLineEdit *edit)
{
    // Owned by this dialog, so that it cannot be closed while the browser is open.
    const QString folder = FileDialogs::GetExistingFolder(this, tr("Please select a folder"), QString());
    if (!folder.isEmpty())
        edit->setText(folder);
}

void OptionsDlg::OnOk()
{
    const int selectedType = SelectedSaveFileType();
    const int archiveState = ArchiveCheck->isChecked() ? 1 : 0;
    const QString outFolder = OutputFolderEdit->text();
    const QString archiveFolder = ArchiveFolderEdit->text();
    const QString pattern = PatternCombo->currentText();
    // Checked before anything is stored, so that a refused Ok leaves the fields as the last
    // successful Ok stored them.
    //: Completes "The %1 begins or ends with a space or tab..."
    if (RefuseOuterBlanks(outFolder, OutputFolderEdit, tr("output folder"))
        //: Completes "The %1 begins or ends with a space or tab..."
        || RefuseOuterBlanks(archiveFolder, ArchiveFolderEdit, tr("archive folder"))
        //: Completes "The %1 begins or ends with a space or tab..."
        || RefuseOuterBlanks(pattern, PatternCombo, tr("name pattern")))
        return;
    if (selectedType == kOutputFolder && RefuseEmpty(outFolder, OutputFolderEdit, tr("Please select output folder!")))
        return;
    if (archiveState != 0 && RefuseEmpty(archiveFolder, ArchiveFolderEdit, tr("Please select archive folder!")))
        return;

    SaveFileType = selectedType != 0 ? selectedType : saveFileTypeRead_;
    ArchiveButtonState = archiveState;
    FileNamePattern = pattern;
    OutFolderName = outFolder;
    ArchiveFolderName = archiveFolder;
    WriteOptionsFile();
    EndDialog(CtrlId::Ok);
}

bool OptionsDlg::RefuseEmpty(const QString &text, QLineEdit *edit, const QString &message)
{
    if (!text.isEmpty())
        return false;
    AppMessageBox::Show(this, message, MsgBox::Ok);
    edit->setFocus();
    return true;
}

bool OptionsDlg::RefuseOuterBlanks(const QString &text, QWidget *field, const QString &fieldName)
{
    // The file keeps what is typed, but reading it trims: " /out" would come back as another folder.
    if (!PrivateProfile::HasOuterBlanks(text))
        return false;
    AppMessageBox::Show(this,
                        tr("The %1 begins or ends with a space or tab, which would be lost when the "
                                       "options are read again.\nPlease remove the spaces and tabs at its start "
                                       "and end.")
                            .arg(fieldName),
                        MsgBox::Ok);
    field->setFocus();
    return true;
}

void OptionsDlg::OnCancel()
{
    EndDialog(CtrlId::Cancel);
}

void OptionsDlg::reject()
{
    OnCancel();
}

bool OptionsDlg::PreTranslateMessage(QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Escape: return true; // the dialog ends only by its buttons and its close box
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // There is no default button: Enter presses only a push button that has the focus.
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()); button && button->isEnabled())
            button->click();
        return true;
    default: return false;
    }
}

int OptionsDlg::SelectedSaveFileType() const
{
    if (AskFolderRadio->isChecked())
        return kAskForFolder;
    if (OutputFolderRadio->isChecked())
        return kOutputFolder;
    if (SameFolderRadio->isChecked())
        return kSameFolder;
    return 0;
}

void OptionsDlg::SelectSaveFileType(int type)
{
    // An exclusive group never lets its checked button be cleared, yet a type other than 1, 2
    // or 3 selects none: the group is made free while the states are set.
    const std::array<QRadioButton *, 3> radios{AskFolderRadio, OutputFolderRadio, SameFolderRadio};
    for (QRadioButton *radio : radios)
        radio->setAutoExclusive(false);
    for (int i = 0; i < int(radios.size()); ++i)
        radios[i]->setChecked(type == i + 1);
    for (QRadioButton *radio : radios)
        radio->setAutoExclusive(true);
}

void OptionsDlg::EnableOutputFolder(bool enable)
{
    OutputFolderEdit->setEnabled(enable);
    OutputFolderBrowse->setEnabled(enable);
}

void OptionsDlg::EnableArchiveFolder(bool enable)
{
    ArchiveFolderEdit->setEnabled(enable);
    ArchiveFolderBrowse->setEnabled(enable);
}

void OptionsDlg::AttachToOwner(QWidget *ownerWindow)
{
    if (!ownerWindow)
        return;
    // As the owner's child window the dialog stays above it and is centred and modal on it.
    setParent(ownerWindow, windowFlags());
    // The owner deletes its children as it goes, but this object is not its to delete: leave it
    // first. (The signal comes before the children are deleted.)
    ownerGuard_ = connect(ownerWindow, &QObject::destroyed, this, [this] {
        EndDialog(CtrlId::Cancel);
        DetachFromOwner();
    });
}

void OptionsDlg::DetachFromOwner()
{
    disconnect(ownerGuard_);
    if (parentWidget())
        setParent(nullptr, windowFlags());
}

QMargins OptionsDlg::FrameMargins(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

void OptionsDlg::CentreOver(const QWidget *ownerWindow)
{
    const QScreen *screen = ownerWindow ? ownerWindow->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // Frames are centred, as the platform centres dialogs. Before its first showing the dialog's
    // frame is not known yet; the owner's, drawn by the same window manager, stands in for it.
    QRect frame(QPoint(), size().grownBy(FrameMargins(ownerWindow ? ownerWindow : this)));
    frame.moveCenter(ownerWindow ? ownerWindow->frameGeometry().center() : available.center());
    // An owner partly off its screen must not push the dialog off it.
    frame.moveLeft(qMax(available.left(), qMin(frame.left(), available.right() - frame.width() + 1)));
    frame.moveTop(qMax(available.top(), qMin(frame.top(), available.bottom() - frame.height() + 1)));
    move(frame.topLeft());
}

void OptionsDlg::EndDialog(int result)
{
    done(result);
}

SplitSettings OptionsDlg::Settings(const QString &askedFolder) const
{
    SplitSettings settings;
    settings.fileNamePattern = FileNamePattern;
    settings.saveFileType = SaveFileType;
    settings.askedFolder = askedFolder;
    settings.outFolderName = OutFolderName;
    settings.archive = ArchiveButtonState != 0;
    settings.archiveFolderName = ArchiveFolderName;
    return settings;
}

} // namespace qw
