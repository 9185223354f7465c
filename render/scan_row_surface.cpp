#include "render/scan_row_surface.h"

#include <QString>
#include <algorithm>

#include "surface/line_pixels.h"

namespace strikon {

void ScanRowSurface::setSpan(int64_t left, int64_t right, bool dark) {
    const int64_t width = static_cast<int64_t>(row_.size());
    const int64_t from = std::clamp<int64_t>(left, 0, width);
    const int64_t to = std::clamp<int64_t>(right, 0, width);
    std::fill(row_.begin() + from, row_.begin() + std::max(from, to), dark);
}

void ScanRowSurface::fillRect(const Rect& r) {
    if (r.top <= y_ && y_ < r.bottom) {
        setSpan(r.left, r.right, false);
    }
}

// The same pixels a line paints on every surface of the program, its end point left out.
void ScanRowSurface::lineTo(int32_t x, int32_t y) {
    forEachLinePixels(penToLineEnd(x, y), QPoint(x, y), [this](const PixelRect& r) {
        if (r.top <= y_ && y_ < r.bottom) {
            setSpan(r.left, r.right, true);
        }
    });
}

void ScanRowSurface::textInBox(const Rect& box, int32_t, int32_t, const std::string&) {
    fillRect(box);  // the box is painted in the background first
}

void ScanRowSurface::textAt(int32_t x, int32_t y, const std::string& text) {
    const QString t = QString::fromStdString(text);
    const int64_t right = textRight(x, t);
    if (y <= y_ && y_ < y + font().cellHeight()) {
        setSpan(x, right, false);  // the text's cell is opaque
    }
    penAfterText(right, y);
}

}  // namespace strikon
