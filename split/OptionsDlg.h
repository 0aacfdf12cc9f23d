#pragma once

#include <QString>

// The split options: where parts go, whether the source is archived, and the name pattern.
// The values keep their defaults until the options are edited and stored.
class OptionsDlg {
public:
    QString FileNamePattern = QStringLiteral("{basename} {part}");
    QString OutFolderName;
    QString ArchiveFolderName;
    int SaveFileType = 3;
    int ArchiveButtonState = 0;
};
