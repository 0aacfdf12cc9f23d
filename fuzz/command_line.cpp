// The Windows rules for splitting a command line into arguments, and the quoting that must
// survive them: every argument split from any text, and any text itself, comes back unchanged
// from a quoted command line; and the engine reads the command a split gives it, for any
// document and part name, as the very request meant. A first byte with its low bit set reads
// the rest as UTF-16 (lone surrogates and all), else as UTF-8.
#include "FuzzSupport.h"

#include "RequestParser.h"

#include "core/CommandLine.h"

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

    // A document path and a part name (a line break between them), as a split hands them to the
    // engine; file names hold no NUL, and a part's name always ends in ".pdf".
    const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'));
    const QString document = lineBreak < 0 ? text : text.left(lineBreak);
    const QString name = text.mid(lineBreak + 1) + QLatin1String(".pdf");
    if (document.isEmpty() || document.contains(QChar(0)) || name.contains(QChar(0)))
        return 0;
    const long long first = static_cast<long long>(size % 997) + 1;
    const long long last = static_cast<long long>(size % 13) + 1;
    const QString command = QStringLiteral("A=") + CommandLine::Quote(document)
                          + QStringLiteral(" cat A%1-%2 output ").arg(first).arg(last) + CommandLine::Quote(name);
    std::vector<std::string> engineArguments;
    for (const QString &argument : CommandLine::Split(command))
        engineArguments.push_back(argument.toStdString());
    const quirekit::RequestParser::Result parsed = quirekit::RequestParser::parse(engineArguments);
    require(parsed.ok, "the engine refuses a split's command: " + parsed.error);
    require(parsed.request.action == quirekit::Request::Action::Cat && parsed.request.first == first
                && parsed.request.last == last,
            "the engine reads another page range from a split's command");
    require(parsed.request.document == document.toStdString() && parsed.request.output == name.toStdString(),
            "the engine reads another document or part name from a split's command");
    return 0;
}
