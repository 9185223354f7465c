// Fonts sized by cell height: the face "Arial" resolves to a metric twin, every cell height is
// reached exactly, and widths are whole pixels per glyph.
#include "surface/cell_font.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>

namespace strikon {
namespace {

TEST(CellFont, ArialResolvesToLiberationSans) {
    // The digits' widths below hold for Liberation Sans only; another face means the setup
    // did not install fonts-liberation2.
    EXPECT_EQ(QFontInfo(QFont("Arial")).family(), "Liberation Sans");
    EXPECT_EQ(CellFont(CellFont::resolveFace("Arial"), 16).family(), "Liberation Sans");
}

TEST(CellFont, AscentAndDescentFillTheCellExactly) {
    const QRawFont face = CellFont::resolveFace("Arial");
    for (int cell : {1, 8, 12, 14, 16, 21, 24, 32, 48}) {
        const CellFont font(face, cell);
        ASSERT_TRUE(font.isValid()) << cell;
        EXPECT_EQ(font.ascent() + font.descent(), cell) << cell;
        EXPECT_GE(font.descent(), 0) << cell;
        EXPECT_NEAR(font.exactAscent() + font.exactDescent(), cell, 1.0 / 32) << cell;
    }
    EXPECT_EQ(CellFont(face, 24).ascent(), 19);
    EXPECT_EQ(CellFont(face, 16).ascent(), 13);
}

TEST(CellFont, DigitWidthsAtTheHeightsInUse) {
    const QRawFont face = CellFont::resolveFace("Arial");
    const struct {
        int cell;
        int width;
    } rows[] = {{8, 4}, {12, 6}, {14, 7}, {16, 8}, {17, 8}, {21, 10}, {24, 12}, {32, 16}, {48, 24}};
    for (const auto& row : rows) {
        EXPECT_EQ(CellFont(face, row.cell).textWidth("9"), row.width) << "cell " << row.cell;
    }
}

TEST(CellFont, TextWidthSumsWholePixelAdvances) {
    // Each digit advances 11.94 pixels at cell 24: rounded per glyph that is 12 each, where
    // rounding the sum would give 119.
    const CellFont font(CellFont::resolveFace("Arial"), 24);
    EXPECT_EQ(font.textWidth("0123456789"), 120);
    EXPECT_EQ(font.textWidth(""), 0);
}

TEST(CellFont, DigitsNeverWidenAsTheCellShrinks) {
    // Fitting a digit into a quiet zone lowers the height until the digit is narrow enough.
    const QRawFont face = CellFont::resolveFace("Arial");
    int previous = CellFont(face, 60).textWidth("9");
    for (int cell = 59; cell >= 1; --cell) {
        const int width = CellFont(face, cell).textWidth("9");
        EXPECT_LE(width, previous) << "cell " << cell;
        previous = width;
    }
}

TEST(CellFont, NonPositiveCellGivesNoFont) {
    const QRawFont face = CellFont::resolveFace("Arial");
    for (int cell : {0, -16}) {
        const CellFont font(face, cell);
        EXPECT_FALSE(font.isValid());
        EXPECT_EQ(font.textWidth("9"), 0);
    }
}

}  // namespace
}  // namespace strikon
