#include "NativeFileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QUrl>

#include <dirent.h>
#include <sys/stat.h>

namespace qw {

namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// UTF-8 as Qt decodes it, but keeping a leading byte order mark: QFile::decodeName drops it,
// which would make two names one.
QStringDecoder utf8Decoder()
{
    return QStringDecoder(QStringDecoder::Utf8,
                          QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
}

// Whether `folder` holds an entry whose bytes are not `encoded` but that Qt decodes to
// `component` all the same. Where Qt decoded the component as the start of the path, a leading
// byte order mark was dropped, so that decoding counts too. A folder that cannot be listed
// holds none that can be known.
bool hasTwin(const QByteArray &folder, const QByteArray &encoded, const QString &component, bool startOfPath)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return false;
    bool found = false;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == encoded)
            continue;
        if (utf8Decoder().decode(name) == component || (startOfPath && QFile::decodeName(name) == component)) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

bool entryExists(const QByteArray &path)
{
    struct stat status { };
    return ::lstat(path.constData(), &status) == 0;
}

} // namespace

std::optional<QString> NativeFileName::Decode(QByteArrayView raw)
{
    QStringDecoder decoder = utf8Decoder();
    QString text = decoder.decode(raw);
    if (decoder.hasError() || QByteArrayView(QFile::encodeName(text)) != raw)
        return std::nullopt;
    return text;
}

bool NativeFileName::IsExact(const QString &path)
{
    // The folders are reached by the bytes of the components before them, so the system
    // resolves links and ".." as it will when the path is used.
    QByteArray folder = path.startsWith(QLatin1Char('/')) ? QByteArray("/") : QByteArray();
    for (const QString &component : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QByteArray encoded = QFile::encodeName(component);
        const bool startOfPath = folder.isEmpty();
        if (startOfPath && entryExists(kByteOrderMark + encoded))
            return false;
        if (component.contains(QChar::ReplacementCharacter)
            && hasTwin(startOfPath ? QByteArray(".") : folder, encoded, component, startOfPath))
            return false;
        if (!folder.isEmpty() && !folder.endsWith('/'))
            folder += '/';
        folder += encoded;
    }
    return true;
}

std::optional<QString> NativeFileName::FromUrl(const QUrl &url)
{
    if (!url.isLocalFile())
        return QString();
    // QUrl::toLocalFile decodes the percent-encoded bytes lossily; the URL still holds them.
    const std::optional<QString> path
        = Decode(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
    if (!path)
        return std::nullopt;
    const QString host = url.host();
    return host.isEmpty() ? *path : QStringLiteral("//") + host + *path;
}

QString NativeFileName::Refusal(const QString &path)
{
    return QCoreApplication::translate("qw::NativeFileName", "The name of %1 is not valid UTF-8, so it cannot be told apart from other names. Rename "
                          "the file (or the folder) and try again.")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace qw
