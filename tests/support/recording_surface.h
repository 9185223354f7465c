#pragma once
// A surface that records every operation, with glyph widths chosen by the test, so encoder
// output can be compared with exact pixel figures independently of any font engine.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "encoders/surface.h"

namespace strikon::testing {

enum class OpKind { FillRect, MoveTo, LineTo, SetFont, TextWidth, TextInBox, TextAt };

struct Op {
    OpKind kind;
    Rect rect{};    // FillRect, TextInBox
    int32_t x = 0;  // MoveTo, LineTo, TextInBox, TextAt
    int32_t y = 0;
    std::string text;    // SetFont (face), TextWidth, TextInBox, TextAt
    int32_t height = 0;  // the font's cell height when the operation ran
};

// One column drawn by a move-to followed by a line-to.
struct Column {
    int32_t x;
    int32_t from;  // move-to row
    int32_t to;    // line-to row, itself left out
    friend bool operator==(const Column&, const Column&) = default;
};

class RecordingSurface : public Surface {
  public:
    // Advance width of one character at a font cell height.
    using GlyphWidth = std::function<int32_t(char c, int32_t height)>;
    static GlyphWidth Fixed(int32_t width);

    explicit RecordingSurface(GlyphWidth glyphWidth = Fixed(8));

    void fillRect(const Rect& r) override;
    void moveTo(int32_t x, int32_t y) override;
    void lineTo(int32_t x, int32_t y) override;
    void setFont(const std::string& face, int32_t cellHeight) override;
    int32_t textWidth(const std::string& text) override;
    void textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) override;
    void textAt(int32_t x, int32_t y, const std::string& text) override;

    const std::vector<Op>& ops() const { return ops_; }
    std::vector<Op> opsOf(OpKind kind) const;
    // Every move-to/line-to pair, in drawing order.
    std::vector<Column> columns() const;
    // The texts drawn (in a box or at a point), in drawing order.
    std::vector<Op> texts() const;

  private:
    GlyphWidth glyphWidth_;
    std::vector<Op> ops_;
    int32_t height_ = 0;
};

}  // namespace strikon::testing
