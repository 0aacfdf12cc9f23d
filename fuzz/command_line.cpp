// The Windows rules for splitting a command line into arguments, and the quoting that must
// survive them: every argument split from any text, and any text itself, comes back unchanged
// from a quoted command line. A first byte with its low bit set reads the rest as UTF-16
// (lone surrogates and all), else as UTF-8.
#include "FuzzSupport.h"

#include "framework/CommandLine.h"

#include <cstring>
#include <string>

using namespace quirefuzz;
using qw::CommandLine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    QString text;
    if (data[0] & 1) {
        std::u16string units((size - 1) / 2, u'\0');
        std::memcpy(units.data(), data + 1, units.size() * sizeof(char16_t));
        text = QString::fromStdU16String(units);
    } else {
        text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    }

    require(CommandLine::Split(CommandLine::Quote(text)) == QStringList{text}, "a quoted text does not split back");
    const QStringList arguments = CommandLine::Split(text);
    QStringList quoted;
    for (const QString &argument : arguments)
        quoted << CommandLine::Quote(argument);
    require(CommandLine::Split(quoted.join(QLatin1Char(' '))) == arguments,
            "quoting the arguments of a command line and splitting again changes them");
    return 0;
}
