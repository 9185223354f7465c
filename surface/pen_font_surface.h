#pragma once
// What the painter surface and the indexed surface share: the pen that moveTo, lineTo and
// textAt move, and the cell font that setFont chooses and textWidth measures with. Fonts, with
// the glyphs their engines have rendered, are kept per thread across surfaces.

#include <QPoint>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "encoders/surface.h"
#include "surface/cell_font.h"

namespace strikon {

// A coordinate worked out in 64 bits, brought back into the drawing contract's 32.
inline int32_t clampToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

class PenFontSurface : public Surface {
  public:
    // Where moveTo, lineTo and textAt left the pen; (0, 0) at first.
    QPoint penPosition() const { return pen_; }
    // The font that setFont chose; invalid (no text) before the first setFont.
    const CellFont& font() const { return font_; }

    void moveTo(int32_t x, int32_t y) final { pen_ = QPoint(x, y); }
    void setFont(const std::string& face, int32_t cellHeight) final;
    int32_t textWidth(const std::string& text) final;

  protected:
    // Moves the pen to the end of a line drawn to (x, y); returns the line's start.
    QPoint penToLineEnd(int32_t x, int32_t y) { return std::exchange(pen_, QPoint(x, y)); }
    // The right edge of `text` set at x, which is where textAt leaves the pen.
    int64_t textRight(int32_t x, const QString& text) const {
        return int64_t{x} + font_.textWidth(text);
    }
    void penAfterText(int64_t right, int32_t y) { pen_ = QPoint(clampToInt32(right), y); }

  private:
    QPoint pen_;
    CellFont font_;
};

}  // namespace strikon
