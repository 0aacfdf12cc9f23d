#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace qw {

// What an open-file dialog is asked to show.
struct OpenFileRequest {
    QStringList nameFilters; // "Description (patterns)", the first selected at start
    QString defaultSuffix; // appended to a name typed without one
};

// The file and folder dialogs of the program. Tests install responders that answer in place
// of a person; an empty answer means the dialog was cancelled.
class FileDialogs {
public:
    using OpenFileResponder = std::function<QString(const OpenFileRequest &)>;
    using FolderResponder = std::function<QString(const QString &title, const QString &start)>;

    // The full path of the chosen existing file, or empty when cancelled.
    static QString GetOpenFileName(QWidget *parent, const OpenFileRequest &request);
    // The chosen folder, or empty when cancelled.
    static QString GetExistingFolder(QWidget *parent, const QString &title, const QString &start);

    // The file a name typed in the open dialog means: as typed when it exists or has an
    // extension, else with ".pdf" or ".PDF" (the default suffix in both cases) when one exists.
    static QString ResolveTypedName(const QString &typed, const QString &defaultSuffix);

    static void SetOpenFileResponder(OpenFileResponder responder);
    static void SetFolderResponder(FolderResponder responder);
};

} // namespace qw
