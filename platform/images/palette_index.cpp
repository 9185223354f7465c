#include "platform/images/palette_index.h"

#include <array>
#include <cstring>

namespace strikon {

namespace {

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

    std::vector<QRgb> takeColours() { return std::move(colours_); }

  private:
    static constexpr uint32_t kSlotBits = 9;  // twice the palette, so probes stay short
    static constexpr uint32_t kSlots = 1U << kSlotBits;
    static constexpr uint16_t kEmpty = 0xFFFF;
    std::array<uint16_t, kSlots> slots_;
    std::vector<QRgb> colours_;
};

// One row's indices, one byte a pixel; false when a colour no longer fits the palette.
bool indexRow(const QRgb* in, size_t width, Palette& palette, uint8_t* out) {
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

std::optional<PaletteIndex> PaletteIndex::of(const QImage& rgb) {
    PaletteIndex out;
    out.width_ = rgb.width();
    const auto width = static_cast<size_t>(rgb.width());
    const auto height = static_cast<size_t>(rgb.height());
    out.rowAt_.reserve(height);
    Palette palette;
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
