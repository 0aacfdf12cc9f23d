#include "DataReport.h"

#include <cmath>
#include <cstdio>

namespace quirekit {

std::string DataReport::format(const DocumentFacts &facts)
{
    std::string text;
    text += "NumberOfPages: " + std::to_string(facts.pageCount) + "\n";
    text += "PdfVersion: " + oneLine(facts.pdfVersion) + "\n";
    text += std::string("Encrypted: ") + (facts.encrypted ? "yes" : "no") + "\n";
    for (const auto &[key, value] : facts.info)
        text += "Info" + key + ": " + oneLine(value) + "\n";
    if (facts.hasFirstPage) {
        text += "FirstPageSize: " + number(facts.firstPageWidth) + " " + number(facts.firstPageHeight) + "\n";
        text += "FirstPageRotation: " + std::to_string(facts.firstPageRotation) + "\n";
    }
    return text;
}

std::string DataReport::oneLine(const std::string &value)
{
    std::string line = value;
    for (char &c : line) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            c = ' ';
    }
    return line;
}

std::string DataReport::number(double value)
{
    if (!std::isfinite(value))
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    std::string text(buffer);
    // 612.00 -> 612, 595.28 stays
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    if (text == "-0")
        text = "0";
    return text;
}

} // namespace quirekit
