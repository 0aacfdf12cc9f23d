#pragma once

#include "SeparatorRule.h"

#include "PagesCommand.h"

#include "core/FileStamp.h"

#include <QList>
#include <QMap>
#include <QString>

#include <functional>

namespace qw {

// Has the engine look at every page of a document (its ink, its barcodes or its text, as a
// separator rule needs), reading only the very file `identity` describes.
class PageFactsQuery {
public:
    // Told the pages looked at so far and their number; false stops the engine.
    using Progress = std::function<bool(int done, int total)>;

    struct Result {
        bool stopped = false; // the caller stopped it
        PagesCommand::Problem problem; // why there are no facts; none when there are
        QList<PageFacts> pages;
    };

    static Result Run(const QString &document, const FileStamp &identity, const SeparatorRule &rule,
                      const Progress &progress = {});
    // The pages the rule takes for separators, each with what it says (SeparatorRule::Label).
    static QMap<int, QString> Separators(const QList<PageFacts> &pages, const SeparatorRule &rule);
    // What the user should know of how the pages were looked at, each a sentence: the pages
    // the engine gave up on (too slow or too large to draw), those where it could not read
    // every kind of barcode, and, for a phrase, those without any text to search (scans).
    // Empty when all went well.
    static QStringList Notices(const QList<PageFacts> &pages, const SeparatorRule &rule);
    // That the rule found no page at all, for the user; names the phrase or barcode text.
    static QString NothingFoundNotice(const SeparatorRule &rule);
};

} // namespace qw
