#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

class QUrl;

namespace qw {

// File names on Linux are bytes, and Qt holds them as text decoded as UTF-8: bytes that are not
// UTF-8 become U+FFFD, which encodes back to other bytes, so such a path names another file or
// none. (Qt also drops a byte order mark that begins the text it decodes, which turns a relative
// "\uFEFFdoc.pdf" into "doc.pdf".) These checks tell whether a path held as text still names the
// entry it came from, so that a caller can refuse it instead of reading or writing another file.
class NativeFileName {
public:
    // The text of the file name bytes `raw`, or nothing when they are not UTF-8, so that no text
    // encodes back to them. A leading byte order mark is kept as U+FEFF.
    static std::optional<QString> Decode(QByteArrayView raw);

    // Whether `path`, as Qt handed it over (from a file dialog, a URL, a list or the command
    // line), encoded again names the very entry it was decoded from. It is not exact when a folder
    // on the way holds an entry whose bytes differ from the encoded component but decode to the
    // same text, whether or not an entry with the encoded bytes exists as well: the two cannot be
    // told apart. Only components holding U+FFFD need their folder listed (and the first one of a
    // relative path, which may have lost a byte order mark); a relative path is taken from the
    // current folder, and a folder that cannot be listed or does not exist refuses nothing.
    static bool IsExact(const QString &path);

    // The local path of a dropped "file:" URL, decoded from the URL's own (percent-decoded)
    // bytes; nothing when those bytes are not UTF-8. A URL with a host gives "//host/path", and
    // one that is not a local file an empty text, as QUrl::toLocalFile does.
    static std::optional<QString> FromUrl(const QUrl &url);

    // The message that refuses `path` when it is not exact, with the path in native separators.
    static QString Refusal(const QString &path);
};

} // namespace qw
