#pragma once

#include <QString>

namespace qw {

// Where the parts of a split go and what they are called.
struct OutputLocation {
    QString basePath; // the value of "{basename}": output folder and the document's base name
    QString outputFolder; // ends in a separator
};

// The base path and output folder for `saveFileType` 1 (the folder asked for before the split),
// 2 (the fixed output folder) or anything else (the document's own folder). A separator is
// always put between a folder and the base name; folders are not tested for existence.
OutputLocation ResolveOutputLocation(const QString &documentPath, int saveFileType, const QString &askedFolder,
                                     const QString &outFolderName);

// The output path of one part: the pattern (or "{basename} {part}" when it is empty) with the
// first occurrence of each token replaced, in the order {basename}, {pagebegin}, {pageend},
// {part}, {part:0000}, {filecount}, then {bookmark} by `bookmark` (the part's bookmark title,
// already made safe for a file name) and {separator} by `separator` (what the separator sheet
// that begins the part says, made safe likewise), then ".pdf" appended.
QString ExpandNamePattern(const QString &pattern, const QString &basePath, int firstPage, int lastPage, int partNumber,
                          int fileCount, const QString &bookmark = QString(), const QString &separator = QString());

// What is wrong with a name pattern: every "{...}" in it that is not a token, once each, in a
// sentence for the user that names the tokens there are; empty when there is none. Such text
// is written into the names as it stands.
QString UnknownTokensNotice(const QString &pattern);

// Replaces the first occurrence of `token` (exact, case-sensitive) by `value`; false when absent.
bool ReplaceFirst(QString &text, const QString &token, const QString &value);

} // namespace qw
