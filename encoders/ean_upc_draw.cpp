#include "ean_upc_draw.h"

#include <string>
#include <vector>

#include "pixel_round.h"

namespace strikon::ean_upc {

namespace {

// Outer digits of UPC-A and UPC-E start from a 4 mm cell and must fit in 4 modules with a
// fifth of slack (4.8 X), so they stay inside the quiet zone.
constexpr long double kOuterCellMm = 4.0L;
constexpr long double kOuterFitModules = 4.0L;
constexpr long double kOuterFitSlack = 1.2L;

}  // namespace

Frame MakeFrame(Surface* surface, double OffsetX, double OffsetY, uint16_t SizePercent,
                double PxPerMmX, double PxPerMmY) {
    Frame f;
    f.surface = surface;
    f.OffsetX = OffsetX;
    f.OffsetY = OffsetY;
    f.PxPerMmX = PxPerMmX;
    f.PxPerMmY = PxPerMmY;
    f.s = SizePercent / 100.0;
    f.M = static_cast<double>(kModuleMm * f.s);
    f.L = static_cast<double>(kTextLiftMm * f.s * PxPerMmY);
    f.P = static_cast<long double>(f.M) * PxPerMmX;
    return f;
}

Rect MainRect(const Frame& f, int widthModules, long double heightMm) {
    Rect R;
    R.left = roundPx(f.Ox());
    R.top = roundPx(f.Oy());
    R.right = roundPx(f.Ox() + widthModules * f.P);
    R.bottom = roundPx(f.Oy() + heightMm * f.PxPerMmY * f.s);
    return R;
}

void DrawModuleBars(Surface& surface, std::string_view modules, long double X0, long double P,
                    const std::function<BarRows(size_t)>& rowsOf) {
    if (roundPx(P) < 1) {
        return;
    }
    size_t k = 1;
    while (k <= modules.size()) {
        if (modules[k - 1] != '1') {
            ++k;
            continue;
        }
        const size_t k1 = k;
        const BarRows rows = rowsOf(k1);
        while (k < modules.size() && modules[k] == '1' && rowsOf(k + 1) == rows) {
            ++k;
        }
        const size_t k2 = k;
        const int32_t xStart = roundPx(X0 + static_cast<long double>(k1 - 1) * P);
        const int32_t xEnd = roundPx(X0 + static_cast<long double>(k2) * P);
        for (int32_t x = xStart; x < xEnd || x == xStart; ++x) {
            surface.moveTo(x, rows.from);
            surface.lineTo(x, rows.to);
        }
        ++k;
    }
}

void DrawMainBars(const Frame& f, std::string_view modules, int quietModules, long double barMm,
                  std::initializer_list<ModuleRange> longRanges) {
    const double normal = static_cast<double>(barMm * f.s);
    const double longBar = static_cast<double>(barMm * f.s + kGuardExtensionModules * f.M);
    const int32_t y0 = roundPx(f.Oy());
    const BarRows normalRows{y0, roundPx(f.Oy() + normal * static_cast<long double>(f.PxPerMmY))};
    const BarRows longRows{y0, roundPx(f.Oy() + longBar * static_cast<long double>(f.PxPerMmY))};
    const std::vector<ModuleRange> ranges(longRanges);
    auto rowsOf = [&](size_t k) {
        for (const ModuleRange& r : ranges) {
            if (k >= r.first && k <= r.last) {
                return longRows;
            }
        }
        return normalRows;
    };
    const long double X0 = f.Ox() + quietModules * f.P;
    DrawModuleBars(*f.surface, modules, X0, f.P, rowsOf);
}

bool DrawMainFrame(const Frame& f, std::string_view modules, int widthModules, int quietModules,
                   long double barMm, long double symbolMm,
                   std::initializer_list<ModuleRange> longRanges, Rect& R) {
    R = MainRect(f, widthModules, symbolMm);
    if (f.surface == nullptr) {
        return false;
    }
    f.surface->fillRect(R);
    DrawMainBars(f, modules, quietModules, barMm, longRanges);
    return true;
}

DigitBand MakeDigitBand(const Frame& f, long double barMm, const Rect& R) {
    DigitBand band;
    band.top = roundPx(f.Oy() + barMm * f.s * f.PxPerMmY);
    band.bottom = R.bottom;
    band.y = roundPx(f.Oy() + barMm * f.PxPerMmY * f.s - f.L);
    return band;
}

int32_t DigitFontHeight(const Frame& f) {
    return roundPx(kDigitCellMm * f.PxPerMmY * kFontFactor * f.s);
}

int32_t SetDigitFont(const Frame& f) {
    f.surface->setFont(kDigitFace, DigitFontHeight(f));
    return f.surface->textWidth(kWidestDigit);
}

double DigitPitch(const Frame& f, int spanModules, int32_t w, int gaps) {
    return static_cast<double>((spanModules * f.P - w - f.P) / gaps);
}

void DrawDigitRow(const Frame& f, std::string_view digits, long double firstModule, double pitch,
                  int32_t w, const DigitBand& band) {
    for (size_t i = 0; i < digits.size(); ++i) {
        const long double x = f.Ox() + firstModule * f.P + static_cast<long double>(i) * pitch;
        const Rect box{roundPx(x), band.top, roundPx(w + x), band.bottom};
        f.surface->textInBox(box, roundPx(x), band.y, std::string(1, digits[i]));
    }
}

int32_t OuterFontStart(const Frame& f) {
    return roundPx(kOuterCellMm * f.PxPerMmY * f.s);
}

int32_t OuterDigitY(const Frame& f) {
    return roundPx(f.Oy() + kBarMm * f.PxPerMmY * f.s - f.L / kOuterFitSlack);
}

void FitOuterFont(const Frame& f, int32_t startHeight, char digit) {
    const std::string text(1, digit);
    const long double limit = kOuterFitModules * f.P * kOuterFitSlack;
    int32_t height = startHeight;
    f.surface->setFont(kDigitFace, height);
    while (f.surface->textWidth(text) > limit && height > 1) {
        --height;
        f.surface->setFont(kDigitFace, height);
    }
}

void DrawLeftOuterDigit(const Frame& f, char digit, const Rect& R, const DigitBand& band) {
    FitOuterFont(f, OuterFontStart(f), digit);
    const int32_t w = f.surface->textWidth(kWidestDigit);
    const Rect box{R.left, band.top, R.left + w, band.bottom};
    f.surface->textInBox(box, roundPx(f.Ox()), OuterDigitY(f), std::string(1, digit));
}

void DrawRightOuterDigit(const Frame& f, char digit, int widthModules, const Rect& R,
                         const DigitBand& band) {
    const std::string text(1, digit);
    FitOuterFont(f, OuterFontStart(f), digit);
    const int32_t w = f.surface->textWidth(kWidestDigit);
    const int32_t wd = f.surface->textWidth(text);
    const Rect box{R.right - w, band.top, R.right, band.bottom};
    f.surface->textInBox(box, roundPx(f.Ox() + widthModules * f.P - wd), OuterDigitY(f), text);
}

void DrawQuietMark(const Frame& f, char mark, int32_t edge, long double zoneModules,
                   int32_t startHeight, int32_t cellTop) {
    const std::string text(1, mark);
    const long double limit = (zoneModules - 0.5L) * f.P;
    int32_t height = startHeight;
    f.surface->setFont(kDigitFace, height);
    while (f.surface->textWidth(text) > limit && height > 1) {
        --height;
        f.surface->setFont(kDigitFace, height);
    }
    const int32_t x = mark == '>' ? edge - f.surface->textWidth(text) : edge;
    f.surface->textAt(x, cellTop + startHeight - height, text);
}

}  // namespace strikon::ean_upc
