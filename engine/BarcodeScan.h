#pragma once

#include "GrayImage.h"
#include "PageFacts.h"

#include <string>
#include <vector>

namespace quirekit {

// Finds the barcodes on a page drawn fine enough for their bars and modules (about 150
// pixels an inch), with zxing-cpp: QR, Data Matrix, Aztec, PDF417, Code 128, Code 39 and
// Code 93, upright or turned. Retail and two-of-five codes are left out: their short
// patterns turn up in lines of text.
class BarcodeScan {
public:
    struct Found {
        std::vector<PageFacts::Barcode> barcodes;
        // The kinds of code that could not be looked for on this page, zxing-cpp having
        // given up on it (see scan); empty when every kind was.
        std::vector<std::string> unread;
    };
    static Found scan(const GrayImage &image);
};

} // namespace quirekit
