#pragma once
// PNG in memory, for files, the clipboard and pictures embedded in documents. The image's
// density travels in the pHYs chunk, so a word processor sizes the picture from it.
//
// A symbol holds two colours and the few blends of its smoothed digits, so its picture is
// written with an exact palette of as few bits a pixel as its colours need (1, 2, 4 or 8);
// a picture of more than 256 colours is written as 8-bit RGB (RGBA where it has alpha). Either
// way it decodes to exactly the pixels given.

#include <QByteArray>
#include <QImage>

namespace strikon {

// Empty when the image is null or cannot be encoded.
QByteArray pngBytes(const QImage& image);

}  // namespace strikon
