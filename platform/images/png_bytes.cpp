#include "platform/images/png_bytes.h"

#include <libdeflate.h>
#include <png.h>
#include <zlib.h>

#include <array>
#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/images/scanline_deflate.h"

namespace strikon {

namespace {

constexpr size_t kMaxPaletteColours = 256;

// Colours to palette indices in the order they first appear; a symbol has few, and most
// lookups are answered by the colour of the pixel before.
class Palette {
  public:
    Palette() { slots_.fill(kEmpty); }

    // The colour's index, or -1 when the palette is full (no colour is ever approximated).
    int indexOf(QRgb colour) {
        for (uint32_t slot = (colour * 0x9E3779B1U) >> (32 - kSlotBits);;
             slot = (slot + 1) & (kSlots - 1)) {
            if (slots_[slot] == kEmpty) {
                if (colours_.size() == kMaxPaletteColours) {
                    return -1;
                }
                slots_[slot] = static_cast<uint16_t>(colours_.size());
                colours_.push_back(colour);
                return slots_[slot];
            }
            if (colours_[slots_[slot]] == colour) {
                return slots_[slot];
            }
        }
    }

    const std::vector<QRgb>& colours() const { return colours_; }

  private:
    static constexpr uint32_t kSlotBits = 9;  // twice the palette, so probes stay short
    static constexpr uint32_t kSlots = 1U << kSlotBits;
    static constexpr uint16_t kEmpty = 0xFFFF;
    std::array<uint16_t, kSlots> slots_;
    std::vector<QRgb> colours_;
};

// A palette picture as the scanlines of its image data: each row its filter byte (none) and
// its indices, packed to the fewest bits its colours need.
struct Indexed {
    Palette palette;
    std::unique_ptr<uint8_t[]> scanlines;
    size_t stride = 0;
    int bitDepth = 8;
};

int bitDepthFor(size_t colours) {
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

// One byte per pixel first; false when the picture has more colours than a palette holds.
// A row the same as the one above (most of a bar code's) is copied, not looked up again.
bool indexRows(const QImage& rgb, Indexed& out) {
    const auto width = static_cast<size_t>(rgb.width());
    out.stride = width + 1;
    out.scanlines = std::make_unique_for_overwrite<uint8_t[]>(out.stride * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uint8_t* row = out.scanlines.get() + out.stride * static_cast<size_t>(y);
        if (y > 0 && std::memcmp(in, rgb.constScanLine(y - 1), width * sizeof(QRgb)) == 0) {
            std::memcpy(row, row - out.stride, out.stride);
            continue;
        }
        row[0] = PNG_FILTER_VALUE_NONE;
        QRgb last = in[0];
        int index = out.palette.indexOf(last);
        for (size_t x = 0; x < width && index >= 0; ++x) {
            if (in[x] != last) {
                last = in[x];
                index = out.palette.indexOf(last);
            }
            row[1 + x] = static_cast<uint8_t>(index);
        }
        if (index < 0) {
            return false;
        }
    }
    return true;
}

// Packs every row to `bitDepth` bits a pixel, leftmost pixel in the highest bits, in place:
// a packed row never reaches past the unpacked bytes still to be read.
void packRows(Indexed& out, int width, int height, int bitDepth) {
    const size_t perByte = 8 / static_cast<size_t>(bitDepth);
    const size_t packedStride = 1 + (static_cast<size_t>(width) + perByte - 1) / perByte;
    for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
        const uint8_t* from = out.scanlines.get() + y * out.stride + 1;
        uint8_t* to = out.scanlines.get() + y * packedStride;
        to[0] = PNG_FILTER_VALUE_NONE;
        for (size_t x = 0, j = 1; x < static_cast<size_t>(width); ++j) {
            unsigned byte = 0;
            for (size_t k = 0; k < perByte; ++k, ++x) {
                byte = (byte << bitDepth) | (x < static_cast<size_t>(width) ? from[x] : 0U);
            }
            to[j] = static_cast<uint8_t>(byte);
        }
    }
    out.stride = packedStride;
    out.bitDepth = bitDepth;
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

// The file around the indexed rows: header, palette, density, image data, end.
QByteArray palettePng(const QImage& image, const Indexed& indexed) {
    QByteArray header;
    appendBigEndian32(header, static_cast<uint32_t>(image.width()));
    appendBigEndian32(header, static_cast<uint32_t>(image.height()));
    header.append(static_cast<char>(indexed.bitDepth));
    header.append(static_cast<char>(PNG_COLOR_TYPE_PALETTE));
    header.append(3, '\0');  // deflate, adaptive filtering, no interlace
    QByteArray palette;
    for (const QRgb c : indexed.palette.colours()) {
        palette.append(static_cast<char>(qRed(c)));
        palette.append(static_cast<char>(qGreen(c)));
        palette.append(static_cast<char>(qBlue(c)));
    }
    const QByteArray data = deflateScanlines(indexed.scanlines.get(), indexed.stride,
                                             static_cast<size_t>(image.height()));
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(data.size() + palette.size() + 128);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "PLTE", palette);
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
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        Indexed indexed;
        if (indexRows(rgb, indexed)) {
            const int depth = bitDepthFor(indexed.palette.colours().size());
            if (depth < 8) {
                packRows(indexed, rgb.width(), rgb.height(), depth);
            }
            return palettePng(rgb, indexed);
        }
    }
    return samplesPng(image);
}

}  // namespace strikon
