#include "PrivateProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <climits>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qw {

namespace {

enum class TextEncoding { Utf8, Utf8WithBom, Utf16LE, Utf16BE };

constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";
constexpr QByteArrayView kUtf16LEBom = "\xFF\xFE";
constexpr QByteArrayView kUtf16BEBom = "\xFE\xFF";
constexpr QByteArrayView kCrLf = "\r\n";

// One line of the file. It is parsed as UTF-8 text, but written back as the bytes it had, so
// that a line a write does not change keeps them even where they are not valid text.
struct ProfileLine {
    QByteArray text; // as UTF-8, without the line ending
    QByteArray end; // the line ending as UTF-8 ("" for a last line without one)
    QByteArray stored; // text and ending in the file's encoding
};

struct ProfileDocument {
    TextEncoding encoding = TextEncoding::Utf8;
    QList<ProfileLine> lines;
    QByteArray lineEnd = kCrLf.toByteArray(); // for the lines a write adds
    // The odd last byte of a UTF-16 file. It stays last: anywhere else it would shift every
    // character after it.
    QByteArray strayByte;
};

enum class LineKind { Other, Header, Entry };

// What a line is. A header's `name` is what stands between its brackets; an entry's `name` and
// `value` stand before and after its first '='. Both are trimmed views into the line.
struct ParsedLine {
    LineKind kind = LineKind::Other;
    QByteArrayView name;
    QByteArrayView value;
    bool named = false;
};

// The lines of one section: its header and the lines up to the next header.
struct SectionRange {
    qsizetype header = -1;
    qsizetype end = -1;
    bool found() const { return header >= 0; }
};

// NotAFile and TooLarge are unreadable too, for a reason worth telling the user.
enum class LoadStatus { Loaded, Missing, Unreadable, NotAFile, TooLarge };

bool unreadable(LoadStatus status)
{
    return status != LoadStatus::Loaded && status != LoadStatus::Missing;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

ParsedLine parseLine(QByteArrayView line)
{
    // A NUL never occurs in a text the profile functions wrote: such a line is binary junk.
    if (line.contains('\0'))
        return {};
    const QByteArrayView text = line.trimmed();
    if (text.startsWith('[')) {
        // A header without ']' still ends the section above it, so that the lines after it are
        // not taken for that section's entries; no name matches it.
        const qsizetype close = text.indexOf(']');
        if (close < 0)
            return {LineKind::Header, {}, {}, false};
        return {LineKind::Header, text.sliced(1, close - 1).trimmed(), {}, true};
    }
    if (text.startsWith(';'))
        return {};
    const qsizetype equals = text.indexOf('=');
    if (equals < 0)
        return {};
    return {LineKind::Entry, text.first(equals).trimmed(), text.sliced(equals + 1).trimmed(), true};
}

// A U+FEFF inside the text is a character like any other, not a byte order mark to drop.
constexpr auto kVerbatim = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

// A name or value as read; unlike QString::fromUtf8, this keeps a U+FEFF it starts with.
QString fromUtf8(QByteArrayView text)
{
    return QStringDecoder(QStringConverter::Utf8, kVerbatim).decode(text);
}

bool sameName(QByteArrayView written, const QString &wanted)
{
    return fromUtf8(written).compare(wanted, Qt::CaseInsensitive) == 0;
}

bool isUtf16(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE;
}

QStringConverter::Encoding utf16Converter(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16LE ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
}

QByteArray encodeText(TextEncoding encoding, QByteArrayView utf8)
{
    if (!isUtf16(encoding))
        return utf8.toByteArray(); // byte for byte: a kept key name may hold bytes that are not UTF-8
    return QStringEncoder(utf16Converter(encoding), kVerbatim).encode(fromUtf8(utf8));
}

QByteArray decodeText(TextEncoding encoding, QByteArrayView stored)
{
    if (!isUtf16(encoding))
        return stored.toByteArray();
    return QString(QStringDecoder(utf16Converter(encoding), kVerbatim).decode(stored)).toUtf8();
}

// The character code of the unit (a byte, or two bytes of UTF-16) at `index`.
char16_t unitAt(QByteArrayView body, qsizetype index, TextEncoding encoding)
{
    const auto byte = [&](qsizetype i) { return char16_t(uchar(body[i])); };
    switch (encoding) {
    case TextEncoding::Utf16LE: return char16_t(byte(index) | byte(index + 1) << 8);
    case TextEncoding::Utf16BE: return char16_t(byte(index) << 8 | byte(index + 1));
    default: return byte(index);
    }
}

// Splits the text after the byte order mark at CR, LF and CRLF, found as characters of the
// encoding (in UTF-16 the byte 0x0D is not always a CR).
QList<ProfileLine> splitLines(QByteArrayView body, TextEncoding encoding)
{
    const qsizetype unit = isUtf16(encoding) ? 2 : 1;
    // `ending` is the line ending as UTF-8; in the file it takes one unit per character.
    const auto line = [&](qsizetype start, qsizetype end, QByteArrayView ending) {
        return ProfileLine{decodeText(encoding, body.sliced(start, end - start)), ending.toByteArray(),
                           body.sliced(start, end - start + ending.size() * unit).toByteArray()};
    };
    QList<ProfileLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < body.size(); i += unit) {
        const char16_t c = unitAt(body, i, encoding);
        if (c != u'\r' && c != u'\n')
            continue;
        const bool crLf = c == u'\r' && i + unit < body.size() && unitAt(body, i + unit, encoding) == u'\n';
        const QByteArrayView ending = crLf ? kCrLf : c == u'\r' ? QByteArrayView("\r") : QByteArrayView("\n");
        lines.append(line(start, i, ending));
        start = i + ending.size() * unit;
        i = start - unit;
    }
    if (start < body.size())
        lines.append(line(start, body.size(), {}));
    return lines;
}

ProfileDocument parseDocument(QByteArrayView bytes)
{
    ProfileDocument document;
    QByteArrayView body = bytes;
    // The byte order mark alone decides: text that is not valid in its encoding reads as U+FFFD
    // where it is invalid, and its lines are still found.
    if (bytes.startsWith(kUtf8Bom)) {
        document.encoding = TextEncoding::Utf8WithBom;
        body = bytes.sliced(kUtf8Bom.size());
    } else if (bytes.startsWith(kUtf16LEBom)) {
        document.encoding = TextEncoding::Utf16LE;
        body = bytes.sliced(kUtf16LEBom.size());
    } else if (bytes.startsWith(kUtf16BEBom)) {
        document.encoding = TextEncoding::Utf16BE;
        body = bytes.sliced(kUtf16BEBom.size());
    }
    if (isUtf16(document.encoding) && body.size() % 2 != 0) {
        document.strayByte = body.last(1).toByteArray();
        body.chop(1);
    }
    document.lines = splitLines(body, document.encoding);
    for (const ProfileLine &line : std::as_const(document.lines))
        if (!line.end.isEmpty()) {
            document.lineEnd = line.end;
            break;
        }
    return document;
}

QByteArray byteOrderMark(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return {};
    case TextEncoding::Utf8WithBom: return kUtf8Bom.toByteArray();
    case TextEncoding::Utf16LE: return kUtf16LEBom.toByteArray();
    case TextEncoding::Utf16BE: return kUtf16BEBom.toByteArray();
    }
    return {};
}

