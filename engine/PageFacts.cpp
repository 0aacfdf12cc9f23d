#include "PageFacts.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quirekit {

GrayImage GrayImage::reduced(int factor) const
{
    if (factor <= 1 || width <= 0 || height <= 0)
        return *this;
    GrayImage out;
    out.width = (width + factor - 1) / factor;
    out.height = (height + factor - 1) / factor;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    // Each band of rows is first summed down the columns (a plain loop over bytes, which the
    // compiler turns into wide additions), then across each block.
    std::vector<std::uint32_t> columns(static_cast<std::size_t>(width));
    for (int oy = 0; oy < out.height; ++oy) {
        const int rows = std::min(factor, height - oy * factor);
        std::fill(columns.begin(), columns.end(), 0);
        for (int y = oy * factor; y < oy * factor + rows; ++y) {
            const std::uint8_t *row = pixels.data() + static_cast<std::size_t>(y) * width;
            for (int x = 0; x < width; ++x)
                columns[static_cast<std::size_t>(x)] += row[x];
        }
        std::uint8_t *target = out.pixels.data() + static_cast<std::size_t>(oy) * out.width;
        for (int ox = 0; ox < out.width; ++ox) {
            const int from = ox * factor, to = std::min(width, from + factor);
            std::uint32_t sum = 0;
            for (int x = from; x < to; ++x)
                sum += columns[static_cast<std::size_t>(x)];
            const auto count = static_cast<std::uint32_t>(rows * (to - from));
            target[ox] = static_cast<std::uint8_t>((sum + count / 2) / count);
        }
    }
    return out;
}

int InkMeasure::paperLevel(const GrayImage &image)
{
    std::array<std::size_t, 256> histogram{};
    for (std::uint8_t level : image.pixels)
        ++histogram[level];
    const auto brighter = static_cast<std::size_t>(static_cast<double>(image.pixels.size()) * kPaperShare);
    std::size_t seen = 0;
    for (int level = 255; level > 0; --level) {
        seen += histogram[static_cast<std::size_t>(level)];
        if (seen > brighter)
            return level;
    }
    return 0;
}

void InkMeasure::measure(const GrayImage &image, PageFacts &facts)
{
    facts.inkShare = 0;
    facts.darkShare = 0;
    const std::size_t area = image.pixels.size();
    if (area == 0)
        return;
    const int inkBelow = paperLevel(image) - kInkMargin;
    const int w = image.width, h = image.height;
    std::vector<std::uint8_t> ink(area, 0);
    std::size_t dark = 0;
    for (std::size_t i = 0; i < area; ++i) {
        ink[i] = image.pixels[i] < inkBelow;
        dark += image.pixels[i] <= kDarkLevel;
    }
    std::size_t inked = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!ink[static_cast<std::size_t>(y) * w + x])
                continue;
            bool neighbour = false;
            for (int dy = -1; dy <= 1 && !neighbour; ++dy)
                for (int dx = -1; dx <= 1 && !neighbour; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    neighbour = (dx || dy) && nx >= 0 && ny >= 0 && nx < w && ny < h
                                && ink[static_cast<std::size_t>(ny) * w + nx];
                }
            inked += neighbour;
        }
    }
    facts.inkShare = static_cast<double>(inked) / static_cast<double>(area);
    facts.darkShare = static_cast<double>(dark) / static_cast<double>(area);
}

} // namespace quirekit
