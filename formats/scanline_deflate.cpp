#include "formats/scanline_deflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace strikon {

namespace {

// Deflate's limits (RFC 1951): matches of 3 to 258 bytes, reaching at most 32,768 bytes back.
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 258;
constexpr size_t kMaxDistance = 32768;

// A code as it goes into the stream: its bits, first bit lowest, and how many there are.
struct Code {
    uint32_t bits = 0;
    uint32_t length = 0;
};

// Huffman codes are sent from their highest bit down; the stream fills bytes from the lowest.
constexpr uint32_t reversed(uint32_t code, uint32_t length) {
    uint32_t r = 0;
    for (uint32_t i = 0; i < length; ++i) {
        r = (r << 1) | ((code >> i) & 1U);
    }
    return r;
}

// The fixed literal/length code of symbol s (RFC 1951, 3.2.6).
constexpr Code fixedSymbol(uint32_t s) {
    if (s < 144) {
        return {reversed(0x30 + s, 8), 8};
    }
    if (s < 256) {
        return {reversed(0x190 + s - 144, 9), 9};
    }
    if (s < 280) {
        return {reversed(s - 256, 7), 7};
    }
    return {reversed(0xC0 + s - 280, 8), 8};
}

// Literal bytes and the end-of-block symbol.
constexpr std::array<Code, 257> kSymbolCodes = [] {
    std::array<Code, 257> codes{};
    for (uint32_t s = 0; s < codes.size(); ++s) {
        codes[s] = fixedSymbol(s);
    }
    return codes;
}();

// Length symbols 257..285: the shortest length of each and its count of extra bits.
constexpr std::array<uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
// Distance codes 0..29, likewise; each is five bits in the fixed code.
constexpr std::array<uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                    4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                    9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Symbol and extra bits of each match length, as one code.
constexpr std::array<Code, kMaxMatch + 1> kLengthCodes = [] {
    std::array<Code, kMaxMatch + 1> codes{};
    for (size_t i = 0; i < kLengthBase.size(); ++i) {
        const size_t last = i + 1 < kLengthBase.size() ? kLengthBase[i + 1] - 1U : kMaxMatch;
        for (size_t len = kLengthBase[i]; len <= last; ++len) {
            const Code symbol = fixedSymbol(static_cast<uint32_t>(257 + i));
            codes[len] = {symbol.bits | static_cast<uint32_t>(len - kLengthBase[i])
                                            << symbol.length,
                          symbol.length + kLengthExtra[i]};
        }
    }
    return codes;
}();

Code distanceCode(size_t distance) {
    size_t i = kDistanceBase.size() - 1;
    while (kDistanceBase[i] > distance) {
        --i;
    }
    return {reversed(static_cast<uint32_t>(i), 5) |
                static_cast<uint32_t>(distance - kDistanceBase[i]) << 5,
            5U + kDistanceExtra[i]};
}

// Bits into bytes, lowest first, into a buffer sized for the worst case beforehand.
class BitWriter {
  public:
    explicit BitWriter(uint8_t* out) : out_(out) {}

    void put(Code c) {
        pending_ |= uint64_t{c.bits} << count_;
        count_ += c.length;
        if (count_ >= 32) {
            for (int i = 0; i < 4; ++i) {
                *out_++ = static_cast<uint8_t>(pending_ >> (8 * i));
            }
            pending_ >>= 32;
            count_ -= 32;
        }
    }

    // Pads the last byte with zeros; returns the end of what was written.
    uint8_t* finish() {
        while (count_ > 0) {
            *out_++ = static_cast<uint8_t>(pending_);
            pending_ >>= 8;
            count_ = count_ > 8 ? count_ - 8 : 0;
        }
        return out_;
    }

