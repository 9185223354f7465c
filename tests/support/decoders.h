#pragma once
// Two independent barcode decoders, ZXing-C++ and zbar, behind one small interface, and the
// translation of what they report into the digit string the encoder was given.

#include <cstdint>
#include <string>
#include <vector>

namespace strikon::testing {

// A borrowed 8-bit grey image, rows `stride` bytes apart.
struct GreyView {
    const uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
};

enum class Symbology { EAN13, EAN8, UPCA, UPCE, ITF14, QRCode, DataMatrix, Code128 };

// One symbol as a decoder reported it: its own format name and text, untouched.
struct Read {
    std::string format;
    std::string text;  // GS1 data: FNC1 separators as GS (0x1D), no leading FNC1
    bool gs1 = false;  // the symbol said it carries GS1 data (FNC1 in first position)
};

// Both decoders are asked only for the symbologies of the family of `expected` (EAN/UPC with
// their add-ons, interleaved 2 of 5, or the one 2D or Code 128 symbology), with add-on reading
// on, for a single symbol. zbar reads no DataMatrix: it returns nothing for one.
std::vector<Read> readWithZXing(const GreyView& image, Symbology expected);
std::vector<Read> readWithZbar(const GreyView& image, Symbology expected);

// What was read, written as the encoder's digit string: the main symbol's digits in their drawn
// length (13, 8, 12, 8 or 14) followed directly by any add-on digits. UPC-A read as a 13-digit
// EAN-13 loses its leading "0", EAN-13 read as UPC-A gains it. "" when nothing of the expected
// symbology was read.
std::string asDrawn(const std::vector<Read>& reads, Symbology expected);

// "format:text, ..." for failure messages.
std::string describe(const std::vector<Read>& reads);

}  // namespace strikon::testing
