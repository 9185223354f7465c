#include "surface/band_fills.h"

#include <algorithm>
#include <cstring>

namespace strikon {

void BandFills::paint(uchar* pixels, qsizetype bytesPerLine) {
    edges_.clear();
    for (const Fill& f : fills_) {
        edges_.push_back(f.rect.top);
        edges_.push_back(f.rect.bottom);
    }
    std::sort(edges_.begin(), edges_.end());
    edges_.erase(std::unique(edges_.begin(), edges_.end()), edges_.end());
    for (size_t band = 0; band + 1 < edges_.size(); ++band) {
        const int64_t top = edges_[band];
        const int64_t bottom = edges_[band + 1];
        covering_.clear();
        for (const Fill& f : fills_) {
            if (f.rect.top <= top && f.rect.bottom >= bottom) {
                covering_.push_back(&f);
            }
        }
        if (!covering_.empty()) {
            paintBand(pixels + top * bytesPerLine, bottom - top, bytesPerLine);
        }
    }
    fills_.clear();
}

// Sets the covering rectangles in the band's first row, in order, then copies what they
// cover, and only that, to the band's other rows.
void BandFills::paintBand(uchar* first, int64_t rows, qsizetype bytesPerLine) {
    spans_.clear();
    for (const Fill* f : covering_) {
        std::memset(first + f->rect.left, f->value,
                    static_cast<size_t>(f->rect.right - f->rect.left));
        spans_.push_back({f->rect.left, f->rect.right});
    }
    std::sort(spans_.begin(), spans_.end(),
              [](const Span& a, const Span& b) { return a.left < b.left; });
    size_t merged = 0;
    for (const Span& s : spans_) {
        if (merged > 0 && s.left <= spans_[merged - 1].right) {
            spans_[merged - 1].right = std::max(spans_[merged - 1].right, s.right);
        } else {
            spans_[merged++] = s;
        }
    }
    spans_.resize(merged);
    uchar* row = first;
    for (int64_t y = 1; y < rows; ++y) {
        row += bytesPerLine;
        for (const Span& s : spans_) {
            std::memcpy(row + s.left, first + s.left, static_cast<size_t>(s.right - s.left));
        }
    }
}

}  // namespace strikon
