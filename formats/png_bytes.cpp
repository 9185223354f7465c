#include "formats/png_bytes.h"

#include <libdeflate.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "formats/palette_index.h"
#include "formats/scanline_deflate.h"

namespace strikon {

namespace {

// How a picture's pixels are stored: palette indices, or, where every colour is a grey that
// the bit depth holds exactly (black and white at any depth, any grey at 8 bits), the greys
// themselves, which need no palette: a symbol in black on white with its smoothed digits'
// blends saves 3 bytes a colour, up to 768.
struct Samples {
    int bitDepth = 8;
    bool grey = false;
    // Each packed byte of indices as the byte of samples it stands for, when grey.
    std::array<uint8_t, 256> greyOfByte{};
};

Samples samplesOf(const PaletteIndex& index) {
    Samples out;
    out.bitDepth = paletteBitsFor(index.colours().size());
    const int fields = 8 / out.bitDepth;
    const unsigned top = (1U << out.bitDepth) - 1;
    const unsigned step = 255 / top;
    std::array<uint8_t, 256> grey{};
    for (size_t i = 0; i < index.colours().size(); ++i) {
        const QRgb c = index.colours()[i];
        if (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c) || qRed(c) % step != 0) {
            return out;
        }
        grey[i] = static_cast<uint8_t>(qRed(c) / step);
    }
    out.grey = true;
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned mapped = 0;
        for (int f = fields - 1; f >= 0; --f) {
            mapped = (mapped << out.bitDepth) | grey[(byte >> (f * out.bitDepth)) & top];
        }
        out.greyOfByte[byte] = static_cast<uint8_t>(mapped);
    }
    return out;
}

// A picture's image data as it is to decode: each row its filter byte (none) and its pixels
// at the fewest bits its colours need; and which rows repeat the one above.
struct Scanlines {
    std::unique_ptr<uint8_t[]> data;
    size_t stride = 0;
    std::vector<uint8_t> repeatsAbove;
};

Scanlines scanlinesOf(const PaletteIndex& index, const Samples& samples) {
    Scanlines out;
    const size_t width = static_cast<size_t>(index.width());
    out.stride = 1 + (width * samples.bitDepth + 7) / 8;
    out.data = std::make_unique_for_overwrite<uint8_t[]>(out.stride * index.height());
    out.repeatsAbove.resize(static_cast<size_t>(index.height()));
    // The last byte's bits past the row's end stay zero.
    const auto tail = static_cast<uint8_t>(0xFF00U >> ((width * samples.bitDepth - 1) % 8 + 1));
    for (int y = 0; y < index.height(); ++y) {
        uint8_t* row = out.data.get() + out.stride * static_cast<size_t>(y);
        if (index.sameAsAbove(y)) {
            std::memcpy(row, row - out.stride, out.stride);
            out.repeatsAbove[static_cast<size_t>(y)] = 1;
            continue;
        }
        row[0] = PNG_FILTER_VALUE_NONE;
        if (samples.grey && samples.bitDepth == 8) {
            const uint8_t* from = index.rowIndices(y);
            for (size_t x = 0; x < width; ++x) {
                row[1 + x] = samples.greyOfByte[from[x]];
            }
            continue;
        }
        index.packRow(y, samples.bitDepth, row + 1);
        if (samples.grey) {
            for (size_t i = 1; i < out.stride; ++i) {
                row[i] = samples.greyOfByte[row[i]];
            }
            row[out.stride - 1] &= tail;
        }
    }
    return out;
}

void appendBigEndian32(QByteArray& bytes, uint32_t v) {
    const char b[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 8), static_cast<char>(v)};
    bytes.append(b, 4);
}

void appendChunk(QByteArray& png, const char (&type)[5], const char* data, size_t length) {
    appendBigEndian32(png, static_cast<uint32_t>(length));
    png.append(type, 4);
    png.append(data, static_cast<qsizetype>(length));
    uint32_t crc = libdeflate_crc32(0, type, 4);
    if (length > 0) {  // libdeflate answers its initial value for no data
        crc = libdeflate_crc32(crc, data, length);
    }
    appendBigEndian32(png, crc);
}

