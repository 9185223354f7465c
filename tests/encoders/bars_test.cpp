// The bars as drawn at 300 dpi, at every size the program offers: read back module by module
// they give the module string, and every bar is solid, however P falls between whole pixels.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "encoders/ean_upc.h"
#include "encoders/ean_upc_modules.h"
#include "encoders/pixel_round.h"
#include "tests/support/recording_surface.h"

namespace strikon {
namespace {

using testing::Column;
using testing::RecordingSurface;

constexpr double k300Dpi = 300 / 25.4;

long double modulePx(uint16_t size) {
    const double s = size / 100.0;
    const double M = static_cast<double>(0.33L * s);
    return static_cast<long double>(M) * k300Dpi;
}

// Columns whose move-to row satisfies the filter, as a set of x.
template <typename Pred>
std::set<int32_t> columnsWhere(const std::vector<Column>& cols, Pred pred) {
    std::set<int32_t> out;
    for (const Column& c : cols) {
        if (pred(c)) {
            out.insert(c.x);
        }
    }
    return out;
}

// Each module's colour at the pixel column under its centre.
std::string readBack(const std::set<int32_t>& xs, long double X0, long double P, size_t count) {
    std::string out;
    for (size_t k = 1; k <= count; ++k) {
        const auto x = static_cast<int32_t>(std::floor(X0 + (k - 0.5L) * P));
        out += xs.count(x) ? '1' : '0';
    }
    return out;
}

// Every run of dark modules covers each column from its rounded start to its rounded end,
// and the column at its end stays light when a light module follows.
void expectSolidBars(const std::set<int32_t>& xs, const std::string& modules, long double X0,
                     long double P, const std::string& name) {
    for (size_t k = 1; k <= modules.size(); ++k) {
        if (modules[k - 1] != '1' || (k > 1 && modules[k - 2] == '1')) {
            continue;
        }
        size_t k2 = k;
        while (k2 < modules.size() && modules[k2] == '1') {
            ++k2;
        }
        const int32_t start = roundPx(X0 + (k - 1) * P);
        const int32_t end = roundPx(X0 + k2 * P);
        for (int32_t x = start; x < end; ++x) {
            ASSERT_TRUE(xs.count(x)) << name << ": hairline at x " << x << " in bar " << k;
        }
        if (k2 < modules.size()) {
            ASSERT_FALSE(xs.count(end)) << name << ": bar " << k << " runs into the space";
        }
    }
}

struct Symbol {
    const char* code;
    const char* digits;
    std::string (*modules)(std::string_view);
    size_t mainDigits;
    int quietModules;
    int widthModules;
    bool upcFamily;
};

const Symbol kSymbols[] = {
    {"EAN-13", "590123412345752495", EAN13Modules, 13, 11, 113, false},
    {"EAN-8", "96385074", EAN8Modules, 8, 7, 81, false},
    {"UPC-A", "03600029145252495", UPCAModules, 12, 9, 113, true},
    {"UPC-E",
     "04252614"
     "52495",
     UPCEModules, 8, 9, 67, true},
    {"UPC-E",
     "11234560"
     "52495",
     UPCEModules, 8, 9, 67, true},
};

TEST(BarsAt300Dpi, ReadBackAndSolidAtEverySize) {
    for (const Symbol& sym : kSymbols) {
        for (const char* addOn : {"None", "2-Digit", "5-Digit"}) {
            for (uint16_t size = 80; size <= 200; size += 5) {
                const std::string name = std::string(sym.code) + " " + sym.digits + " " + addOn +
                                         " at " + std::to_string(size) + " %";
                RecordingSurface surface;
                Rect bounds;
                DrawEANUPC(sym.code, addOn, sym.digits, &surface, 0, 0, size, k300Dpi, k300Dpi,
                           bounds);
                const long double P = modulePx(size);
                const std::vector<Column> cols = surface.columns();
                // Main bars start at row 0, add-on bars are drawn upwards from lower down.
                const auto mainXs = columnsWhere(cols, [](const Column& c) { return c.from == 0; });
                const std::string modules = sym.modules(sym.digits);
                const long double X0 = sym.quietModules * P;
                EXPECT_EQ(readBack(mainXs, X0, P, modules.size()), modules) << name;
                expectSolidBars(mainXs, modules, X0, P, name);

                const std::string addOnType(addOn);
                if (addOnType == "None" || std::string(sym.code) == "EAN-8") {
                    continue;
                }
                const size_t count = addOnType == "2-Digit" ? 2 : 5;
                const std::string addOnModules =
                    AddOnModules(std::string(sym.digits).substr(sym.mainDigits, count));
                const auto addOnXs =
                    columnsWhere(cols, [](const Column& c) { return c.from != 0; });
                // The add-on starts at the main symbol's whole-pixel right edge, plus the
                // 2-module gap after UPC-A and UPC-E.
                const int32_t Ax = roundPx(sym.widthModules * P);
                const double e = sym.upcFamily ? static_cast<double>(2 * P) : 0.0;
                EXPECT_EQ(
                    readBack(addOnXs, static_cast<long double>(Ax) + e, P, addOnModules.size()),
                    addOnModules)
                    << name;
                expectSolidBars(addOnXs, addOnModules, static_cast<long double>(Ax) + e, P, name);
            }
        }
    }
}

TEST(BarsAt300Dpi, NumberSystemOneUPCEHasItsOwnBars) {
    RecordingSurface zero, one;
    Rect r;
    DrawEANUPC("UPC-E", "None", "01234565", &zero, 0, 0, 100, k300Dpi, k300Dpi, r);
    DrawEANUPC("UPC-E", "None", "11234565", &one, 0, 0, 100, k300Dpi, k300Dpi, r);
    const long double P = modulePx(100);
    auto all = [](const Column&) { return true; };
    const std::string zeroBars = readBack(columnsWhere(zero.columns(), all), 9 * P, P, 51);
    const std::string oneBars = readBack(columnsWhere(one.columns(), all), 9 * P, P, 51);
    EXPECT_EQ(zeroBars, UPCEModules("01234565"));
    EXPECT_EQ(oneBars, UPCEModules("11234565"));
    EXPECT_NE(zeroBars, oneBars);
}

}  // namespace
}  // namespace strikon
