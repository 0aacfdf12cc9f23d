#pragma once

#include "PagesCommand.h"

#include "core/FileStamp.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace qw {

// Has the engine plan parts of consecutive pages, each at most a number of bytes as the
// engine writes it, reading only the very file `identity` describes. The engine measures each
// part as it will be written, so only a single page larger than the limit makes a larger part.
class SizePlanQuery {
public:
    // Told the pages planned so far and their number; false stops the engine.
    using Progress = std::function<bool(int done, int total)>;

    struct Result {
        bool stopped = false; // the caller stopped it
        PagesCommand::Problem problem; // why there is no plan; none when there is one
        QList<int> breaks; // the pages before which new parts begin (2 to the page count, sorted)
        QList<int> oversizePages; // pages larger than the limit alone, each a part of its own
    };

    // A size as a person writes it: a whole number of bytes, or with K, M or G (with or
    // without a B after it, any case) for thousands, millions or billions of bytes: "10M" is
    // 10,000,000 bytes. Nothing, with the reason in `why`, for zero, a negative or fractional
    // number, anything else, or more than the engine can count.
    static std::optional<qint64> ParseSize(const QString &text, QString *why = nullptr);
    // A size for people, in the units ParseSize reads: "10 MB", "500 KB", "1,234 bytes".
    static QString SizeText(qint64 bytes);
    static Result Run(const QString &document, const FileStamp &identity, qint64 limit,
                      const Progress &progress = {});
    // The engine's size_plan report read: its breaks and oversize pages, or the problem that it
    // holds no plan.
    static Result ParsePlan(const QByteArray &report);
    // For pages that alone are larger than the limit: which, and that their parts will be
    // larger than it; empty when there are none.
    static QString OversizeWarning(const QList<int> &pages, qint64 limit);
};

} // namespace qw
