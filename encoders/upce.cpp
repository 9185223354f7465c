// UPC-E: six data digits whose sets carry the check digit (and the number system), the
// number-system and check digits in the quiet zones.

#include <string>

#include "ean_upc_draw.h"
#include "ean_upc_modules.h"
#include "symbology.h"

namespace strikon::ean_upc {

namespace {

// 9 quiet + 3 guard + 6 x 7 + 6 end guard + 7 quiet = 67 modules.
constexpr int kWidthModules = 67;
constexpr int kLeftQuietModules = 9;
// Long bars (1-based positions in the 51 modules): the two guards.
constexpr ModuleRange kLeftGuard{1, 3};
constexpr ModuleRange kEndGuard{46, 51};
// The six data-digit boxes run over 41 modules, 13.5..54.5: 1.5 modules after the left guard
// to half a module into the end guard's leading space. Pitch: (42 P - w - P) / 5.
constexpr long double kGroupModule = 13.5L;
constexpr int kGroupPitchModules = 42;
constexpr int kGroupGaps = 5;

}  // namespace

void UPCESection(const Frame& f, const std::string& Digits, Rect& R, int& A) {
    const std::string modules = UPCEModules(Digits);
    if (modules.empty()) {
        return;
    }
    A = facts(Symbology::UPCE).addOnStart;  // the add-on digits follow the 8 of the symbol
    if (!DrawMainFrame(f, modules, kWidthModules, kLeftQuietModules, kBarMm, kSymbolMm,
                       {kLeftGuard, kEndGuard}, R)) {
        return;
    }
    const DigitBand band = MakeDigitBand(f, kBarMm, R);
    const std::string_view d(Digits);
    DrawLeftOuterDigit(f, d[0], R, band);

    const int32_t w = SetDigitFont(f);
    const double p = DigitPitch(f, kGroupPitchModules, w, kGroupGaps);
    DrawDigitRow(f, d.substr(1, 6), kGroupModule, p, w, band);

    DrawRightOuterDigit(f, d[7], kWidthModules, R, band);
}

}  // namespace strikon::ean_upc
