#pragma once

#include <QByteArrayView>
#include <QString>

namespace qw {

class DocumentReport;

// Why `document` cannot be opened, in words for the person who tried, from the report the
// engine was asked for when it was opened: the file is gone, the engine is missing or cannot
// run, no room for the report, the PDF is protected by a password, the file is no PDF, or else
// the engine's own last line. Empty when the report has pages.
QString OpenFailureReason(const QString &document, const DocumentReport &report);

// Why the engine gave up, from its merged output: its own last message without its name (MuPDF's
// warnings come before it), else the last line; as plain text, for the user.
QString EngineReason(QByteArrayView output);

// The reason told by the merged output of a data report that failed, as OpenFailureReason
// words it.
QString DescribeReportFailure(QByteArrayView output);

} // namespace qw
