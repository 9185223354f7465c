#pragma once
// Windows bitmap files: uncompressed, 24 bits per pixel, with the image's density (dots per
// metre, e.g. 11811 for 300 dpi) stored in the header so that other programs print the picture
// at its true size.

#include <QByteArray>
#include <QImage>
#include <QString>

#include "platform/images/write_result.h"

namespace strikon {

// Encodes the image in memory. Transparency is dropped: the bitmap has no alpha channel.
ValueResult<QByteArray> encodeBmp(const QImage& image);

// Encodes and writes atomically (see atomic_write.h): on failure any file already at the path
// is left as it was.
WriteResult writeBmp(const QImage& image, const QString& path);

}  // namespace strikon
