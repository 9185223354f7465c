#pragma once
// Print gain compensation on any surface: the encoders draw every dark bar as a run of one-pixel
// columns over the same rows, one after the other, so a run can be collected and drawn with
// the reduction taken off its two sides. Everything else (fills, horizontal lines, text) passes
// through unchanged and in its order, so the digits and boxes drawn after the bars still cover
// what they covered.

#include <optional>
#include <vector>

#include "encoders/surface.h"

namespace strikon {

class NarrowingSurface final : public Surface {
  public:
    // reduction: whole pixels taken off every run, half on each side (the odd pixel on the
    // right), never leaving less than one column. Columns that start at keepFromRow are passed
    // through as drawn: ITF-14's vertical bearers start on the frame's top row, its bars below.
    NarrowingSurface(Surface& target, int32_t reduction, std::optional<int32_t> keepFromRow);
    ~NarrowingSurface() override;

    // Draws the run still collected; call when the encoder is done.
    void finish();

    void fillRect(const Rect& r) override;
    void moveTo(int32_t x, int32_t y) override;
    void lineTo(int32_t x, int32_t y) override;
    void setFont(const std::string& face, int32_t cellHeight) override;
    int32_t textWidth(const std::string& text) override;
    void textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) override;
    void textAt(int32_t x, int32_t y, const std::string& text) override;

  private:
    struct Column {
        int32_t x, from, to;
    };
    bool continuesRun(const Column& c) const;

    Surface& target_;
    int32_t reduction_;
    std::optional<int32_t> keepFromRow_;
    std::vector<Column> run_;
    int32_t penX_ = 0;
    int32_t penY_ = 0;
    bool penKnown_ = false;  // false after text: the pen then lies where the target left it
};

}  // namespace strikon
