#pragma once

#include <QByteArrayView>
#include <QString>

namespace qw {

class DocumentReport;

// What is wrong with a document the engine could not read, from the engine's exit code (and,
// for a document it could not open, from a look at the file): never from the engine's words.
enum class DocumentFault {
    None, // the engine read it, or it did not get as far as the document
    Missing, // no file at the path
    NotAFile, // a folder, device, pipe or the like
    Unopenable, // a file the engine could not open (no permission, say)
    NotPdf,
    Password,
    Damaged,
    OutOfMemory,
    Other, // any other failure of the engine
};
DocumentFault FaultOf(const QString &document, const DocumentReport &report);

// Why `document` cannot be opened, in words for the person who tried, from the report the
// engine was asked for when it was opened: the file is gone, the engine is missing or cannot
// run, no room for the report, or the document's fault (FaultOf), with the engine's own last
// line as the detail where the fault alone does not say enough. Empty when the report has pages.
QString OpenFailureReason(const QString &document, const DocumentReport &report);


} // namespace qw
