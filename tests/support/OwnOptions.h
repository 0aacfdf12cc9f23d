#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

// Makes the user's options.ini in `configHome` (`contents`, else empty unless one is there). The
// program reads it before the options.ini beside itself, which a window started from the build
// may have written, and Ok in Options writes it: a test that runs the program, or makes its
// windows, with a configuration folder of its own holding this file neither reads a developer's
// options nor changes them.
inline bool MakeOwnOptions(const QString &configHome, const std::optional<QByteArray> &contents = {})
{
    const QString path = configHome + "/Ardenne Quirewright/options.ini";
    if (!contents && QFileInfo::exists(path))
        return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    const QByteArray bytes = contents.value_or(QByteArray());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
