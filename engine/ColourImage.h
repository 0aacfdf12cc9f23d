#pragma once

#include <cstdint>
#include <vector>

namespace quirekit {

// A page drawn in colour on white, three bytes a pixel (red, green, blue), rows packed
// without padding from the top.
struct ColourImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

} // namespace quirekit
