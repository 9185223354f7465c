#include "formats/scanline_deflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

namespace strikon {
namespace {

// Every stream inflates with zlib to exactly the scanlines given, whatever mix of repeated
// rows, long runs and noise they hold, and rows too wide to copy from (over 32 kB back).
TEST(ScanlineDeflate, InflatesToTheScanlinesGiven) {
    struct Case {
        const char* name;
        size_t stride;
        size_t rows;
        int noisyEvery;  // one row in so many is noise, the others repeat a patterned row
    };
    std::mt19937 random(7);
    for (const Case c :
         {Case{"one byte", 1, 1, 1}, Case{"bars", 441, 306, 9}, Case{"all noise", 57, 40, 1},
          Case{"one long run", 5000, 1, 0}, Case{"too wide to copy a row", 40000, 3, 2}}) {
        std::vector<uint8_t> data(c.stride * c.rows);
        for (size_t y = 0; y < c.rows; ++y) {
            const bool noisy = c.noisyEvery > 0 && y % static_cast<size_t>(c.noisyEvery) == 0;
            for (size_t x = 0; x < c.stride; ++x) {
                data[y * c.stride + x] =
                    noisy ? static_cast<uint8_t>(random()) : static_cast<uint8_t>(x / 7 % 3);
            }
        }
        const QByteArray stream = deflateScanlines(data.data(), c.stride, c.rows);
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

}  // namespace
}  // namespace strikon
