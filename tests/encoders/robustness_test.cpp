// Inputs the user interface never passes, and the promises every call keeps: no read outside
// the digits (checked by the sanitizers), measure and draw agree, a fit always ends.

#include <gtest/gtest.h>

#include "encoders/ean_upc.h"
#include "encoders/itf14.h"
#include "tests/support/recording_surface.h"

namespace strikon {
namespace {

using testing::OpKind;
using testing::RecordingSurface;

const Rect kNothing{0, 0, 0, 0};

struct BadInput {
    const char* name;
    const char* code;
    const char* addOn;
    std::string digits;
};

TEST(BadMainDigits, DrawNothingAndNoAddOn) {
    const BadInput rows[] = {
        {"empty EAN-13", "EAN-13", "None", ""},
        {"EAN-13 one digit short", "EAN-13", "None", "400638133393"},
        {"EAN-13 letter", "EAN-13", "None", "40063813339x1"},
        {"EAN-13 space", "EAN-13", "5-Digit",
         "4006381 33931"
         "52495"},
        {"EAN-13 NUL inside", "EAN-13", "2-Digit",
         std::string("4006381\0"
                     "3393112",
                     15)},
        {"EAN-13 short, add-on digits would follow", "EAN-13", "2-Digit", "4006381333"},
        {"EAN-8 seven digits", "EAN-8", "None", "9638507"},
        {"EAN-8 minus sign", "EAN-8", "None", "-9638507"},
        {"UPC-A eleven digits", "UPC-A", "5-Digit", "01234567890"},
        {"UPC-A letter at the check digit", "UPC-A", "None", "01234567890A"},
        {"UPC-E empty", "UPC-E", "2-Digit", ""},
        {"UPC-E seven digits", "UPC-E", "None", "0123456"},
        {"UPC-E colon (one past 9)", "UPC-E", "None", "0123456:"},
        {"unknown type", "ean-13", "None", "4006381333931"},
        {"unknown type with add-on", "EAN-13 ", "5-Digit", "400638133393152495"},
        {"empty type with add-on", "", "2-Digit", "12"},
    };
    for (const BadInput& r : rows) {
        RecordingSurface surface;
        Rect drawn{1, 2, 3, 4}, measured{1, 2, 3, 4};
        DrawEANUPC(r.code, r.addOn, r.digits, &surface, 1, 1, 100, 4.0, 4.0, drawn);
        DrawEANUPC(r.code, r.addOn, r.digits, nullptr, 1, 1, 100, 4.0, 4.0, measured);
        EXPECT_EQ(drawn, kNothing) << r.name;
        EXPECT_EQ(measured, kNothing) << r.name;
        EXPECT_TRUE(surface.ops().empty()) << r.name;
    }
}

TEST(BadAddOnDigits, KeepTheMainSymbolOnly) {
    const BadInput rows[] = {
        {"2-digit, none given", "EAN-13", "2-Digit", "4006381333931"},
        {"2-digit, one given", "EAN-13", "2-Digit", "40063813339311"},
        {"5-digit, four given", "UPC-A", "5-Digit", "0123456789055249"},
        {"5-digit, letter", "UPC-E", "5-Digit", "0123456552x95"},
        {"2-digit, space", "UPC-A", "2-Digit", "0123456789051 "},
        {"unknown add-on type", "EAN-13", "2-digit", "400638133393112"},
    };
    for (const BadInput& r : rows) {
        const std::string main = r.digits.substr(0, std::string(r.code) == "EAN-13"  ? 13
                                                    : std::string(r.code) == "UPC-A" ? 12
                                                                                     : 8);
        RecordingSurface withAddOn, alone;
        Rect a, b;
        DrawEANUPC(r.code, r.addOn, r.digits, &withAddOn, 0, 0, 100, 4.0, 4.0, a);
        DrawEANUPC(r.code, "None", main, &alone, 0, 0, 100, 4.0, 4.0, b);
        EXPECT_EQ(a, b) << r.name;
        EXPECT_NE(a, kNothing) << r.name;
        EXPECT_EQ(withAddOn.ops().size(), alone.ops().size()) << r.name;
    }
}

TEST(BadITF14Digits, DrawNothing) {
    const char* rows[] = {"", "1234567890123", "1234567890123x", "12345 78901231",
                          "+2345678901231"};
    for (const char* digits : rows) {
        RecordingSurface surface;
        Rect drawn{1, 2, 3, 4}, measured{1, 2, 3, 4};
        DrawITF14(digits, &surface, 100, 1, 1, 4.0, 4.0, drawn);
        DrawITF14(digits, nullptr, 100, 1, 1, 4.0, 4.0, measured);
        EXPECT_EQ(drawn, kNothing) << '"' << digits << '"';
        EXPECT_EQ(measured, kNothing) << '"' << digits << '"';
        EXPECT_TRUE(surface.ops().empty()) << '"' << digits << '"';
    }
}

// Measure and draw give one rectangle, whatever the glyph widths, for every symbol, add-on,
// size and scale: no text width ever enters the rectangle.
TEST(MeasureAndDraw, AlwaysAgree) {
    struct Symbol {
        const char* code;
        const char* digits;
    };
    const Symbol symbols[] = {{"EAN-13", "400638133393152495"},
                              {"EAN-8", "9638507452495"},
                              {"UPC-A", "01234567890552495"},
                              {"UPC-E", "1123456552495"}};
    const char* addOns[] = {"None", "2-Digit", "5-Digit"};
    const uint16_t sizes[] = {80, 100, 155, 200};
    const double scales[] = {3.2, 4.0, 11.811};
    for (const Symbol& sym : symbols) {
        for (const char* addOn : addOns) {
            for (uint16_t size : sizes) {
                for (double k : scales) {
                    Rect measured, narrow, wide;
                    RecordingSurface narrowSurface(RecordingSurface::Fixed(1));
                    RecordingSurface wideSurface(RecordingSurface::Fixed(40));
                    DrawEANUPC(sym.code, addOn, sym.digits, nullptr, 3.7, 1.3, size, k, k,
                               measured);
                    DrawEANUPC(sym.code, addOn, sym.digits, &narrowSurface, 3.7, 1.3, size, k, k,
                               narrow);
                    DrawEANUPC(sym.code, addOn, sym.digits, &wideSurface, 3.7, 1.3, size, k, k,
                               wide);
                    // A measure call after a drawing call reaches no surface: the encoders
                    // keep no pointer to the last one they drew on.
                    const size_t opsAfterDrawing = wideSurface.ops().size();
                    Rect again;
                    DrawEANUPC(sym.code, addOn, sym.digits, nullptr, 3.7, 1.3, size, k, k, again);
                    EXPECT_EQ(wideSurface.ops().size(), opsAfterDrawing);
                    EXPECT_EQ(again, measured);
                    EXPECT_EQ(measured, narrow) << sym.code << ' ' << addOn << ' ' << size;
                    EXPECT_EQ(measured, wide) << sym.code << ' ' << addOn << ' ' << size;
                }
            }
        }
    }
    for (uint16_t size : {25, 55, 80, 100}) {
        Rect measured, drawn;
        RecordingSurface surface;
        DrawITF14("12345678901231", nullptr, size, 2.2, 0.7, 11.811, 11.811, measured);
        DrawITF14("12345678901231", &surface, size, 2.2, 0.7, 11.811, 11.811, drawn);
        EXPECT_EQ(measured, drawn) << size;
    }
}

TEST(TinyModules, BelowHalfAPixelDrawNoBars) {
    // 1 px/mm: P = 0.33 rounds to 0 columns; background and digits are still drawn.
    for (const char* code : {"EAN-13", "UPC-E"}) {
        RecordingSurface surface;
        Rect r;
        DrawEANUPC(code, "5-Digit", "012345678905152495", &surface, 0, 0, 100, 1.0, 1.0, r);
        EXPECT_TRUE(surface.opsOf(OpKind::MoveTo).empty()) << code;
        EXPECT_TRUE(surface.opsOf(OpKind::LineTo).empty()) << code;
        EXPECT_EQ(surface.opsOf(OpKind::FillRect).size(), 2u) << code;
        EXPECT_FALSE(surface.texts().empty()) << code;
    }
}

TEST(OuterDigitFit, EndsOnTextThatNeverNarrows) {
    struct Row {
        const char* name;
        double pxPerMm;
        int32_t expectedStart;
    };
    const Row rows[] = {
        {"from 16 down to 1", 4.0, 16},
        {"starting height already 1", 0.3, 1},  // round(4 x 0.3) = 1
    };
    for (const Row& r : rows) {
        RecordingSurface surface(RecordingSurface::Fixed(1000));
        Rect bounds;
        DrawEANUPC("UPC-A", "None", "012345678905", &surface, 0, 0, 100, r.pxPerMm, r.pxPerMm,
                   bounds);
        const auto fonts = surface.opsOf(OpKind::SetFont);
        ASSERT_FALSE(fonts.empty()) << r.name;
        EXPECT_EQ(fonts.front().height, r.expectedStart) << r.name;
        const auto texts = surface.texts();
        ASSERT_EQ(texts.size(), 12u) << r.name;
        EXPECT_EQ(texts.front().height, 1) << r.name;
        EXPECT_EQ(texts.back().height, 1) << r.name;
        for (const auto& f : fonts) {
            EXPECT_GE(f.height, 1) << r.name;
        }
    }
}

}  // namespace
}  // namespace strikon
