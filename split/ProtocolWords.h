#pragma once

#include "protocol/EngineProtocol.h"

#include <QByteArrayView>
#include <QLatin1StringView>

#include <string_view>

namespace qw {

// A word of the engine's protocol as Qt text or bytes.
inline QLatin1StringView ProtocolText(std::string_view word)
{
    return QLatin1StringView(word.data(), qsizetype(word.size()));
}
inline QByteArrayView ProtocolBytes(std::string_view word)
{
    return QByteArrayView(word.data(), qsizetype(word.size()));
}

// A line "Progress: <done>/<total>" of the engine's output read into `done` and `total`; false
// for any other line.
inline bool ParseProgressLine(QByteArrayView line, int &done, int &total)
{
    namespace keys = quirekit::protocol::report;
    line = line.trimmed();
    if (!line.startsWith(ProtocolBytes(keys::Progress))
        || !line.sliced(keys::Progress.size()).startsWith(ProtocolBytes(keys::Separator)))
        return false;
    const QByteArrayView numbers = line.sliced(keys::Progress.size() + keys::Separator.size());
    const qsizetype divider = numbers.indexOf(keys::ProgressDivider);
    if (divider <= 0)
        return false;
    bool doneRead = false;
    bool totalRead = false;
    const int doneNumber = numbers.first(divider).toInt(&doneRead);
    const int totalNumber = numbers.sliced(divider + 1).toInt(&totalRead);
    if (!doneRead || !totalRead)
        return false;
    done = doneNumber;
    total = totalNumber;
    return true;
}

} // namespace qw
