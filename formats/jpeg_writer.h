#pragma once
// JPEG files through libjpeg directly. Qt's own JPEG writer always halves the colour resolution
// (4:2:0), which smears the edges of coloured bars; here every channel keeps full resolution
// (4:4:4). The JFIF header carries the image's density in dots per inch.

#include <QByteArray>
#include <QImage>
#include <QString>

#include "platform/result.h"

namespace strikon {

inline constexpr int kDefaultJpegQuality = 95;

// quality: libjpeg's 1..100 scale (values outside are clamped by libjpeg). Transparency is
// dropped. Fails, with libjpeg's message, e.g. for a side longer than 65500 pixels.
ValueResult<QByteArray> encodeJpeg(const QImage& image, int quality = kDefaultJpegQuality);

// Encodes and writes atomically (see atomic_write.h): on failure any file already at the path
// is left as it was.
WriteResult writeJpeg(const QImage& image, const QString& path, int quality = kDefaultJpegQuality);

}  // namespace strikon
