#pragma once

#include "DocumentOutline.h"

#include "PrivateProfile.h"

#include <QList>
#include <QMap>
#include <QString>

namespace qw {

// What a split needs to know besides the document and its parts: how parts are named, where
// they go and whether the document is archived afterwards.
struct SplitSettings {
    // The keys of options.ini, section "Setting", that hold these settings.
    static constexpr const char *Section = "Setting";
    static constexpr const char *SaveFileTypeKey = "SaveFileType";
    static constexpr const char *ArchiveButtonStateKey = "ArchiveButtonState";
    static constexpr const char *OutFolderNameKey = "OutFolderName";
    static constexpr const char *ArchiveFolderNameKey = "ArchiveFolderName";
    static constexpr const char *FileNamePatternKey = "FileNamePattern";
    static constexpr const char *DefaultPattern = "{basename} {part}";

    static constexpr int AskForFolder = 1;
    static constexpr int OutputFolder = 2;
    static constexpr int SameFolder = 3;

    QString fileNamePattern = QString::fromLatin1(DefaultPattern);
    int saveFileType = SameFolder;
    QString askedFolder; // where parts go when saveFileType asks for a folder
    QString outFolderName;
    bool archive = false; // move the document to archiveFolderName once every part is written
    QString archiveFolderName;
    // What "{bookmark}" in the pattern names a part after: the document's bookmarks, of level
    // 1 to bookmarkLevel (any level when 0).
    QList<Bookmark> bookmarks;
    int bookmarkLevel = 0;
    // What "{separator}" names a part after: by page, what each separator sheet says (its
    // barcode's text, or the line where its phrase begins).
    QMap<int, QString> separatorLabels;

    // The values the keys above read as when no file holds them, as the file would hold them.
    static PrivateProfile::Entries BuiltInEntries();

    // The settings as options.ini holds them (defaults for what it lacks); the document is
    // archived only when ArchiveButtonState is 1, as the Options dialog shows it.
    static SplitSettings Read(const PrivateProfile &file) { return Read(QList<PrivateProfile>{file}); }
    // The same from layered files, the most preferred first: each key is read from the first
    // file that holds it, so a user's file overrides system-wide defaults key by key.
    static SplitSettings Read(const QList<PrivateProfile> &files);
};

} // namespace qw
