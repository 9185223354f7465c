#pragma once
// Working values shared by the sections of the EAN/UPC encoder within one call, and the
// dimensions common to its symbols. Millimetres are at 100 % size.

#include <cstdint>
#include <string>

#include "digit_font.h"
#include "surface.h"

namespace strikon::ean_upc {

// Nominal module width X.
inline constexpr long double kModuleMm = 0.33L;
// Height of the normal bars of EAN-13, UPC-A and UPC-E (69.24 X); the digit band starts here.
inline constexpr long double kBarMm = 22.85L;
// Overall height of EAN-13, UPC-A and UPC-E: bars plus digit band. The nominal figure is
// 25.93 mm; the program draws 25.91 mm, the height its pictures and printed labels measure.
inline constexpr long double kSymbolMm = 25.91L;
// Guard (and UPC long) bars reach this many modules below the normal bars.
inline constexpr long double kGuardExtensionModules = 5.0L;
// Font factor: digit cells are drawn 1.5 times their nominal height.
inline constexpr long double kFontFactor = 1.5L;
// Nominal cell height of the digits under the bars.
inline constexpr long double kDigitCellMm = 2.75L;
// How far a digit's character cell starts above its clipping box (text lift L).
inline constexpr long double kTextLiftMm = 0.5L;

// Values derived once per call. s, M and L are held as doubles; P, the unrounded module width
// in pixels, stays in extended precision and only ever enters long double sums.
struct Frame {
    Surface* surface = nullptr;
    double OffsetX = 0;
    double OffsetY = 0;
    double PxPerMmX = 0;
    double PxPerMmY = 0;
    double s = 0;       // scale, SizePercent / 100
    double M = 0;       // module width in mm
    double L = 0;       // text lift in pixels
    long double P = 0;  // module width in pixels

    // The symbol's unrounded left and top edges in pixels.
    long double Ox() const { return static_cast<long double>(OffsetX) * PxPerMmX; }
    long double Oy() const { return static_cast<long double>(OffsetY) * PxPerMmY; }
};

Frame MakeFrame(Surface* surface, double OffsetX, double OffsetY, uint16_t SizePercent,
                double PxPerMmX, double PxPerMmY);

// The main sections. Each reads only its own digits, and only when they are all "0".."9"; it
// then sets R (and the add-on start A, where the symbol takes an add-on) and draws when the
// frame has a surface. Bad digits leave R and A untouched.
void EAN13Section(const Frame& f, const std::string& Digits, Rect& R, int& A);
void EAN8Section(const Frame& f, const std::string& Digits, Rect& R);
void UPCASection(const Frame& f, const std::string& Digits, Rect& R, int& A);
void UPCESection(const Frame& f, const std::string& Digits, Rect& R, int& A);

// The add-on of digitCount (2 or 5) digits from 1-based position A, beside a main symbol whose
// rectangle is R; upcFamily adds the 2-module gap of UPC-A and UPC-E. Widens R; bad digits
// leave R untouched.
void AddOnSection(const Frame& f, int digitCount, bool upcFamily, const std::string& Digits, int A,
                  Rect& R);

// Light-margin indicators, drawn over a symbol already drawn with the same frame: ">" at the
// right end of EAN-13's right quiet zone, "<" and ">" at the outer ends of EAN-8's, ">" at the
// right end of an add-on's. R is the rectangle its section gave (for the add-on, the main
// symbol's widened by it).
void EAN13Marks(const Frame& f, const Rect& R);
void EAN8Marks(const Frame& f, const Rect& R);
void AddOnMark(const Frame& f, const Rect& R);

}  // namespace strikon::ean_upc
