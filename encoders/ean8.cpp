// EAN-8: two groups of four digits, no parity pattern, never an add-on.

#include <string>

#include "ean_upc_draw.h"
#include "ean_upc_modules.h"

namespace strikon::ean_upc {

namespace {

// 7 quiet + 3 guard + 4 x 7 + 5 centre + 4 x 7 + 3 guard + 7 quiet = 81 modules.
constexpr int kWidthModules = 81;
constexpr int kLeftQuietModules = 7;
// Normal bars 18.23 mm (55.24 X); overall height with the digit band 21.31 mm.
constexpr long double kEAN8BarMm = 18.23L;
constexpr long double kEAN8SymbolMm = 21.31L;
// Long bars: left guard, centre guard, right guard (1-based positions in the 67 modules).
constexpr ModuleRange kLeftGuard{1, 3};
constexpr ModuleRange kCentreGuard{32, 36};
constexpr ModuleRange kRightGuard{65, 67};
// Each group of four digit boxes runs over 27 modules: 11..38 and 43..70. The pitch spreads
// the four boxes over that span: (28 P - w - P) / 3.
constexpr long double kLeftGroupModule = 11.0L;
constexpr long double kRightGroupModule = 43.0L;
constexpr int kGroupPitchModules = 28;
constexpr int kGroupGaps = 3;

}  // namespace

void EAN8Section(const Frame& f, const std::string& Digits, Rect& R) {
    const std::string modules = EAN8Modules(Digits);
    if (modules.empty()) {
        return;
    }
    if (!DrawMainFrame(f, modules, kWidthModules, kLeftQuietModules, kEAN8BarMm, kEAN8SymbolMm,
                       {kLeftGuard, kCentreGuard, kRightGuard}, R)) {
        return;
    }
    const int32_t w = SetDigitFont(f);
    const DigitBand band = MakeDigitBand(f, kEAN8BarMm, R);
    const double p = DigitPitch(f, kGroupPitchModules, w, kGroupGaps);
    const std::string_view d(Digits);
    DrawDigitRow(f, d.substr(0, 4), kLeftGroupModule, p, w, band);
    DrawDigitRow(f, d.substr(4, 4), kRightGroupModule, p, w, band);
}

void EAN8Marks(const Frame& f, const Rect& R) {
    const DigitBand band = MakeDigitBand(f, kEAN8BarMm, R);
    // Both quiet zones are as wide as the left one.
    DrawQuietMark(f, '<', R.left, kLeftQuietModules, DigitFontHeight(f), band.y);
    DrawQuietMark(f, '>', R.right, kLeftQuietModules, DigitFontHeight(f), band.y);
}

}  // namespace strikon::ean_upc
