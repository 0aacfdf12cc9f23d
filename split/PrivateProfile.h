#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace qw {

// A Windows private-profile file: "[Section]" headers and "key=value" lines, read and written
// with the rules of the Windows profile functions rather than QSettings' INI dialect.
//
// Reading: section and key names match case-insensitively; names and values lose their
// leading and trailing blanks and are otherwise returned as written (no quotes removed, no
// escapes). The first matching section and the first matching key in it count. Lines before
// any section, lines without '=', comments (';') and lines holding a NUL byte are never
// entries. Text is UTF-8 (invalid bytes read as U+FFFD); a file that starts with a UTF-8 or
// UTF-16 byte order mark is read in that encoding (invalid UTF-16 reads as U+FFFD, and an odd
// last byte is ignored). A missing, unreadable or junk file reads as if every key were missing,
// and so does anything but a regular file (a pipe or a device is never waited on) and a file
// of more than MostBytes.
// The file is read again by every call, so each sees it as it is.
//
// Writing rewrites the whole file atomically (a temporary file beside it, then a rename): a
// failed write leaves the previous file exactly as it was. Every line the write does not
// change keeps its bytes, whatever they are, and the file keeps its line ending, byte order
// mark and encoding; only changed and added lines are encoded afresh.
class PrivateProfile {
public:
    // The outcome of a write; `reason` says why it failed. `refusedEntries` tells a refusal of
    // the section, keys or values themselves (any file would refuse them) from a file that
    // could not be read or saved.
    struct WriteResult {
        bool ok = false;
        QString reason;
        bool refusedEntries = false;
        explicit operator bool() const { return ok; }
    };
    using Entries = QList<std::pair<QString, QString>>;

    // The Windows functions read texts into a buffer of this many characters, the last of
    // which ends the text.
    static constexpr int WindowsBufferSize = 260;
    static constexpr int Unlimited = 0;
    // Options take a few hundred bytes; a file far larger is no options file.
    static constexpr qint64 MostBytes = 1 << 20;

    explicit PrivateProfile(QString path) : path_(std::move(path)) { }
    const QString &Path() const { return path_; }

    // The value of `key` in `section`, or `defaultValue` when either is missing. A key written
    // with nothing after '=' gives an empty text, not the default. With a `bufferSize`, the
    // result (the default too) is cut to bufferSize - 1 characters, never inside a surrogate pair.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue,
                       int bufferSize = Unlimited) const;

    // Why the file exists but is not read (not a regular file, too large, unreadable), for the
    // user; empty when it is read, or missing.
    QString ReadProblem() const;

    // Whether `section` holds `key` (with any value, an empty one too).
    bool Contains(const QString &section, const QString &key) const;

    // The value of `key` read as a decimal integer (see ParseInt); `defaultValue` when the key
    // is missing or its value is empty.
    int ReadInt(const QString &section, const QString &key, int defaultValue) const;

    // Sets `key` in `section` to `value` and rewrites the file (see WriteEntries).
    WriteResult WriteString(const QString &section, const QString &key, const QString &value) const;

    // Sets the keys of `entries` in `section`, in order, and rewrites the file once, so either
    // all of them are stored or none. A key that already reads as its new value keeps its line
    // untouched, and when no key changes the file is not rewritten at all (so a read-only file
    // that already holds the values is no failure). An existing key keeps its line, its
    // indentation and the case of its name; only the value changes. A new key goes after the
    // last non-blank line of its section; a new section goes at the end of the file. New files
    // use CRLF.
    //
    // Nothing is written, and the result says why, when: a name is empty, a name or value holds
    // a line break or a NUL (it would forge other lines), a value starts or ends with a blank
    // (it would read back without it, see HasOuterBlanks), a section name holds ']', a key holds
    // '=' or starts with '[' or ';'; the existing file cannot be read (it would be replaced by a
    // file without its other lines); the file is marked read-only (no write permission for
    // anyone — as on Windows, this holds for administrators too); or the file cannot be saved.
    //
    // Every entry of the keys of `removed` goes from the section (the first of that name), so
    // that reading finds none of them.
    WriteResult WriteEntries(const QString &section, const Entries &entries, const QStringList &removed = {}) const;

    // As WriteEntries, but the file is made from the lines of `base` (a missing one counts as
    // empty) rather than from its own, which it replaces: to start a copy of another profile
    // with the entries set, in one atomic write. Fails without writing when `base` cannot be read.
    WriteResult WriteEntriesFrom(const PrivateProfile &base, const QString &section, const Entries &entries) const;

    // Whether reading would not give `value` back: it starts or ends with a blank (space, tab,
    // vertical tab, form feed) or a line break, which reading trims.
    static bool HasOuterBlanks(QStringView value);

    // An integer as GetPrivateProfileIntA reads it: leading blanks, an optional sign, then
    // decimal digits up to the first other character; no digits give 0. There is no
    // hexadecimal form: "0x1F" gives 0. Values beyond the int range are clamped to it.
    static int ParseInt(QByteArrayView text);

private:
    QString path_;
};

} // namespace qw
