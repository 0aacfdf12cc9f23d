#include "BitmapWriter.h"

#include <algorithm>
#include <stdexcept>

void Put16(Bytes &out, unsigned value)
{
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

namespace {

void put32(Bytes &out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::size_t rowStride(int width, int bits)
{
    return ((std::size_t(width) * std::size_t(bits) + 31) / 32) * 4;
}

// The palette of a picture: the standard sixteen at depth 4, the colours in order of first use at 8.
std::vector<Rgb> paletteOf(const PixImage &image)
{
    if (image.depth == 4)
        return StandardSixteenColours();
    std::vector<Rgb> palette;
    if (image.depth == 8) {
        for (const Rgb &c : image.pixels)
            if (std::find(palette.begin(), palette.end(), c) == palette.end())
                palette.push_back(c);
        if (palette.size() > 256)
            throw std::runtime_error("an 8-bit picture has more than 256 colours");
    }
    return palette;
}

std::size_t paletteIndex(const std::vector<Rgb> &palette, Rgb c)
{
    const auto it = std::find(palette.begin(), palette.end(), c);
    if (it == palette.end())
        throw std::runtime_error("colour #" + std::to_string(c.r) + "," + std::to_string(c.g) + ","
                                 + std::to_string(c.b) + " is not one of the standard sixteen");
    return std::size_t(it - palette.begin());
}

// BITMAPINFOHEADER, palette and colour rows (bottom row first), as in both file kinds.
Bytes infoAndRows(const PixImage &image, int headerHeight)
{
    const std::vector<Rgb> palette = paletteOf(image);
    const std::size_t stride = rowStride(image.width, image.depth);
    Bytes out;
    put32(out, 40);
    put32(out, std::uint32_t(image.width));
    put32(out, std::uint32_t(headerHeight));
    Put16(out, 1);
    Put16(out, unsigned(image.depth));
    put32(out, 0); // BI_RGB
    put32(out, std::uint32_t(stride * std::size_t(image.height)));
    put32(out, 2835); // 72 dots per inch
    put32(out, 2835);
    put32(out, std::uint32_t(palette.size()));
    put32(out, 0);
    for (const Rgb &c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < image.width; ++x) {
            // Transparent icon pixels are black in the colour bitmap, as the AND mask expects.
            const Rgb c = image.clearAt(x, y) ? Rgb{} : image.at(x, y);
            switch (image.depth) {
            case 4: {
                const auto index = std::uint8_t(paletteIndex(palette, c));
                row[std::size_t(x / 2)] |= (x % 2 == 0) ? std::uint8_t(index << 4) : index;
                break;
            }
            case 8: row[std::size_t(x)] = std::uint8_t(paletteIndex(palette, c)); break;
            default:
                row[std::size_t(x) * 3] = c.b;
                row[std::size_t(x) * 3 + 1] = c.g;
                row[std::size_t(x) * 3 + 2] = c.r;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

Bytes WriteBmpFile(const PixImage &image)
{
    const Bytes body = infoAndRows(image, image.height);
    const std::size_t paletteBytes = paletteOf(image).size() * 4;
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put32(out, std::uint32_t(14 + body.size()));
    put32(out, 0);
    put32(out, std::uint32_t(14 + 40 + paletteBytes));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes WriteIcoFile(const PixImage &image)
{
    if (image.width > 256 || image.height > 256)
        throw std::runtime_error("an icon is at most 256 pixels wide and high");
    // The colour bitmap's header counts the AND mask too, hence twice the height.
    Bytes body = infoAndRows(image, image.height * 2);
    const std::size_t maskStride = rowStride(image.width, 1);
    for (int y = image.height - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < image.width; ++x)
            if (image.clearAt(x, y))
                row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        body.insert(body.end(), row.begin(), row.end());
    }
    Bytes out;
    Put16(out, 0);
    Put16(out, 1); // icon
    Put16(out, 1); // one image
    out.push_back(std::uint8_t(image.width == 256 ? 0 : image.width));
    out.push_back(std::uint8_t(image.height == 256 ? 0 : image.height));
    out.push_back(image.depth == 4 ? 16 : 0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, unsigned(image.depth));
    put32(out, std::uint32_t(body.size()));
    put32(out, 6 + 16);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

PixImage JoinHorizontally(const std::vector<PixImage> &images)
{
    PixImage strip;
    if (images.empty())
        return strip;
    strip.height = images.front().height;
    strip.depth = images.front().depth;
    for (const PixImage &image : images) {
        if (image.height != strip.height || image.depth != strip.depth)
            throw std::runtime_error("toolbar images differ in height or depth");
        strip.width += image.width;
    }
    strip.pixels.resize(std::size_t(strip.width * strip.height));
    strip.transparent.assign(strip.pixels.size(), false);
    int left = 0;
    for (const PixImage &image : images) {
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                strip.pixels[std::size_t(y * strip.width + left + x)] = image.at(x, y);
        left += image.width;
    }
    return strip;
}
