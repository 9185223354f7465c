// 2- and 5-digit add-ons: placed at the right edge of the main symbol, bars from an integer
// origin, the digits spaced out and centred above the bars.

#include <string>

#include "ean_upc_draw.h"
#include "ean_upc_modules.h"
#include "pixel_round.h"

namespace strikon::ean_upc {

namespace {

// Bars: 4 start + 2 x 7 + 2 delineator = 20 modules, or 4 + 5 x 7 + 4 x 2 = 47 modules.
// Each add-on is followed by a 5-module quiet zone: widths 25 and 52.
constexpr int kQuietModules = 5;
// After UPC-A and UPC-E the add-on starts 2 modules further right (gaps of 11 and 9 modules
// from the main symbol's last bar, against 7 after EAN-13).
constexpr long double kUPCGapModules = 2.0L;
// The digits sit in a band 2.6 mm tall above the bars, in a 2.4 mm cell (times the font
// factor), lifted like the main digits.
constexpr long double kTextBandMm = 2.6L;
constexpr long double kAddOnCellMm = 2.4L;
// The bars are 21.9 mm tall and end level with the main symbol's long bars (22.85 mm + 5 X):
// from 2.6 mm down to 24.5 mm.
constexpr long double kAddOnBarMm = 21.9L;

int barModules(int digitCount) {
    return digitCount == 2 ? 20 : 47;
}

// The add-on digits with one space between each two neighbours.
std::string spacedOut(std::string_view digits) {
    std::string text;
    for (char c : digits) {
        if (!text.empty()) {
            text += ' ';
        }
        text += c;
    }
    return text;
}

}  // namespace

void AddOnSection(const Frame& f, int digitCount, bool upcFamily, const std::string& Digits, int A,
                  Rect& R) {
    if (A < 1 || !AreDigits(Digits, static_cast<size_t>(A - 1), digitCount)) {
        return;
    }
    const std::string digits = Digits.substr(static_cast<size_t>(A - 1), digitCount);
    const int32_t Ax = R.right;
    const int widthModules = barModules(digitCount) + kQuietModules;
    Rect box{Ax, R.top, roundPx(Ax + widthModules * f.P), R.bottom};
    if (upcFamily) {
        // The gap is added to the already rounded right edge and rounded again, not summed
        // with the add-on's width before rounding.
        box.right = roundPx(box.right + kUPCGapModules * f.P);
    }
    R.right = box.right;
    if (f.surface == nullptr) {
        return;
    }
    Surface& surface = *f.surface;
    surface.fillRect(box);

    const double e = upcFamily ? static_cast<double>(kUPCGapModules * f.P) : 0.0;
    // The add-on's own origin: whole-pixel Ax plus the gap, in extended precision.
    const long double X0 = static_cast<long double>(Ax) + e;
    const long double ky = f.PxPerMmY;
    const long double longBarEnd =
        f.Oy() + ky * f.s * kBarMm + ky * kGuardExtensionModules * f.M - 1;
    // Drawn upwards from the last row of the main symbol's long bars; the end row is left out.
    const BarRows rows{roundPx(longBarEnd), roundPx(longBarEnd - kAddOnBarMm * f.s * ky)};
    DrawModuleBars(surface, AddOnModules(digits), X0, f.P, [&](size_t) { return rows; });

    surface.setFont(kDigitFace, roundPx(kAddOnCellMm * ky * kFontFactor * f.s));
    const std::string text = spacedOut(digits);
    const int32_t wt = surface.textWidth(text);
    const Rect textBox{Ax, roundPx(f.Oy()), box.right, roundPx(f.Oy() + kTextBandMm * ky * f.s)};
    const int32_t x = roundPx(X0 + (barModules(digitCount) * f.P - wt) / 2);
    surface.textInBox(textBox, x, roundPx(f.Oy() - f.L), text);
}

void AddOnMark(const Frame& f, const Rect& R) {
    const int32_t cell = roundPx(kAddOnCellMm * f.PxPerMmY * kFontFactor * f.s);
    DrawQuietMark(f, '>', R.right, kQuietModules, cell, roundPx(f.Oy() - f.L));
}

}  // namespace strikon::ean_upc
