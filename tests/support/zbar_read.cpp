// zbar 0.23 as the second, independent reference decoder.
#include "tests/support/decoders.h"

#include <zbar.h>

#include <algorithm>
#include <memory>

namespace strikon::testing {
namespace {

// zbar.h puts its C API inside namespace zbar when compiled as C++.
using namespace zbar;

// zbar reports UPC-A as EAN-13 unless UPC-A is enabled by name, and the add-ons only when
// EAN-2 and EAN-5 are; everything else stays off so that nothing else can be found.
void configureZbar(zbar_image_scanner_t* scanner, Symbology expected) {
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    const auto enable = [scanner](zbar_symbol_type_t type) {
        zbar_image_scanner_set_config(scanner, type, ZBAR_CFG_ENABLE, 1);
    };
    bool rowsOnly = true;
    if (expected == Symbology::ITF14) {
        enable(ZBAR_I25);
    } else if (expected == Symbology::Code128) {
        enable(ZBAR_CODE128);
    } else if (expected == Symbology::QRCode) {
        enable(ZBAR_QRCODE);
        rowsOnly = false;
    } else if (expected == Symbology::DataMatrix) {
        return;  // zbar has no DataMatrix reader; with everything off it finds nothing
    } else {
        for (zbar_symbol_type_t type :
             {ZBAR_EAN13, ZBAR_EAN8, ZBAR_UPCA, ZBAR_UPCE, ZBAR_EAN2, ZBAR_EAN5}) {
            enable(type);
        }
    }
    // Rows only for bars: they are vertical, so columns never cross a symbol.
    if (rowsOnly) {
        zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_X_DENSITY, 0);
        zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_Y_DENSITY, 1);
    }
}

// zbar wants one contiguous Y800 plane.
std::vector<uint8_t> packed(const GreyView& image) {
    std::vector<uint8_t> plane(static_cast<size_t>(image.width) * image.height);
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = image.pixels + static_cast<size_t>(y) * image.stride;
        std::copy(row, row + image.width, plane.begin() + static_cast<ptrdiff_t>(y) * image.width);
    }
    return plane;
}

}  // namespace

using namespace zbar;

std::vector<Read> readWithZbar(const GreyView& image, Symbology expected) {
    const std::unique_ptr<zbar_image_scanner_t, decltype(&zbar_image_scanner_destroy)> scanner(
        zbar_image_scanner_create(), &zbar_image_scanner_destroy);
    configureZbar(scanner.get(), expected);

    const std::vector<uint8_t> plane = packed(image);
    const std::unique_ptr<zbar_image_t, decltype(&zbar_image_destroy)> zimage(zbar_image_create(),
                                                                              &zbar_image_destroy);
    zbar_image_set_format(zimage.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(zimage.get(), static_cast<unsigned>(image.width),
                        static_cast<unsigned>(image.height));
    // The plane outlives the image's use; no cleanup handler, zbar must not free it.
    zbar_image_set_data(zimage.get(), plane.data(), plane.size(), nullptr);

    std::vector<Read> reads;
    if (zbar_scan_image(scanner.get(), zimage.get()) <= 0) {
        return reads;
    }
    for (const zbar_symbol_t* s = zbar_image_first_symbol(zimage.get()); s != nullptr;
         s = zbar_symbol_next(s)) {
        const bool gs1 = (zbar_symbol_get_modifiers(s) & (1U << ZBAR_MOD_GS1)) != 0;
        reads.push_back(Read{zbar_get_symbol_name(zbar_symbol_get_type(s)),
                             std::string(zbar_symbol_get_data(s), zbar_symbol_get_data_length(s)),
                             gs1});
    }
    return reads;
}

}  // namespace strikon::testing
