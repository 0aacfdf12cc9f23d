#pragma once

#include <QSettings>
#include <QStringList>

namespace qw {

struct CommandUpdateRecord;

// The most recently opened files, most recent first, at most `capacity` of them. In a menu
// they take the place of the placeholder entry of their first command, one entry each.
class RecentFileList {
public:
    RecentFileList(int firstCommandId, int capacity);

    int capacity() const { return capacity_; }
    int size() const { return int(paths_.size()); }
    const QStringList &paths() const { return paths_; }
    // The path of the entry with this command id, or an empty string.
    QString PathOfCommand(int commandId) const;

    // Puts `path` first; an entry for the same file moves up, and the oldest beyond the
    // capacity drops out. Empty paths are ignored.
    void Add(const QString &path);
    void Remove(int index);

    // Reads and writes the "Recent File List" section ("File1", "File2", ...). Reading skips
    // empty and duplicate values and never keeps more than the capacity.
    void ReadList(QSettings &settings);
    void WriteList(QSettings &settings) const;

    // The command-update handler of the first command: replaces the placeholder (or the
    // entries shown before) by one numbered entry per file, or, with no files, leaves one
    // greyed placeholder showing its original text.
    void UpdateMenu(CommandUpdateRecord &record);

private:
    static bool SameFile(const QString &a, const QString &b);
    static QString MenuText(int number, const QString &path);

    int firstCommandId_;
    int capacity_;
    QStringList paths_;
    QString placeholderText_;
};

} // namespace qw
