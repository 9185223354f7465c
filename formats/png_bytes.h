#pragma once
// PNG in memory, for files, the clipboard and pictures embedded in documents. The image's
// density travels in the pHYs chunk, so a word processor sizes the picture from it.
//
// A symbol holds two colours and the few blends of its smoothed digits, so its picture is
// written with an exact palette of as few bits a pixel as its colours need (1, 2, 4 or 8);
// where those colours are all greys the bit depth holds exactly (black on white, the default,
// at any depth) it is written as the greys themselves, with no palette: an EAN-13 at 300 dpi
// has some 250 blends, whose palette would add 750 bytes to a file of 3.3 kB. A picture of
// more than 256 colours is written as 8-bit RGB (RGBA where it has alpha). Every way it
// decodes to exactly the pixels given.
//
// Measured by bench/picture_bench (Release build, CPU time on the 2-core 2.6 GHz build
// machine): the whole file of an EAN-13 at 300 dpi from its 8-bit picture in 44 µs, 3.3 kB
// (BM_PngBytesFile), where a palette and deflate's fixed codes took 42 µs for 6.8 kB; the
// greys are read straight from the picture's indices, with no palette index made first.

#include <QByteArray>
#include <QImage>

namespace strikon {

// Empty when the image is null or cannot be encoded.
QByteArray pngBytes(const QImage& image);

}  // namespace strikon
