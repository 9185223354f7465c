// Text on the painter surface: boxes and cells painted, clipping exact, glyphs placed by the
// top-left corner of their cell.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>

#include "surface/qt_surface.h"

namespace strikon {
namespace {

// Green: no blend of black ink on white can produce it.
const QColor kUntouched(0x20, 0xA0, 0x40);
const QColor kLine(Qt::black);
const QColor kBackground(Qt::white);

QImage paintOn(const std::function<void(QtSurface&)>& steps) {
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    QtSurface surface(painter);
    surface.setLineColor(kLine);
    surface.setBackgroundColor(kBackground);
    surface.setFont("Arial", 24);
    steps(surface);
    return image;
}

bool untouched(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == kUntouched;
}

// Pixels that are neither untouched nor the background: the glyphs' ink.
QRect inkBounds(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c != kUntouched && c != kBackground) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

TEST(QtSurfaceText, TextInBoxPaintsTheBoxAndNothingOutsideIt) {
    // The cell starts above the box, as a digit lifted over its band does: the top of the
    // glyph must be cut off at the box.
    const Rect box{10, 20, 30, 32};
    const QImage image = paintOn([&](QtSurface& s) { s.textInBox(box, 12, 12, "8"); });
    const QImage unclipped = paintOn([](QtSurface& s) {
        s.fillRect({0, 0, 80, 60});
        s.textAt(12, 12, "8");
    });
    const QRect inside(box.left, box.top, box.right - box.left, box.bottom - box.top);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (inside.contains(x, y)) {
                ASSERT_EQ(image.pixel(x, y), unclipped.pixel(x, y)) << x << ", " << y;
            } else {
                ASSERT_TRUE(untouched(image, x, y)) << x << ", " << y;
            }
        }
    }
    EXPECT_TRUE(inside.intersects(inkBounds(image)));
    EXPECT_LT(inkBounds(unclipped).top(), box.top);  // so the clip really cut something
}

// A box clips only its own text: what is painted after it is not clipped to it, and a clip the
// caller's painter had holds for the text and for everything after.
TEST(QtSurfaceText, ABoxClipsOnlyItsText) {
    const QColor kTint(0xFF, 0x00, 0x00, 0x80);  // translucent: painted by Qt, not set directly
    for (const bool callerClips : {false, true}) {
        QImage image(80, 60, QImage::Format_RGB32);
        image.fill(kUntouched);
        const QRect callerClip(0, 0, 40, 60);
        {
            QPainter painter(&image);
            if (callerClips) {
                painter.setClipRect(callerClip);
            }
            QtSurface s(painter);
            s.setLineColor(kLine);
            s.setBackgroundColor(kBackground);
            s.setFont("Arial", 24);
            s.textInBox({30, 10, 50, 40}, 30, 12, "8");
            s.setBackgroundColor(kTint);
            s.fillRect({0, 45, 80, 50});
        }
        const QRect reach = callerClips ? callerClip : image.rect();
        const QRect ink = inkBounds(image.copy(0, 0, 80, 44));  // above the tint
        EXPECT_FALSE(ink.isNull()) << callerClips;
        EXPECT_TRUE(reach.intersected(QRect(30, 10, 20, 30)).contains(ink)) << callerClips;
        EXPECT_NE(image.pixelColor(5, 47), kUntouched) << callerClips;
        EXPECT_EQ(untouched(image, 70, 47), callerClips) << callerClips;
    }
}

TEST(QtSurfaceText, EmptyBoxDrawsNothing) {
    const QImage image = paintOn([](QtSurface& s) { s.textInBox({10, 10, 10, 40}, 10, 10, "8"); });
    EXPECT_TRUE(inkBounds(image).isNull());
    EXPECT_TRUE(untouched(image, 10, 10));
}

TEST(QtSurfaceText, TextAtPaintsItsCellsAndMovesThePen) {
    int32_t width = 0;
    const QImage image = paintOn([&](QtSurface& s) {
        width = s.textWidth("90");
        s.textAt(5, 7, "90");
        EXPECT_EQ(s.penPosition(), QPoint(5 + width, 7));
    });
    ASSERT_EQ(width, 24);
    const QRect cell(5, 7, width, 24);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(untouched(image, x, y), !cell.contains(x, y)) << x << ", " << y;
        }
    }
    // Some pixel is fully inked in the line colour, not only smoothed edges.
    bool solid = false;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            solid = solid || image.pixelColor(x, y) == kLine;
        }
    }
    EXPECT_TRUE(solid);
}

TEST(QtSurfaceText, GlyphsSitOnTheBaselineBelowTheCellTop) {
    // Ascent 19 of the 24-pixel cell: a digit's ink ends on the row above the baseline (the
    // round bottom of a "0" may just reach it) and starts well below the cell top.
    const QImage image = paintOn([](QtSurface& s) { s.textAt(10, 10, "0"); });
    const QRect ink = inkBounds(image);
    EXPECT_GE(ink.bottom(), 10 + 19 - 1);
    EXPECT_LE(ink.bottom(), 10 + 19);
    EXPECT_GT(ink.top(), 10);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LT(ink.right(), 10 + 12);
}

TEST(QtSurfaceText, MovingTheCellByWholePixelsMovesTheInkUnchanged) {
    const QImage a = paintOn([](QtSurface& s) { s.textAt(3, 4, "5"); });
    const QImage b = paintOn([](QtSurface& s) { s.textAt(20, 31, "5"); });
    const QRect inkA = inkBounds(a);
    ASSERT_EQ(inkBounds(b), inkA.translated(17, 27));
    EXPECT_EQ(a.copy(inkA), b.copy(inkA.translated(17, 27)));
}

TEST(QtSurfaceText, WithoutAFontBoxesArePaintedButNoTextAppears) {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter painter(&image);
    QtSurface s(painter);
    EXPECT_EQ(s.textWidth("123"), 0);
    s.textInBox({0, 0, 10, 10}, 0, 0, "8");
    s.textAt(20, 20, "8");
    EXPECT_EQ(s.penPosition(), QPoint(20, 20));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
    EXPECT_TRUE(untouched(image, 25, 25));
}

}  // namespace
}  // namespace strikon
