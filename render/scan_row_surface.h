#pragma once
// A drawing surface that keeps one row of pixels and nothing else: which columns of that row are
// dark once a symbol is drawn. The scan check reads a symbol's bars along one line; drawing the
// whole picture for it cost a batch row as much again as the file it writes.
//
// The encoders fill rectangles in the background colour and draw their bars as one-pixel lines
// in the line colour, so a row needs no colours: a fill clears its span, a line darkens its
// pixels, and a text's opaque box clears its span (digits never reach the row the check reads).

#include <cstdint>
#include <string>
#include <vector>

#include "surface/pen_font_surface.h"

namespace strikon {

class ScanRowSurface final : public PenFontSurface {
  public:
    // Keeps row `y` of a picture `width` pixels wide, light at first.
    ScanRowSurface(int32_t width, int32_t y) : row_(static_cast<size_t>(width), false), y_(y) {}

    const std::vector<bool>& darkPixels() const { return row_; }

    void fillRect(const Rect& r) override;
    void lineTo(int32_t x, int32_t y) override;
    void textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) override;
    void textAt(int32_t x, int32_t y, const std::string& text) override;

  private:
    // Sets the row's pixels from `left` up to `right` (clamped to the row).
    void setSpan(int64_t left, int64_t right, bool dark);

    std::vector<bool> row_;
    int32_t y_;
};

}  // namespace strikon
