// ZXing-C++ 1.4 as one of the two reference decoders.
#include "tests/support/decoders.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace strikon::testing {
namespace {

ZXing::DecodeHints zxingHints(Symbology expected) {
    using ZXing::BarcodeFormat;
    ZXing::DecodeHints hints;
    hints.setFormats(expected == Symbology::ITF14 ? ZXing::BarcodeFormats(BarcodeFormat::ITF)
                                                  : BarcodeFormat::EAN13 | BarcodeFormat::EAN8 |
                                                        BarcodeFormat::UPCA | BarcodeFormat::UPCE);
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Read);
    hints.setTryHarder(true);
    hints.setTryRotate(false);
    hints.setTryDownscale(false);
    // 1.4 can abort while merging several results of one image; one symbol is all we draw.
    hints.setMaxNumberOfSymbols(1);
    return hints;
}

}  // namespace

std::vector<Read> readWithZXing(const GreyView& image, Symbology expected) {
    const ZXing::ImageView view(image.pixels, image.width, image.height, ZXing::ImageFormat::Lum,
                                image.stride);
    const ZXing::Result result = ZXing::ReadBarcode(view, zxingHints(expected));
    if (!result.isValid()) {
        return {};
    }
    return {Read{ZXing::ToString(result.format()), result.text()}};
}

}  // namespace strikon::testing
