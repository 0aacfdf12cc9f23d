#include "SplitSettings.h"

#include "PrivateProfile.h"

namespace qw {

SplitSettings SplitSettings::Read(const PrivateProfile &file)
{
    const QString section = QString::fromLatin1(Section);
    const auto key = [](const char *name) { return QString::fromLatin1(name); };
    SplitSettings settings;
    settings.saveFileType = file.ReadInt(section, key(SaveFileTypeKey), SameFolder);
    settings.archive = file.ReadInt(section, key(ArchiveButtonStateKey), 0) == 1;
    // Texts are read whole: a folder cut short would be another folder.
    settings.outFolderName = file.ReadString(section, key(OutFolderNameKey), QString());
    settings.archiveFolderName = file.ReadString(section, key(ArchiveFolderNameKey), QString());
    settings.fileNamePattern = file.ReadString(section, key(FileNamePatternKey), key(DefaultPattern));
    return settings;
}

} // namespace qw