QByteArray serialise(const ProfileDocument &document)
{
    QByteArray bytes = byteOrderMark(document.encoding);
    for (const ProfileLine &line : document.lines)
        bytes += line.stored;
    return bytes + document.strayByte;
}

LoadStatus loadDocument(const QString &path, ProfileDocument &document)
{
    // Opened without waiting, so that a pipe or a device at the name is found out, not waited on.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? LoadStatus::Missing : LoadStatus::Unreadable;
    struct stat status { };
    const LoadStatus kind = ::fstat(fd, &status) != 0             ? LoadStatus::Unreadable
                            : !S_ISREG(status.st_mode)            ? LoadStatus::NotAFile
                            : status.st_size > PrivateProfile::MostBytes ? LoadStatus::TooLarge
                                                                   : LoadStatus::Loaded;
    QFile file;
    if (kind != LoadStatus::Loaded || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return kind == LoadStatus::Loaded ? LoadStatus::Unreadable : kind;
    }
    // Read no further than the limit, should the file grow meanwhile.
    const QByteArray bytes = file.read(PrivateProfile::MostBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return LoadStatus::Unreadable;
    if (bytes.size() > PrivateProfile::MostBytes)
        return LoadStatus::TooLarge;
    document = parseDocument(bytes);
    return LoadStatus::Loaded;
}

SectionRange findSection(const ProfileDocument &document, const QString &section)
{
    SectionRange range;
    for (qsizetype i = 0; i < document.lines.size(); ++i) {
        const ParsedLine line = parseLine(document.lines[i].text);
        if (line.kind != LineKind::Header)
            continue;
        if (range.found()) {
            range.end = i;
            return range;
        }
        if (line.named && sameName(line.name, section))
            range.header = i;
    }
    if (range.found())
        range.end = document.lines.size();
    return range;
}

qsizetype findEntry(const ProfileDocument &document, SectionRange range, const QString &key)
{
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const ParsedLine line = parseLine(document.lines[i].text);
        if (line.kind == LineKind::Entry && sameName(line.name, key))
            return i;
    }
    return -1;
}

