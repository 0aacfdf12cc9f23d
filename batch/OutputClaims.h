#pragma once

#include "core/FileStamp.h"
#include "split/OutputTarget.h"
#include "split/SplitRefusal.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <mutex>

namespace qw {

// The files that the documents of one run will write or move to, so that no document of the
// run writes over a part another one writes, over the place another one is archived to, or
// over another document of the run: each document's checks look only at the file system as it
// is, and these files may not be there yet. Shared by the threads of the run.
class OutputClaims {
public:
    // Every document of the run, as it is now.
    explicit OutputClaims(const QStringList &documents);

    // Claims `targets` (resolved as the engine will write them) and, when it is not empty,
    // `archiveTarget` for `document`; why they cannot be had, and then nothing is claimed.
    SplitRefusal Claim(const QString &document, const QList<OutputTarget> &targets, const QString &archiveTarget);

private:
    std::mutex mutex_;
    QList<std::pair<FileStamp, QString>> documents_;
    QHash<QString, QString> claimed_; // resolved path -> the document that writes it
};

} // namespace qw
