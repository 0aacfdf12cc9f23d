#pragma once

#include "SplitPlan.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace qw {

class SplitJob;

// What a split would do, told before anything is written (the batch mode's --dry-run): each
// part's pages and the path it would be written to, whether a file is in the way there, and
// what would refuse the split. As lines for people, or as one JSON document for scripts.
struct PlanReport {
    struct Part {
        PartRange range;
        QString path; // resolved as the engine would write it
        bool exists = false; // something is at that path
    };

    QString document;
    int pageCount = 0;
    QList<Part> parts;
    QStringList refusals; // each a sentence for the user

    // The parts of `job` and where they would go.
    static PlanReport Of(const SplitJob &job, int pageCount);
    // "part 2 of 3: pages 4-7 -> PATH", with " (exists)" where a file is in the way, then
    // "refused: ..." for each refusal.
    QString Text() const;
    QByteArray Json() const;
    // The plan as Json() writes it, for a list of plans.
    QJsonObject Object() const;
};

} // namespace qw
