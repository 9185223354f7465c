// ZXing-C++ 1.4 as one of the two reference decoders.
#include "tests/support/decoders.h"

#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

namespace strikon::testing {
namespace {

ZXing::DecodeHints zxingHints(Symbology expected) {
    using ZXing::BarcodeFormat;
    ZXing::DecodeHints hints;
    switch (expected) {
        case Symbology::ITF14:
            hints.setFormats(BarcodeFormat::ITF);
            break;
        case Symbology::QRCode:
            hints.setFormats(BarcodeFormat::QRCode);
            break;
        case Symbology::DataMatrix:
            hints.setFormats(BarcodeFormat::DataMatrix);
            break;
        case Symbology::Code128:
            hints.setFormats(BarcodeFormat::Code128);
            break;
        default:
            hints.setFormats(BarcodeFormat::EAN13 | BarcodeFormat::EAN8 | BarcodeFormat::UPCA |
                             BarcodeFormat::UPCE);
    }
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
    // GS1 symbols identify themselves: ]d2 DataMatrix, ]C1 Code 128, ]Q3 QR Code.
    const std::string id = result.symbologyIdentifier();
    const bool gs1 = id == "]d2" || id == "]C1" || id == "]Q3";
    return {Read{ZXing::ToString(result.format()), result.text(), gs1}};
}

}  // namespace strikon::testing
