#pragma once
// Windows bitmap files, uncompressed, with the image's density (dots per metre, e.g. 11811 for
// 300 dpi) stored in the header so that other programs print the picture at its true size.
//
// A symbol holds two colours and the few blends of its smoothed digits, so its bitmap is written
// with an exact palette of 1, 4 or 8 bits a pixel, the fewest its colours need; a picture of
// more than 256 colours is written at 24 bits a pixel. Either way it decodes to exactly the
// pixels given (without alpha). A picture drawn in 8-bit palette indices (more than 16 colours
// in its table, rows padded with zeros) is written straight from its rows, its table the palette.

#include <QByteArray>
#include <QImage>
#include <QString>

#include "platform/result.h"

namespace strikon {

// Encodes the image in memory. Transparency is dropped: the bitmap has no alpha channel.
ValueResult<QByteArray> encodeBmp(const QImage& image);

// Encodes and writes atomically (see atomic_write.h): on failure any file already at the path
// is left as it was.
WriteResult writeBmp(const QImage& image, const QString& path);

}  // namespace strikon
