#pragma once

#include "split/SeparatorRule.h"
#include "split/SplitSettings.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>

namespace qw {

// What a command line of the batch mode asks, checked for what can be checked without the
// documents; the same for every document of the run.
struct BatchRequest {
    QStringList documents; // absolute, in the order they are split
    bool manyDocuments = false; // several were named, or a folder: each is told apart, and a summary ends the run
    int jobs = 1; // engines at once, from --jobs
    QList<int> breaksBefore; // from --at, as given
    int every = 0; // from --every; 0 when not given
    int bookmarkLevel = 0; // from --at-bookmarks; 0 when not given
    QRegularExpression bookmarkMatch; // from --bookmark-match; empty: every bookmark
    std::optional<SeparatorRule> separators; // from --at-separators
    QString atChange; // from --at-change, a valid expression; empty when not given
    qint64 maxSize = 0; // from --max-size, in bytes; 0 when not given
    bool dropSeparators = false;
    bool replace = false;
    bool dryRun = false; // --dry-run: the plan and the refusals, nothing written
    bool planJson = false; // --plan-format json
    // What is wrong is a named file or folder (in bytes that are not UTF-8, or a folder with no
    // PDF), not the command line: that refuses the run, it is no usage error.
    bool namesWrong = false;
    SplitSettings settings; // the options file's, with what the command line sets
};

} // namespace qw
