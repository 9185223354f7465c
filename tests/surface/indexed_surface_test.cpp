// The 8-bit surface must give the very pixels the painter surface gives a 32-bit picture, and
// say so when it cannot.
#include "surface/indexed_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "surface/qt_surface.h"

namespace strikon {
namespace {

const QColor kClear(0x20, 0xA0, 0x40);
const QColor kLine(0x10, 0x20, 0xC0);
const QColor kBackground(0xF0, 0xE0, 0x30);
constexpr int32_t kLo = std::numeric_limits<int32_t>::min();
constexpr int32_t kHi = std::numeric_limits<int32_t>::max();

using Scene = std::function<void(Surface&)>;

// Colours are set outside the drawing contract, by each surface's own setters.
void setColours(Surface& s, const QColor& line, const QColor& background) {
    if (auto* painted = dynamic_cast<QtSurface*>(&s)) {
        painted->setLineColor(line);
        painted->setBackgroundColor(background);
    } else {
        auto& indexed = dynamic_cast<IndexedSurface&>(s);
        indexed.setLineColor(line);
        indexed.setBackgroundColor(background);
    }
}

void startOn(Surface& s) {
    setColours(s, kLine, kBackground);
    s.setFont("Arial", 24);
}

QImage onPainterSurface(const Scene& scene, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QtSurface surface(painter, image);
    surface.clearCanvasFirst(kClear);
    startOn(surface);
    scene(surface);
    return image;
}

// The picture in colour, and whether the surface called it exact.
std::pair<QImage, bool> onIndexedSurface(const Scene& scene, QSize size,
                                         const QColor& clear = kClear, bool smooth = true,
                                         bool stamp = true) {
    QImage picture(size, QImage::Format_Indexed8);
    bool exact = false;
    {
        IndexedSurface surface(picture);
        surface.setSmoothText(smooth);
        surface.setStampGlyphs(stamp);
        surface.clearCanvasFirst(clear);
        startOn(surface);
        scene(surface);
        exact = surface.exact();
    }
    return {picture.convertToFormat(QImage::Format_RGB32), exact};
}

void line(Surface& s, int x0, int y0, int x1, int y1) {
    s.moveTo(x0, y0);
    s.lineTo(x1, y1);
}

TEST(IndexedSurface, PaintsWhatThePainterSurfacePaints) {
    struct Case {
        const char* name;
        Scene scene;
        QSize size = {80, 64};
    };
    std::vector<Case> cases = {
        {"nothing", [](Surface&) {}},
        {"fills, one over another, and past every edge",
         [](Surface& s) {
             s.fillRect({kLo, kLo, kHi, 20});
             s.fillRect({5, 5, 5, 9});
             s.fillRect({8, 2, 4, 6});
             line(s, 3, 30, 3, 70);
             s.fillRect({2, 40, 30, 50});
             line(s, 6, 30, 6, 70);
         }},
        {"bars down and up, rows both ways, a diagonal, a line of no length",
         [](Surface& s) {
             for (int x : {5, 6, 7, 9, 12, 13}) {
                 line(s, x, 2, x, 40);
             }
             line(s, 20, 50, 20, 10);
             line(s, 2, 45, 40, 45);
             line(s, 40, 47, 2, 47);
             line(s, 30, 5, 60, 20);
             line(s, 4, 4, 4, 4);
             line(s, 3, kHi, 3, kLo);
         }},
        {"a frame drawn a row and a column of each side in turn",
         [](Surface& s) {
             for (int j = 0; j < 4; ++j) {
                 line(s, 0, j, 70, j);
                 line(s, 0, 50 + j, 70, 50 + j);
             }
             for (int j = 0; j < 4; ++j) {
                 line(s, j, 0, j, 54);
                 line(s, 66 + j, 0, 66 + j, 54);
             }
         }},
        {"colours changed between lines and fills",
         [](Surface& s) {
             line(s, 10, 0, 10, 60);
             setColours(s, Qt::red, Qt::black);
             line(s, 11, 0, 11, 60);
             s.fillRect({20, 20, 40, 40});
             s.textInBox({20, 20, 40, 40}, 22, 20, "3");
         }},
        {"digits in boxes, one cut by its box and one by the picture",
         [](Surface& s) {
             s.fillRect({0, 0, 80, 64});
             s.textInBox({10, 20, 30, 32}, 12, 12, "8");
             s.textInBox({60, 40, 90, 70}, 62, 44, "0");
             s.textInBox({40, 10, 40, 30}, 40, 10, "1");
         }},
        {"text at a point, over bars, and past the picture's edges",
         [](Surface& s) {
             for (int x = 30; x < 40; ++x) {
                 line(s, x, 0, x, 64);
             }
             s.textAt(-6, -9, "4");
             s.textAt(25, 20, "7>");
             s.textAt(70, 50, "<2");
             s.fillRect({0, 30, 20, 34});  // over some of the rows of text, not all of it
             s.setFont("Arial", 70);
             s.textAt(10, 10, "5");
             EXPECT_GT(s.textWidth("5"), 0);
         }},
    };
    for (int cell = 4; cell <= 120; ++cell) {
        cases.push_back({"every glyph of the symbols, at one cell height",
                         [cell](Surface& s) {
                             s.fillRect({0, 0, 1000, 130});  // a palette's worth of blends
                             s.setFont("Arial", cell);
                             s.textAt(2, 2, "0123456789<>");
                         },
                         {cell * 7 + 4, cell + 4}});
    }
    for (const Case& c : cases) {
        for (const QSize size : {c.size, QSize(1, 1)}) {
            const QImage expected = onPainterSurface(c.scene, size);
            const auto [picture, exact] = onIndexedSurface(c.scene, size);
            EXPECT_TRUE(exact) << c.name;
            EXPECT_EQ(picture, expected)
                << c.name << ", " << size.width() << " x " << size.height();
        }
    }
}

// Glyphs copied from the ones drawn before give what Qt draws at each place, smoothed or not:
// a glyph drawn again at other whole-pixel places, next to its neighbours,
// over bars, cut by a box, and in cells Qt draws from bitmaps and in larger ones.
TEST(IndexedSurface, StampedGlyphsAreWhatQtDrawsThere) {
    for (const int cell : {7, 24, 33, 57, 72, 73, 90}) {
        const Scene scene = [cell](Surface& s) {
            s.setFont("Arial", cell);
            for (int row = 0; row < 5; ++row) {
                s.textAt(row * 3 - 2, row * (cell + 1) + row % 2, "(01)0950L<8>");
            }
            for (int x = 0; x < 40; x += 3) {
                line(s, x, 0, x, 8 * cell);  // bars under some of the glyphs below
            }
            for (int i = 0; i < 10; ++i) {
                const int32_t left = i * cell;
                const int32_t top = 6 * (cell + 1);
                // Every other box a pixel short of the digit's cell.
                s.textInBox({left, top, left + cell / 2 + 1, top + cell - i % 2}, left, top,
                            std::string(1, static_cast<char>('0' + i)));
            }
        };
        const QSize size(cell * 10, cell * 8);
        for (const bool smooth : {true, false}) {
            const auto [stamped, exact] = onIndexedSurface(scene, size, kClear, smooth, true);
            const auto [drawn, drawnExact] = onIndexedSurface(scene, size, kClear, smooth, false);
            EXPECT_TRUE(exact && drawnExact) << "cell " << cell;
            EXPECT_EQ(stamped, drawn) << "cell " << cell << (smooth ? ", smoothed" : ", sharp");
            if (smooth) {
                EXPECT_EQ(stamped, onPainterSurface(scene, size)) << "cell " << cell;
            }
        }
    }
}

// A colour the palette cannot hold as it is is said, never approximated.
TEST(IndexedSurface, TranslucentColoursAndAFullPaletteAreNotExact) {
    const QSize size(40, 30);
    const auto colourful = [](int colours) {
        return [colours](Surface& s) {
            for (int i = 0; i < colours; ++i) {
                setColours(s, kLine, QColor(i % 256, i / 256, 9));
                s.fillRect({i % 40, i / 40, i % 40 + 1, i / 40 + 1});
            }
        };
    };
    EXPECT_TRUE(onIndexedSurface(colourful(255), size).second) << "and the clear one: 256";
    EXPECT_FALSE(onIndexedSurface(colourful(256), size).second);
    const Scene translucent = [](Surface& s) {
        setColours(s, kLine, QColor(255, 0, 0, 128));
        s.fillRect({0, 0, 10, 10});
    };
    EXPECT_FALSE(onIndexedSurface(translucent, size).second);
    EXPECT_FALSE(onIndexedSurface([](Surface&) {}, size, QColor(0, 0, 0, 0)).second);
    QImage notIndexed(size, QImage::Format_RGB32);
    EXPECT_FALSE(IndexedSurface(notIndexed).exact());
}

}  // namespace
}  // namespace strikon
