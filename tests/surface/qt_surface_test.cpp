// The painter surface on a QImage: every operation must paint exactly the pixels it names.
#include "surface/qt_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace strikon {
namespace {

const QColor kUntouched(0x80, 0x80, 0x80);
const QColor kLine(0x10, 0x20, 0xC0);
const QColor kBackground(0xF0, 0xE0, 0x30);

// Every case runs with Qt painting everything (the painter clipped, which the surface leaves to
// Qt) and with bars and fills set straight in the image's pixels: both must paint the same.
class QtSurfaceTest : public ::testing::TestWithParam<bool> {
  protected:
    QtSurfaceTest() : image_(48, 40, QImage::Format_RGB32) {
        image_.fill(kUntouched);
        expected_ = image_.copy();
    }

    // Runs the steps on a fresh surface over the image, as the preview does on its widget.
    void paint(const std::function<void(QtSurface&)>& steps) {
        QPainter painter(&image_);
        if (!GetParam()) {
            painter.setClipRect(image_.rect());
        }
        std::optional<QtSurface> surface;
        surface.emplace(painter);
        ASSERT_EQ(surface->setsPixels(), GetParam());
        surface->setLineColor(kLine);
        surface->setBackgroundColor(kBackground);
        steps(*surface);
    }

    void expectColor(int left, int top, int right, int bottom, const QColor& color) {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                expected_.setPixelColor(x, y, color);
            }
        }
    }

    // Pixel-for-pixel comparison that names the first difference.
    void expectImage() {
        for (int y = 0; y < image_.height(); ++y) {
            for (int x = 0; x < image_.width(); ++x) {
                ASSERT_EQ(image_.pixel(x, y), expected_.pixel(x, y))
                    << "at (" << x << ", " << y << ")";
            }
        }
    }

    QImage image_;
    QImage expected_;
};

TEST_P(QtSurfaceTest, FillRectLeavesRightAndBottomEdgesOut) {
    paint([](QtSurface& s) { s.fillRect({3, 4, 10, 9}); });
    expectColor(3, 4, 10, 9, kBackground);
    expectImage();
}

TEST_P(QtSurfaceTest, EmptyAndInvertedRectanglesPaintNothing) {
    paint([](QtSurface& s) {
        s.fillRect({5, 5, 5, 9});
        s.fillRect({5, 5, 9, 5});
        s.fillRect({8, 2, 4, 6});
    });
    expectImage();
}

TEST_P(QtSurfaceTest, BackgroundColourCanChangeBetweenFills) {
    // The preview clears itself in the window colour, then the symbol fills in its background.
    const QColor window(0xD4, 0xD0, 0xC8);
    paint([&](QtSurface& s) {
        s.setBackgroundColor(window);
        s.fillRect({0, 0, 48, 40});
        s.setBackgroundColor(kBackground);
        s.fillRect({10, 10, 20, 20});
    });
    expectColor(0, 0, 48, 40, window);
    expectColor(10, 10, 20, 20, kBackground);
    expectImage();
}

TEST_P(QtSurfaceTest, DownwardLinesLeaveTheEndPointOut) {
    paint([](QtSurface& s) {
        // Bars as the encoders draw them: one column each, from the top row to the bar's end.
        for (int x : {5, 6, 9}) {
            s.moveTo(x, 2);
            s.lineTo(x, 8);
        }
        EXPECT_EQ(s.penPosition(), QPoint(9, 8));
    });
    expectColor(5, 2, 7, 8, kLine);
    expectColor(9, 2, 10, 8, kLine);
    expectImage();
}

TEST_P(QtSurfaceTest, UpwardLinesPaintFromThePenToJustBelowTheEnd) {
    // Add-on bars go up from their bottom row yb to yt, painting rows yt + 1 to yb.
    paint([](QtSurface& s) {
        s.moveTo(7, 20);
        s.lineTo(7, 10);
    });
    expectColor(7, 11, 8, 21, kLine);
    expectImage();
}

TEST_P(QtSurfaceTest, HorizontalLinesInBothDirectionsLeaveTheEndPointOut) {
    paint([](QtSurface& s) {
        s.moveTo(2, 6);
        s.lineTo(12, 6);
        s.moveTo(30, 9);
        s.lineTo(20, 9);
    });
    expectColor(2, 6, 12, 7, kLine);
    expectColor(21, 9, 31, 10, kLine);
    expectImage();
}

TEST_P(QtSurfaceTest, ZeroLengthLineOnlyMovesThePen) {
    paint([](QtSurface& s) {
        s.moveTo(4, 4);
        s.lineTo(4, 4);
        EXPECT_EQ(s.penPosition(), QPoint(4, 4));
    });
    expectImage();
}

TEST_P(QtSurfaceTest, DiagonalLineFollowsBresenhamWithoutItsEnd) {
    paint([](QtSurface& s) {
        s.moveTo(0, 0);
        s.lineTo(3, 2);
    });
    expectColor(0, 0, 1, 1, kLine);
    expectColor(1, 1, 3, 2, kLine);
    expectImage();
}

