#pragma once

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>

// A configuration folder of a test's own, holding the user's options.ini. The program reads
// that file before the one beside it, which a window started from the build (scripts/run) may
// have written, and Ok in Options writes it: a test neither reads a developer's options nor
// changes them.
class OwnOptions {
public:
    explicit OwnOptions(const QByteArray &contents = {}) { Write(contents); }

    // Makes `configHome`'s options.ini, empty, unless it is there.
    static bool EnsureIn(const QString &configHome)
    {
        const QString path = FileIn(configHome);
        if (QFile::exists(path))
            return true;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        return file.open(QIODevice::WriteOnly);
    }

    bool Write(const QByteArray &contents) const
    {
        QDir().mkpath(QFileInfo(FilePath()).absolutePath());
        QFile file(FilePath());
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
    }
    QString ConfigHome() const { return dir_.path(); }
    QString FilePath() const { return FileIn(dir_.path()); }
    // For the windows a test makes in its own process.
    void UseInThisProcess() const { qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.path())); }
    // For a program the test starts.
    void UseIn(QProcessEnvironment &environment) const { environment.insert("XDG_CONFIG_HOME", dir_.path()); }

private:
    static QString FileIn(const QString &configHome) { return configHome + "/Ardenne Quirewright/options.ini"; }

    QTemporaryDir dir_;
};
