#include "itf14.h"

#include <array>
#include <string_view>

#include "digit_font.h"
#include "ean_upc_modules.h"
#include "pixel_round.h"

namespace strikon {

namespace {

constexpr size_t kDigitCount = 14;
// Narrow element X = 1.016 mm (0.040 in); wide elements are N = 2.5 times as wide.
constexpr long double kNarrowMm = 1.016L;
constexpr long double kWideRatio = 2.5L;
// Bearer bars 4.8 mm thick on all four sides.
constexpr long double kBearerMm = 4.8L;
// Bars 32 mm tall between the upper and the lower bearer.
constexpr long double kBarHeightMm = 32.0L;
// Light margin between each vertical bearer and the nearest bar: 10 X.
constexpr long double kQuietX = 10.0L;
// The first digit starts where the start pattern's first bar ends: 1 X after the quiet zone.
constexpr long double kFirstDigitX = kQuietX + 1.0L;
// Width inside the bearers in X: 7 pairs of (4 wide + 6 narrow), the start's 4 narrow
// elements, the stop's wide bar and 2 narrow elements, and the two quiet zones:
// 7 x (4 x 2.5 + 6) + 2.5 + 6 + 20 = 140.5.
constexpr long double kInnerWidthX = 140.5L;
// Band under the lower bearer for the digits, and the digits' cell height: the cells start
// half an X below the bearer, so a 5.3 mm cell may reach a row past the 5.72 mm band.
constexpr long double kTextBandMm = 5.72L;
constexpr long double kDigitCellMm = 5.3L;
constexpr long double kDigitDropX = 0.5L;
constexpr int kDigitGaps = 13;

constexpr std::string_view kStart = "1010";
constexpr std::string_view kStop = "301";

// 2 of 5 characters, ISO/IEC 16390: five elements each, "1" wide and "0" narrow.
constexpr std::array<std::string_view, 10> kWideNarrow = {
    "00110",  // 0: N N W W N
    "10001",  // 1: W N N N W
    "01001",  // 2: N W N N W
    "11000",  // 3: W W N N N
    "00101",  // 4: N N W N W
    "10100",  // 5: W N W N N
    "01100",  // 6: N W W N N
    "00011",  // 7: N N N W W
    "10010",  // 8: W N N W N
    "01010",  // 9: N W N W N
};

std::string_view pattern(char digit) {
    return kWideNarrow[static_cast<size_t>(digit - '0')];
}

struct Geometry {
    long double kx, ky, ox, oy;
    double s, X, B;
    Rect R;
};

Geometry measure(double OffsetX, double OffsetY, uint16_t SizePercent, double PxPerMmX,
                 double PxPerMmY) {
    Geometry g;
    g.kx = PxPerMmX;
    g.ky = PxPerMmY;
    g.ox = OffsetX;
    g.oy = OffsetY;
    g.s = SizePercent / 100.0;
    g.X = static_cast<double>(kNarrowMm * g.s);
    g.B = static_cast<double>(kBearerMm * g.s);
    const long double kx = g.kx, ky = g.ky, ox = g.ox, oy = g.oy, s = g.s, X = g.X, B = g.B;
    g.R.left = roundPx(kx * ox);
    g.R.top = roundPx(ky * oy);
    g.R.right = roundPx(kx * ox + kx * kInnerWidthX * X + 2 * kx * B);
    g.R.bottom = roundPx(ky * oy + kBarHeightMm * ky * s + 2 * ky * B + kTextBandMm * s * ky);
    return g;
}

// Each bar gets its own rounded column count and its own rounded start; the bars never
// touch, so this keeps every element decodable at every size.
void drawBars(Surface& surface, const Geometry& g, std::string_view elements) {
    const long double kx = g.kx, ky = g.ky, ox = g.ox, oy = g.oy, s = g.s, X = g.X, B = g.B;
    const int32_t ya = roundPx(ky * oy + ky * B);
    const int32_t yb = roundPx(ky * oy + ky * B + kBarHeightMm * s * ky);
    double p = 0;  // position in X
    for (char c : elements) {
        const bool wide = c == '2' || c == '3';
        if (c == '1' || c == '3') {
            const long double w = wide ? kWideRatio * X : X;
            const int32_t columns = roundPx(w * kx);
            for (int32_t j = 0; j < columns; ++j) {
                const int32_t x = roundPx(kx * ox + kx * B + kQuietX * kx * X + kx * p * X + j);
                surface.moveTo(x, ya);
                surface.lineTo(x, yb);
            }
        }
        p += wide ? static_cast<double>(kWideRatio) : 1.0;
    }
}

void drawBearers(Surface& surface, const Geometry& g) {
    const long double kx = g.kx, ky = g.ky, s = g.s, B = g.B;
    const Rect& R = g.R;
    const int32_t rows = roundPx(B * ky);
    for (int32_t j = 0; j < rows; ++j) {
        surface.moveTo(R.left, R.top + j);
        surface.lineTo(R.right, R.top + j);
        const int32_t y = roundPx(ky * B + R.top + ky * kBarHeightMm * s + j);
        surface.moveTo(R.left, y);
        surface.lineTo(R.right, y);
    }
    const int32_t columns = roundPx(B * kx);
    const int32_t lowerBearer = roundPx(ky * B + R.top + ky * kBarHeightMm * s);
    for (int32_t j = 0; j < columns; ++j) {
        surface.moveTo(R.left + j, R.top);
        surface.lineTo(R.left + j, lowerBearer);
        const int32_t x = roundPx(R.right - kx * B + j);
        surface.moveTo(x, R.top);
        surface.lineTo(x, lowerBearer);
    }
}

// The 14 digits spread evenly from the end of the start's first bar to the end of the stop.
void drawDigits(Surface& surface, const Geometry& g, const std::string& Digits, double p) {
    const long double kx = g.kx, ky = g.ky, ox = g.ox, oy = g.oy, s = g.s, X = g.X, B = g.B;
    surface.setFont(kDigitFace, roundPx(kDigitCellMm * ky * s));
    const long double T = kx * p * X;
    const int32_t w9 = surface.textWidth(kWidestDigit);
    const double pitch = static_cast<double>((T - w9 - kx * X) / kDigitGaps);
    const int32_t y = roundPx(ky * oy + 2 * ky * B + kBarHeightMm * ky * s + kDigitDropX * ky * X);
    for (size_t j = 1; j <= kDigitCount; ++j) {
        const int32_t x = roundPx(kx * ox + kx * B + kFirstDigitX * kx * X +
                                  static_cast<long double>(j - 1) * pitch);
        surface.textAt(x, y, std::string(1, Digits[j - 1]));
    }
}

// Width of an element string in X.
double spanX(std::string_view elements) {
    double p = 0;
    for (char c : elements) {
        p += (c == '2' || c == '3') ? static_cast<double>(kWideRatio) : 1.0;
    }
    return p;
}

}  // namespace

std::string ITF14Elements(const std::string& Digits) {
    if (!AreDigits(Digits, 0, kDigitCount)) {
        return {};
    }
    std::string out(kStart);
    for (size_t pair = 0; pair < kDigitCount; pair += 2) {
        const std::string_view barDigit = pattern(Digits[pair]);
        const std::string_view spaceDigit = pattern(Digits[pair + 1]);
        for (size_t k = 0; k < 5; ++k) {
            out += barDigit[k] == '1' ? '3' : '1';
            out += spaceDigit[k] == '1' ? '2' : '0';
        }
    }
    out += kStop;
    return out;
}

double ITF14NarrowMm(uint16_t SizePercent) {
    return measure(0.0, 0.0, SizePercent, 1.0, 1.0).X;
}

void DrawITF14(const std::string& Digits, Surface* surface, uint16_t SizePercent, double OffsetX,
               double OffsetY, double PxPerMmX, double PxPerMmY, Rect& Bounds) {
    const std::string elements = ITF14Elements(Digits);
    if (elements.empty()) {
        Bounds = Rect{};
        return;
    }
    const Geometry g = measure(OffsetX, OffsetY, SizePercent, PxPerMmX, PxPerMmY);
    if (surface != nullptr) {
        surface->fillRect(g.R);
        drawBars(*surface, g, elements);
        drawBearers(*surface, g);
        drawDigits(*surface, g, Digits, spanX(elements));
    }
    Bounds = g.R;
}

}  // namespace strikon
