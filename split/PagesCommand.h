#pragma once

#include "framework/FileStamp.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace qw {

// An engine command that goes through the pages of a document and writes a report (the
// separator and the size plans are two): it reads only the very file `identity` describes,
// tells its progress in lines "Progress: <done>/<total>", and its report is read back and
// removed.
class PagesCommand {
public:
    // Told the pages done so far and their number; false stops the engine.
    using Progress = std::function<bool(int done, int total)>;

    struct Result {
        bool stopped = false; // the caller stopped it
        QString problem; // why there is no report, for the user; empty when there is one
        QByteArray report;
    };

    // `command` is the engine command and its arguments, as they stand between the document
    // and "output <report>". `couldNot` says what failed, such as "The PDF
    // engine could not plan the parts: %1", %1 being the engine's reason.
    static Result Run(const QString &document, const FileStamp &identity, const QStringList &command,
                      const QString &couldNot, const Progress &progress = {});
};

} // namespace qw
