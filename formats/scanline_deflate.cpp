#include "formats/scanline_deflate.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

namespace strikon {

namespace {

// Deflate's limits (RFC 1951): matches of 3 to 258 bytes, reaching at most 32,768 bytes back.
constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 258;
constexpr size_t kMaxDistance = 32768;

constexpr size_t kLiteralLengthSymbols = 286;  // 0-255 bytes, 256 end of block, 257-285 lengths
constexpr size_t kDistanceSymbols = 30;
constexpr uint32_t kEndOfBlock = 256;
constexpr uint32_t kMaxCodeLength = 15;
constexpr uint32_t kMaxCodeLengthCodeLength = 7;

// A code as it goes into the stream: its bits, first bit lowest, and how many there are.
struct Code {
    uint32_t bits = 0;
    uint32_t length = 0;
};

// Huffman codes are sent from their highest bit down; the stream fills bytes from the lowest.
constexpr std::array<uint8_t, 256> kReversedByte = [] {
    std::array<uint8_t, 256> table{};
    for (uint32_t b = 0; b < 256; ++b) {
        uint32_t r = 0;
        for (uint32_t i = 0; i < 8; ++i) {
            r = (r << 1) | ((b >> i) & 1U);
        }
        table[b] = static_cast<uint8_t>(r);
    }
    return table;
}();

// A code of at most 16 bits, its `length` bits in the opposite order.
constexpr uint32_t reversed(uint32_t code, uint32_t length) {
    const uint32_t r =
        uint32_t{kReversedByte[code & 0xFF]} << 8 | kReversedByte[(code >> 8) & 0xFF];
    return r >> (16 - length);
}

// Length symbols 257..285: the shortest length of each and its count of extra bits.
constexpr std::array<uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
// Distance codes 0..29, likewise.
constexpr std::array<uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                    4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                    9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// The length symbol's place (0..28) of every match length.
constexpr std::array<uint8_t, kMaxMatch + 1> kLengthSlot = [] {
    std::array<uint8_t, kMaxMatch + 1> table{};
    for (size_t i = 0; i < kLengthBase.size(); ++i) {
        const size_t last = i + 1 < kLengthBase.size() ? kLengthBase[i + 1] - 1U : kMaxMatch;
        for (size_t len = kLengthBase[i]; len <= last; ++len) {
            table[len] = static_cast<uint8_t>(i);
        }
    }
    return table;
}();

// The distance code of distances 1..256 by distance - 1, and of longer ones by (distance - 1)
// / 128 (every code past 256 spans a multiple of 128).
constexpr std::array<uint8_t, 512> kDistanceSlot = [] {
    std::array<uint8_t, 512> table{};
    for (uint32_t d = 1; d <= 256; ++d) {
        size_t c = 0;
        while (c + 1 < kDistanceBase.size() && kDistanceBase[c + 1] <= d) {
            ++c;
        }
        table[d - 1] = static_cast<uint8_t>(c);
    }
    for (uint32_t k = 2; k < 256; ++k) {
        const uint32_t d = k * 128 + 1;
        size_t c = 0;
        while (c + 1 < kDistanceBase.size() && kDistanceBase[c + 1] <= d) {
            ++c;
        }
        table[256 + k] = static_cast<uint8_t>(c);
    }
    return table;
}();

uint32_t distanceSlot(uint32_t distance) {
    return distance <= 256 ? kDistanceSlot[distance - 1]
                           : kDistanceSlot[256 + ((distance - 1) >> 7)];
}

// One coded item: a literal byte (below 256), a match as length << 16 | distance, or, as
// 1 << 16 | count, that many matches of the longest length from a row up (a stretch of
// repeated rows in one item).
using Token = uint32_t;
constexpr Token kLongCopies = Token{1} << 16;

constexpr Token matchToken(size_t length, size_t distance) {
    return static_cast<Token>(length << 16 | distance);
}

// Bits into bytes, lowest first, into a buffer sized for the stream beforehand.
class BitWriter {
  public:
    // Appends to `out`.
    explicit BitWriter(QByteArray& out) : out_(out), at_(static_cast<size_t>(out.size())) {}

