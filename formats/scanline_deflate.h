#pragma once
// The zlib stream of a PNG's image data, for pictures whose rows mostly repeat the row above
// (bar codes: every row through the bars is the same) or run in one colour (quiet zones, wide
// bars). Rows known to repeat the row above are long copies from a row up, never compared
// again. In the other rows each position is coded as the longest of a run of the byte before
// it and a copy of the bytes one row up; only where both fail, on the smoothed digits' pixels,
// a short hash-chain search looks for the same bytes up to 8 kB back (a digit drawn again
// repeats its glyph), and what nothing covers is a literal. The repeated rows and the rows
// around them go in blocks of their own Huffman codes (the fixed ones where those cost less):
// the digits' literals, a few dozen to 250 blends, then cost what they carry rather than 8 or
// 9 bits each, and a row's copy from above a few bits.
//
// Measured by bench/picture_bench (Release build, CPU time on the 2-core 2.6 GHz build machine):
// the 135 kB of scanlines of an EAN-13 at 300 dpi (440 x 306, 8 bits) are coded in 31 µs into
// 3.2 kB (BM_ScanlineDeflate; fixed codes without the search made 6.0 kB in 28 µs). On the same
// scanlines zlib takes 394-662 µs at levels 1 and 6 for 18-3.5 kB (BM_Zlib), libdeflate
// 215-529 µs for 14-6.0 kB (BM_Libdeflate), and libpng writing the same palette picture
// 419-670 µs for 19-4.3 kB (BM_LibpngFile).

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <span>

namespace strikon {

// data: `rows` scanlines of `stride` bytes each, every one its filter byte then its pixels, as
// they are to decode; repeatsAbove[y] nonzero where row y holds the same bytes as the row above
// (rows it does not cover, or marks zero, are coded as rows of their own). Returns the whole
// zlib stream (header, blocks, Adler-32).
QByteArray deflateScanlines(const uint8_t* data, size_t stride, size_t rows,
                            std::span<const uint8_t> repeatsAbove);

}  // namespace strikon
