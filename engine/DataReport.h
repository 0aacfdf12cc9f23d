#pragma once

#include "PdfDocument.h"

#include <string>
#include <string_view>

namespace quirekit {

// Formats the dump_data report. The page count comes first so that no other entry can
// precede it; values are put on one line each. The outline and the page label ranges
// follow the other entries.
class DataReport {
public:
    static std::string format(const DocumentFacts &facts);
    // Appends a text as the report keeps it on one line: control characters as &#N;.
    static void appendEscaped(std::string &line, const std::string &value);
    // Append one line of a report: "<key>: <value>", the value escaped where it may hold
    // anything; or the line that begins a record.
    static void appendLine(std::string &text, std::string_view key, std::string_view value);
    static void appendLine(std::string &text, std::string_view key, long long value);
    static void appendEscapedLine(std::string &text, std::string_view key, const std::string &value);
    static void appendBegin(std::string &text, std::string_view begin);

private:
    static std::string oneLine(const std::string &value);
    static const char *numberStyle(char style);
    static std::string number(double value);
};

} // namespace quirekit
