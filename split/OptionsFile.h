#pragma once

#include "PrivateProfile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace qw {

// Where options.ini is kept. A copy of the program that was not installed (a build, a copied
// folder) keeps it beside the executable while that file can be written; when a write there
// fails the options move to the user's own file (in the user's configuration folder), which
// starts as a copy of the program's file. From then on the user's file is the one read and
// written, so what is read is always what was last written.
//
// An installed program (`cmake --install`, and so the package, puts a marker file beside it)
// never writes into its own folder: on Linux that is a system folder shared by every user, and
// a file left there by root would outlive the package and set every user's options. It keeps
// the options in the user's file alone, and reads what that file lacks from the system-wide
// defaults, options.ini in the "Ardenne Quirewright" folder of each configuration folder of
// $XDG_CONFIG_DIRS (/etc/xdg when unset), the first listed first.
class OptionsFile {
public:
    // The outcome of a write: the file that holds the entries, or why none does.
    struct WriteResult {
        bool ok = false;
        QString path;
        QString reason; // one line per file tried
        explicit operator bool() const { return ok; }
    };

    static constexpr const char *FileName = "options.ini";
    // The user's file lies in a folder of this name, the organisation name the program sets.
    static constexpr const char *UserFolderName = "Ardenne Quirewright";

    // The file beside an installed program that tells it was installed.
    static constexpr const char *InstalledMarkerName = "installed";

    // The options of a program that was not installed: `programPath` beside it, `userPath` the
    // user's file it falls back on (none when empty).
    OptionsFile(QString programPath, QString userPath);
    // The options of an installed program: the user's file, over the system-wide `defaultPaths`
    // (the most preferred first).
    static OptionsFile PerUser(QString userPath, QStringList defaultPaths);

    // As above, for the running executable: PerUser when the marker lies beside it. The user's
    // file is below the configuration folder ($XDG_CONFIG_HOME, else ~/.config, on Linux); no
    // user's file when there is none.
    static OptionsFile ForThisProgram();

    const QString &ProgramPath() const { return programPath_; } // empty when per user
    const QString &UserPath() const { return userPath_; }

    // The file read first, which Ok writes while it can: the user's file once it exists (always,
    // when per user), else the program's.
    QString ReadPath() const;
    // The files to read, the most preferred first (see SplitSettings::Read): the one of
    // ReadPath, then the system-wide defaults.
    QList<PrivateProfile> ForReading() const;
    // Why a file of ForReading() that is there is not read (a pipe, a device, a huge file),
    // for the user: its options are not used, the next file's or the built-in ones are.
    // Empty when every file is read or missing.
    QString ReadProblem() const;

    // Sets `entries` in `section` (see PrivateProfile::WriteEntries). Per user, or once the
    // user's file exists, only it is written (its folder created when missing). Otherwise the
    // program's file is; when that fails for any reason but the entries themselves, the user's
    // folder is created and the user's file written as a copy of the program's file (when that is
    // a file) with the entries set, in one atomic write. The system-wide defaults are never
    // written. On failure no file has changed (the user's folder may have been created).
    //
    // Per user, a key whose value is the one it inherits (from the system-wide defaults, else
    // `builtIn`) is removed from the user's file rather than written, so that an administrator's
    // later change of a default still reaches every user who never chose otherwise.
    WriteResult WriteEntries(const QString &section, const PrivateProfile::Entries &entries,
                             const PrivateProfile::Entries &builtIn = {}) const;

private:
    bool UserFileExists() const;
    // What `key` reads as without the user's file: the first system-wide default that holds
    // it, else its `builtIn` value; nothing when neither says.
    std::optional<QString> InheritedValue(const QString &section, const QString &key,
                                          const PrivateProfile::Entries &builtIn) const;
    WriteResult WriteUserFile(const QString &section, const PrivateProfile::Entries &entries,
                              const QStringList &removed = {}) const;

    QString programPath_;
    QString userPath_;
    QStringList defaultPaths_;
    bool perUser_ = false;
};

} // namespace qw