std::optional<QByteArray> findValue(const QString &path, const QString &section, const QString &key)
{
    ProfileDocument document;
    if (loadDocument(path, document) != LoadStatus::Loaded)
        return std::nullopt;
    const SectionRange range = findSection(document, section);
    if (!range.found())
        return std::nullopt;
    const qsizetype entry = findEntry(document, range, key);
    if (entry < 0)
        return std::nullopt;
    return parseLine(document.lines[entry].text).value.toByteArray();
}

QString cutToBuffer(QString text, int bufferSize)
{
    if (bufferSize <= 0 || text.size() < bufferSize)
        return text;
    qsizetype length = bufferSize - 1;
    if (length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    text.truncate(length);
    return text;
}

// Gives the line before `position` the line ending it lacks, so a line can follow it.
void terminatePrevious(ProfileDocument &document, qsizetype position)
{
    if (position == 0)
        return;
    ProfileLine &previous = document.lines[position - 1];
    if (!previous.end.isEmpty())
        return;
    previous.end = document.lineEnd;
    previous.stored += encodeText(document.encoding, document.lineEnd);
}

void insertLine(ProfileDocument &document, qsizetype position, const QByteArray &text)
{
    terminatePrevious(document, position);
    document.lines.insert(position, {text, document.lineEnd, encodeText(document.encoding, text + document.lineEnd)});
}

QString valueAsRead(const ProfileLine &line)
{
    return fromUtf8(parseLine(line.text).value);
}

// Only the value changes: the indentation and the key as written (its case too) stay.
void replaceValue(const ProfileDocument &document, ProfileLine &line, const QByteArray &value)
{
    QByteArray head = line.text.left(line.text.indexOf('='));
    while (!head.isEmpty() && isBlank(head.back()))
        head.chop(1);
    line.text = head + '=' + value;
    line.stored = encodeText(document.encoding, line.text + line.end);
}

qsizetype lastNonBlankLine(const ProfileDocument &document, SectionRange range)
{
    for (qsizetype i = range.end - 1; i > range.header; --i)
        if (!document.lines[i].text.trimmed().isEmpty())
            return i;
    return range.header;
}

void setEntry(ProfileDocument &document, const QString &section, const QString &key, const QString &value)
{
    SectionRange range = findSection(document, section);
    if (!range.found()) {
        insertLine(document, document.lines.size(), '[' + section.toUtf8() + ']');
        range = {document.lines.size() - 1, document.lines.size()};
    }
    const qsizetype entry = findEntry(document, range, key);
    // A value that already reads as wanted keeps its bytes: it may have been read lossily (bytes
    // that are not UTF-8) and is only being given back.
    if (entry >= 0 && valueAsRead(document.lines[entry]) != value)
        replaceValue(document, document.lines[entry], value.toUtf8());
    else if (entry < 0)
        insertLine(document, lastNonBlankLine(document, range) + 1, key.toUtf8() + '=' + value.toUtf8());
}

bool breaksLines(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) || text.contains(QChar(0));
}

bool hasOuterBlanks(const QString &name)
{
    return name.trimmed().size() != name.size();
}

// Why `section` and `entries` cannot be written so that reading gives them back, or empty.
QString invalidReason(const QString &section, const PrivateProfile::Entries &entries)
{
    if (section.isEmpty() || breaksLines(section) || hasOuterBlanks(section) || section.contains(QLatin1Char(']')))
        return QCoreApplication::translate("qw::PrivateProfile", "invalid section name \"%1\"").arg(section);
    for (const auto &[key, value] : entries) {
        if (key.isEmpty() || breaksLines(key) || hasOuterBlanks(key) || key.contains(QLatin1Char('='))
            || key.startsWith(QLatin1Char('[')) || key.startsWith(QLatin1Char(';')))
            return QCoreApplication::translate("qw::PrivateProfile", "invalid key name \"%1\"").arg(key);
        if (breaksLines(value))
            return QCoreApplication::translate("qw::PrivateProfile", "the value of \"%1\" holds a line break or a NUL").arg(key);
        if (PrivateProfile::HasOuterBlanks(value))
            return QCoreApplication::translate("qw::PrivateProfile", "the value of \"%1\" starts or ends with a blank, which reading would drop").arg(key);
    }
    return {};
}

bool isMarkedReadOnly(const QString &path)
{
    const QFileInfo info(path);
    constexpr QFileDevice::Permissions anyWrite
        = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.exists() && info.isFile() && !(info.permissions() & anyWrite);
}

PrivateProfile::WriteResult failure(QString reason)
{
    return {false, std::move(reason), false};
}

// Sets `entries` in the lines of `sourcePath` and saves them as `targetPath`. When the two are
// one file and no value changes, nothing is written.
// Removes every entry of `key` from the first section named `section`: with only the first
// removed, a second one would take its place.
void removeEntry(ProfileDocument &document, const QString &section, const QString &key)
{
    const SectionRange range = findSection(document, section);
    if (!range.found())
        return;
    for (qsizetype i = range.end - 1; i > range.header; --i) {
        const ParsedLine line = parseLine(document.lines[i].text);
        if (line.kind == LineKind::Entry && sameName(line.name, key))
            document.lines.removeAt(i);
    }
}

