#include "PageFacts.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quirekit {

GrayImage GrayImage::reduced(int factor) const
{
    GrayImage out;
    if (factor <= 1 || width <= 0 || height <= 0)
        return *this;
    out.width = (width + factor - 1) / factor;
    out.height = (height + factor - 1) / factor;
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(out.width) * out.height, 0);
    std::vector<std::uint32_t> counts(sums.size(), 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *row = pixels.data() + static_cast<std::size_t>(y) * width;
        std::uint32_t *sum = sums.data() + static_cast<std::size_t>(y / factor) * out.width;
        std::uint32_t *count = counts.data() + static_cast<std::size_t>(y / factor) * out.width;
        for (int x = 0; x < width; ++x) {
            sum[x / factor] += row[x];
            count[x / factor] += 1;
        }
    }
    out.pixels.resize(sums.size());
    for (std::size_t i = 0; i < sums.size(); ++i)
        out.pixels[i] = static_cast<std::uint8_t>((sums[i] + counts[i] / 2) / counts[i]);
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
