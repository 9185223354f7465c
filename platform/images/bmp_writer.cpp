#include "platform/images/bmp_writer.h"

#include <QtEndian>
#include <cstring>

#include "platform/images/atomic_write.h"

namespace strikon {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr int kBitsPerPixel = 24;

template <typename T>
void putLittleEndian(char* at, T v) {
    qToLittleEndian(v, at);
}

// The two headers: "BM", the file's size, where the pixels start; then the picture's size
// (a positive height: rows bottom up), one plane, 24 bits, no compression, and the density.
void putHeaders(char* at, const QImage& image, quint32 pixelBytes) {
    std::memset(at, 0, kFileHeaderSize + kInfoHeaderSize);
    at[0] = 'B';
    at[1] = 'M';
    putLittleEndian<quint32>(at + 2, kFileHeaderSize + kInfoHeaderSize + pixelBytes);
    putLittleEndian<quint32>(at + 10, kFileHeaderSize + kInfoHeaderSize);
    char* info = at + kFileHeaderSize;
    putLittleEndian<quint32>(info, kInfoHeaderSize);
    putLittleEndian<qint32>(info + 4, image.width());
    putLittleEndian<qint32>(info + 8, image.height());
    putLittleEndian<quint16>(info + 12, 1);
    putLittleEndian<quint16>(info + 14, kBitsPerPixel);
    putLittleEndian<quint32>(info + 20, pixelBytes);
    putLittleEndian<qint32>(info + 24, image.dotsPerMeterX());
    putLittleEndian<qint32>(info + 28, image.dotsPerMeterY());
}

// One row of pixels as blue, green, red bytes; returns where it ends. A pixel's first three
// bytes in memory are already those, so four pixels go out as three 32-bit words.
char* putRow(const QRgb* in, int width, char* out) {
    int x = 0;
    for (; x + 4 <= width; x += 4, out += 12) {
        const quint32 p0 = in[x], p1 = in[x + 1], p2 = in[x + 2], p3 = in[x + 3];
        putLittleEndian<quint32>(out, (p0 & 0xFFFFFF) | p1 << 24);
        putLittleEndian<quint32>(out + 4, (p1 >> 8 & 0xFFFF) | p2 << 16);
        putLittleEndian<quint32>(out + 8, (p2 >> 16 & 0xFF) | p3 << 8);
    }
    for (; x < width; ++x) {
        *out++ = static_cast<char>(qBlue(in[x]));
        *out++ = static_cast<char>(qGreen(in[x]));
        *out++ = static_cast<char>(qRed(in[x]));
    }
    return out;
}

}  // namespace

ValueResult<QByteArray> encodeBmp(const QImage& image) {
    if (image.isNull()) {
        return ValueResult<QByteArray>::failure(QStringLiteral("The picture is empty."));
    }
    // An image with alpha would call for a 32-bit bitmap, which some readers mishandle: the
    // bitmap is always 24-bit, alpha dropped. The conversion keeps dotsPerMeterX/Y and is no
    // copy for the RGB32 pictures drawn here.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const qint64 rowBytes = (qint64{rgb.width()} * 3 + 3) / 4 * 4;  // rows end on 4 bytes
    const qint64 pixelBytes = rowBytes * rgb.height();
    if (pixelBytes > 0x7FFFFFFF - kFileHeaderSize - kInfoHeaderSize) {
        return ValueResult<QByteArray>::failure(
            QStringLiteral("The picture is too large for a bitmap file."));
    }
    // Sized once and filled in place: no growing buffer, no second copy.
    QByteArray bytes(kFileHeaderSize + kInfoHeaderSize + pixelBytes, Qt::Uninitialized);
    putHeaders(bytes.data(), rgb, static_cast<quint32>(pixelBytes));
    char* out = bytes.data() + kFileHeaderSize + kInfoHeaderSize;
    for (int y = rgb.height() - 1; y >= 0; --y, out += rowBytes) {
        char* end = putRow(reinterpret_cast<const QRgb*>(rgb.constScanLine(y)), rgb.width(), out);
        std::memset(end, 0, static_cast<size_t>(out + rowBytes - end));
    }
    return ValueResult<QByteArray>::success(std::move(bytes));
}

WriteResult writeBmp(const QImage& image, const QString& path) {
    auto encoded = encodeBmp(image);
    if (!encoded.ok) {
        return WriteResult::failure(encoded.error);
    }
    return writeFileAtomically(path, encoded.value);
}

}  // namespace strikon