PrivateProfile::WriteResult writeEntries(const QString &sourcePath, const QString &targetPath, const QString &section,
                                         const PrivateProfile::Entries &entries, const QStringList &removed = {})
{
    if (const QString reason = invalidReason(section, entries); !reason.isEmpty())
        return {false, reason, true};

    ProfileDocument document;
    if (unreadable(loadDocument(sourcePath, document)))
        return failure(sourcePath == targetPath
                           ? QStringLiteral("%1 cannot be read, so it is not replaced").arg(sourcePath)
                           : QStringLiteral("%1 cannot be read, so it is not copied").arg(sourcePath));
    const QByteArray before = serialise(document);
    for (const auto &[key, value] : entries)
        setEntry(document, section, key, value);
    for (const QString &key : removed)
        removeEntry(document, section, key);
    const QByteArray bytes = serialise(document);
    if (sourcePath == targetPath && bytes == before)
        return {true, {}, false};
    if (isMarkedReadOnly(targetPath))
        return failure(QStringLiteral("%1 is read-only").arg(targetPath));

    QSaveFile file(targetPath);
    if (!file.open(QIODevice::WriteOnly))
        return failure(QStringLiteral("%1 cannot be written: %2").arg(targetPath, file.errorString()));
    // A short write (a full disk, a file-size limit) is not an error to QSaveFile: without this
    // check it would put the cut text in place of the file.
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return failure(QStringLiteral("%1 cannot be written: only part of it was stored").arg(targetPath));
    }
    if (!file.commit())
        return failure(QStringLiteral("%1 cannot be written: %2").arg(targetPath, file.errorString()));
    return {true, {}, false};
}

} // namespace

QString PrivateProfile::ReadProblem() const
{
    ProfileDocument document;
    switch (loadDocument(path_, document)) {
    case LoadStatus::Loaded:
    case LoadStatus::Missing: return {};
    case LoadStatus::NotAFile:
        return QCoreApplication::translate("qw::PrivateProfile", "%1 is not a file (a folder, device or pipe)")
            .arg(QDir::toNativeSeparators(path_));
    case LoadStatus::TooLarge:
        return QCoreApplication::translate("qw::PrivateProfile", "%1 is larger than %2 KiB, far more than options take")
            .arg(QDir::toNativeSeparators(path_))
            .arg(MostBytes / 1024);
    case LoadStatus::Unreadable: break;
    }
    return QCoreApplication::translate("qw::PrivateProfile", "%1 cannot be read").arg(QDir::toNativeSeparators(path_));
}

QString PrivateProfile::ReadString(const QString &section, const QString &key, const QString &defaultValue,
                                   int bufferSize) const
{
    const std::optional<QByteArray> value = findValue(path_, section, key);
    return cutToBuffer(value ? fromUtf8(*value) : defaultValue, bufferSize);
}

bool PrivateProfile::Contains(const QString &section, const QString &key) const
{
    return findValue(path_, section, key).has_value();
}

int PrivateProfile::ReadInt(const QString &section, const QString &key, int defaultValue) const
{
    // As with the Windows function, which reads the text first, an empty value counts as absent.
    const std::optional<QByteArray> value = findValue(path_, section, key);
    if (!value || value->isEmpty())
        return defaultValue;
    return ParseInt(*value);
}

PrivateProfile::WriteResult PrivateProfile::WriteString(const QString &section, const QString &key,
                                                        const QString &value) const
{
    return WriteEntries(section, {{key, value}});
}

PrivateProfile::WriteResult PrivateProfile::WriteEntries(const QString &section, const Entries &entries,
                                                         const QStringList &removed) const
{
    return writeEntries(path_, path_, section, entries, removed);
}

PrivateProfile::WriteResult PrivateProfile::WriteEntriesFrom(const PrivateProfile &base, const QString &section,
                                                             const Entries &entries) const
{
    return writeEntries(base.path_, path_, section, entries);
}

bool PrivateProfile::HasOuterBlanks(QStringView value)
{
    // The blanks that QByteArrayView::trimmed removes when the value is read.
    const auto trimmed
        = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r'; };
    return !value.isEmpty() && (trimmed(value.front()) || trimmed(value.back()));
}

int PrivateProfile::ParseInt(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    constexpr qint64 kBeyondInt = qint64(INT_MAX) + 2; // past both ends of the int range
    qint64 magnitude = 0;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i)
        magnitude = qMin(magnitude * 10 + (text[i] - '0'), kBeyondInt);
    return int(qBound(qint64(INT_MIN), negative ? -magnitude : magnitude, qint64(INT_MAX)));
}

} // namespace qw