    // Room for `bits` more bits (and the whole word a flush stores).
    void reserve(uint64_t bits) {
        const auto need = static_cast<qsizetype>(at_ + (count_ + bits + 7) / 8 + 16);
        if (out_.size() < need) {
            out_.resize(std::max(need, 2 * out_.size()));
        }
        base_ = reinterpret_cast<uint8_t*>(out_.data());
    }

    // At most 57 bits since the last flush.
    void put(uint32_t bits, uint32_t length) {
        pending_ |= uint64_t{bits} << count_;
        count_ += length;
    }
    void put(Code c) { put(c.bits, c.length); }

    // Stores the whole bytes pending, without a branch on how many there are.
    void flush() {
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(base_ + at_, &pending_, 8);
        } else {
            for (size_t i = 0; i < 8; ++i) {
                base_[at_ + i] = static_cast<uint8_t>(pending_ >> (8 * i));
            }
        }
        const uint32_t whole = count_ / 8;
        at_ += whole;
        pending_ = whole == 8 ? 0 : pending_ >> (8 * whole);
        count_ -= 8 * whole;
    }

    // Pads the last byte with zeros and ends the bytes there.
    void finish() {
        reserve(0);
        flush();
        if (count_ > 0) {
            base_[at_++] = static_cast<uint8_t>(pending_);
        }
        out_.resize(static_cast<qsizetype>(at_));
    }

  private:
    QByteArray& out_;
    uint8_t* base_ = nullptr;
    size_t at_;
    uint64_t pending_ = 0;
    uint32_t count_ = 0;  // bits pending, below 8 after a flush
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

// How often each symbol occurs in a stretch of tokens.
struct SymbolCounts {
    std::array<uint32_t, kLiteralLengthSymbols> literal{};
    std::array<uint32_t, kDistanceSymbols> distance{};
};

// The tokens of the scanlines, made from the top down. Rows that repeat the row above are one
// long copy from a row up. In other rows each position is searched for the longest of a run
// of the byte before, a copy of the bytes a row up, and a copy of an earlier stretch of the
// rows searched (the digits: one glyph's pixels recur where the same digit is drawn again);
// a match is taken unless the next position starts a longer one.
class Tokenizer {
  public:
    Tokenizer(const uint8_t* data, size_t stride, size_t rows, std::vector<Token>& out,
              SymbolCounts& counts)
        : data_(data),
          stride_(stride),
          size_(stride * rows),
          rowAbove_(stride <= kMaxDistance && stride >= kMinMatch),
          out_(out),
          counts_(&counts),
          head_(kHashSize, kNone),
          chain_(std::make_unique_for_overwrite<uint32_t[]>(kSearchWindow)) {}

    // Rows from where the tokens end up to `endRow`, each the same as the row above.
    void repeatsUpTo(size_t endRow) {
        const size_t end = endRow * stride_;
        if (!rowAbove_ || pos_ < stride_) {  // nothing to copy from: searched instead
            return searchUpTo(endRow);
        }
        if (pos_ >= end) {
            return;
        }
        size_t length = end - pos_;
        if (const size_t whole = (length - kMinMatch) / kMaxMatch;
            length >= kMinMatch && whole > 0) {
            for (size_t left = whole; left > 0;) {
                const size_t n = std::min<size_t>(left, 0xFFFF);
                out_.push_back(static_cast<Token>(kLongCopies | n));
                counts_->literal[257 + kLengthSlot[kMaxMatch]] += static_cast<uint32_t>(n);
                counts_->distance[distanceSlot(static_cast<uint32_t>(stride_))] +=
                    static_cast<uint32_t>(n);
                left -= n;
            }
            length -= whole * kMaxMatch;
        }
        for (; length >= kMinMatch;) {
            size_t n = std::min(length, kMaxMatch);
            if (length - n != 0 && length - n < kMinMatch) {
                n = length - kMinMatch;  // leave the last match its minimum
            }
            putMatch(n, stride_);
            length -= n;
        }
        pos_ = end - length;
        searchUpTo(endRow);  // a byte or two a copy leaves
    }

