#pragma once

#include "SeparatorRule.h"

#include "framework/FileStamp.h"

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
        QString problem; // why there are no facts, for the user; empty when there are
        QList<PageFacts> pages;
    };

    static Result Run(const QString &document, const FileStamp &identity, const SeparatorRule &rule,
                      const Progress &progress = {});
    // The pages the rule takes for separators, each with what it says (SeparatorRule::Label).
    static QMap<int, QString> Separators(const QList<PageFacts> &pages, const SeparatorRule &rule);
    // For a rule that looks for barcodes: which pages the engine could not read every kind of
    // code on, and what to check there; empty when there are none.
    static QString UnreadNotice(const QList<PageFacts> &pages, const SeparatorRule &rule);
};

} // namespace qw
