#include "FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace qw {

namespace {
FileDialogs::OpenFileResponder &openFileResponder()
{
    static FileDialogs::OpenFileResponder instance;
    return instance;
}

FileDialogs::FolderResponder &folderResponder()
{
    static FileDialogs::FolderResponder instance;
    return instance;
}
} // namespace

void FileDialogs::SetOpenFileResponder(OpenFileResponder responder)
{
    openFileResponder() = std::move(responder);
}

void FileDialogs::SetFolderResponder(FolderResponder responder)
{
    folderResponder() = std::move(responder);
}

QString FileDialogs::ResolveTypedName(const QString &typed, const QString &defaultSuffix)
{
    const QFileInfo file(typed);
    if (file.exists() || defaultSuffix.isEmpty() || !file.suffix().isEmpty())
        return typed;
    // File names are case-sensitive here: "name" finds name.pdf as well as name.PDF.
    for (const QString &suffix : {defaultSuffix.toLower(), defaultSuffix})
        if (QFileInfo(typed + QLatin1Char('.') + suffix).isFile())
            return typed + QLatin1Char('.') + suffix;
    return typed;
}

namespace {
// An open dialog that finds a name typed without its extension before it insists on an existing file.
class OpenFileDialog : public QFileDialog {
public:
    OpenFileDialog(QWidget *parent, QString suffix) : QFileDialog(parent), suffix_(std::move(suffix)) { }

    void accept() override
    {
        const QStringList chosen = selectedFiles();
        if (chosen.size() == 1) {
            const QString resolved = FileDialogs::ResolveTypedName(chosen.constFirst(), suffix_);
            if (resolved != chosen.constFirst())
                selectFile(resolved);
        }
        QFileDialog::accept();
    }

private:
    QString suffix_;
};
} // namespace

QString FileDialogs::GetOpenFileName(QWidget *parent, const OpenFileRequest &request)
{
    if (openFileResponder())
        return openFileResponder()(request);
    OpenFileDialog dialog(parent, request.defaultSuffix);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.nameFilters);
    // The dialog would append the suffix as it is spelled; the dialog above tries both spellings.
    // A desktop's own dialog would refuse the name before the program sees it, so Qt's is used.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

QString FileDialogs::GetExistingFolder(QWidget *parent, const QString &title, const QString &start)
{
    if (folderResponder())
        return folderResponder()(title, start);
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(parent, title, start));
}

} // namespace qw
