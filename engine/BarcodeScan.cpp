#include "BarcodeScan.h"

#include "AbortGuard.h"


#define ZX_USE_UTF8 1
#include <ZXing/BarcodeFormat.h>
#include <ZXing/DecodeHints.h>
#include <ZXing/ReadBarcode.h>

namespace quirekit {

namespace {

// Reads the codes that `hints` asks for; false if the reader gave up on the image. Debian
// builds zxing-cpp 1.4 with its assertions on, and some images (noise that half looks like
// a finder pattern) fail one: the whole analysis of a stack would end on that page.
bool readGuarded(const ZXing::ImageView &view, const ZXing::DecodeHints &hints,
                 std::vector<PageFacts::Barcode> &found)
{
    std::vector<PageFacts::Barcode> read;
    const bool done = AbortGuard::run([&] {
        for (const ZXing::Result &result : ZXing::ReadBarcodes(view, hints))
            if (result.isValid())
                read.push_back({ZXing::ToString(result.format()), result.text()});
    });
    if (done)
        found.insert(found.end(), read.begin(), read.end());
    return done;
}

} // namespace

BarcodeScan::Found BarcodeScan::scan(const GrayImage &image)
{
    Found found;
    if (image.width <= 0 || image.height <= 0)
        return found;
    using ZXing::BarcodeFormat;
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    // zxing-cpp 1.4 compares each result with those found before it, and a comparison that
    // involves a linear code read on several lines can fail an assertion. So linear codes
    // are looked for apart, and where reading them all fails, the first alone is read. Micro
    // QR is not looked for: its detector fails an assertion on plain scanned letters.
    struct Pass {
        ZXing::BarcodeFormats formats;
        bool firstOnlyIfAllFail;
    };
    const Pass passes[] = {
        {BarcodeFormat::QRCode | BarcodeFormat::DataMatrix | BarcodeFormat::Aztec | BarcodeFormat::PDF417, false},
        {BarcodeFormat::Code128 | BarcodeFormat::Code39 | BarcodeFormat::Code93, true}};
    for (const Pass &pass : passes) {
        ZXing::DecodeHints hints;
        hints.setTryRotate(true);
        // The page is drawn at a resolution that suits barcodes already; trying smaller
        // copies of it too costs a fifth more time on pages without any.
        hints.setTryDownscale(false);
        hints.setFormats(pass.formats);
        if (readGuarded(view, hints, found.barcodes))
            continue;
        if (pass.firstOnlyIfAllFail) {
            hints.setMaxNumberOfSymbols(1);
            if (readGuarded(view, hints, found.barcodes))
                continue;
        }
        // One kind's reader gave up: the others are asked one by one, so that only the
        // kind that failed goes unread.
        for (BarcodeFormat format : pass.formats) {
            hints.setFormats(format);
            if (!readGuarded(view, hints, found.barcodes))
                found.unread.push_back(ZXing::ToString(format));
        }
    }
    return found;
}

} // namespace quirekit
