// The raster surface and the reading of decoder output decide every round trip, so their own
// rules are pinned here.

#include <gtest/gtest.h>

#include "tests/support/decoders.h"
#include "tests/support/raster_surface.h"

namespace strikon::testing {
namespace {

std::string column(const RasterSurface& s, int32_t x) {
    std::string out;
    for (int32_t y = 0; y < s.height(); ++y) {
        out += s.at(x, y) == RasterSurface::kBlack ? '#' : '.';
    }
    return out;
}

TEST(RasterSurfaceTest, LinesLeaveOutTheirEndPointInEitherDirection) {
    RasterSurface s(3, 8);
    s.moveTo(0, 2);
    s.lineTo(0, 5);  // downwards: rows 2..4
    s.moveTo(1, 6);
    s.lineTo(1, 2);  // upwards, as the add-on bars: rows 3..6
    s.moveTo(2, 4);
    s.lineTo(2, 4);  // empty
    EXPECT_EQ(column(s, 0), "..###...");
    EXPECT_EQ(column(s, 1), "...####.");
    EXPECT_EQ(column(s, 2), "........");

    RasterSurface h(4, 1);
    h.moveTo(0, 0);
    h.lineTo(3, 0);  // columns 0..2, as the bearer bars
    EXPECT_EQ(h.at(2, 0), RasterSurface::kBlack);
    EXPECT_EQ(h.at(3, 0), RasterSurface::kWhite);
    EXPECT_EQ(h.outsidePixels(), 0);
    EXPECT_EQ(h.slantedLines(), 0);
}

TEST(RasterSurfaceTest, CountsWhatLinesAndFillsPutOutsideButNotTextCells) {
    RasterSurface s(4, 4, 128);
    s.fillRect(Rect{-1, 0, 2, 2});  // one column of two rows outside
    EXPECT_EQ(s.at(0, 0), RasterSurface::kWhite);
    EXPECT_EQ(s.at(2, 0), 128);
    s.moveTo(3, 2);
    s.lineTo(3, 6);  // rows 4 and 5 fall outside
    EXPECT_EQ(s.outsidePixels(), 4);
    s.setFont("Arial", 10);
    s.textAt(0, 3, "12");  // cells hang below the buffer by design
    EXPECT_EQ(s.outsidePixels(), 4);
    s.moveTo(0, 0);
    s.lineTo(1, 1);
    EXPECT_EQ(s.slantedLines(), 1);
}

TEST(RasterSurfaceTest, TextWidthIsFixedPerCharacterSoFontFittingEnds) {
    RasterSurface s(1, 1);
    s.setFont("Arial", 20);
    EXPECT_EQ(s.textWidth("9"), 11);
    EXPECT_EQ(s.textWidth("1 2"), 33);
    s.setFont("Arial", 1);
    EXPECT_EQ(s.textWidth("9"), 1);
}

TEST(AsDrawnTest, FoldsBothDecodersWaysOfReportingIntoTheDrawnDigits) {
    // ZXing: add-on after a space in the main text.
    EXPECT_EQ(asDrawn({{"EAN-13", "4006381333931 12"}}, Symbology::EAN13), "400638133393112");
    // zbar: add-on as a symbol of its own, listed first.
    EXPECT_EQ(asDrawn({{"EAN-5", "52495"}, {"UPC-E", "01234565"}}, Symbology::UPCE),
              "0123456552495");
    // UPC-A and EAN-13 with a leading 0 are the same bars.
    EXPECT_EQ(asDrawn({{"EAN-13", "0036000291452"}}, Symbology::UPCA), "036000291452");
    EXPECT_EQ(asDrawn({{"UPC-A", "036000291452"}}, Symbology::EAN13), "0036000291452");
    // An add-on without its main symbol is no reading.
    EXPECT_EQ(asDrawn({{"EAN-2", "12"}}, Symbology::UPCE), "");
    EXPECT_NE(asDrawn({{"EAN-13", "4006381333931"}, {"EAN-8", "96385074"}}, Symbology::EAN13),
              "4006381333931");
}

}  // namespace
}  // namespace strikon::testing