void appendChunk(QByteArray& png, const char (&type)[5], const QByteArray& data) {
    appendChunk(png, type, data.constData(), static_cast<size_t>(data.size()));
}

// Two-colour pictures (bilevel, for label printers) are small enough for libdeflate's thorough
// search, which codes their 1-bit rows in fewer bytes than the scanline coder (an EAN-13 at
// 300 dpi: 821 bytes of file against 872), in a fraction of a millisecond.
QByteArray searchedDeflate(const Scanlines& scanlines, size_t rows) {
    constexpr int kLevel = 9;
    const size_t size = scanlines.stride * rows;
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(kLevel);
    if (compressor == nullptr) {
        return {};
    }
    QByteArray out(static_cast<qsizetype>(libdeflate_zlib_compress_bound(compressor, size)),
                   Qt::Uninitialized);
    const size_t n = libdeflate_zlib_compress(compressor, scanlines.data.get(), size, out.data(),
                                              static_cast<size_t>(out.size()));
    libdeflate_free_compressor(compressor);
    out.truncate(static_cast<qsizetype>(n));
    return out;
}

// The file around the indexed rows: header, palette, density, image data, end.
// The file around the scanlines: header, palette (when the samples are not grey), density,
// image data, end.
QByteArray pngFile(const QImage& image, const Samples& samples, const Scanlines& scanlines,
                   const std::vector<QRgb>& colours) {
    QByteArray header;
    appendBigEndian32(header, static_cast<uint32_t>(image.width()));
    appendBigEndian32(header, static_cast<uint32_t>(image.height()));
    header.append(static_cast<char>(samples.bitDepth));
    header.append(static_cast<char>(samples.grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_PALETTE));
    header.append(3, '\0');  // deflate, adaptive filtering, no interlace
    QByteArray palette;
    if (!samples.grey) {
        palette.resize(static_cast<qsizetype>(3 * colours.size()));
        char* entry = palette.data();
        for (const QRgb c : colours) {
            *entry++ = static_cast<char>(qRed(c));
            *entry++ = static_cast<char>(qGreen(c));
            *entry++ = static_cast<char>(qBlue(c));
        }
    }
    const size_t rows = static_cast<size_t>(image.height());
    QByteArray data = samples.bitDepth == 1 ? searchedDeflate(scanlines, rows) : QByteArray();
    if (data.isEmpty()) {
        data =
            deflateScanlines(scanlines.data.get(), scanlines.stride, rows, scanlines.repeatsAbove);
    }
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(data.size() + palette.size() + 128);
    appendChunk(png, "IHDR", header);
    if (!samples.grey) {
        appendChunk(png, "PLTE", palette);
    }
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        QByteArray density;
        appendBigEndian32(density, static_cast<uint32_t>(image.dotsPerMeterX()));
        appendBigEndian32(density, static_cast<uint32_t>(image.dotsPerMeterY()));
        density.append(static_cast<char>(PNG_RESOLUTION_METER));
        appendChunk(png, "pHYs", density);
    }
    // A chunk holds less than 2 GB; larger image data goes in several.
    constexpr qsizetype kMaxChunk = qsizetype{1} << 30;
    for (qsizetype at = 0; at < data.size(); at += kMaxChunk) {
        appendChunk(png, "IDAT", data.constData() + at,
                    static_cast<size_t>(std::min(kMaxChunk, data.size() - at)));
    }
    appendChunk(png, "IEND", nullptr, 0);
    return png;
}

QByteArray palettePng(const QImage& image, const PaletteIndex& index) {
    const Samples samples = samplesOf(index);
    return pngFile(image, samples, scanlinesOf(index, samples), index.colours());
}

