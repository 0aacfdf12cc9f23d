#include "PixImage.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

const std::vector<Rgb> &StandardSixteenColours()
{
    static const std::vector<Rgb> colours = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    return colours;
}

namespace {

[[noreturn]] void fail(const std::string &name, int line, const std::string &what)
{
    throw std::runtime_error(name + ":" + std::to_string(line) + ": " + what);
}

Rgb parseColour(const std::string &text, const std::string &name, int line)
{
    if (text.size() != 7 || text[0] != '#')
        fail(name, line, "colour must be written #RRGGBB, not '" + text + "'");
    unsigned value = 0;
    for (std::size_t i = 1; i < 7; ++i) {
        const char c = text[i];
        unsigned digit = 0;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = unsigned(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else
            fail(name, line, "bad hexadecimal digit in '" + text + "'");
        value = value * 16 + digit;
    }
    return {std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value)};
}

} // namespace

PixImage ParsePix(const std::string &text, const std::string &name)
{
    PixImage image;
    std::map<char, Rgb> colours;
    char maskChar = 0;
    bool inPixels = false;
    int row = 0;

    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (inPixels) {
            if (line.empty())
                continue;
            if (row >= image.height)
                fail(name, lineNo, "more than " + std::to_string(image.height) + " pixel rows");
            if (int(line.size()) != image.width)
                fail(name, lineNo,
                     "pixel row has " + std::to_string(line.size()) + " characters, not "
                         + std::to_string(image.width));
            for (char c : line) {
                const auto it = colours.find(c);
                if (it == colours.end())
                    fail(name, lineNo, std::string("undeclared pixel character '") + c + "'");
                image.pixels.push_back(it->second);
                image.transparent.push_back(image.hasMask && c == maskChar);
            }
            ++row;
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "size") {
            words >> image.width >> image.height;
            if (!words || image.width <= 0 || image.height <= 0 || image.width > 4096 || image.height > 4096)
                fail(name, lineNo, "size wants a width and a height between 1 and 4096");
        } else if (keyword == "depth") {
            words >> image.depth;
            if (image.depth != 4 && image.depth != 8 && image.depth != 24)
                fail(name, lineNo, "depth must be 4, 8 or 24");
        } else if (keyword == "transparent") {
            std::string c;
            words >> c;
            if (c.size() != 1)
                fail(name, lineNo, "transparent wants one character");
            maskChar = c[0];
            image.hasMask = true;
        } else if (keyword == "c") {
            std::string c, colour;
            words >> c >> colour;
            if (c.size() != 1 || c[0] == '#')
                fail(name, lineNo, "a colour is declared as: c X #RRGGBB");
            colours[c[0]] = parseColour(colour, name, lineNo);
        } else if (keyword == "pixels") {
            if (image.width == 0 || image.depth == 0)
                fail(name, lineNo, "size and depth must come before the pixels");
            if (image.hasMask && !colours.count(maskChar))
                fail(name, lineNo, "the transparent character must be declared as a colour too");
            inPixels = true;
        } else {
            fail(name, lineNo, "unknown keyword '" + keyword + "'");
        }
    }
    if (!inPixels)
        fail(name, lineNo, "no pixels section");
    if (row != image.height)
        fail(name, lineNo, "only " + std::to_string(row) + " of " + std::to_string(image.height) + " pixel rows");
    return image;
}

PixImage ReadPixFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot be read");
    std::ostringstream text;
    text << file.rdbuf();
    return ParsePix(text.str(), path);
}

PixImage DoublePixels(const PixImage &image)
{
    PixImage twice = image;
    twice.width = 2 * image.width;
    twice.height = 2 * image.height;
    twice.pixels.clear();
    twice.transparent.clear();
    for (int y = 0; y < twice.height; ++y)
        for (int x = 0; x < twice.width; ++x) {
            twice.pixels.push_back(image.at(x / 2, y / 2));
            twice.transparent.push_back(image.hasMask && image.clearAt(x / 2, y / 2));
        }
    return twice;
}
