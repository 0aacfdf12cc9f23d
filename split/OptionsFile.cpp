#include "OptionsFile.h"

#include "core/ModulePath.h"

#include <QCoreApplication>
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

OptionsFile OptionsFile::PerUser(QString userPath, QStringList defaultPaths)
{
    OptionsFile file({}, std::move(userPath));
    file.defaultPaths_ = std::move(defaultPaths);
    file.perUser_ = true;
    return file;
}

OptionsFile OptionsFile::ForThisProgram()
{
    const auto optionsIn = [](const QString &configFolder) {
        return QDir::toNativeSeparators(configFolder + u'/' + QLatin1String(UserFolderName) + u'/'
                                        + QLatin1String(FileName));
    };
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString userPath = configFolder.isEmpty() ? QString() : optionsIn(configFolder);
    if (!QFileInfo::exists(MakeModulePath(QLatin1String(InstalledMarkerName))))
        return OptionsFile(MakeModulePath(QLatin1String(FileName)), userPath);

    QStringList defaultPaths;
    for (const QString &folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation))
        // Relative entries of $XDG_CONFIG_DIRS are to be ignored: they would depend on where the
        // program was started.
        if (folder != configFolder && QDir::isAbsolutePath(folder))
            defaultPaths << optionsIn(folder);
    return PerUser(userPath, defaultPaths);
}

bool OptionsFile::UserFileExists() const
{
    return !userPath_.isEmpty() && QFileInfo::exists(userPath_);
}

QString OptionsFile::ReadPath() const
{
    return perUser_ || UserFileExists() ? userPath_ : programPath_;
}

QList<PrivateProfile> OptionsFile::ForReading() const
{
    QList<PrivateProfile> files{PrivateProfile(ReadPath())};
    for (const QString &path : defaultPaths_)
        files << PrivateProfile(path);
    return files;
}

std::optional<QString> OptionsFile::InheritedValue(const QString &section, const QString &key,
                                                  const PrivateProfile::Entries &builtIn) const
{
    for (const QString &path : defaultPaths_) {
        const PrivateProfile defaults(path);
        if (defaults.Contains(section, key))
            return defaults.ReadString(section, key, QString());
    }
    for (const auto &[name, value] : builtIn)
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    return std::nullopt;
}

QString OptionsFile::ReadProblem() const
{
    QStringList problems;
    for (const PrivateProfile &file : ForReading())
        if (const QString problem = file.ReadProblem(); !problem.isEmpty())
            problems << problem;
    if (problems.isEmpty())
        return {};
    //: %1 says which options file is wrong and how, such as: /home/me/options.ini is not a file (a folder, device or pipe)
    return QCoreApplication::translate("qw::OptionsFile", "%1, so the options in it are not used; the defaults "
                                                          "apply. Make it a plain text file to keep options there.")
        .arg(problems.join(QStringLiteral("; ")));
}

OptionsFile::WriteResult OptionsFile::WriteUserFile(const QString &section, const PrivateProfile::Entries &entries,
                                                   const QStringList &removed) const
{
    if (userPath_.isEmpty())
        return {false, {}, QCoreApplication::translate("qw::OptionsFile", "There is no configuration folder for this user (is HOME set?)")};
    const QString userFolder = QDir::toNativeSeparators(QFileInfo(userPath_).absolutePath());
    if (!QDir().mkpath(userFolder))
        return {false, {}, QCoreApplication::translate("qw::OptionsFile", "%1 cannot be created").arg(userFolder)};
    return outcome(PrivateProfile(userPath_).WriteEntries(section, entries, removed), userPath_);
}

OptionsFile::WriteResult OptionsFile::WriteEntries(const QString &section, const PrivateProfile::Entries &entries,
                                                  const PrivateProfile::Entries &builtIn) const
{
    if (perUser_) {
        PrivateProfile::Entries changed;
        QStringList inherited;
        for (const auto &entry : entries) {
            const std::optional<QString> value = InheritedValue(section, entry.first, builtIn);
            if (value && *value == entry.second)
                inherited << entry.first;
            else
                changed << entry;
        }
        return WriteUserFile(section, changed, inherited);
    }
    if (UserFileExists())
        return WriteUserFile(section, entries);
    const PrivateProfile user(userPath_);

    const PrivateProfile program(programPath_);
    const PrivateProfile::WriteResult written = program.WriteEntries(section, entries);
    // Entries refused for what they are would be refused in any file.
    if (written || written.refusedEntries || userPath_.isEmpty())
        return outcome(written, programPath_);

    const QString userFolder = QDir::toNativeSeparators(QFileInfo(userPath_).absolutePath());
    if (!QDir().mkpath(userFolder))
        return {false, {}, written.reason + u'\n' + QCoreApplication::translate("qw::OptionsFile", "%1 cannot be created").arg(userFolder)};
    // A folder or a broken link in the program file's place is nothing to copy.
    const PrivateProfile::WriteResult copied = QFileInfo(programPath_).isFile()
                                                   ? user.WriteEntriesFrom(program, section, entries)
                                                   : user.WriteEntries(section, entries);
    return outcome(copied, userPath_, written.reason);
}

} // namespace qw