TEST_P(QtSurfaceTest, ExtremeCoordinatesAreClippedNotOverflowed) {
    constexpr int32_t lo = std::numeric_limits<int32_t>::min();
    constexpr int32_t hi = std::numeric_limits<int32_t>::max();
    paint([](QtSurface& s) {
        s.fillRect({lo, lo, hi, 20});
        s.moveTo(3, hi);
        s.lineTo(3, lo);
        s.moveTo(lo, 30);
        s.lineTo(hi, 30);
    });
    expectColor(0, 0, 48, 20, kBackground);
    expectColor(3, 0, 4, 40, kLine);
    expectColor(0, 30, 48, 31, kLine);
    expectImage();
}

TEST_P(QtSurfaceTest, TheCallersPainterIsRestored) {
    QPainter painter(&image_);
    painter.setPen(Qt::red);
    painter.setRenderHint(QPainter::Antialiasing, true);
    {
        QtSurface surface(painter);
        surface.setFont("Arial", 16);
        surface.textInBox({0, 0, 20, 20}, 0, 0, "8");
    }
    EXPECT_EQ(painter.pen().color(), QColor(Qt::red));
    EXPECT_TRUE(painter.testRenderHint(QPainter::Antialiasing));
    EXPECT_FALSE(painter.hasClipping());
}

// A canvas left to be cleared is cleared before the first drawing, unless that drawing is an
// opaque fill of all of it; either way no pixel keeps what was there before.
TEST(QtSurfaceCanvas, IsClearedFirstUnlessAFillCoversItWhole) {
    const QColor kClear(0x20, 0xA0, 0x60);
    const QColor kHalf(0xFF, 0x00, 0x00, 0x80);
    struct Case {
        const char* name;
        std::function<void(QtSurface&)> steps;
    };
    const std::vector<Case> cases = {
        {"nothing drawn", [](QtSurface&) {}},
        {"a bar first",
         [](QtSurface& s) {
             s.moveTo(2, 0);
             s.lineTo(2, 5);
         }},
        {"a part filled first",
         [](QtSurface& s) {
             s.fillRect({1, 1, 4, 4});
         }},
        {"all filled first",
         [](QtSurface& s) {
             s.fillRect({-3, 0, 9, 6});
         }},
        {"all filled in a translucent colour",
         [&](QtSurface& s) {
             s.setBackgroundColor(kHalf);
             s.fillRect({0, 0, 8, 6});
         }},
    };
    for (const Case& c : cases) {
        QImage expected(8, 6, QImage::Format_RGB32);
        expected.fill(kClear);
        {
            QPainter painter(&expected);
            QtSurface surface(painter);
            surface.setBackgroundColor(kBackground);
            c.steps(surface);
        }
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(kUntouched);
        {
            QPainter painter(&image);
            QtSurface surface(painter, image);
            surface.clearCanvasFirst(kClear);
            surface.setBackgroundColor(kBackground);
            c.steps(surface);
        }
        EXPECT_EQ(image, expected) << c.name;
    }
}

// A window's painter is shifted to the widget's place in the window's image and may reach only
// the part being repainted; pixels set directly must stay inside it, as Qt's own do.
TEST(QtSurfacePixels, ReachOnlyWhereQtLetsThePainterPaint) {
    struct Case {
        const char* name;
        QPoint shift;
        QRegion reach;    // empty: the whole image
        QPoint shielded;  // an image pixel the scene covers outside the reach, if any
    };
    const std::vector<Case> cases = {
        {"whole image", {0, 0}, {}, {-1, -1}},
        {"shifted", {7, 5}, {}, {-1, -1}},
        {"shifted, one part", {7, 5}, QRegion(10, 8, 20, 15), {8, 20}},
        {"two parts", {-3, 2}, QRegion(0, 0, 12, 40) + QRegion(30, 10, 18, 9), {20, 20}},
    };
    const auto scene = [](QtSurface& s) {
        s.setLineColor(kLine);
        s.setBackgroundColor(kBackground);
        s.fillRect({std::numeric_limits<int32_t>::min(), 2, 40, 30});
        for (int32_t x = 4; x < 30; x += 3) {
            s.moveTo(x, -4);
            s.lineTo(x, 60);
        }
        s.setFont("Arial", 12);
        s.textInBox({20, 20, 44, 34}, 22, 21, "42");
    };
    for (const Case& c : cases) {
        QImage images[2];
        for (const bool direct : {false, true}) {
            QImage& image = images[direct];
            image = QImage(48, 40, QImage::Format_ARGB32_Premultiplied);
            image.fill(kUntouched);
            image.paintEngine()->setSystemClip(c.reach);
            QPainter painter(&image);
            painter.translate(c.shift);
            if (!direct) {
                painter.setClipRect(QRect(-1000, -1000, 2000, 2000));
            }
            QtSurface surface(painter);
            EXPECT_EQ(surface.setsPixels(), direct) << c.name;
            scene(surface);
        }
        EXPECT_EQ(images[1], images[0]) << c.name;
        if (images[1].valid(c.shielded)) {
            EXPECT_EQ(images[1].pixelColor(c.shielded), kUntouched) << c.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(QtAndDirect, QtSurfaceTest, ::testing::Bool());

}  // namespace
}  // namespace strikon
