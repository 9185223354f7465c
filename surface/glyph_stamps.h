#pragma once
// Glyphs drawn once and stamped. A batch draws the same ten digits, in the same cells and
// colours, on every symbol, and Qt's drawing of them with the look-up of their blends was a
// fifth of an EAN-13 row's CPU time (perf over 3,000 PNGs). So each glyph is drawn by Qt once
// per face, cell height, ink, paper and smoothing, on a picture of the paper's colour alone, and
// kept for the thread as the colours it left; drawing it again over that paper copies them.
// An EAN-13 at 300 dpi is drawn into its 8-bit picture in 19.5 µs against 42.7 µs when Qt draws
// every digit (bench/picture_bench, BM_IndexedSurfacePicture, Release, same run).
//
// Qt draws a glyph at a whole-pixel origin alike wherever the origin is, so a stamp is the very
// pixels Qt draws there as long as the pixels its ink reaches hold the paper alone and no other
// glyph shares them. The surface that stamps checks both and lets Qt draw otherwise.

#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QRgba64>
#include <cstdint>
#include <memory>
#include <vector>

#include "surface/cell_font.h"

namespace strikon {

struct GlyphStamp {
    // Around the glyph's origin (its point on the baseline): the pixels it may change, which
    // take in its outline's pixels and every pixel its ink changed.
    QRect reach;
    // The pixels its ink changed, inside `reach`; empty for a glyph of no ink.
    QRect ink;
    // ink.width() x ink.height(), row by row: 0 leaves the paper, k gives colours[k - 1].
    std::vector<uint8_t> shades;
    std::vector<QRgb> colours;
};

// Without smoothing a pixel takes the ink where the glyph covers at least half of it (where its
// smoothed colour lies at least half way from what was under it to the ink), else keeps its own.
bool coveredHalf(QRgb smoothed, QRgb under, QRgb ink);

// The stamp of a glyph of `font` in `ink` over `paper` (both opaque), drawn now if this thread
// has none. Stamps are kept for the thread, a bounded number of them; the pointer keeps its
// stamp alive past the thread's next call.
std::shared_ptr<const GlyphStamp> glyphStamp(const CellFont& font, quint32 glyph, QRgba64 ink,
                                             QRgb paper, bool smooth);

}  // namespace strikon