    void searchUpTo(size_t endRow) {
        const size_t end = endRow * stride_;
        if (pos_ >= end) {
            return;
        }
        Match m = find(pos_);
        while (pos_ < end) {
            if (m.length < kMinMatch) {
                putLiteral(data_[pos_]);
            } else if (m.length < kLazyBelow && pos_ + 1 < end) {
                // A short match is put off by a byte where a longer one starts there.
                const Match later = find(pos_ + 1);
                if (later.length > m.length) {
                    putLiteral(data_[pos_]);
                    ++pos_;
                    m = later;
                    continue;
                }
                putMatch(m.length, m.distance);
                pos_ += m.length - 1;
            } else {
                putMatch(m.length, m.distance);
                pos_ += m.length - 1;
            }
            if (++pos_ < end) {
                m = find(pos_);
            }
        }
    }

  private:
    struct Match {
        size_t length = 0;
        size_t distance = 0;
    };

    static constexpr size_t kHashBits = 12;
    // How far back the search reaches: a score of rows, where the digits' glyphs recur, in
    // tables small enough to be made anew for every picture without cost.
    static constexpr size_t kSearchWindow = 8192;
    static constexpr size_t kHashSize = size_t{1} << kHashBits;
    static constexpr uint32_t kNone = UINT32_MAX;
    // Earlier places tried for a match: enough to find a digit drawn again, few enough that
    // the rows through the digits cost little more than reading them.
    static constexpr int kChainDepth = 8;
    // Places that start a run or a copy from a row up are neither searched nor remembered: the
    // search is for the digits' pixels, where those fail.
    static constexpr size_t kSearchBelow = 3;
    static constexpr size_t kLazyBelow = 8;
    // A three-byte match further back costs more than its literals.
    static constexpr size_t kShortMatchReach = 4096;

    void putLiteral(uint8_t byte) {
        out_.push_back(byte);
        ++counts_->literal[byte];
    }

    void putMatch(size_t length, size_t distance) {
        out_.push_back(matchToken(length, distance));
        ++counts_->literal[257 + kLengthSlot[length]];
        ++counts_->distance[distanceSlot(static_cast<uint32_t>(distance))];
    }

    size_t hashAt(size_t p) const {
        const uint32_t v =
            uint32_t{data_[p]} | uint32_t{data_[p + 1]} << 8 | uint32_t{data_[p + 2]} << 16;
        return (v * 0x9E3779B1U) >> (32 - kHashBits);
    }

    // The longest match at p, which then joins the places searched.
    Match find(size_t p) {
        const size_t limit = std::min(kMaxMatch, size_ - p);
        Match best;
        if (p >= 1) {
            best = {matchLength(data_ + p, 1, limit), 1};
        }
        if (rowAbove_ && p >= stride_ && best.length < limit) {
            if (const size_t above = matchLength(data_ + p, stride_, limit); above > best.length) {
                best = {above, stride_};
            }
        }
        if (kChainDepth == 0 || p + kMinMatch > size_ || best.length >= kSearchBelow) {
            return best;
        }
        const size_t h = hashAt(p);
        uint32_t at = head_[h];
        for (int tries = 0; tries < kChainDepth && best.length < limit && at != kNone && at < p &&
                            p - at <= kSearchWindow;
             ++tries) {
            const size_t d = p - at;
            if (data_[at + best.length] == data_[p + best.length]) {  // else it is no longer
                if (const size_t n = matchLength(data_ + p, d, limit);
                    n > best.length && (n > kMinMatch || d <= kShortMatchReach)) {
                    best = {n, d};
                }
            }
            const uint32_t next = chain_[at % kSearchWindow];
            if (next == kNone || next >= at) {
                break;
            }
            at = next;
        }
        chain_[p % kSearchWindow] = head_[h];
        head_[h] = static_cast<uint32_t>(p);
        return best;
    }

