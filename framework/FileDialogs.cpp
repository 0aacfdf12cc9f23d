#include "FileDialogs.h"

#include <QDir>
#include <QFileDialog>

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

QString FileDialogs::GetOpenFileName(QWidget *parent, const OpenFileRequest &request)
{
    if (openFileResponder())
        return openFileResponder()(request);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.nameFilters);
    dialog.setDefaultSuffix(request.defaultSuffix);
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
