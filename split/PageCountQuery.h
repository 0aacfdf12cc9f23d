#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace qw {

// A new, empty file in the temporary folder named "txt<unique>.tmp<extension>", created
// exclusively so no other process can take the name; the caller removes it. Empty on failure,
// with the system's reason in `error` when one is given.
QString MakeTempFileName(const QString &extension, QString *error = nullptr);
// The folder temporary files go to: $TMPDIR, else /tmp. Named even when it does not exist (Qt
// then answers with an empty path, and a file made there would land in the root folder).
QString TemporaryFolder();

// The page count of `document`, asked of the engine through its data report (DocumentReport).
// 0 when it cannot be learned: no engine, an exit code other than 0, no report, or no
// "NumberOfPages: " entry in it.
int QueryPageCount(const QString &document);

// The number after the first "NumberOfPages: " of a report, read like atoi (leading white
// space, a sign, then digits; clamped to the int range); 0 when the entry is absent.
int ParsePageCountReport(QByteArrayView report);

} // namespace qw
