#include "formats/bmp_writer.h"

#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "formats/palette_index.h"
#include "platform/atomic_write.h"

namespace strikon {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr int kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
constexpr int kTrueColourBits = 24;

template <typename T>
void putLittleEndian(char* at, T v) {
    qToLittleEndian(v, at);
}

// Uncompressed bitmaps hold 1, 4, 8 or 24 bits a pixel; 2 bits are not among them.
int bitmapBitsFor(size_t colours) {
    const int bits = paletteBitsFor(colours);
    return bits == 2 ? 4 : bits;
}

// Every row ends on a 4-byte boundary.
qint64 rowBytesFor(int width, int bits) {
    return (qint64{width} * bits + 31) / 32 * 4;
}

// The two headers: "BM", the file's size, where the pixels start (after the palette); then the
// picture's size (a positive height: rows bottom up), one plane, the bits a pixel, no
// compression, the density and how many palette entries follow.
void putHeaders(char* at, const QImage& image, int bits, quint32 paletteEntries,
                quint32 pixelBytes) {
    std::memset(at, 0, kHeadersSize);
    const quint32 pixelsAt = kHeadersSize + 4 * paletteEntries;
    at[0] = 'B';
    at[1] = 'M';
    putLittleEndian<quint32>(at + 2, pixelsAt + pixelBytes);
    putLittleEndian<quint32>(at + 10, pixelsAt);
    char* info = at + kFileHeaderSize;
    putLittleEndian<quint32>(info, kInfoHeaderSize);
    putLittleEndian<qint32>(info + 4, image.width());
    putLittleEndian<qint32>(info + 8, image.height());
    putLittleEndian<quint16>(info + 12, 1);
    putLittleEndian<quint16>(info + 14, static_cast<quint16>(bits));
    putLittleEndian<quint32>(info + 20, pixelBytes);
    putLittleEndian<qint32>(info + 24, image.dotsPerMeterX());
    putLittleEndian<qint32>(info + 28, image.dotsPerMeterY());
    putLittleEndian<quint32>(info + 32, paletteEntries);
}

// The whole file's buffer, sized once and filled in place (no growing buffer, no second copy),
// with its headers and palette (blue, green, red, 0 each) written: the pixels are left to fill.
// withPixels false: the headers and palette alone, the pixels to follow from elsewhere.
ValueResult<QByteArray> startFile(const QImage& image, int bits, const std::vector<QRgb>& palette,
                                  bool withPixels = true) {
    const qint64 pixelBytes = rowBytesFor(image.width(), bits) * image.height();
    const auto paletteBytes = static_cast<qint64>(4 * palette.size());
    if (pixelBytes > 0x7FFFFFFF - kHeadersSize - paletteBytes) {
        return ValueResult<QByteArray>::failure(
            QStringLiteral("The picture is too large for a bitmap file."));
    }
    QByteArray bytes(kHeadersSize + paletteBytes + (withPixels ? pixelBytes : 0),
                     Qt::Uninitialized);
    putHeaders(bytes.data(), image, bits, static_cast<quint32>(palette.size()),
               static_cast<quint32>(pixelBytes));
    char* entry = bytes.data() + kHeadersSize;
    for (const QRgb c : palette) {
        putLittleEndian<quint32>(entry, c & 0xFFFFFF);  // in memory: blue, green, red, 0
        entry += 4;
    }
    return ValueResult<QByteArray>::success(std::move(bytes));
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

// More colours than a palette holds: each pixel's own colour.
ValueResult<QByteArray> trueColourBitmap(const QImage& rgb) {
    auto file = startFile(rgb, kTrueColourBits, {});
    if (!file.ok) {
        return file;
    }
    const qint64 rowBytes = rowBytesFor(rgb.width(), kTrueColourBits);
    char* out = file.value.data() + kHeadersSize;
    for (int y = rgb.height() - 1; y >= 0; --y, out += rowBytes) {
        char* end = putRow(reinterpret_cast<const QRgb*>(rgb.constScanLine(y)), rgb.width(), out);
        std::memset(end, 0, static_cast<size_t>(out + rowBytes - end));
    }
    return file;
}

// The palette's indices at the fewest bits that hold its colours. Rows go bottom up, so a row
// is the one just written when the row below it repeats it.
ValueResult<QByteArray> paletteBitmap(const QImage& image, const PaletteIndex& index) {
    const int bits = bitmapBitsFor(index.colours().size());
    std::vector<QRgb> palette = index.colours();
    if (palette.size() == 1) {
        // A picture of one colour (lines in the background's colour) still gets both entries
        // of a 1-bit palette: some readers refuse a shorter one, others fill it in with black.
        palette.push_back(palette.front() == qRgb(0, 0, 0) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }
    auto file = startFile(image, bits, palette);
    if (!file.ok) {
        return file;
    }
    const qint64 rowBytes = rowBytesFor(image.width(), bits);
    const qint64 packedBytes = (qint64{image.width()} * bits + 7) / 8;
    auto* out = reinterpret_cast<uint8_t*>(file.value.data()) + kHeadersSize + 4 * palette.size();
    for (int y = image.height() - 1; y >= 0; --y, out += rowBytes) {
        if (y + 1 < image.height() && index.sameAsAbove(y + 1)) {
            std::memcpy(out, out - rowBytes, static_cast<size_t>(rowBytes));
            continue;
        }
        index.packRow(y, bits, out);
        std::memset(out + packedBytes, 0, static_cast<size_t>(rowBytes - packedBytes));
    }
    return file;
}

// An 8-bit picture of more than 16 colours (so 8 bits a pixel it is) holds its bitmap's rows
// already: each padded to 4 bytes, as a bitmap's, and indexing its colour table, which becomes
// the palette. The file is then the headers and palette, and the picture's own rows, bottom row
// first, with nothing copied. Nothing when the picture is not such a one, or when a row's
// padding or an index (past the colour table) would not make a sound file.
struct BitmapOfRows {
    QByteArray head;  // the headers and the palette
    const QImage& rows;

    std::vector<QByteArrayView> pieces() const {
        std::vector<QByteArrayView> out;
        out.reserve(static_cast<size_t>(rows.height()) + 1);
        out.emplace_back(head);
        for (int y = rows.height() - 1; y >= 0; --y) {
            out.emplace_back(rows.constScanLine(y), rows.bytesPerLine());
        }
        return out;
    }
};

std::optional<BitmapOfRows> bitmapOfRows(const QImage& image) {
    const QList<QRgb> table = image.colorTable();
    const qint64 rowBytes = rowBytesFor(image.width(), 8);
    if (image.format() != QImage::Format_Indexed8 || image.hasAlphaChannel() ||
        table.size() <= 16 || image.bytesPerLine() != rowBytes) {
        return std::nullopt;
    }
    const auto width = static_cast<size_t>(image.width());
    const auto inTable = [&](uchar index) { return index < table.size(); };
    const auto zero = [](uchar b) { return b == 0; };
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        // Most of a symbol's rows repeat the one above, checked already.
        if (y > 0 && std::memcmp(row, image.constScanLine(y - 1), rowBytes) == 0) {
            continue;
        }
        if (!std::all_of(row + width, row + rowBytes, zero) ||
            (table.size() < 256 && !std::all_of(row, row + width, inTable))) {
            return std::nullopt;
        }
    }
    auto head = startFile(image, 8, std::vector<QRgb>(table.begin(), table.end()), false);
    if (!head.ok) {
        return std::nullopt;
    }
    return BitmapOfRows{std::move(head.value), image};
}

// Any picture but one written from its rows: the file built whole in one buffer.
ValueResult<QByteArray> encodeInBuffer(const QImage& image) {
    if (image.isNull()) {
        return ValueResult<QByteArray>::failure(QStringLiteral("The picture is empty."));
    }
    // An image with alpha would call for a 32-bit bitmap, which some readers mishandle: alpha
    // is dropped.
    if (const auto index = PaletteIndex::of(image)) {
        return paletteBitmap(image, *index);
    }
    // The conversion keeps dotsPerMeterX/Y and is no copy for an RGB32 picture.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull()) {  // the converted picture did not fit in memory
        return ValueResult<QByteArray>::failure(QString::fromLocal8Bit(std::strerror(ENOMEM)),
                                                ENOMEM);
    }
    return trueColourBitmap(rgb);
}

}  // namespace

ValueResult<QByteArray> encodeBmp(const QImage& image) {
    if (const std::optional<BitmapOfRows> bitmap = bitmapOfRows(image)) {
        QByteArray bytes;
        bytes.reserve(bitmap->head.size() + image.sizeInBytes());
        for (const QByteArrayView piece : bitmap->pieces()) {
            bytes.append(piece);
        }
        return ValueResult<QByteArray>::success(std::move(bytes));
    }
    return encodeInBuffer(image);
}

WriteResult writeBmp(const QImage& image, const QString& path) {
    if (const std::optional<BitmapOfRows> bitmap = bitmapOfRows(image)) {
        return writeFileAtomically(path, bitmap->pieces());
    }
    auto encoded = encodeInBuffer(image);
    if (!encoded.ok) {
        return WriteResult::failure(encoded.error);
    }
    return writeFileAtomically(path, encoded.value);
}

}  // namespace strikon
