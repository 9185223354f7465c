// Add-ons beside EAN-13, UPC-A and UPC-E at 100 %, 4 pixels per millimetre, offsets 0.

#include <gtest/gtest.h>

#include "encoders/ean_upc.h"
#include "tests/support/recording_surface.h"

namespace strikon {
namespace {

using testing::Column;
using testing::Op;
using testing::OpKind;
using testing::RecordingSurface;

Rect measure(const std::string& code, const std::string& addOn, const std::string& digits) {
    Rect r;
    DrawEANUPC(code, addOn, digits, nullptr, 0, 0, 100, 4.0, 4.0, r);
    return r;
}

TEST(AddOnAt4PxPerMm, TwoDigitsBesideEAN13) {
    RecordingSurface surface(RecordingSurface::Fixed(8));
    Rect bounds;
    DrawEANUPC("EAN-13", "2-Digit", "400638133393112", &surface, 0, 0, 100, 4.0, 4.0, bounds);
    EXPECT_EQ(bounds, (Rect{0, 0, 182, 104})) << "149 + 25 x 1.32 = 182";
    const std::vector<Op> fills = surface.opsOf(OpKind::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].rect, (Rect{149, 0, 182, 104}));
    // The add-on's columns follow the main symbol's; its first one stands at Ax = 149 and is
    // drawn upwards from the last row of the long bars (97) to round(9.4) = 9, end left out.
    const std::vector<Column> cols = surface.columns();
    const auto first =
        std::find_if(cols.begin(), cols.end(), [](const Column& c) { return c.from == 97; });
    ASSERT_NE(first, cols.end());
    EXPECT_EQ(*first, (Column{149, 97, 9}));
    for (auto it = first; it != cols.end(); ++it) {
        EXPECT_EQ(it->from, 97);
        EXPECT_EQ(it->to, 9);
    }
    const Op text = surface.texts().back();
    EXPECT_EQ(text.text, "1 2");
    EXPECT_EQ(text.rect, (Rect{149, 0, 182, 10})) << "box bottom round(10.4)";
    EXPECT_EQ(text.y, -2) << "round(-2)";
    EXPECT_EQ(text.height, 14) << "round(14.4)";
    EXPECT_EQ(text.x, 150) << "round(149 + (26.4 - 24) / 2)";
}

TEST(AddOnAt4PxPerMm, FiveDigitsBesideUPCA) {
    RecordingSurface surface;
    Rect bounds;
    DrawEANUPC("UPC-A", "5-Digit", "01234567890552495", &surface, 0, 0, 100, 4.0, 4.0, bounds);
    // round(149 + 68.64) = 218, then the 2-module gap: round(218 + 2.64) = 221.
    EXPECT_EQ(bounds, (Rect{0, 0, 221, 104}));
    const std::vector<Column> cols = surface.columns();
    const auto first =
        std::find_if(cols.begin(), cols.end(), [](const Column& c) { return c.from == 97; });
    ASSERT_NE(first, cols.end());
    EXPECT_EQ(first->x, 152) << "round(149 + 2.64)";
    EXPECT_EQ(surface.texts().back().text, "5 2 4 9 5");
}

TEST(AddOnRectangle, PerMainSymbol) {
    struct Row {
        const char* name;
        const char* code;
        const char* addOn;
        const char* digits;
        Rect expected;
    };
    const Row rows[] = {
        {"UPC-E + 2: 88 -> round(121 + 2.64)", "UPC-E", "2-Digit", "0123456512", {0, 0, 124, 104}},
        {"EAN-8 takes no add-on (2)", "EAN-8", "2-Digit", "9638507412", {0, 0, 107, 85}},
        {"EAN-8 takes no add-on (5)", "EAN-8", "5-Digit", "9638507452495", {0, 0, 107, 85}},
        {"None ignores digits behind", "EAN-13", "None", "400638133393112", {0, 0, 149, 104}},
        {"measure already widened", "EAN-13", "5-Digit", "400638133393152495", {0, 0, 218, 104}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(measure(r.code, r.addOn, r.digits), r.expected) << r.name;
    }
}

TEST(AddOnRectangle, EAN8DrawsTheSameWithOrWithoutAddOn) {
    RecordingSurface none, two;
    Rect a, b;
    DrawEANUPC("EAN-8", "None", "9638507412", &none, 0, 0, 100, 4.0, 4.0, a);
    DrawEANUPC("EAN-8", "2-Digit", "9638507412", &two, 0, 0, 100, 4.0, 4.0, b);
    EXPECT_EQ(a, b);
    EXPECT_EQ(none.ops().size(), two.ops().size());
    EXPECT_EQ(none.columns(), two.columns());
}

}  // namespace
}  // namespace strikon
