#pragma once
// Opaque rectangles of 8-bit pixel values, kept until they are painted together. The rows
// between two consecutive edges of the rectangles are covered by the same ones, so each such
// band is painted in its first row and that row copied to the rest: a symbol's hundreds of rows
// fall into a few bands, and each pixel is written once however many rectangles cover it.

#include <QtGlobal>
#include <cstdint>
#include <vector>

#include "surface/line_pixels.h"

namespace strikon {

class BandFills {
  public:
    // r: inside the picture and not empty. Later rectangles cover earlier ones.
    void add(const PixelRect& r, uint8_t value) { fills_.push_back({r, value}); }
    size_t size() const { return fills_.size(); }

    // Paints every rectangle kept, in the order added, and keeps none.
    void paint(uchar* pixels, qsizetype bytesPerLine);

  private:
    struct Fill {
        PixelRect rect;
        uint8_t value;
    };
    // One band's painting: the spans of its first row, by column.
    struct Span {
        int64_t left, right;
    };

    void paintBand(uchar* first, int64_t rows, qsizetype bytesPerLine);

    std::vector<Fill> fills_;
    // Kept between paintings for their memory.
    std::vector<int64_t> edges_;
    std::vector<const Fill*> covering_;
    std::vector<Span> spans_;
};

}  // namespace strikon
