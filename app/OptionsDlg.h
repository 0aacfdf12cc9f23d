#pragma once

#include "split/OptionsFile.h"
#include "split/SplitSettings.h"

#include <QDialog>
#include <QMargins>
#include <QMetaObject>
#include <QString>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qw {

// The split options and the Options dialog (template 130) that edits them and keeps them in
// options.ini, section "Setting": the user's own file for an installed program, else beside the
// executable, or in the user's own copy once that could not be written (see OptionsFile).
//
// The five fields are what splitting uses. They change only when the dialog closes through
// its Ok button: Cancel and the close box leave them and the file as they were. Each opening
// shows the file's contents, not the fields.
//
// The object has no parent, so it can live as a member of the window that shows it; it is
// that window's child only while DoModal runs.
class OptionsDlg : public QDialog {
    Q_OBJECT
public:
    OptionsDlg();
    ~OptionsDlg() override;

    // Reads options.ini, shows the dialog modally, centred over `owner`'s window, and returns
    // 1 when it closed through Ok, 2 otherwise (Cancel, the close box, its owner destroyed).
    // Ok refuses, with a message, a folder or pattern with blanks around it (reading the file
    // would drop them). When no file can be written, a message says why; the dialog still
    // closes with Ok, and the fields hold what was entered.
    int DoModal(QWidget *owner);

    // The options in force as a split takes them, with `askedFolder` for parts that go to the
    // folder asked for at each split.
    SplitSettings Settings(const QString &askedFolder) const;

    // What is wrong with `pattern` as a sentence of its own: every text in braces that is not a
    // token, which would stand in the names as it is; empty when there is none.
    static QString UnknownTokensSentence(const QString &pattern);

    static constexpr const char *FileName = OptionsFile::FileName;
    static constexpr const char *Section = SplitSettings::Section;
    static constexpr const char *DefaultPattern = SplitSettings::DefaultPattern;

    QString FileNamePattern = QString::fromLatin1(DefaultPattern);
    QString OutFolderName;
    QString ArchiveFolderName;
    int SaveFileType = 3; // 1 ask for a folder, 2 OutFolderName, 3 beside the document
    int ArchiveButtonState = 0; // non-zero: move the document to ArchiveFolderName afterwards

public slots:
    // The close box: closes with Cancel.
    void reject() override;

private:
    void Create();
    void DoDataExchange();
    void ConnectControls();
    void OnInitDialog();
    void ResetPatternList();
    // Names the unknown tokens of `pattern` under the pattern field, growing the dialog for the
    // notice while there is one.
    void ShowPatternNotice(const QString &pattern);
    void FocusFirstTabStop();

    // The options file's values, shown in the controls.
    void ReadOptionsFile();
    void WriteOptionsFile();

    // Reactions to the controls.
    void OnAskFolderRadio();
    void OnOutputFolderRadio();
    void OnSameFolderRadio();
    void OnArchiveCheck();
    void BrowseFolderInto(QLineEdit *edit);
    void OnOk();
    void OnCancel();
    bool PreTranslateMessage(QKeyEvent *key);

    // 1, 2 or 3 for the selected radio button, 0 when none is.
    int SelectedSaveFileType() const;
    void SelectSaveFileType(int type);
    void EnableOutputFolder(bool enable);
    void EnableArchiveFolder(bool enable);
    bool RefuseEmpty(const QString &text, QLineEdit *edit, const QString &message);
    bool RefuseOuterBlanks(const QString &text, QWidget *field, const QString &fieldName);

    void AttachToOwner(QWidget *ownerWindow);
    void DetachFromOwner();
    void CentreOver(const QWidget *ownerWindow);
    static QMargins FrameMargins(const QWidget *window);
    void EndDialog(int result);

    QRadioButton *AskFolderRadio = nullptr;
    QRadioButton *OutputFolderRadio = nullptr;
    QRadioButton *SameFolderRadio = nullptr;
    QLineEdit *OutputFolderEdit = nullptr;
    QLineEdit *ArchiveFolderEdit = nullptr;
    QCheckBox *ArchiveCheck = nullptr;
    QComboBox *PatternCombo = nullptr;
    QPushButton *OutputFolderBrowse = nullptr;
    QPushButton *ArchiveFolderBrowse = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QLabel *PatternNotice = nullptr; // not in the template: below it, shown only while needed

    QSize templateSize_; // the dialog's size without the notice

    int saveFileTypeRead_ = 3; // kept by Ok when no radio button is selected
    bool readProblemTold_ = false; // why options.ini is not read, told once
    QMetaObject::Connection ownerGuard_;
};

} // namespace qw
