// ITF-14 against the figures worked out for 4 pixels per millimetre (X = 4.064 px) and 3.2.

#include "encoders/itf14.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/recording_surface.h"

namespace strikon {
namespace {

using testing::Column;
using testing::Op;
using testing::OpKind;
using testing::RecordingSurface;

const std::string kDigits = "12345678901231";

TEST(ITF14Bounds, AtEachSize) {
    struct Row {
        uint16_t size;
        Rect expected;
    };
    const Row rows[] = {
        {100, {0, 0, 609, 189}},  // 152.348 mm x 4 = 609.392, 47.32 mm x 4 = 189.28
        {50, {0, 0, 305, 95}},
        {25, {0, 0, 152, 47}},
    };
    for (const Row& r : rows) {
        Rect measured, drawn;
        RecordingSurface surface;
        DrawITF14(kDigits, nullptr, r.size, 0, 0, 4.0, 4.0, measured);
        DrawITF14(kDigits, &surface, r.size, 0, 0, 4.0, 4.0, drawn);
        EXPECT_EQ(measured, r.expected) << r.size << " %";
        EXPECT_EQ(drawn, r.expected) << r.size << " %";
    }
}

struct Frame100 : ::testing::Test {
    void SetUp() override { DrawITF14(kDigits, &surface, 100, 0, 0, 4.0, 4.0, bounds); }
    // The vertical columns between the bearers, which are the bars.
    std::vector<Column> bars() const {
        std::vector<Column> out;
        for (const Column& c : surface.columns()) {
            if (c.from == 19 && c.to == 147) {
                out.push_back(c);
            }
        }
        return out;
    }
    RecordingSurface surface{RecordingSurface::Fixed(12)};
    Rect bounds;
};

TEST_F(Frame100, BarsAreFourOrTenColumns) {
    const std::vector<Column> cols = bars();
    ASSERT_FALSE(cols.empty());
    EXPECT_EQ(cols.front().x, 60) << "first bar 60..63";
    EXPECT_EQ(cols[3].x, 63);
    EXPECT_EQ(cols.back().x, 548) << "stop's narrow bar 545..548";
    // Split the columns into bars at every gap and count their widths.
    std::vector<int> widths{1};
    for (size_t i = 1; i < cols.size(); ++i) {
        if (cols[i].x == cols[i - 1].x + 1) {
            ++widths.back();
        } else {
            widths.push_back(1);
        }
    }
    EXPECT_EQ(widths.size(), 2u + 35u + 2u) << "start 2, 7 pairs x 5, stop 2";
    for (int w : widths) {
        EXPECT_TRUE(w == 4 || w == 10) << w;
    }
    EXPECT_EQ(widths.back(), 4);
    EXPECT_EQ(widths[widths.size() - 2], 10) << "stop's wide bar";
}

TEST_F(Frame100, BearersCloseTheFrame) {
    std::vector<int32_t> upper, lower, left, right;
    const std::vector<Op>& ops = surface.ops();
    for (size_t i = 0; i + 1 < ops.size(); ++i) {
        const Op& m = ops[i];
        const Op& l = ops[i + 1];
        if (m.kind != OpKind::MoveTo || l.kind != OpKind::LineTo) {
            continue;
        }
        if (m.y == l.y) {  // horizontal: a bearer row from column 0 to 608
            EXPECT_EQ(m.x, 0);
            EXPECT_EQ(l.x, 609);
            (m.y < 100 ? upper : lower).push_back(m.y);
        } else if (m.y == 0) {  // vertical bearer column from row 0 to 146
            EXPECT_EQ(l.y, 147);
            (m.x < 300 ? left : right).push_back(m.x);
        }
    }
    auto range = [](std::vector<int32_t> v) {
        std::sort(v.begin(), v.end());
        return std::make_tuple(v.size(), v.front(), v.back());
    };
    EXPECT_EQ(range(upper), std::make_tuple(size_t{19}, 0, 18));
    EXPECT_EQ(range(lower), std::make_tuple(size_t{19}, 147, 165));
    EXPECT_EQ(range(left), std::make_tuple(size_t{19}, 0, 18));
    EXPECT_EQ(range(right), std::make_tuple(size_t{19}, 590, 608));
}

TEST_F(Frame100, DigitsUnderTheFrame) {
    const std::vector<Op> texts = surface.texts();
    ASSERT_EQ(texts.size(), 14u);
    std::string drawn;
    for (const Op& t : texts) {
        EXPECT_EQ(t.kind, OpKind::TextAt);
        EXPECT_EQ(t.y, 168) << "round(166.4 + 2.032)";
        EXPECT_EQ(t.height, 21) << "round(21.2)";
        drawn += t.text;
    }
    EXPECT_EQ(drawn, kDigits);
    EXPECT_EQ(texts.front().x, 64) << "round(19.2 + 44.704)";
    // With "9" 12 px wide the pitch is (489.712 - 12 - 4.064) / 13, and the last advance
    // ends where the stop pattern ends, at 19.2 + 130.5 X = 549.552.
    EXPECT_EQ(texts.back().x, 538) << "round(549.552 - 12)";
}

TEST_F(Frame100, DrawingOrder) {
    const std::vector<Op>& ops = surface.ops();
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops.front().kind, OpKind::FillRect);
    EXPECT_EQ(ops.front().rect, bounds);
    const auto font =
        std::find_if(ops.begin(), ops.end(), [](const Op& o) { return o.kind == OpKind::SetFont; });
    ASSERT_NE(font, ops.end());
    EXPECT_TRUE(std::none_of(font, ops.end(), [](const Op& o) { return o.kind == OpKind::MoveTo; }))
        << "digits last";
}

TEST(ITF14At3Point2PxPerMm, DigitCellsMayPassTheBottom) {
    RecordingSurface surface;
    Rect bounds;
    DrawITF14(kDigits, &surface, 100, 0, 0, 3.2, 3.2, bounds);
    EXPECT_EQ(bounds.bottom, 151);
    const Op first = surface.texts().front();
    EXPECT_EQ(first.y, 135);
    EXPECT_EQ(first.height, 17);
    EXPECT_GT(first.y + first.height, bounds.bottom);
}

}  // namespace
}  // namespace strikon
