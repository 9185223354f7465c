#pragma once
// A grey pixel buffer behind the drawing contract, so that what an encoder draws can be handed
// to real barcode decoders. Bars and fills are exact; text is only its background (the decoders
// read bars), with a fixed advance width per character so that font fitting ends the same way
// on every machine.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "encoders/surface.h"

namespace strikon::testing {

class RasterSurface final : public Surface {
  public:
    static constexpr uint8_t kBlack = 0;
    static constexpr uint8_t kWhite = 255;

    // A width x height buffer filled with `paper`. Pen black, brush white, as the program's
    // default colours.
    RasterSurface(int32_t width, int32_t height, uint8_t paper = kWhite)
        : width_(std::max(width, 0)),
          height_(std::max(height, 0)),
          pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), paper) {}

    void setPen(uint8_t grey) { pen_ = grey; }
    void setBrush(uint8_t grey) { brush_ = grey; }

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    const uint8_t* row(int32_t y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    uint8_t at(int32_t x, int32_t y) const { return row(y)[x]; }

    // Pixels that a line or a fill put outside the buffer. A symbol drawn into a buffer the
    // size of its bounding rectangle must leave this at 0.
    int64_t outsidePixels() const { return outside_; }
    // Lines that were neither vertical nor horizontal; the encoders draw none.
    int32_t slantedLines() const { return slanted_; }
    int32_t cellHeight() const { return cellHeight_; }

    // Glyph advance used by textWidth: a little over half the cell, as for digits in Arial.
    int32_t charWidth() const {
        return static_cast<int32_t>(std::lround(0.55 * std::max(cellHeight_, 0)));
    }

    void fillRect(const Rect& r) override { paint(r, brush_, true); }

    void moveTo(int32_t x, int32_t y) override {
        penX_ = x;
        penY_ = y;
    }

    // The end point is left out, whichever way the line runs: downwards (x, y0)..(x, y1 - 1),
    // upwards (x, y0)..(x, y1 + 1).
    void lineTo(int32_t x, int32_t y) override {
        if (x == penX_) {
            const int32_t top = y > penY_ ? penY_ : y + 1;
            paint(Rect{x, top, x + 1, top + std::abs(y - penY_)}, pen_, true);
        } else if (y == penY_) {
            const int32_t left = x > penX_ ? penX_ : x + 1;
            paint(Rect{left, y, left + std::abs(x - penX_), y + 1}, pen_, true);
        } else {
            ++slanted_;
        }
        moveTo(x, y);
    }

    void setFont(const std::string& face, int32_t cellHeight) override {
        face_ = face;
        cellHeight_ = cellHeight;
    }

    int32_t textWidth(const std::string& text) override {
        return charWidth() * static_cast<int32_t>(text.size());
    }

    // Glyphs are not drawn: the box is background, which is what matters to a decoder (a box
    // over a bar would erase it).
    void textInBox(const Rect& box, int32_t, int32_t, const std::string&) override {
        fillRect(box);
    }

    // The character cells are painted with the brush; they may hang below a symbol's rectangle
    // by design, so pixels outside the buffer are dropped without counting.
    void textAt(int32_t x, int32_t y, const std::string& text) override {
        const int32_t w = textWidth(text);
        paint(Rect{x, y, x + w, y + cellHeight_}, brush_, false);
        moveTo(x + w, y);
    }

    // Binary PGM, for looking at a symbol that failed to decode.
    bool writePgm(const std::string& path) const {
        std::ofstream out(path, std::ios::binary);
        out << "P5\n" << width_ << ' ' << height_ << "\n255\n";
        out.write(reinterpret_cast<const char*>(pixels_.data()),
                  static_cast<std::streamsize>(pixels_.size()));
        return static_cast<bool>(out);
    }

  private:
    // Paints the part of r inside the buffer; the rest is counted when asked to.
    void paint(const Rect& r, uint8_t grey, bool countOutside) {
        const int64_t w = std::max<int64_t>(int64_t{r.right} - r.left, 0);
        const int64_t h = std::max<int64_t>(int64_t{r.bottom} - r.top, 0);
        const int32_t x0 = std::clamp(r.left, 0, width_);
        const int32_t x1 = std::clamp(r.right, x0, width_);
        const int32_t y0 = std::clamp(r.top, 0, height_);
        const int32_t y1 = std::clamp(r.bottom, y0, height_);
        for (int32_t y = y0; y < y1; ++y) {
            uint8_t* line = pixels_.data() + static_cast<size_t>(y) * width_;
            std::fill(line + x0, line + x1, grey);
        }
        if (countOutside) {
            outside_ += w * h - int64_t{x1 - x0} * (y1 - y0);
        }
    }

    int32_t width_;
    int32_t height_;
    std::vector<uint8_t> pixels_;
    uint8_t pen_ = kBlack;
    uint8_t brush_ = kWhite;
    int32_t penX_ = 0;
    int32_t penY_ = 0;
    std::string face_;
    int32_t cellHeight_ = 0;
    int64_t outside_ = 0;
    int32_t slanted_ = 0;
};

}  // namespace strikon::testing
