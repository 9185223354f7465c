// EAN-13: the leading digit rides on the sets of the left half and is printed in the quiet zone.

#include <string>

#include "ean_upc_draw.h"
#include "ean_upc_modules.h"
#include "symbology.h"

namespace strikon::ean_upc {

namespace {

// 11 quiet + 3 guard + 6 x 7 + 5 centre + 6 x 7 + 3 guard + 7 quiet = 113 modules.
constexpr int kWidthModules = 113;
constexpr int kLeftQuietModules = 11;
constexpr int kRightQuietModules = 7;
// Long bars: left guard, centre guard, right guard (1-based positions in the 95 modules).
constexpr ModuleRange kLeftGuard{1, 3};
constexpr ModuleRange kCentreGuard{46, 50};
constexpr ModuleRange kRightGuard{93, 95};
// Each group of six digit boxes runs over 40 modules, half a module inside the characters it
// sits under: 15.5..55.5 on the left and 61.5..101.5 on the right. The pitch spreads the six
// boxes over that span: (41 P - w - P) / 5.
constexpr long double kLeftGroupModule = 15.5L;
constexpr long double kRightGroupModule = 61.5L;
constexpr int kGroupPitchModules = 41;
constexpr int kGroupGaps = 5;

}  // namespace

void EAN13Section(const Frame& f, const std::string& Digits, Rect& R, int& A) {
    const std::string modules = EAN13Modules(Digits);
    if (modules.empty()) {
        return;
    }
    A = facts(Symbology::EAN13).addOnStart;  // the add-on digits follow the 13 of the symbol
    if (!DrawMainFrame(f, modules, kWidthModules, kLeftQuietModules, kBarMm, kSymbolMm,
                       {kLeftGuard, kCentreGuard, kRightGuard}, R)) {
        return;
    }
    const int32_t w = SetDigitFont(f);
    const DigitBand band = MakeDigitBand(f, kBarMm, R);
    const std::string_view d(Digits);
    f.surface->textInBox({R.left, band.top, R.left + w, band.bottom}, R.left, band.y,
                         std::string(1, d[0]));
    const double p = DigitPitch(f, kGroupPitchModules, w, kGroupGaps);
    DrawDigitRow(f, d.substr(1, 6), kLeftGroupModule, p, w, band);
    DrawDigitRow(f, d.substr(7, 6), kRightGroupModule, p, w, band);
}

void EAN13Marks(const Frame& f, const Rect& R) {
    const DigitBand band = MakeDigitBand(f, kBarMm, R);
    DrawQuietMark(f, '>', R.right, kRightQuietModules, DigitFontHeight(f), band.y);
}

}  // namespace strikon::ean_upc
