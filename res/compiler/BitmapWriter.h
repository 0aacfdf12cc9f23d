#pragma once

#include "PixImage.h"

#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Appends a 16-bit value, little-endian, as every resource layout stores it.
void Put16(Bytes &out, unsigned value);

// A device-independent bitmap file (BITMAPFILEHEADER + BITMAPINFOHEADER + palette + rows)
// at the picture's depth. Throws std::runtime_error when a colour does not fit the depth.
Bytes WriteBmpFile(const PixImage &image);

// An icon file holding the one picture, with its mask as the AND bitmap.
Bytes WriteIcoFile(const PixImage &image);

// Pictures of equal height side by side, left to right.
PixImage JoinHorizontally(const std::vector<PixImage> &images);
