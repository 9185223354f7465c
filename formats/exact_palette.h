#pragma once
// Colours to palette indices in the order they are first asked for, up to the 256 an 8-bit
// picture can tell apart. No colour is ever approximated: once the palette is full, a new
// colour is refused. A symbol has few colours, so lookups are short and most are answered by
// the colour asked for just before.

#include <QRgb>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace strikon {

inline constexpr size_t kMaxPaletteColours = 256;

class ExactPalette {
  public:
    ExactPalette() { slots_.fill(kEmpty); }

    // The colour's index, or -1 when it is new and the palette is full.
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
    std::vector<QRgb> takeColours() { return std::move(colours_); }

  private:
    static constexpr uint32_t kSlotBits = 9;  // twice the palette, so probes stay short
    static constexpr uint32_t kSlots = 1U << kSlotBits;
    static constexpr uint16_t kEmpty = 0xFFFF;
    std::array<uint16_t, kSlots> slots_;
    std::vector<QRgb> colours_;
};

}  // namespace strikon
