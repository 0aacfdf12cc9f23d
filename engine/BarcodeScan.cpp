#include "BarcodeScan.h"

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
    ZXing::DecodeHints hints;
    hints.setFormats(BarcodeFormat::QRCode | BarcodeFormat::MicroQRCode | BarcodeFormat::DataMatrix
                     | BarcodeFormat::Aztec | BarcodeFormat::PDF417 | BarcodeFormat::Code128 | BarcodeFormat::Code39
                     | BarcodeFormat::Code93);
    hints.setTryRotate(true);
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    for (const ZXing::Result &result : ZXing::ReadBarcodes(view, hints))
        if (result.isValid())
            found.push_back({ZXing::ToString(result.format()), result.text()});
    return found;
}

} // namespace quirekit