  private:
    uint8_t* out_;
    uint64_t pending_ = 0;
    uint32_t count_ = 0;
};

uint64_t load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// How many bytes from p on equal those `distance` bytes before them, up to `limit`.
size_t matchLength(const uint8_t* p, size_t distance, size_t limit) {
    const uint8_t* q = p - distance;
    size_t n = 0;
    for (; n + 8 <= limit; n += 8) {
        if (const uint64_t diff = load64(p + n) ^ load64(q + n); diff != 0) {
            // Little-endian: the lowest differing byte is the first that differs.
            return n + static_cast<size_t>(std::countr_zero(diff)) / 8;
        }
    }
    while (n < limit && p[n] == q[n]) {
        ++n;
    }
    return n;
}

// Codes `length` bytes (at least kMinMatch) as copies from `distance` back, in matches of the
// lengths deflate allows.
void putCopies(BitWriter& bits, size_t length, Code distance) {
    while (length > 0) {
        size_t n = std::min(length, kMaxMatch);
        if (length - n != 0 && length - n < kMinMatch) {
            n = length - kMinMatch;  // leave the last match its minimum
        }
        bits.put(kLengthCodes[n]);
        bits.put(distance);
        length -= n;
    }
}

class RowCoder {
  public:
    RowCoder(const uint8_t* data, size_t stride)
        : data_(data),
          stride_(stride),
          rowAbove_(stride <= kMaxDistance && stride >= kMinMatch),
          runDistance_(distanceCode(1)),
          aboveDistance_(rowAbove_ ? distanceCode(stride) : Code{}) {}

    // Codes the row and any after it that repeat it; returns how many rows that was.
    size_t code(BitWriter& bits, size_t row, size_t rows) const {
        const uint8_t* line = data_ + row * stride_;
        size_t same = 0;
        while (rowAbove_ && row + same < rows && row + same > 0 &&
               std::memcmp(line + same * stride_, line + (same - 1) * stride_, stride_) == 0) {
            ++same;
        }
        if (same > 0) {
            putCopies(bits, same * stride_, aboveDistance_);
            return same;
        }
        codeChanged(bits, row);
        return 1;
    }

  private:
    // A row unlike the one above: copies of parts of it, runs, and literals. Nothing reaches
    // past the row's end, so the next row starts on its own.
    void codeChanged(BitWriter& bits, size_t row) const {
        const size_t end = (row + 1) * stride_;
        for (size_t p = row * stride_; p < end;) {
            const size_t limit = std::min(kMaxMatch, end - p);
            const size_t run = p >= 1 ? matchLength(data_ + p, 1, limit) : 0;
            const size_t above = rowAbove_ && row > 0 ? matchLength(data_ + p, stride_, limit) : 0;
            // A run's distance needs no extra bits, so it wins a tie.
            if (run >= kMinMatch && run >= above) {
                bits.put(kLengthCodes[run]);
                bits.put(runDistance_);
                p += run;
            } else if (above >= kMinMatch) {
                bits.put(kLengthCodes[above]);
                bits.put(aboveDistance_);
                p += above;
            } else {
                bits.put(kSymbolCodes[data_[p]]);
                ++p;
            }
        }
    }

    const uint8_t* data_;
    size_t stride_;
    bool rowAbove_;
    Code runDistance_;
    Code aboveDistance_;
};

void putBigEndian32(uint8_t* out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    }
}

}  // namespace

QByteArray deflateScanlines(const uint8_t* data, size_t stride, size_t rows) {
    const size_t size = stride * rows;
    // A literal costs at most 9 bits, a match less per byte it covers; then the block's end,
    // the zlib header and the checksum.
    QByteArray stream(static_cast<qsizetype>(size + size / 8 + 16), Qt::Uninitialized);
    auto* out = reinterpret_cast<uint8_t*>(stream.data());
    out[0] = 0x78;  // deflate, 32 kB window
    out[1] = 0x01;  // fastest compression; 0x7801 is a multiple of 31, as the header must be
    BitWriter bits(out + 2);
    bits.put({0b011, 3});  // the final block, fixed codes

    const RowCoder coder(data, stride);
    for (size_t row = 0; row < rows;) {
        row += coder.code(bits, row, rows);
    }
    bits.put(kSymbolCodes[256]);  // end of block
    uint8_t* end = bits.finish();
    putBigEndian32(end, libdeflate_adler32(1, data, size));
    stream.resize(static_cast<qsizetype>(end + 4 - out));
    return stream;
}

}  // namespace strikon
