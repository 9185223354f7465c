#include "formats/scanline_deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <vector>

namespace strikon {
namespace {

// Every stream inflates with zlib to exactly the scanlines given, whatever mix of repeated
// rows (alone, in pairs, in stretches long enough for blocks of their own), long runs, noise,
// stretches that recur further along a row and in later rows (a digit drawn again), and rows
// too wide to copy from (over 32 kB back); told which rows repeat, or told none.
TEST(ScanlineDeflate, InflatesToTheScanlinesGiven) {
    struct Case {
        const char* name;
        size_t stride;
        size_t rows;
        int noisyEvery;  // one row in so many is noise, the others repeat a patterned row
        bool glyphs;     // noise rows hold one short random stretch again and again
    };
    std::mt19937 random(7);
    for (const Case c : {Case{"one byte", 1, 1, 1, false}, Case{"two bytes", 2, 3, 2, false},
                         Case{"bars", 441, 306, 9, false}, Case{"all noise", 57, 40, 1, false},
                         Case{"glyphs", 441, 60, 2, true}, Case{"wide glyphs", 9000, 8, 3, true},
                         Case{"one long run", 5000, 1, 0, false},
                         Case{"too wide to copy a row", 40000, 3, 2, false}}) {
        std::vector<uint8_t> data(c.stride * c.rows);
        std::vector<uint8_t> glyph(23);
        for (uint8_t& b : glyph) {
            b = static_cast<uint8_t>(random());
        }
        for (size_t y = 0; y < c.rows; ++y) {
            const bool noisy = c.noisyEvery > 0 && y % static_cast<size_t>(c.noisyEvery) == 0;
            for (size_t x = 0; x < c.stride; ++x) {
                data[y * c.stride + x] = !noisy     ? static_cast<uint8_t>(x / 7 % 3)
                                         : c.glyphs ? glyph[(x + y) % 29 % glyph.size()]
                                                    : static_cast<uint8_t>(random());
            }
        }
        std::vector<uint8_t> repeats(c.rows);
        for (size_t y = 1; y < c.rows; ++y) {
            repeats[y] = std::memcmp(&data[y * c.stride], &data[(y - 1) * c.stride], c.stride) == 0;
        }
        for (const QByteArray& stream : {deflateScanlines(data.data(), c.stride, c.rows, repeats),
                                         deflateScanlines(data.data(), c.stride, c.rows, {})}) {
            std::vector<uint8_t> back(data.size() + 1);
            uLongf size = back.size();
            ASSERT_EQ(uncompress(back.data(), &size, reinterpret_cast<const Bytef*>(stream.data()),
                                 static_cast<uLong>(stream.size())),
                      Z_OK)
                << c.name;
            back.resize(size);
            EXPECT_EQ(back, data) << c.name;
        }
    }
}

}  // namespace
}  // namespace strikon
