#pragma once
// The zlib stream of a PNG's image data, for pictures whose rows mostly repeat the row above
// (bar codes: every row through the bars is the same) or run in one colour (quiet zones, wide
// bars). Each position is coded as a copy of the bytes one row up, a run of the byte before it,
// or a literal, whichever covers most, with deflate's fixed codes; nothing searches further
// back. A symbol's rows then cost a few bytes each, and the stream is made in about the time
// it takes to read the pixels, many times faster than a general match search.
//
// Measured by bench/picture_bench (Release build, CPU time on the 2-core 2.6 GHz build machine):
// the 135 kB of scanlines of an EAN-13 at 300 dpi (440 x 306, 8 bits) are coded in 34 µs into
// 6.0 kB (BM_ScanlineDeflate). On the same scanlines zlib takes 373-828 µs at levels 1-6 for
// 3.5-18 kB (BM_Zlib), libdeflate 270-741 µs for 6.0-14 kB (BM_Libdeflate), and libpng writing
// the same palette picture 411-875 µs for 4.3-19 kB (BM_LibpngFile).

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <span>

namespace strikon {

// data: `rows` scanlines of `stride` bytes each, every one its filter byte then its pixels, as
// they are to decode. Returns the whole zlib stream (header, one final block, Adler-32).
QByteArray deflateScanlines(const uint8_t* data, size_t stride, size_t rows);
// The same, told which rows hold the same bytes as the row above (repeatsAbove[y] nonzero), so
// that they are not compared again.
QByteArray deflateScanlines(const uint8_t* data, size_t stride, size_t rows,
                            std::span<const uint8_t> repeatsAbove);

}  // namespace strikon
