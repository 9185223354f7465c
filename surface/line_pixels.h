#pragma once
// The pixels a line of the drawing contract paints, as rectangles, and the joining of lines
// into rectangles: the encoders draw a bar a column at a time and a bearer a row at a time,
// and a surface fills each of them once.

#include <QPoint>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace strikon {

// Columns left..right-1 and rows top..bottom-1 of a surface; empty when right <= left or
// bottom <= top. 64-bit, so that no edge of a 32-bit coordinate overflows.
struct PixelRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A diagonal is never drawn by the encoders; this bound only keeps an absurd one from
// stalling the program. It is longer than any page at printer resolution.
inline constexpr int64_t kMaxDiagonalSteps = int64_t{1} << 20;

// Calls paint(rect) for what a line from the pen at `from` to `to` paints, the end point left
// out: one rectangle for a vertical or horizontal line (upwards, rows to.y + 1..from.y), one a
// pixel along Bresenham's walk for a diagonal. A line of no length paints nothing.
template <typename Paint>
void forEachLinePixels(QPoint from, QPoint to, Paint&& paint) {
    const int64_t x0 = from.x(), y0 = from.y(), x1 = to.x(), y1 = to.y();
    if (x0 == x1 || y0 == y1) {
        const PixelRect r =
            x0 == x1 ? PixelRect{x1, y1 >= y0 ? y0 : y1 + 1, x1 + 1, y1 >= y0 ? y1 : y0 + 1}
                     : PixelRect{x1 >= x0 ? x0 : x1 + 1, y1, x1 >= x0 ? x1 : x0 + 1, y1 + 1};
        if (!r.empty()) {
            paint(r);
        }
        return;
    }
    const int64_t dx = std::abs(x1 - x0);
    const int64_t dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int64_t x = x0;
    int64_t y = y0;
    int64_t err = dx + dy;
    for (int64_t step = 0; step < kMaxDiagonalSteps && (x != x1 || y != y1); ++step) {
        paint(PixelRect{x, y, x + 1, y + 1});
        const int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// Lines of one colour gathered into rectangles while each continues one exactly: the next
// column of the same rows, or the next row of the same columns. Two rectangles grow at once,
// for shapes drawn in pairs (a frame's top and bottom rows in turn, its left and right
// columns). Rectangles of one colour may be painted in any order, so they are kept until a
// line of another colour comes or the caller paints something else (flush).
template <typename Colour>
class GatheredLines {
  public:
    // Adds a line (not empty); paint(rect, colour) receives what must be painted first.
    template <typename Paint>
    void add(const PixelRect& line, const Colour& colour, Paint&& paint) {
        if (colour != colour_) {
            flush(paint);
            colour_ = colour;
        }
        for (PixelRect& r : rects_) {
            if (continues(r, line)) {
                r = {r.left, r.top, line.right, line.bottom};
                return;
            }
        }
        PixelRect& oldest = rects_[next_];
        next_ = (next_ + 1) % rects_.size();
        if (!oldest.empty()) {
            paint(oldest, colour_);
        }
        oldest = line;
    }

    // Paints everything gathered, and keeps nothing.
    template <typename Paint>
    void flush(Paint&& paint) {
        for (PixelRect& r : rects_) {
            if (!r.empty()) {
                paint(std::exchange(r, PixelRect{}), colour_);
            }
        }
    }

  private:
    static bool continues(const PixelRect& r, const PixelRect& line) {
        return !r.empty() &&
               ((line.left == r.right && line.top == r.top && line.bottom == r.bottom) ||
                (line.top == r.bottom && line.left == r.left && line.right == r.right));
    }

    std::array<PixelRect, 2> rects_{};
    size_t next_ = 0;
    Colour colour_{};
};

}  // namespace strikon
