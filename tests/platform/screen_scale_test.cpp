#include "platform/screen_scale.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWidget>
#include <cmath>
#include <limits>

namespace strikon {
namespace {

constexpr double kPxPerMmAt96Dpi = 96.0 / 25.4;

TEST(ScreenScale, LogicalPixelsPerMillimetreOnEachAxis) {
    const ScreenScale s = screenScaleFromMetrics({1920, 1200}, {518.4, 324.0}, {96, 96});
    EXPECT_DOUBLE_EQ(s.x, 1920 / 518.4);
    EXPECT_DOUBLE_EQ(s.y, 1200 / 324.0);
}

TEST(ScreenScale, HighDensityScreenIsMeasuredInLogicalPixels) {
    // A 3840 x 2160 panel at a device pixel ratio of 2 reports 1920 x 1080 logical pixels; a
    // painter on a widget counts those, so that is the scale to use.
    const ScreenScale s = screenScaleFromMetrics({1920, 1080}, {344, 194}, {96, 96});
    EXPECT_NEAR(s.x, 5.581, 0.001);
    EXPECT_NEAR(s.y, 5.567, 0.001);
}

TEST(ScreenScale, UnusablePhysicalSizeFallsBackToLogicalDpiPerAxis) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ScreenScale zero = screenScaleFromMetrics({1280, 1024}, {0, 271}, {120, 96});
    EXPECT_DOUBLE_EQ(zero.x, 120 / 25.4);
    EXPECT_DOUBLE_EQ(zero.y, 1024 / 271.0);

    const ScreenScale odd = screenScaleFromMetrics({1280, 1024}, {-339, nan}, {96, 96});
    EXPECT_DOUBLE_EQ(odd.x, kPxPerMmAt96Dpi);
    EXPECT_DOUBLE_EQ(odd.y, kPxPerMmAt96Dpi);

    // 1280 pixels on 1 mm, or on 10 m: no real screen.
    const ScreenScale absurd = screenScaleFromMetrics({1280, 1024}, {1, 10000}, {96, 96});
    EXPECT_DOUBLE_EQ(absurd.x, kPxPerMmAt96Dpi);
    EXPECT_DOUBLE_EQ(absurd.y, kPxPerMmAt96Dpi);
}

TEST(ScreenScale, NoUsableDpiEitherMeans96Dpi) {
    const ScreenScale s = screenScaleFromMetrics({}, {}, {0, -1});
    EXPECT_DOUBLE_EQ(s.x, kPxPerMmAt96Dpi);
    EXPECT_DOUBLE_EQ(s.y, kPxPerMmAt96Dpi);
    EXPECT_TRUE(s.sizeUnknown);
    EXPECT_FALSE(screenScaleFromMetrics({1920, 1200}, {518, 324}, {96, 96}).sizeUnknown);
}

TEST(ScreenScale, SizeMadeUpFrom96DpiIsTold) {
    struct Case {
        QSize nativePixels;
        QSizeF mm;
        bool madeUp;
    };
    const Case cases[] = {
        {{1280, 1024}, {339, 271}, true},     // a virtual display, as Qt fills it in
        {{3840, 2160}, {1016, 572}, true},    // the same at a ratio of 2, in native pixels
        {{1920, 1200}, {518, 324}, false},    // a 24-inch monitor
        {{800, 800}, {203.2, 203.2}, false},  // offscreen: 100 dpi
        {{1280, 1024}, {339, 300}, false},    // one axis measured
    };
    for (const Case& c : cases) {
        EXPECT_EQ(looksDerivedFrom96Dpi(c.nativePixels, c.mm), c.madeUp) << c.mm.width();
    }
    const ScreenScale device = deviceScale({3.5, 4.0, true}, 1.5);
    EXPECT_DOUBLE_EQ(device.x, 5.25);
    EXPECT_DOUBLE_EQ(device.y, 6.0);
    EXPECT_TRUE(device.sizeUnknown);
}

TEST(ScreenScale, WidgetOnTheOffscreenScreen) {
    if (QGuiApplication::platformName() != "offscreen") {
        GTEST_SKIP() << "the figures are those of the offscreen platform";
    }
    // Offscreen claims 800 x 800 pixels on 203.2 mm, i.e. 100 dpi.
    QWidget widget;
    const ScreenScale s = screenScaleFor(widget);
    EXPECT_NEAR(s.x, 800 / 203.2, 1e-9);
    EXPECT_NEAR(s.y, 800 / 203.2, 1e-9);
}

}  // namespace
}  // namespace strikon
