#include "tests/support/decode_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace strikon::testing {
namespace {

// ZXing accepts a linear symbol only when two scan lines agree; give both decoders a few more.
constexpr int32_t kMinBandRows = 4;

bool acceptable(const std::string& read, const Drawing& d, Leeway leeway) {
    switch (leeway) {
        case Leeway::None:
            return read == d.digits;
        case Leeway::AddOnMissed:
            return read == d.digits || read == d.digits.substr(0, d.mainLength);
        case Leeway::SymbolMissed:
            return read.empty() || read == d.digits;
    }
    return false;
}

// Adds a line to `faults` unless the reading is acceptable; returns whether it was exact.
bool judge(const char* decoder, const std::vector<Read>& reads, const Drawing& d, Leeway leeway,
           std::string& faults) {
    const std::string read = asDrawn(reads, d.symbology);
    if (!acceptable(read, d, leeway)) {
        faults += std::string(decoder) + " read \"" + read + "\" (" + describe(reads) +
                  "), drawn \"" + d.digits + "\"\n";
    }
    return read == d.digits;
}

std::string dump(const RasterSurface& surface, const std::string& label) {
    std::string name = label;
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    const std::string path = ::testing::TempDir() + "strikon-" + name + ".pgm";
    return surface.writePgm(path) ? "  image: " + path + "\n" : "";
}

}  // namespace

RoundTrip checkRoundTrip(const Drawing& drawing, const Render& render, int32_t bandTop,
                         int32_t bandBottom, const std::string& label) {
    Rect measured;
    render(nullptr, measured);
    if (measured.left != 0 || measured.top != 0 || measured.right <= 0 || measured.bottom <= 0) {
        return {label + ": no symbol measured\n"};
    }
    RasterSurface surface(measured.right, measured.bottom);
    Rect drawn;
    render(&surface, drawn);

    RoundTrip result;
    std::string& faults = result.faults;
    if (!(drawn == measured)) {
        faults += "drawing and measuring give different rectangles\n";
    }
    if (surface.outsidePixels() != 0 || surface.slantedLines() != 0) {
        faults += "drew outside its rectangle or off the axes\n";
    }
    bandTop = std::clamp(bandTop, 0, surface.height());
    bandBottom = std::clamp(bandBottom, bandTop, surface.height());
    if (bandBottom - bandTop < kMinBandRows) {
        faults += "symbol too low for a band of rows across its bars\n";
    } else {
        const GreyView band{surface.row(bandTop), surface.width(), bandBottom - bandTop,
                            surface.width()};
        result.zxingExact =
            judge("ZXing", readWithZXing(band, drawing.symbology), drawing, drawing.zxing, faults);
        result.zbarExact =
            judge("zbar", readWithZbar(band, drawing.symbology), drawing, drawing.zbar, faults);
    }
    if (!faults.empty()) {
        faults = label + ":\n" + faults + dump(surface, label);
    }
    return result;
}

}  // namespace strikon::testing
