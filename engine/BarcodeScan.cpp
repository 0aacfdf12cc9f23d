#include "BarcodeScan.h"

#include <cstdint>

#define ZX_USE_UTF8 1
#include <ZXing/BarcodeFormat.h>
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

namespace quirekit {

std::vector<PageFacts::Barcode> BarcodeScan::scan(const GrayImage &image)
{
    std::vector<PageFacts::Barcode> found;
    if (image.width <= 0 || image.height <= 0)
        return found;
    using ZXing::BarcodeFormat;
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    // zxing-cpp 1.4 compares each result with those found before it, and a comparison that
    // involves a linear code read on several lines ends the process on an assertion in
    // Debian's build. So linear codes are looked for apart, and only the first one is read.
    struct Pass {
        ZXing::BarcodeFormats formats;
        int most;
    };
    const Pass passes[] = {{BarcodeFormat::QRCode | BarcodeFormat::MicroQRCode | BarcodeFormat::DataMatrix
                                | BarcodeFormat::Aztec | BarcodeFormat::PDF417,
                            255},
                           {BarcodeFormat::Code128 | BarcodeFormat::Code39 | BarcodeFormat::Code93, 1}};
    for (const Pass &pass : passes) {
        ZXing::DecodeHints hints;
        hints.setFormats(pass.formats);
        hints.setMaxNumberOfSymbols(static_cast<std::uint8_t>(pass.most));
        hints.setTryRotate(true);
        // The page is drawn at a resolution that suits barcodes already; trying smaller
        // copies of it too costs a fifth more time on pages without any.
        hints.setTryDownscale(false);
        for (const ZXing::Result &result : ZXing::ReadBarcodes(view, hints))
            if (result.isValid())
                found.push_back({ZXing::ToString(result.format()), result.text()});
    }
    return found;
}

} // namespace quirekit
