// The GS1 symbols drawn into a raster and read back by ZXing-C++ (and zbar, for QR Code and
// GS1-128): the QR's Digital Link URI, the element strings with the GS1 flag set and a GS
// separator after each variable-length field that is not last; and the modules whole dots of one
// count at 203, 300 and 600 dpi, inside their quiet zones. Expected texts written by hand.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "encoders/gs1_symbol.h"
#include "tests/support/decoders.h"
#include "tests/support/raster_surface.h"

namespace strikon::testing {
namespace {

using strikon::Symbology;
using Decoded = strikon::testing::Symbology;

struct Drawn {
    std::unique_ptr<RasterSurface> raster;
    Rect bounds;
};

Drawn draw(const Gs1Symbol& symbol, double dpi) {
    const double k = dpi / 25.4;
    Rect bounds;
    DrawGS1(symbol, nullptr, 0, 0, k, k, bounds);
    Drawn d{std::make_unique<RasterSurface>(bounds.right, bounds.bottom), bounds};
    Rect again;
    DrawGS1(symbol, d.raster.get(), 0, 0, k, k, again);
    EXPECT_EQ(again, bounds);
    EXPECT_EQ(d.raster->outsidePixels(), 0);
    return d;
}

std::vector<Read> readBoth(const RasterSurface& r, Decoded kind, bool withZbar) {
    const GreyView view{r.row(0), r.width(), r.height(), r.width()};
    std::vector<Read> reads = readWithZXing(view, kind);
    if (withZbar) {
        for (Read& z : readWithZbar(view, kind)) {
            reads.push_back(std::move(z));
        }
    }
    return reads;
}

const char kGS = '\x1D';

struct Row {
    Symbology symbology;
    const char* elements;
    const char* resolver;
    std::string expected;  // QR: the URI; others: the data after FNC1, GS between fields
};

TEST(Gs1DecodeTest, DecodersReadTheDataDrawn) {
    const Row rows[] = {
        {Symbology::GS1QR, "(01)09506000134352", "", "https://id.gs1.org/01/09506000134352"},
        {Symbology::GS1QR, "(01)09506000134352(17)271231(10)ABC123", "",
         "https://id.gs1.org/01/09506000134352/10/ABC123?17=271231"},
        {Symbology::GS1QR, "(01)09506000134352(21)12345(10)AB-123(17)180426", "https://example.com",
         "https://example.com/01/09506000134352/10/AB-123/21/12345?17=180426"},
        {Symbology::GS1QR, "(01)04006381333931(10)1/2(3103)000195", "",
         "https://id.gs1.org/01/04006381333931/10/1%2F2?3103=000195"},
        {Symbology::GS1DataMatrix, "(01)09506000134352(17)271231(10)ABC123", "",
         "0109506000134352"
         "17271231"
         "10ABC123"},
        {Symbology::GS1DataMatrix, "(01)09506000134352(10)ABC123(17)271231", "",
         std::string("0109506000134352"
                     "10ABC123") +
             kGS + "17271231"},
        {Symbology::GS1DataMatrix, "(01)09506000134352(21)S1(10)L2(17)271200", "",
         std::string("0109506000134352"
                     "21S1") +
             kGS + "10L2" + kGS + "17271200"},
        {Symbology::GS1_128, "(00)106141412345678908", "", "00106141412345678908"},
        {Symbology::GS1_128, "(01)09506000134352(10)ABC(21)123", "",
         std::string("0109506000134352"
                     "10ABC") +
             kGS + "21123"},
        {Symbology::GS1_128, "(02)09506000134352(37)24(15)270101", "",
         std::string("0209506000134352"
                     "3724") +
             kGS + "15270101"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.elements);
        Gs1Symbol s;
        s.symbology = row.symbology;
        s.elementString = row.elements;
        s.resolver = row.resolver;
        ASSERT_FALSE(gs1Refusal(s));
        const Drawn d = draw(s, 300);
        const bool qr = row.symbology == Symbology::GS1QR;
        const Decoded kind = qr                                    ? Decoded::QRCode
                             : row.symbology == Symbology::GS1_128 ? Decoded::Code128
                                                                   : Decoded::DataMatrix;
        const std::vector<Read> reads = readBoth(*d.raster, kind, kind != Decoded::DataMatrix);
        ASSERT_EQ(reads.size(), kind == Decoded::DataMatrix ? 1U : 2U) << describe(reads);
        for (const Read& r : reads) {
            EXPECT_EQ(r.text, row.expected) << r.format;
            EXPECT_EQ(r.gs1, !qr) << r.format;  // a Digital Link QR is a plain QR Code
        }
    }
}

// Lengths of the runs of one shade along a row or a column, starting at the first dark pixel.
std::vector<int32_t> runs(const RasterSurface& r, bool alongRow, int32_t at, int32_t from,
                          int32_t to) {
    std::vector<int32_t> out;
    auto dark = [&](int32_t i) {
        return (alongRow ? r.at(i, at) : r.at(at, i)) == RasterSurface::kBlack;
    };
    int32_t i = from;
    while (i < to && !dark(i)) {
        ++i;
    }
    while (i < to) {
        const bool shade = dark(i);
        int32_t n = 0;
        while (i < to && dark(i) == shade) {
            ++i;
            ++n;
        }
        if (i < to || shade) {
            out.push_back(n);
        }
    }
    return out;
}

TEST(Gs1DecodeTest, ModulesAreWholeDotsInsideTheirQuietZones) {
    // 0.495 mm is 3.96 dots at 203 dpi, 5.85 at 300 and 11.69 at 600.
    const struct {
        double dpi;
        int dots;
    } resolutions[] = {{203, 4}, {300, 6}, {600, 12}};
    const struct {
        Symbology symbology;
        const char* elements;
        int quiet;  // modules
    } symbols[] = {
        {Symbology::GS1QR, "(01)09506000134352(10)ABC123", 4},
        {Symbology::GS1DataMatrix, "(01)09506000134352(17)271231(10)ABC123", 1},
        {Symbology::GS1_128, "(00)106141412345678908", 10},
    };
    for (const auto& sym : symbols) {
        for (const auto& res : resolutions) {
            SCOPED_TRACE(std::string(sym.elements) + " at " + std::to_string(res.dpi));
            Gs1Symbol s;
            s.symbology = sym.symbology;
            s.elementString = sym.elements;
            const Drawn d = draw(s, res.dpi);
            const RasterSurface& r = *d.raster;
            const bool linear = sym.symbology == Symbology::GS1_128;
            // The symbol's dark extent, from the rows and columns that hold a dark pixel.
            int32_t left = r.width(), right = 0, top = r.height(), bottom = 0;
            for (int32_t y = 0; y < r.height(); ++y) {
                for (int32_t x = 0; x < r.width(); ++x) {
                    if (r.at(x, y) == RasterSurface::kBlack) {
                        left = std::min(left, x);
                        right = std::max(right, x + 1);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y + 1);
                    }
                }
            }
            const int32_t quiet = sym.quiet * res.dots;
            EXPECT_GE(left - d.bounds.left, quiet);
            EXPECT_GE(d.bounds.right - right, quiet);
            if (!linear) {
                EXPECT_EQ(top - d.bounds.top, quiet);
                EXPECT_EQ((right - left) % res.dots, 0);
                EXPECT_EQ(right - left, bottom - top);  // square symbols, square modules
            } else {
                // 31.75 mm of bars at least.
                EXPECT_GE(bottom - top, static_cast<int32_t>(31.75 * res.dpi / 25.4));
            }
            std::vector<int32_t> all;
            for (int32_t y = top; y < bottom; y += linear ? bottom - top : res.dots) {
                const std::vector<int32_t> row = runs(r, true, y, left, right);
                all.insert(all.end(), row.begin(), row.end());
            }
            for (int32_t x = left; !linear && x < right; x += res.dots) {
                const std::vector<int32_t> column = runs(r, false, x, top, bottom);
                all.insert(all.end(), column.begin(), column.end());
            }
            ASSERT_FALSE(all.empty());
            for (const int32_t n : all) {
                ASSERT_EQ(n % res.dots, 0) << "a run of " << n << " dots";
            }
        }
    }
}

}  // namespace
}  // namespace strikon::testing
