#pragma once

#include <QString>

#include <cstdio>

namespace qw {

// Where the batch mode speaks: progress, warnings and refusals on standard error, plans on
// standard output. In a run of several documents each line carries the document's tag, such as
// "[2/5] ", since documents split at once interleave their lines. Each line is written and
// flushed whole, so that progress shows before the part it announces runs, and lines of two
// threads never mix.
class BatchConsole {
public:
    explicit BatchConsole(QString tag = {}) : tag_(std::move(tag)) { }

    // "part 1 of 3: pages 1-4 -> PATH" and the like: one line, whatever the names in it hold.
    void Progress(const QString &line) const;
    // A message of several lines as it stands, such as why a part failed.
    void Detail(const QString &message) const;
    // "quirewright: warning: ..."; the run goes on.
    void Warn(const QString &message) const;
    // "quirewright: ..."; gives `exitCode` back for the caller to return.
    int Fail(int exitCode, const QString &message) const;

    // Writes `text` and a line end at once, untagged.
    static void Print(FILE *stream, const QString &text);

private:
    QString tag_;
};

} // namespace qw
