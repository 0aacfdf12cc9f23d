#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A picture read from the text pixel format: one character per pixel, a colour per character.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb &) const = default;
};

struct PixImage {
    int width = 0;
    int height = 0;
    int depth = 0; // bits per pixel of the file written from it: 4, 8 or 24
    std::vector<Rgb> pixels; // row by row, top row first
    std::vector<bool> transparent; // same order; true where the mask character was drawn
    bool hasMask = false;

    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool clearAt(int x, int y) const { return transparent[static_cast<std::size_t>(y * width + x)]; }
};

// Reads a `.pix` file; throws std::runtime_error naming the file and line on any fault.
PixImage ReadPixFile(const std::string &path);
PixImage ParsePix(const std::string &text, const std::string &nameForErrors);

// The picture at twice its size with every pixel doubled.
PixImage DoublePixels(const PixImage &image);

// The sixteen colours of a 4-bit picture, in palette order.
const std::vector<Rgb> &StandardSixteenColours();
