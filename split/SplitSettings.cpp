#include "SplitSettings.h"

#include "PrivateProfile.h"

namespace qw {

namespace {

// The first of `files` that holds `key`; the last one (whose defaults then apply) when none does.
const PrivateProfile &holderOf(const QList<PrivateProfile> &files, const QString &section, const QString &key)
{
    for (const PrivateProfile &file : files)
        if (file.Contains(section, key))
            return file;
    return files.constLast();
}

} // namespace

PrivateProfile::Entries SplitSettings::BuiltInEntries()
{
    const SplitSettings defaults;
    return {{QString::fromLatin1(SaveFileTypeKey), QString::number(defaults.saveFileType)},
            {QString::fromLatin1(ArchiveButtonStateKey), QString::number(defaults.archive ? 1 : 0)},
            {QString::fromLatin1(OutFolderNameKey), defaults.outFolderName},
            {QString::fromLatin1(ArchiveFolderNameKey), defaults.archiveFolderName},
            {QString::fromLatin1(FileNamePatternKey), defaults.fileNamePattern}};
}

SplitSettings SplitSettings::Read(const QList<PrivateProfile> &files)
{
    SplitSettings settings;
    if (files.isEmpty())
        return settings;
    const QString section = QString::fromLatin1(Section);
    const auto key = [](const char *name) { return QString::fromLatin1(name); };
    const auto file = [&](const char *name) -> const PrivateProfile & { return holderOf(files, section, key(name)); };
    settings.saveFileType = file(SaveFileTypeKey).ReadInt(section, key(SaveFileTypeKey), SameFolder);
    settings.archive = file(ArchiveButtonStateKey).ReadInt(section, key(ArchiveButtonStateKey), 0) == 1;
    // Texts are read whole: a folder cut short would be another folder.
    settings.outFolderName = file(OutFolderNameKey).ReadString(section, key(OutFolderNameKey), QString());
    settings.archiveFolderName = file(ArchiveFolderNameKey).ReadString(section, key(ArchiveFolderNameKey), QString());
    settings.fileNamePattern = file(FileNamePatternKey).ReadString(section, key(FileNamePatternKey), key(DefaultPattern));
    return settings;
}

} // namespace qw
