#include "OptionsFile.h"

#include "framework/ModulePath.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

namespace qw {

namespace {

OptionsFile::WriteResult outcome(const PrivateProfile::WriteResult &written, const QString &path,
                                 const QString &earlierReason = {})
{
    if (written)
        return {true, path, {}};
    return {false, {}, earlierReason.isEmpty() ? written.reason : earlierReason + u'\n' + written.reason};
}

} // namespace

OptionsFile::OptionsFile(QString programPath, QString userPath)
    : programPath_(std::move(programPath)), userPath_(std::move(userPath))
{
}

OptionsFile OptionsFile::ForThisProgram()
{
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QString userPath;
    if (!configFolder.isEmpty())
        userPath = QDir::toNativeSeparators(configFolder + u'/' + QLatin1String(UserFolderName) + u'/'
                                            + QLatin1String(FileName));
    return OptionsFile(MakeModulePath(QLatin1String(FileName)), userPath);
}

bool OptionsFile::UserFileExists() const
{
    return !userPath_.isEmpty() && QFileInfo::exists(userPath_);
}

QString OptionsFile::ReadPath() const
{
    return UserFileExists() ? userPath_ : programPath_;
}

OptionsFile::WriteResult OptionsFile::WriteEntries(const QString &section, const PrivateProfile::Entries &entries) const
{
    const PrivateProfile user(userPath_);
    if (UserFileExists())
        return outcome(user.WriteEntries(section, entries), userPath_);

    const PrivateProfile program(programPath_);
    const PrivateProfile::WriteResult written = program.WriteEntries(section, entries);
    // Entries refused for what they are would be refused in any file.
    if (written || written.refusedEntries || userPath_.isEmpty())
        return outcome(written, programPath_);

    const QString userFolder = QDir::toNativeSeparators(QFileInfo(userPath_).absolutePath());
    if (!QDir().mkpath(userFolder))
        return {false, {}, written.reason + u'\n' + QStringLiteral("%1 cannot be created").arg(userFolder)};
    // A folder or a broken link in the program file's place is nothing to copy.
    const PrivateProfile::WriteResult copied = QFileInfo(programPath_).isFile()
                                                   ? user.WriteEntriesFrom(program, section, entries)
                                                   : user.WriteEntries(section, entries);
    return outcome(copied, userPath_, written.reason);
}

} // namespace qw
