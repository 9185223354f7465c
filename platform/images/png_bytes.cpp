#include "platform/images/png_bytes.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <vector>

namespace strikon {

namespace {

constexpr size_t kMaxPaletteColours = 256;

// Each pixel's index into `colours`, in the order the colours first appear; false when the
// picture holds more colours than a palette does (no colour is ever approximated).
bool indexPixels(const QImage& rgb, std::vector<QRgb>& colours, std::vector<png_byte>& indices) {
    const int width = rgb.width();
    const int height = rgb.height();
    indices.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    png_byte* out = indices.data();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        int x = 0;
        while (x < width) {
            // Runs of one colour are the rule (bars, quiet zones); a symbol holds few colours,
            // so a short search beats a hash.
            const QRgb colour = in[x];
            size_t i = 0;
            while (i < colours.size() && colours[i] != colour) {
                ++i;
            }
            if (i == colours.size()) {
                if (i == kMaxPaletteColours) {
                    return false;
                }
                colours.push_back(colour);
            }
            const auto index = static_cast<png_byte>(i);
            do {
                *out++ = index;
                ++x;
            } while (x < width && in[x] == colour);
        }
    }
    return true;
}

int bitDepthFor(size_t colours) {
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<QByteArray*>(png_get_io_ptr(png));
    bytes->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void flushNothing(png_structp) {}

// The rows to write: palette indices (packed by libpng) or 8-bit RGB(A) samples.
struct Pixels {
    int colourType = PNG_COLOR_TYPE_PALETTE;
    int bitDepth = 8;
    std::vector<png_color> palette;
    std::vector<png_byte> indices;  // palette pictures: one byte per pixel
    QImage samples;                 // other pictures: RGB888 or RGBA8888
    size_t rowBytes = 0;

    const png_byte* row(int y) const {
        return samples.isNull() ? indices.data() + static_cast<size_t>(y) * rowBytes
                                : samples.constScanLine(y);
    }
};

Pixels pixelsOf(const QImage& image) {
    Pixels p;
    const bool alpha = image.hasAlphaChannel();
    std::vector<QRgb> colours;
    if (!alpha && indexPixels(image.convertToFormat(QImage::Format_RGB32), colours, p.indices)) {
        p.bitDepth = bitDepthFor(colours.size());
        for (const QRgb c : colours) {
            p.palette.push_back({static_cast<png_byte>(qRed(c)), static_cast<png_byte>(qGreen(c)),
                                 static_cast<png_byte>(qBlue(c))});
        }
        p.rowBytes = static_cast<size_t>(image.width());
        return p;
    }
    p.indices.clear();
    p.colourType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    p.samples = image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    return p;
}

// Everything libpng touches lives outside this function, so a longjmp out of libpng leaves
// nothing unreleased behind it.
bool encode(png_structp png, png_infop info, const QImage& image, const Pixels& p,
            QByteArray& bytes) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, &bytes, appendBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()),
                 static_cast<png_uint_32>(image.height()), p.bitDepth, p.colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (p.colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, p.palette.data(), static_cast<int>(p.palette.size()));
    }
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        png_set_pHYs(png, info, static_cast<png_uint_32>(image.dotsPerMeterX()),
                     static_cast<png_uint_32>(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
    }
    // Bars run the full height, so most rows repeat the one above: the Up filter turns them
    // into zeros and run-length deflate packs those into a few bytes, many times faster than
    // the default search for matches and no larger for these pictures.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_strategy(png, Z_RLE);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    if (p.bitDepth < 8) {
        png_set_packing(png);
    }
    for (int y = 0; y < image.height(); ++y) {
        png_write_row(png, p.row(y));
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

QByteArray pngBytes(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    const Pixels pixels = pixelsOf(image);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return {};
    }
    png_infop info = png_create_info_struct(png);
    QByteArray bytes;
    const bool ok = info != nullptr && encode(png, info, image, pixels, bytes);
    png_destroy_write_struct(&png, &info);
    return ok ? bytes : QByteArray();
}

}  // namespace strikon
