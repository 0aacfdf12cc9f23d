#pragma once

#include <cstdint>
#include <vector>

namespace quirekit {

// A page drawn in grey, one byte a pixel (0 black, 255 white), rows packed without padding.
struct GrayImage {
    int width = 0;
    int height = 0;
    double dpi = 0; // pixels an inch it was drawn at
    std::vector<std::uint8_t> pixels;

    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // Each block of factor x factor pixels averaged into one (blocks cut by the edge average
    // what they hold): the coarse view of a page drawn fine, without drawing it again.
    GrayImage reduced(int factor) const;
};

} // namespace quirekit
