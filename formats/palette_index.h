#pragma once
// A picture's pixels as indices into an exact palette, for the writers that store a symbol's
// few colours as a palette (PNG, BMP). No colour is ever approximated: a picture of more
// colours than a palette holds is refused, and its writer stores the colours themselves.
//
// Each row is indexed once; a row the same as the one above (most of a bar code's) is not
// looked up again but shares that row's indices, and is marked so that a writer copies its
// packed bytes instead of packing them a second time.

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "formats/exact_palette.h"

namespace strikon {

// The fewest bits a pixel (1, 2, 4 or 8) whose indices tell `colours` colours apart.
int paletteBitsFor(size_t colours);

class PaletteIndex {
  public:
    // A picture without alpha (what alpha it has is dropped, as in RGB32); one in
    // Format_Indexed8 with opaque colours is read as its indices. Nothing when it has more
    // than 256 colours.
    static std::optional<PaletteIndex> of(const QImage& image);

    // The colours (alpha always 255) in the order they first appear, top row first.
    const std::vector<QRgb>& colours() const { return colours_; }
    int width() const { return width_; }
    int height() const { return static_cast<int>(rowAt_.size()); }

    // True when row y holds the same pixels as row y - 1 (never for the top row).
    bool sameAsAbove(int y) const { return y > 0 && rowAt_[y] == rowAt_[y - 1]; }

    // Row y's indices, one byte a pixel.
    const uint8_t* rowIndices(int y) const {
        return indices_.data() + rowAt_[static_cast<size_t>(y)];
    }

    // Row y's indices at `bits` a pixel (1, 2, 4 or 8, enough for the colours), leftmost pixel
    // in the highest bits, the last byte's unused low bits zero: (width * bits + 7) / 8 bytes.
    void packRow(int y, int bits, uint8_t* out) const;

  private:
    PaletteIndex() = default;
    static std::optional<PaletteIndex> ofIndexed(const QImage& indexed);

    int width_ = 0;
    std::vector<QRgb> colours_;
    // One byte a pixel, only for the rows that differ from the one above: a symbol's few, so
    // this stays small next to the picture (and the file buffer the writer fills from it).
    std::vector<uint8_t> indices_;
    std::vector<size_t> rowAt_;  // where each row's indices start in indices_; repeats share them
};

}  // namespace strikon
