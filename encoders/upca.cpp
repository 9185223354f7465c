// UPC-A: the first and last digits stand in the quiet zones beside long bars.

#include <string>

#include "ean_upc_draw.h"
#include "ean_upc_modules.h"
#include "symbology.h"

namespace strikon::ean_upc {

namespace {

// 9 quiet + 3 guard + 6 x 7 + 5 centre + 6 x 7 + 3 guard + 9 quiet = 113 modules.
constexpr int kWidthModules = 113;
constexpr int kLeftQuietModules = 9;
// Long bars (1-based positions in the 95 modules): the left guard with d1's character, the
// centre guard, and d12's character with the right guard. Module 85 ends d11's character,
// a space in set C, so starting there paints what 86 would.
constexpr ModuleRange kLeftLong{1, 10};
constexpr ModuleRange kCentreGuard{46, 50};
constexpr ModuleRange kRightLong{85, 95};
// Each group of five digit boxes runs over 34 modules, one module clear of the long bars:
// 20..54 and 59..93. The pitch spreads the five boxes over that span: (35 P - w - P) / 4.
constexpr long double kLeftGroupModule = 20.0L;
constexpr long double kRightGroupModule = 59.0L;
constexpr int kGroupPitchModules = 35;
constexpr int kGroupGaps = 4;

}  // namespace

void UPCASection(const Frame& f, const std::string& Digits, Rect& R, int& A) {
    const std::string modules = UPCAModules(Digits);
    if (modules.empty()) {
        return;
    }
    A = facts(Symbology::UPCA).addOnStart;  // the add-on digits follow the 12 of the symbol
    if (!DrawMainFrame(f, modules, kWidthModules, kLeftQuietModules, kBarMm, kSymbolMm,
                       {kLeftLong, kCentreGuard, kRightLong}, R)) {
        return;
    }
    const DigitBand band = MakeDigitBand(f, kBarMm, R);
    const std::string_view d(Digits);
    DrawLeftOuterDigit(f, d[0], R, band);

    const int32_t w = SetDigitFont(f);
    const double p = DigitPitch(f, kGroupPitchModules, w, kGroupGaps);
    DrawDigitRow(f, d.substr(1, 5), kLeftGroupModule, p, w, band);
    DrawDigitRow(f, d.substr(6, 5), kRightGroupModule, p, w, band);

    DrawRightOuterDigit(f, d[11], kWidthModules, R, band);
}

}  // namespace strikon::ean_upc