    const uint8_t* data_;
    size_t stride_;
    size_t size_;
    bool rowAbove_;
    std::vector<Token>& out_;
    SymbolCounts* counts_;
    size_t pos_ = 0;
    // Hash of three bytes -> the latest place searched where they start, and each place -> the
    // one before it with the same hash.
    std::vector<uint32_t> head_;
    std::unique_ptr<uint32_t[]> chain_;
};

// Code lengths of at most `limit` bits for symbols of the given counts (unused symbols get
// none). Where Huffman's lengths run longer, the counts are flattened until they fit.
template <size_t N>
std::array<uint8_t, N> codeLengths(const std::array<uint32_t, N>& counts, uint32_t limit) {
    std::array<uint8_t, N> lengths{};
    std::array<uint32_t, N> weights = counts;
    for (;;) {
        // Weight and symbol in one key, sorted by weight.
        std::array<uint64_t, N> order;
        size_t n = 0;
        for (size_t s = 0; s < N; ++s) {
            if (weights[s] > 0) {
                order[n++] = uint64_t{weights[s]} << 16 | s;
            }
        }
        if (n == 0) {
            return lengths;
        }
        if (n == 1) {
            lengths[order[0] & 0xFFFF] = 1;
            return lengths;
        }
        std::sort(order.begin(), order.begin() + n);
        // Moffat and Katajainen's in-place minimum-redundancy code over the sorted weights.
        std::array<uint32_t, N> a;
        for (size_t i = 0; i < n; ++i) {
            a[i] = static_cast<uint32_t>(order[i] >> 16);
        }
        a[0] += a[1];
        size_t root = 0;
        size_t leaf = 2;
        for (size_t next = 1; next < n - 1; ++next) {
            if (leaf >= n || a[root] < a[leaf]) {
                a[next] = a[root];
                a[root++] = static_cast<uint32_t>(next);
            } else {
                a[next] = a[leaf++];
            }
            if (leaf >= n || (root < next && a[root] < a[leaf])) {
                a[next] += a[root];
                a[root++] = static_cast<uint32_t>(next);
            } else {
                a[next] += a[leaf++];
            }
        }
        a[n - 2] = 0;
        for (size_t next = n - 2; next-- > 0;) {
            a[next] = a[a[next]] + 1;
        }
        int available = 1;
        int used = 0;
        uint32_t depth = 0;
        ptrdiff_t r = static_cast<ptrdiff_t>(n) - 2;
        ptrdiff_t next = static_cast<ptrdiff_t>(n) - 1;
        while (available > 0) {
            while (r >= 0 && a[static_cast<size_t>(r)] == depth) {
                ++used;
                --r;
            }
            while (available > used) {
                a[static_cast<size_t>(next--)] = depth;
                --available;
            }
            available = 2 * used;
            ++depth;
            used = 0;
        }
        if (a[0] <= limit) {  // the rarest symbol has the longest code
            for (size_t i = 0; i < n; ++i) {
                lengths[order[i] & 0xFFFF] = static_cast<uint8_t>(a[i]);
            }
            return lengths;
        }
        for (uint32_t& w : weights) {
            w = w == 0 ? 0 : (w + 1) / 2;
        }
    }
}

// Canonical codes of the lengths (RFC 1951, 3.2.2), bit-reversed for the stream.
template <size_t N>
std::array<Code, N> canonicalCodes(const std::array<uint8_t, N>& lengths) {
    std::array<uint32_t, kMaxCodeLength + 2> count{};
    for (const uint8_t l : lengths) {
        ++count[l];
    }
    count[0] = 0;
    std::array<uint32_t, kMaxCodeLength + 2> next{};
    uint32_t code = 0;
    for (size_t bits = 1; bits <= kMaxCodeLength; ++bits) {
        code = (code + count[bits - 1]) << 1;
        next[bits] = code;
    }
    std::array<Code, N> codes{};
    for (size_t s = 0; s < N; ++s) {
        if (lengths[s] != 0) {
            codes[s] = {reversed(next[lengths[s]]++, lengths[s]), lengths[s]};
        }
    }
    return codes;
}

// The fixed codes (RFC 1951, 3.2.6).
constexpr std::array<uint8_t, kLiteralLengthSymbols> kFixedLiteralLengths = [] {
    std::array<uint8_t, kLiteralLengthSymbols> l{};
    for (size_t s = 0; s < l.size(); ++s) {
        l[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    }
    return l;
}();
constexpr std::array<uint8_t, kDistanceSymbols> kFixedDistanceLengths = [] {
    std::array<uint8_t, kDistanceSymbols> l{};
    l.fill(5);
    return l;
}();

// The fixed literal/length codes themselves: canonical over all 288 symbols of the fixed code,
// two of which never occur, so not what canonicalCodes() makes of the 286 that do.
constexpr std::array<Code, kLiteralLengthSymbols> kFixedLiteralCodes = [] {
    std::array<Code, kLiteralLengthSymbols> codes{};
    for (uint32_t s = 0; s < codes.size(); ++s) {
        codes[s] = s < 144   ? Code{reversed(0x30 + s, 8), 8}
                   : s < 256 ? Code{reversed(0x190 + s - 144, 9), 9}
                   : s < 280 ? Code{reversed(s - 256, 7), 7}
                             : Code{reversed(0xC0 + s - 280, 8), 8};
    }
    return codes;
}();

// The order in which a dynamic block sends the code lengths of its code-length code.
constexpr std::array<uint8_t, 19> kCodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                      11, 4,  12, 3, 13, 2, 14, 1, 15};

// A dynamic block's header: its two codes' lengths, run-length coded with the code-length
// code. `items` are the code-length symbols (0..18) with their extra bits' value above bit 8.
struct DynamicHeader {
    size_t literalCount = 257;
    size_t distanceCount = 1;
    std::array<uint32_t, kLiteralLengthSymbols + kDistanceSymbols> items;
    size_t itemCount = 0;
    std::array<uint8_t, 19> lengths{};
    std::array<Code, 19> codes{};
    size_t sentLengths = 4;
    uint64_t bits = 0;
};

DynamicHeader dynamicHeader(const std::array<uint8_t, kLiteralLengthSymbols>& literal,
                            const std::array<uint8_t, kDistanceSymbols>& distance) {
    DynamicHeader h;
    h.literalCount = kLiteralLengthSymbols;
    while (h.literalCount > 257 && literal[h.literalCount - 1] == 0) {
        --h.literalCount;
    }
    h.distanceCount = kDistanceSymbols;
    while (h.distanceCount > 1 && distance[h.distanceCount - 1] == 0) {
        --h.distanceCount;
    }
    std::array<uint8_t, kLiteralLengthSymbols + kDistanceSymbols> all;
    std::copy_n(literal.begin(), h.literalCount, all.begin());
    std::copy_n(distance.begin(), h.distanceCount, all.begin() + h.literalCount);
    const size_t allCount = h.literalCount + h.distanceCount;
    const auto push = [&h](uint32_t item) { h.items[h.itemCount++] = item; };
    std::array<uint32_t, 19> counts{};
    for (size_t i = 0; i < allCount;) {
        const uint8_t l = all[i];
        size_t run = 1;
        while (i + run < allCount && all[i + run] == l) {
            ++run;
        }
        if (l == 0 && run >= 3) {
            const size_t n = std::min<size_t>(run, 138);
            push(n <= 10 ? 17U | static_cast<uint32_t>(n - 3) << 8
                         : 18U | static_cast<uint32_t>(n - 11) << 8);
            i += n;
        } else if (l != 0 && run >= 4) {
            push(l);
            const size_t n = std::min<size_t>(run - 1, 6);
            push(16U | static_cast<uint32_t>(n - 3) << 8);
            i += 1 + n;
        } else {
            push(l);
            ++i;
        }
    }
    for (size_t i = 0; i < h.itemCount; ++i) {
        ++counts[h.items[i] & 0xFF];
    }
    h.lengths = codeLengths(counts, kMaxCodeLengthCodeLength);
    h.codes = canonicalCodes(h.lengths);
    h.sentLengths = 19;
    while (h.sentLengths > 4 && h.lengths[kCodeLengthOrder[h.sentLengths - 1]] == 0) {
        --h.sentLengths;
    }
    h.bits = 5 + 5 + 4 + 3 * h.sentLengths;
    for (size_t i = 0; i < h.itemCount; ++i) {
        const uint32_t item = h.items[i];
        const uint32_t s = item & 0xFF;
        h.bits += h.lengths[s] + (s == 16 ? 2 : s == 17 ? 3 : s == 18 ? 7 : 0);
    }
    return h;
}

void putHeader(BitWriter& bits, const DynamicHeader& h) {
    bits.put(static_cast<uint32_t>(h.literalCount - 257), 5);
    bits.put(static_cast<uint32_t>(h.distanceCount - 1), 5);
    bits.put(static_cast<uint32_t>(h.sentLengths - 4), 4);
    bits.flush();
    for (size_t i = 0; i < h.sentLengths; ++i) {
        bits.put(h.lengths[kCodeLengthOrder[i]], 3);
        bits.flush();
    }
    for (size_t i = 0; i < h.itemCount; ++i) {
        const uint32_t item = h.items[i];
        const uint32_t s = item & 0xFF;
        bits.put(h.codes[s]);
        if (s >= 16) {
            bits.put(item >> 8, s == 16 ? 2 : s == 17 ? 3 : 7);
        }
        bits.flush();
    }
}

// The tokens' bits under the codes of the given lengths, extra bits included.
uint64_t tokenBits(const std::array<uint32_t, kLiteralLengthSymbols>& literalCounts,
                   const std::array<uint32_t, kDistanceSymbols>& distanceCounts,
                   const std::array<uint8_t, kLiteralLengthSymbols>& literal,
                   const std::array<uint8_t, kDistanceSymbols>& distance) {
    uint64_t bits = 0;
    for (size_t s = 0; s < kLiteralLengthSymbols; ++s) {
        bits += uint64_t{literalCounts[s]} *
                (literal[s] + (s > kEndOfBlock ? kLengthExtra[s - 257] : 0U));
    }
    for (size_t s = 0; s < kDistanceSymbols; ++s) {
        bits += uint64_t{distanceCounts[s]} * (distance[s] + kDistanceExtra[s]);
    }
    return bits;
}

// One block's codes: the fixed ones, or its own where they and their header cost less.
struct BlockPlan {
    size_t begin = 0;  // tokens
    size_t end = 0;
    bool dynamic = false;
    std::array<uint8_t, kLiteralLengthSymbols> literalLengths{};
    std::array<uint8_t, kDistanceSymbols> distanceLengths{};
    DynamicHeader header;
    uint64_t bits = 0;  // after the block's first 3
};

BlockPlan planBlock(const SymbolCounts& counted, size_t begin, size_t end) {
    std::array<uint32_t, kLiteralLengthSymbols> literalCounts = counted.literal;
    std::array<uint32_t, kDistanceSymbols> distanceCounts = counted.distance;
    literalCounts[kEndOfBlock] = 1;
    // Two distance codes at least, so that the code is complete for every reader.
    for (size_t s = 0; s < 2; ++s) {
        distanceCounts[s] = std::max(distanceCounts[s], 1U);
    }
    BlockPlan plan;
    plan.begin = begin;
    plan.end = end;
    plan.literalLengths = codeLengths(literalCounts, kMaxCodeLength);
    plan.distanceLengths = codeLengths(distanceCounts, kMaxCodeLength);
    plan.header = dynamicHeader(plan.literalLengths, plan.distanceLengths);
    const uint64_t dynamicBits =
        plan.header.bits +
        tokenBits(literalCounts, distanceCounts, plan.literalLengths, plan.distanceLengths);
    const uint64_t fixedBits =
        tokenBits(literalCounts, distanceCounts, kFixedLiteralLengths, kFixedDistanceLengths);
    plan.dynamic = dynamicBits < fixedBits;
    plan.bits = plan.dynamic ? dynamicBits : fixedBits;
    if (!plan.dynamic) {
        plan.literalLengths = kFixedLiteralLengths;
        plan.distanceLengths = kFixedDistanceLengths;
    }
    return plan;
}

void putBlock(BitWriter& bits, const std::vector<Token>& tokens, const BlockPlan& plan, bool last,
              size_t stride) {
    bits.put((last ? 1U : 0U) | (plan.dynamic ? 2U : 1U) << 1, 3);
    bits.flush();
    if (plan.dynamic) {
        putHeader(bits, plan.header);
    }
    const auto literal = plan.dynamic ? canonicalCodes(plan.literalLengths) : kFixedLiteralCodes;
    const auto distance = canonicalCodes(plan.distanceLengths);
    // Each length's symbol and extra bits as one code.
    std::array<Code, kMaxMatch + 1> lengthCodes;
    for (size_t length = kMinMatch; length <= kMaxMatch; ++length) {
        const uint32_t slot = kLengthSlot[length];
        const Code symbol = literal[257 + slot];
        lengthCodes[length] = {symbol.bits | static_cast<uint32_t>(length - kLengthBase[slot])
                                                 << symbol.length,
                               symbol.length + kLengthExtra[slot]};
    }
    const auto distanceCode = [&distance](uint32_t d) {
        const uint32_t slot = distanceSlot(d);
        const Code symbol = distance[slot];
        return Code{symbol.bits | (d - kDistanceBase[slot]) << symbol.length,
                    symbol.length + kDistanceExtra[slot]};
    };
    for (size_t i = plan.begin; i < plan.end; ++i) {
        const Token t = tokens[i];
        if (t < 256) {
            bits.put(literal[t]);
        } else if (t >> 16 == kLongCopies >> 16) {
            const Code length = lengthCodes[kMaxMatch];
            const Code d = distanceCode(static_cast<uint32_t>(stride));
            for (uint32_t n = t & 0xFFFF; n > 0; --n) {
                bits.put(length);
                bits.put(d);
                bits.flush();
            }
        } else {
            bits.put(lengthCodes[t >> 16]);
            bits.put(distanceCode(t & 0xFFFF));
        }
        bits.flush();
    }
    bits.put(literal[kEndOfBlock]);
    bits.flush();
}

// Repeated rows and rows unlike their row above use very different codes (long copies against
// the digits' literals), so a stretch of this many repeated rows may go in a block of its own.
constexpr size_t kRowsForABlock = 8;
// Tokens are coded a block at a time, no more than this many, so that a large picture's do not
// all wait in memory.
constexpr size_t kBlockTokens = size_t{1} << 16;

// repeatsAbove(row): whether the row holds the same bytes as the row above it.
template <typename RepeatsAbove>
QByteArray deflateRows(const uint8_t* data, size_t stride, size_t rows, RepeatsAbove repeatsAbove) {
    QByteArray stream;
    stream.reserve(static_cast<qsizetype>(std::min<size_t>(stride * rows / 8, 1 << 20) + 64));
    stream.append(char{0x78});  // deflate, 32 kB window
    stream.append(char{0x5E});  // a fast compressor; 0x785E is a multiple of 31, as it must be
    BitWriter bits(stream);
    std::vector<Token> tokens;
    tokens.reserve(std::min(stride * 8 + rows, kBlockTokens + stride));
    SymbolCounts counts;
    Tokenizer tokenizer(data, stride, rows, tokens, counts);
    const auto putTokens = [&](bool last) {
        const BlockPlan plan = planBlock(counts, 0, tokens.size());
        bits.reserve(3 + plan.bits);
        putBlock(bits, tokens, plan, last, stride);
        tokens.clear();
        counts = {};
    };
    for (size_t row = 0; row < rows;) {
        size_t same = 0;
        while (row + same < rows && row + same > 0 && repeatsAbove(row + same)) {
            ++same;
        }
        if (same > 0) {
            tokenizer.repeatsUpTo(row + same);
            row += same;
        } else {
            tokenizer.searchUpTo(row + 1);
            ++row;
        }
        if ((same >= kRowsForABlock || tokens.size() >= kBlockTokens) && row < rows) {
            putTokens(false);
        }
    }
    putTokens(true);
    bits.finish();
    const uint32_t adler = libdeflate_adler32(1, data, stride * rows);
    for (int i = 0; i < 4; ++i) {
        stream.append(static_cast<char>(adler >> (24 - 8 * i)));
    }
    return stream;
}

}  // namespace

QByteArray deflateScanlines(const uint8_t* data, size_t stride, size_t rows,
                            std::span<const uint8_t> repeatsAbove) {
    return deflateRows(data, stride, rows, [&](size_t row) {
        return row < repeatsAbove.size() && repeatsAbove[row] != 0;
    });
}

}  // namespace strikon
