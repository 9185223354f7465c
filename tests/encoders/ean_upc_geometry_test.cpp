// EAN-13, EAN-8, UPC-A and UPC-E at 100 %, 4 pixels per millimetre, offsets 0: every figure
// here is worked out by hand from the symbol's dimensions (P = 1.32 px).

#include <gtest/gtest.h>

#include <vector>

#include "encoders/ean_upc.h"
#include "encoders/pixel_round.h"
#include "tests/support/recording_surface.h"

namespace strikon {
namespace {

using testing::Column;
using testing::Op;
using testing::OpKind;
using testing::RecordingSurface;

struct Drawn {
    Rect bounds;
    std::vector<Column> columns;
    std::vector<Op> texts;
    std::vector<Op> fills;
};

Drawn draw(const std::string& code, const std::string& digits, RecordingSurface& surface,
           const std::string& addOn = "None") {
    Drawn d;
    DrawEANUPC(code, addOn, digits, &surface, 0, 0, 100, 4.0, 4.0, d.bounds);
    d.columns = surface.columns();
    d.texts = surface.texts();
    d.fills = surface.opsOf(OpKind::FillRect);
    return d;
}

std::vector<int32_t> lefts(const std::vector<Op>& texts, size_t from, size_t count) {
    std::vector<int32_t> out;
    for (size_t i = from; i < from + count; ++i) {
        out.push_back(texts[i].rect.left);
    }
    return out;
}

std::string textOrder(const std::vector<Op>& texts) {
    std::string out;
    for (const Op& t : texts) {
        out += t.text;
    }
    return out;
}

TEST(PixelRounding, TiesGoToEven) {
    EXPECT_EQ(roundPx(2.5L), 2);
    EXPECT_EQ(roundPx(3.5L), 4);
    EXPECT_EQ(roundPx(-0.5L), 0);
    EXPECT_EQ(roundPx(16.5L), 16) << "EAN-13 digit font at 4 px/mm";
}

TEST(EAN13At4PxPerMm, RectangleBarsAndRows) {
    RecordingSurface surface;
    const Drawn d = draw("EAN-13", "4006381333931", surface);
    EXPECT_EQ(d.bounds, (Rect{0, 0, 149, 104})) << "113 x 1.32 = 149.16, 25.91 x 4 = 103.64";
    ASSERT_FALSE(d.fills.empty());
    EXPECT_EQ(d.fills[0].rect, d.bounds) << "background first";
    ASSERT_GE(d.columns.size(), 2u);
    EXPECT_EQ(d.columns[0], (Column{15, 0, 98})) << "first guard module: round(14.52)";
    EXPECT_EQ(d.columns[1], (Column{17, 0, 98})) << "third guard module: round(17.16)";
    // Normal bars end at round(91.4) = 91, guard bars at round(97.92) = 98.
    for (const Column& c : d.columns) {
        EXPECT_EQ(c.from, 0);
        EXPECT_TRUE(c.to == 91 || c.to == 98) << c.x;
    }
}

TEST(EAN13At4PxPerMm, DigitBoxesAndText) {
    RecordingSurface surface(RecordingSurface::Fixed(8));
    const Drawn d = draw("EAN-13", "4006381333931", surface);
    ASSERT_EQ(d.texts.size(), 13u);
    EXPECT_EQ(textOrder(d.texts), "4006381333931");
    EXPECT_EQ(d.texts[0].rect, (Rect{0, 91, 8, 104})) << "leading digit";
    EXPECT_EQ(d.texts[0].x, 0);
    const int32_t leftEdges[6][2] = {{20, 28}, {29, 37}, {38, 46}, {47, 55}, {56, 64}, {65, 73}};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(d.texts[1 + i].rect.left, leftEdges[i][0]) << "pitch 8.96, box " << i;
        EXPECT_EQ(d.texts[1 + i].rect.right, leftEdges[i][1]) << "box " << i;
        EXPECT_EQ(d.texts[1 + i].x, leftEdges[i][0]);
    }
    EXPECT_EQ(lefts(d.texts, 7, 6), (std::vector<int32_t>{81, 90, 99, 108, 117, 126}));
    for (const Op& t : d.texts) {
        EXPECT_EQ(t.y, 89) << "round(89.4)";
        EXPECT_EQ(t.rect.top, 91);
        EXPECT_EQ(t.rect.bottom, 104);
        EXPECT_EQ(t.height, 16) << "round(16.5), a tie";
    }
}

TEST(EAN8At4PxPerMm, RectangleBarsAndDigits) {
    RecordingSurface surface(RecordingSurface::Fixed(8));
    const Drawn d = draw("EAN-8", "96385074", surface);
    EXPECT_EQ(d.bounds, (Rect{0, 0, 107, 85})) << "81 x 1.32 = 106.92, 21.31 x 4 = 85.24";
    ASSERT_GE(d.columns.size(), 3u);
    EXPECT_EQ(d.columns[0], (Column{9, 0, 80})) << "round(9.24); guard rows to round(79.52)";
    // The first module spans 9.24..10.56: as one span it covers columns 9 and 10.
    EXPECT_EQ(d.columns[1], (Column{10, 0, 80}));
    EXPECT_EQ(d.columns[2], (Column{12, 0, 80})) << "third guard module: round(11.88)";
    for (const Column& c : d.columns) {
        EXPECT_TRUE(c.to == 73 || c.to == 80) << "normal bars to round(72.92)";
    }
    ASSERT_EQ(d.texts.size(), 8u);
    EXPECT_EQ(textOrder(d.texts), "96385074");
    const int32_t edges[4][2] = {{15, 23}, {24, 32}, {33, 41}, {42, 50}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(d.texts[i].rect.left, edges[i][0]) << "pitch 9.2133, box " << i;
        EXPECT_EQ(d.texts[i].rect.right, edges[i][1]) << "box " << i;
    }
    EXPECT_EQ(lefts(d.texts, 4, 4), (std::vector<int32_t>{57, 66, 75, 84}));
    for (const Op& t : d.texts) {
        EXPECT_EQ(t.y, 71) << "round(70.92)";
        EXPECT_EQ(t.rect.top, 73);
        EXPECT_EQ(t.height, 16);
    }
}

// Inner digits 9 px wide at height 16; the outer digits "0" and "5" are 7 px at the start
// height 16 (limit 4.8 x 1.32 = 6.336) and narrow to 6 px at 14 and 15 respectively.
int32_t upcaGlyph(char c, int32_t h) {
    if (c == '0') {
        return h >= 15 ? 7 : 6;
    }
    if (c == '5') {
        return h >= 16 ? 7 : 6;
    }
    return 9;
}

TEST(UPCAAt4PxPerMm, RectangleBarsAndRows) {
    RecordingSurface surface(upcaGlyph);
    const Drawn d = draw("UPC-A", "012345678905", surface);
    EXPECT_EQ(d.bounds, (Rect{0, 0, 149, 104}));
    ASSERT_FALSE(d.columns.empty());
    EXPECT_EQ(d.columns[0], (Column{12, 0, 98})) << "round(11.88), a long bar";
    // Modules 1..10 (left guard and d1) are long; d1 "0" = 0001101 puts modules 7-8 in one
    // two-module bar: one solid span from round(19.8) to round(22.44).
    EXPECT_EQ(d.columns[2], (Column{20, 0, 98}));
    EXPECT_EQ(d.columns[3], (Column{21, 0, 98}));
    EXPECT_EQ(d.columns[4], (Column{24, 0, 98})) << "module 10, round(23.76)";
    EXPECT_EQ(d.columns[5].to, 91) << "d2's bars are normal";
}

TEST(UPCAAt4PxPerMm, InnerDigitsAndFittedOuterDigits) {
    RecordingSurface surface(upcaGlyph);
    const Drawn d = draw("UPC-A", "012345678905", surface);
    ASSERT_EQ(d.texts.size(), 12u);
    EXPECT_EQ(textOrder(d.texts), "012345678905");
    // d1: fitted down to 14, the first height where "0" is 6 px; box as wide as "9" there.
    EXPECT_EQ(d.texts[0].height, 14);
    EXPECT_EQ(d.texts[0].rect, (Rect{0, 91, 9, 104}));
    EXPECT_EQ(d.texts[0].x, 0);
    EXPECT_EQ(d.texts[0].y, 90) << "outer row round(89.73)";
    std::vector<int32_t> xs;
    for (size_t i = 1; i <= 10; ++i) {
        xs.push_back(d.texts[i].x);
        EXPECT_EQ(d.texts[i].y, 89) << "inner row round(89.4)";
        EXPECT_EQ(d.texts[i].height, 16);
        EXPECT_EQ(d.texts[i].rect.right - d.texts[i].rect.left, 9);
    }
    EXPECT_EQ(xs, (std::vector<int32_t>{26, 35, 44, 53, 62, 78, 87, 96, 105, 114})) << "pitch 8.97";
    // d12 is fitted anew from 16 and stops at 15; right-aligned with R's right edge.
    EXPECT_EQ(d.texts[11].height, 15);
    EXPECT_EQ(d.texts[11].rect, (Rect{140, 91, 149, 104}));
    EXPECT_EQ(d.texts[11].x, 143) << "round(149.16 - 6)";
    EXPECT_EQ(d.texts[11].y, 90);
    // Both fits start from round(4 x 4) = 16.
    const std::vector<Op> fonts = surface.opsOf(OpKind::SetFont);
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(fonts[0].height, 16);
    EXPECT_EQ(fonts[0].text, "Arial");
}

TEST(UPCEAt4PxPerMm, RectangleDigitsAndAFitThatNeverNarrows) {
    // Every glyph 9 px at every height: the outer digits never fit, so each fit stops at 1.
    RecordingSurface surface(RecordingSurface::Fixed(9));
    const Drawn d = draw("UPC-E", "01234565", surface);
    EXPECT_EQ(d.bounds, (Rect{0, 0, 88, 104})) << "67 x 1.32 = 88.44";
    for (const Column& c : d.columns) {
        EXPECT_TRUE(c.to == 91 || c.to == 98);
    }
    EXPECT_EQ(d.columns.front().to, 98) << "left guard";
    EXPECT_EQ(d.columns.back().to, 98) << "end guard";
    ASSERT_EQ(d.texts.size(), 8u);
    EXPECT_EQ(textOrder(d.texts), "01234565");
    std::vector<int32_t> xs;
    for (size_t i = 1; i <= 6; ++i) {
        xs.push_back(d.texts[i].x);
    }
    EXPECT_EQ(xs, (std::vector<int32_t>{18, 27, 36, 45, 54, 63})) << "pitch 9.024";
    EXPECT_EQ(d.texts[0].height, 1);
    EXPECT_EQ(d.texts[7].height, 1);
    EXPECT_EQ(d.texts[7].x, 79) << "round(88.44 - 9)";
    EXPECT_EQ(d.texts[7].rect, (Rect{79, 91, 88, 104}));
}

TEST(MainSymbols, DigitsBehindTheSymbolAreIgnored) {
    struct Row {
        const char* code;
        const char* digits;
        const char* longer;
    };
    const Row rows[] = {
        {"EAN-13", "4006381333931", "400638133393112345"},
        {"EAN-8", "96385074", "9638507412"},
        {"UPC-A", "012345678905", "01234567890512345"},
        {"UPC-E", "01234565", "0123456512"},
    };
    for (const Row& r : rows) {
        RecordingSurface a, b;
        Rect ra, rb;
        DrawEANUPC(r.code, "None", r.digits, &a, 1.5, 2.5, 120, 11.811, 11.811, ra);
        DrawEANUPC(r.code, "None", r.longer, &b, 1.5, 2.5, 120, 11.811, 11.811, rb);
        EXPECT_EQ(ra, rb) << r.code;
        EXPECT_EQ(a.columns(), b.columns()) << r.code;
        EXPECT_EQ(a.texts().size(), b.texts().size()) << r.code;
    }
}

}  // namespace
}  // namespace strikon
