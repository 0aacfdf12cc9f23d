#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace qw {

// A new, empty file in the temporary folder named "txt<unique>.tmp<extension>", created
// exclusively so no other process can take the name; the caller removes it. Empty on failure.
QString MakeTempFileName(const QString &extension);

// Runs the engine's data report on `document` into a temporary file (removed on every path)
// and gives its contents; false when there is no engine, it fails, or there is no report.
bool ReadDataReport(const QString &document, QByteArray &contents);

// The page count of `document`, asked of the engine through a data report in a temporary
// file (removed on every path). 0 when it cannot be learned: no engine, an exit code other
// than 0, no report, or no "NumberOfPages: " entry in it.
int QueryPageCount(const QString &document);

// The number after the first "NumberOfPages: " of a report, read like atoi (leading white
// space, a sign, then digits; clamped to the int range); 0 when the entry is absent.
int ParsePageCountReport(QByteArrayView report);

} // namespace qw
