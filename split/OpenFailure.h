#pragma once

#include <QByteArrayView>
#include <QString>

namespace qw {

// Why `document` cannot be opened, in words for the person who tried: the file is gone, the
// engine is missing or cannot run, the PDF is protected by a password, the file is no PDF, or
// else the engine's own last line. It runs the engine's data report once, so it is asked only
// after the page count came back 0. Empty when the document now reads with pages after all.
QString OpenFailureReason(const QString &document);

// The reason told by the merged output of a data report that failed, as OpenFailureReason
// words it.
QString DescribeReportFailure(QByteArrayView output);

} // namespace qw