// A symbol's picture with smoothed digits in black on white: an 8-bit picture whose colour
// table holds only greys, more than 16 of them. Its rows become grey samples in one pass over
// its indices, with no palette index made first. Nothing when a pixel lies past the table or
// the picture uses 16 colours or fewer (fewer bits a pixel then hold it).
std::optional<QByteArray> greyPng(const QImage& image) {
    const QList<QRgb> table = image.colorTable();
    if (image.format() != QImage::Format_Indexed8 || table.size() <= 16) {
        return std::nullopt;
    }
    Samples samples;  // 8 bits a pixel
    samples.grey = true;
    for (qsizetype i = 0; i < table.size(); ++i) {
        const QRgb c = table[i];
        if (qAlpha(c) != 255 || qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)) {
            return std::nullopt;
        }
        samples.greyOfByte[static_cast<size_t>(i)] = static_cast<uint8_t>(qRed(c));
    }
    Scanlines out;
    const auto width = static_cast<size_t>(image.width());
    const auto height = static_cast<size_t>(image.height());
    out.stride = 1 + width;
    out.data = std::make_unique_for_overwrite<uint8_t[]>(out.stride * height);
    out.repeatsAbove.resize(height);
    std::array<uint8_t, 256> seen{};  // by index; the table's entries past its size stay 0
    for (size_t y = 0; y < height; ++y) {
        const uchar* in = image.constScanLine(static_cast<int>(y));
        uint8_t* row = out.data.get() + out.stride * y;
        if (y > 0 && std::memcmp(in, image.constScanLine(static_cast<int>(y) - 1), width) == 0) {
            std::memcpy(row, row - out.stride, out.stride);
            out.repeatsAbove[y] = 1;
            continue;
        }
        row[0] = PNG_FILTER_VALUE_NONE;
        for (size_t x = 0; x < width; ++x) {
            row[1 + x] = samples.greyOfByte[in[x]];
            seen[in[x]] = 1;
        }
    }
    const auto tableSize = static_cast<size_t>(table.size());
    std::array<uint8_t, 256> greys{};
    for (size_t i = 0; i < seen.size(); ++i) {
        if (seen[i] != 0) {
            if (i >= tableSize) {
                return std::nullopt;
            }
            greys[samples.greyOfByte[i]] = 1;
        }
    }
    if (std::count(greys.begin(), greys.end(), 1) <= 16) {
        return std::nullopt;
    }
    return pngFile(image, samples, out, {});
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<QByteArray*>(png_get_io_ptr(png));
    bytes->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void flushNothing(png_structp) {}

// Everything libpng touches lives outside this function, so a longjmp out of libpng leaves
// nothing unreleased behind it. For pictures of more colours than a palette holds.
bool encodeSamples(png_structp png, png_infop info, const QImage& samples, int colourType,
                   QByteArray& bytes) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, &bytes, appendBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(samples.width()),
                 static_cast<png_uint_32>(samples.height()), 8, colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (samples.dotsPerMeterX() > 0 && samples.dotsPerMeterY() > 0) {
        png_set_pHYs(png, info, static_cast<png_uint_32>(samples.dotsPerMeterX()),
                     static_cast<png_uint_32>(samples.dotsPerMeterY()), PNG_RESOLUTION_METER);
    }
    // Most rows repeat the one above: Up turns them into zeros, which run-length deflate packs.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_strategy(png, Z_RLE);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    for (int y = 0; y < samples.height(); ++y) {
        png_write_row(png, samples.constScanLine(y));
    }
    png_write_end(png, nullptr);
    return true;
}

QByteArray samplesPng(const QImage& image) {
    const bool alpha = image.hasAlphaChannel();
    const QImage samples =
        image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (samples.isNull()) {  // out of memory
        return {};
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return {};
    }
    png_infop info = png_create_info_struct(png);
    QByteArray bytes;
    const bool ok = info != nullptr &&
                    encodeSamples(png, info, samples,
                                  alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, bytes);
    png_destroy_write_struct(&png, &info);
    return ok ? bytes : QByteArray();
}

}  // namespace

QByteArray pngBytes(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    if (!image.hasAlphaChannel()) {
        if (auto grey = greyPng(image)) {
            return *grey;
        }
        if (const auto index = PaletteIndex::of(image)) {
            return palettePng(image, *index);
        }
    }
    return samplesPng(image);
}

}  // namespace strikon
