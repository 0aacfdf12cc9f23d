#pragma once

#include "PdfDocument.h"

#include <string>

namespace quirekit {

// Formats the dump_data report. The page count comes first so that no other entry can
// precede it; values are put on one line each. The outline and the page label ranges
// follow the other entries.
class DataReport {
public:
    static std::string format(const DocumentFacts &facts);
    // Appends a text as the report keeps it on one line: control characters as &#N;.
    static void appendEscaped(std::string &line, const std::string &value);

private:
    static std::string oneLine(const std::string &value);
    static const char *numberStyle(char style);
    static std::string number(double value);
};

} // namespace quirekit
