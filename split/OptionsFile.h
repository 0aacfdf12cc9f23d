#pragma once

#include "PrivateProfile.h"

#include <QString>

namespace qw {

// Where options.ini is kept. The program's file beside the executable is used while it can be
// written; an installed program's folder is often read-only for users, so when a write there
// fails the options move to the user's own file (in the user's configuration folder), which
// starts as a copy of the program's file. From then on the user's file is the one read and
// written, so what is read is always what was last written.
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

    OptionsFile(QString programPath, QString userPath);

    // options.ini beside the running executable, and the user's file below the configuration
    // folder ($XDG_CONFIG_HOME, else ~/.config, on Linux); no user's file when there is none.
    static OptionsFile ForThisProgram();

    const QString &ProgramPath() const { return programPath_; }
    const QString &UserPath() const { return userPath_; }

    // The user's file once it exists, else the program's.
    QString ReadPath() const;
    PrivateProfile ForReading() const { return PrivateProfile(ReadPath()); }

    // Sets `entries` in `section` (see PrivateProfile::WriteEntries). Once the user's file
    // exists, only it is written. Otherwise the program's file is; when that fails for any reason
    // but the entries themselves, the user's folder is created and the user's file written as a
    // copy of the program's file (when that is a file) with the entries set, in one atomic write.
    // On failure no file has changed (the user's folder may have been created).
    WriteResult WriteEntries(const QString &section, const PrivateProfile::Entries &entries) const;

private:
    bool UserFileExists() const;

    QString programPath_;
    QString userPath_;
};

} // namespace qw
