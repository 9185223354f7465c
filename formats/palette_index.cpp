#include "formats/palette_index.h"

#include <array>
#include <cstring>

#include "formats/exact_palette.h"

namespace strikon {

namespace {

// One row's indices, one byte a pixel; false when a colour no longer fits the palette.
bool indexRow(const QRgb* in, size_t width, ExactPalette& palette, uint8_t* out) {
    QRgb last = in[0];
    int index = palette.indexOf(last);
    for (size_t x = 0; x < width && index >= 0; ++x) {
        if (in[x] != last) {
            last = in[x];
            index = palette.indexOf(last);
        }
        out[x] = static_cast<uint8_t>(index);
    }
    return index >= 0;
}

// Whole bytes first, each of 8 / Bits pixels, then the part-filled last one.
template <int Bits>
void pack(const uint8_t* from, size_t width, uint8_t* to) {
    constexpr size_t kPerByte = 8 / Bits;
    size_t x = 0;
    for (; x + kPerByte <= width; x += kPerByte) {
        unsigned byte = 0;
        for (size_t k = 0; k < kPerByte; ++k) {
            byte = (byte << Bits) | from[x + k];
        }
        *to++ = static_cast<uint8_t>(byte);
    }
    if (x < width) {
        unsigned byte = 0;
        for (size_t k = 0; k < kPerByte; ++k, ++x) {
            byte = (byte << Bits) | (x < width ? from[x] : 0U);
        }
        *to = static_cast<uint8_t>(byte);
    }
}

}  // namespace

int paletteBitsFor(size_t colours) {
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

std::optional<PaletteIndex> PaletteIndex::of(const QImage& image) {
    if (image.format() == QImage::Format_Indexed8 && !image.hasAlphaChannel()) {
        if (auto index = ofIndexed(image)) {
            return index;
        }
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);  // no copy when it is
    PaletteIndex out;
    out.width_ = rgb.width();
    const auto width = static_cast<size_t>(rgb.width());
    out.rowAt_.reserve(static_cast<size_t>(rgb.height()));
    ExactPalette palette;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        if (y > 0 && std::memcmp(in, rgb.constScanLine(y - 1), width * sizeof(QRgb)) == 0) {
            out.rowAt_.push_back(out.rowAt_.back());
            continue;
        }
        const size_t at = out.indices_.size();
        out.indices_.resize(at + width);
        if (!indexRow(in, width, palette, out.indices_.data() + at)) {
            return std::nullopt;
        }
        out.rowAt_.push_back(at);
    }
    out.colours_ = palette.takeColours();
    return out;
}

// The picture's own indices renumbered in the order their colours first appear, so that it is
// written exactly as the same picture in RGB32 would be: entries never used drop out, and two
// entries of one colour become one. Nothing when an index lies past the colour table.
std::optional<PaletteIndex> PaletteIndex::ofIndexed(const QImage& indexed) {
    const QList<QRgb> table = indexed.colorTable();
    std::array<int, kMaxPaletteColours> renumbered;
    renumbered.fill(-1);
    ExactPalette palette;
    PaletteIndex out;
    out.width_ = indexed.width();
    const auto width = static_cast<size_t>(indexed.width());
    out.rowAt_.reserve(static_cast<size_t>(indexed.height()));
    for (int y = 0; y < indexed.height(); ++y) {
        const uint8_t* in = indexed.constScanLine(y);
        if (y > 0 && std::memcmp(in, indexed.constScanLine(y - 1), width) == 0) {
            out.rowAt_.push_back(out.rowAt_.back());
            continue;
        }
        const size_t at = out.indices_.size();
        out.indices_.resize(at + width);
        uint8_t* to = out.indices_.data() + at;
        for (size_t x = 0; x < width; ++x) {
            int& index = renumbered[in[x]];
            if (index < 0) {
                if (in[x] >= table.size()) {
                    return std::nullopt;
                }
                index = palette.indexOf(table[in[x]] | 0xFF000000U);  // 256 colours at most
            }
            to[x] = static_cast<uint8_t>(index);
        }
        out.rowAt_.push_back(at);
    }
    out.colours_ = palette.takeColours();
    return out;
}

void PaletteIndex::packRow(int y, int bits, uint8_t* out) const {
    const uint8_t* from = indices_.data() + rowAt_[static_cast<size_t>(y)];
    const auto width = static_cast<size_t>(width_);
    switch (bits) {
        case 1:
            return pack<1>(from, width, out);
        case 2:
            return pack<2>(from, width, out);
        case 4:
            return pack<4>(from, width, out);
        default:
            std::memcpy(out, from, width);
    }
}

}  // namespace strikon
