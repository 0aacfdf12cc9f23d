#include "PrivateProfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <climits>
#include <optional>

namespace {

enum class TextEncoding { Utf8, Utf8WithBom, Utf16LE, Utf16BE };

constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";
constexpr QByteArrayView kUtf16LEBom = "\xFF\xFE";
constexpr QByteArrayView kUtf16BEBom = "\xFE\xFF";
constexpr QByteArrayView kCrLf = "\r\n";

// One line of the file as UTF-8 bytes, and the line ending it had ("" for a last line without one).
struct ProfileLine {
    QByteArray text;
    QByteArray end;
};

struct ProfileDocument {
    TextEncoding encoding = TextEncoding::Utf8;
    QList<ProfileLine> lines;
    QByteArray lineEnd = kCrLf.toByteArray(); // for the lines a write adds
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

enum class LoadStatus { Loaded, Missing, Unreadable };

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

bool sameName(QByteArrayView written, const QString &wanted)
{
    return QString::fromUtf8(written).compare(wanted, Qt::CaseInsensitive) == 0;
}

QList<ProfileLine> splitLines(QByteArrayView body)
{
    QList<ProfileLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c != '\r' && c != '\n')
            continue;
        const qsizetype endLength = (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ? 2 : 1;
        lines.append({body.sliced(start, i - start).toByteArray(), body.sliced(i, endLength).toByteArray()});
        i += endLength - 1;
        start = i + 1;
    }
    if (start < body.size())
        lines.append({body.sliced(start).toByteArray(), {}});
    return lines;
}

// UTF-16 text as UTF-8, or nothing when it is not whole UTF-16 (then the file is taken as bytes).
std::optional<QByteArray> utf16AsUtf8(QByteArrayView data, QStringConverter::Encoding encoding)
{
    if (data.size() % 2 != 0)
        return std::nullopt;
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(data);
    if (decoder.hasError())
        return std::nullopt;
    return text.toUtf8();
}

ProfileDocument parseDocument(QByteArrayView bytes)
{
    ProfileDocument document;
    QByteArray body;
    std::optional<QByteArray> converted;
    if (bytes.startsWith(kUtf8Bom)) {
        document.encoding = TextEncoding::Utf8WithBom;
        body = bytes.sliced(kUtf8Bom.size()).toByteArray();
    } else if (bytes.startsWith(kUtf16LEBom)
               && (converted = utf16AsUtf8(bytes.sliced(kUtf16LEBom.size()), QStringConverter::Utf16LE))) {
        document.encoding = TextEncoding::Utf16LE;
        body = *converted;
    } else if (bytes.startsWith(kUtf16BEBom)
               && (converted = utf16AsUtf8(bytes.sliced(kUtf16BEBom.size()), QStringConverter::Utf16BE))) {
        document.encoding = TextEncoding::Utf16BE;
        body = *converted;
    } else {
        body = bytes.toByteArray();
    }
    document.lines = splitLines(body);
    for (const ProfileLine &line : std::as_const(document.lines))
        if (!line.end.isEmpty()) {
            document.lineEnd = line.end;
            break;
        }
    return document;
}

QByteArray serialise(const ProfileDocument &document)
{
    QByteArray body;
    for (const ProfileLine &line : document.lines)
        body += line.text + line.end;
    switch (document.encoding) {
    case TextEncoding::Utf8: return body;
    case TextEncoding::Utf8WithBom: return kUtf8Bom.toByteArray() + body;
    case TextEncoding::Utf16LE:
        return kUtf16LEBom.toByteArray() + QStringEncoder(QStringConverter::Utf16LE).encode(QString::fromUtf8(body));
    case TextEncoding::Utf16BE:
        return kUtf16BEBom.toByteArray() + QStringEncoder(QStringConverter::Utf16BE).encode(QString::fromUtf8(body));
    }
    return body;
}

LoadStatus loadDocument(const QString &path, ProfileDocument &document)
{
    QFile file(path);
    if (!file.exists())
        return LoadStatus::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return LoadStatus::Unreadable;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return LoadStatus::Unreadable;
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
    if (position > 0 && document.lines[position - 1].end.isEmpty())
        document.lines[position - 1].end = document.lineEnd;
}

void insertLine(ProfileDocument &document, qsizetype position, const QByteArray &text)
{
    terminatePrevious(document, position);
    document.lines.insert(position, {text, document.lineEnd});
}

// Only the value changes: the indentation and the key as written (its case too) stay.
void replaceValue(ProfileLine &line, const QByteArray &value)
{
    QByteArray head = line.text.left(line.text.indexOf('='));
    while (!head.isEmpty() && isBlank(head.back()))
        head.chop(1);
    line.text = head + '=' + value;
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
    if (entry >= 0)
        replaceValue(document.lines[entry], value.toUtf8());
    else
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
        return QStringLiteral("invalid section name \"%1\"").arg(section);
    for (const auto &[key, value] : entries) {
        if (key.isEmpty() || breaksLines(key) || hasOuterBlanks(key) || key.contains(QLatin1Char('='))
            || key.startsWith(QLatin1Char('[')) || key.startsWith(QLatin1Char(';')))
            return QStringLiteral("invalid key name \"%1\"").arg(key);
        if (breaksLines(value))
            return QStringLiteral("the value of \"%1\" holds a line break or a NUL").arg(key);
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
    return {false, std::move(reason)};
}

} // namespace

QString PrivateProfile::ReadString(const QString &section, const QString &key, const QString &defaultValue,
                                   int bufferSize) const
{
    const std::optional<QByteArray> value = findValue(path_, section, key);
    return cutToBuffer(value ? QString::fromUtf8(*value) : defaultValue, bufferSize);
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

PrivateProfile::WriteResult PrivateProfile::WriteEntries(const QString &section, const Entries &entries) const
{
    if (const QString reason = invalidReason(section, entries); !reason.isEmpty())
        return failure(reason);
    if (isMarkedReadOnly(path_))
        return failure(QStringLiteral("%1 is read-only").arg(path_));

    ProfileDocument document;
    if (loadDocument(path_, document) == LoadStatus::Unreadable)
        return failure(QStringLiteral("%1 cannot be read, so it is not replaced").arg(path_));
    for (const auto &[key, value] : entries)
        setEntry(document, section, key, value);

    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        return failure(QStringLiteral("%1 cannot be written: %2").arg(path_, file.errorString()));
    // A short write (a full disk, a file-size limit) is not an error to QSaveFile: without this
    // check it would put the cut text in place of the file.
    const QByteArray bytes = serialise(document);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return failure(QStringLiteral("%1 cannot be written: only part of it was stored").arg(path_));
    }
    if (!file.commit())
        return failure(QStringLiteral("%1 cannot be written: %2").arg(path_, file.errorString()));
    return {true, {}};
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
