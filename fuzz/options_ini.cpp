// options.ini read, one key rewritten, read again. Input: section, key and value (each ended by
// a NUL byte), then the file's bytes. A refused write leaves the file's bytes as they were; a
// write reads back as written and no other key changes; writing the same value again is no write.
#include "FuzzSupport.h"

#include "split/PrivateProfile.h"
#include "split/SplitSettings.h"

#include <QList>
#include <QStringDecoder>
#include <QStringList>

using namespace quirefuzz;

namespace {

// The names of a file's sections and keys, as far as a plain reading of UTF-8 lines finds them,
// and the program's own; a few of each, so every input stays quick.
void namesIn(std::string_view file, QStringList &sections, QStringList &keys)
{
    sections << QString::fromLatin1(qw::SplitSettings::Section);
    for (const char *key : {qw::SplitSettings::SaveFileTypeKey, qw::SplitSettings::ArchiveButtonStateKey,
                            qw::SplitSettings::OutFolderNameKey, qw::SplitSettings::FileNamePatternKey})
        keys << QString::fromLatin1(key);
    for (const QByteArray &raw : QByteArray(file.data(), qsizetype(file.size())).split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('[')) && line.contains(QLatin1Char(']')) && sections.size() < 8)
            sections << line.mid(1, line.indexOf(QLatin1Char(']')) - 1);
        else if (equals > 0 && keys.size() < 16)
            keys << line.left(equals);
    }
}

// UTF-8 as it stands: QString::fromUtf8 would drop a U+FEFF at the start.
QString verbatim(std::string_view bytes)
{
    return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom)
        .decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

bool sameName(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::string_view sectionBytes = input.text();
    const std::string_view keyBytes = input.text();
    const std::string_view valueBytes = input.text();
    const QString section = verbatim(sectionBytes);
    const QString key = verbatim(keyBytes);
    const QString value = verbatim(valueBytes);
    const std::string_view file = input.rest();

    const std::string path = writeScratchFile("options.ini", file);
    const qw::PrivateProfile profile(QString::fromStdString(path));
    qw::SplitSettings::Read(profile);

    QStringList sections, keys;
    namesIn(file, sections, keys);
    sections << section;
    keys << key;
    const QString missing = QStringLiteral("\x01missing");
    QStringList before;
    for (const QString &s : sections)
        for (const QString &k : keys)
            before << profile.ReadString(s, k, missing);

    if (!profile.WriteString(section, key, value)) {
        require(readFile(path) == file, "a refused write changed the file");
        return 0;
    }
    const QString readBack = profile.ReadString(section, key, missing);
    require(readBack == value, "the value written as [" + section.toStdString() + "] " + key.toStdString() + "="
                                   + value.toStdString() + " reads back as " + readBack.toStdString());
    qsizetype i = 0;
    for (const QString &s : sections)
        for (const QString &k : keys) {
            const QString now = profile.ReadString(s, k, missing);
            require(now == before[i++] || (sameName(s, section) && sameName(k, key)),
                    "writing one key changed another: [" + s.toStdString() + "] " + k.toStdString());
        }

    const std::string written = readFile(path);
    require(static_cast<bool>(profile.WriteString(section, key, value)), "writing the same value again failed");
    require(readFile(path) == written, "writing the same value again changed the file");
    return 0;
}
