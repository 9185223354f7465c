#pragma once
// PNG in memory, for the clipboard and for pictures embedded in documents. The image's density
// travels in the pHYs chunk, so a word processor sizes the picture from it.

#include <QByteArray>
#include <QImage>

namespace strikon {

// Empty when the image is null or cannot be encoded.
QByteArray pngBytes(const QImage& image);

}  // namespace strikon
