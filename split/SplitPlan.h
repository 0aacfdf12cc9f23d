#pragma once

#include "SeparatorRule.h"
#include "SplitRefusal.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace qw {

struct FileStamp;
struct OutputTarget;

// One part of a split: its pages (1-based, by position in the list), its number and the
// number of parts in the split. The part holds firstPage to lastPage but for the pages of
// `leftOut` (sorted, strictly between the two), which belong to no part.
struct PartRange {
    int firstPage = 0;
    int lastPage = 0;
    int partNumber = 0;
    int fileCount = 0;
    QList<int> leftOut = {};
    bool operator==(const PartRange &) const = default;

    // The page ranges the part is written from, in order: one unless pages are left out.
    QList<std::pair<int, int>> Ranges() const;
    // The line that tells the part going to `path`: "part 2 of 3: pages 5-6,8-9 -> PATH".
    QString Line(const QString &path) const;
};

// Where separator sheets put break points and which pages they leave out.
struct SeparatorPlan {
    QList<int> breaks; // pages before which a new part begins
    QList<int> leftOut; // pages that belong to no part
};

// Turns break points into parts, and checks the parts' output paths.
class SplitPlan {
public:
    // The parts of a document of `pageCount` pages with a new part beginning before each page
    // of `breaksBefore`, in any order. A page given twice breaks once; pages outside 2 to
    // `pageCount` make no break, so no part is ever empty. No pages make no parts.
    // Pages of `leftOut` belong to no part; a part left with no page at all is no part, and
    // the others are numbered without it.
    static QList<PartRange> FromBreaks(int pageCount, const QList<int> &breaksBefore,
                                       const QList<int> &leftOut = {});
    // The break points that the pages of `separators` make. A sheet begins the part that
    // follows it, except on page 1 (no break stands before it) and on the last page (a part of
    // only a sheet is no document); of sheets side by side only the first begins a part, and
    // sheets left out belong to no part. A document start begins a part wherever it stands
    // after page 1, on the last page and beside another start too: a one-page document is a
    // part of its own, never merged into its neighbour.
    static SeparatorPlan AtSeparators(int pageCount, QList<int> separators, SeparatorRole role);
    // The pages before which a new part begins when every part has `every` pages (the last
    // fewer): 1 + every, 1 + 2 every, ... up to `pageCount`. None for `every` below 1.
    static QList<int> BreaksEvery(int pageCount, int every);

    // Why the parts cannot all be written to `targets` (in part order) as the engine will find
    // them: a part written over the document itself (whatever link or hard link leads to it),
    // two parts written to the same file, or a target the engine would refuse (no folder, a
    // folder, device, pipe or dangling link at the name, a read-only file). No refusal when
    // there is no such problem. The refusal names the resolved path.
    static SplitRefusal FindOutputConflict(const FileStamp &document, const QList<OutputTarget> &targets);

    // The paths that something already exists at (even a link that leads nowhere), in order.
    static QStringList ExistingOutputs(const QStringList &outputs);

    // The question asked before `existing` files are replaced: it names them, at most
    // `kNamedAtMost` of them, and says how many more there are.
    static QString ReplaceQuestion(const QStringList &existing);
    // The first part of that question: which files exist, named as above.
    static QString ExistingFilesNotice(const QStringList &existing);

    // `items` one per line, at most `kNamedAtMost` of them, then "and N more".
    static QString ListSome(const QStringList &items, const QString &separator = QStringLiteral("\n"));
    static constexpr int kNamedAtMost = 10;
};

} // namespace qw
