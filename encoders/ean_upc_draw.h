#pragma once
// Drawing steps that several EAN/UPC sections share: the main rectangle, the bars of a module
// string, and the digits under the bars.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string_view>

#include "ean_upc_frame.h"

namespace strikon::ean_upc {

// Rows of one bar column: move to (x, from), line to (x, to).
struct BarRows {
    int32_t from = 0;
    int32_t to = 0;
    friend bool operator==(const BarRows&, const BarRows&) = default;
};

// The main symbol's rectangle from its width in modules (quiet zones included) and its height.
Rect MainRect(const Frame& f, int widthModules, long double heightMm);

// Draws every run of consecutive dark modules that share one row range as one solid span of
// columns, from round(X0 + (k1 - 1) P) to round(X0 + k2 P), end excluded, never narrower than
// one column. A span per run, not columns per module, so a bar wider than a module has no
// hairline inside it wherever P falls between whole pixels. rowsOf(k) gives the rows of the
// 1-based module k. When P rounds below one pixel no bar is drawn at all.
void DrawModuleBars(Surface& surface, std::string_view modules, long double X0, long double P,
                    const std::function<BarRows(size_t)>& rowsOf);

// A 1-based inclusive range of module positions whose bars are long.
struct ModuleRange {
    size_t first;
    size_t last;
};

// Bars of a main symbol: all start at the top edge; normal bars are barMm tall and the modules
// in the long ranges kGuardExtensionModules modules taller.
void DrawMainBars(const Frame& f, std::string_view modules, int quietModules, long double barMm,
                  std::initializer_list<ModuleRange> longRanges);

// The steps every main symbol starts with: R from its width and overall height; then, when
// there is a surface, R filled with the background and the bars drawn. Returns whether there
// is a surface to go on drawing the digits on.
bool DrawMainFrame(const Frame& f, std::string_view modules, int widthModules, int quietModules,
                   long double barMm, long double symbolMm,
                   std::initializer_list<ModuleRange> longRanges, Rect& R);

// The band under the bars that holds the digits: box rows and the text rows.
struct DigitBand {
    int32_t top = 0;     // first row of every digit box
    int32_t bottom = 0;  // R's bottom
    int32_t y = 0;       // top of the character cell of a digit in the normal font
};
DigitBand MakeDigitBand(const Frame& f, long double barMm, const Rect& R);

// Cell height of the normal digit font.
int32_t DigitFontHeight(const Frame& f);
// Sets the normal digit font and returns w, the width of the widest digit in it, which stands
// for every digit's width in the layout.
int32_t SetDigitFont(const Frame& f);
// The pitch that spreads a group of digit boxes, each w wide, so that the last box ends
// spanModules - 1 modules after the first begins: (spanModules P - w - P) / gaps.
double DigitPitch(const Frame& f, int spanModules, int32_t w, int gaps);

// Digits drawn in boxes w pixels wide, the first box firstModule modules right of the symbol's
// left edge, each next one pitch pixels further.
void DrawDigitRow(const Frame& f, std::string_view digits, long double firstModule, double pitch,
                  int32_t w, const DigitBand& band);

// UPC-A and UPC-E print their first and last digit in the quiet zones, in a font fitted to
// the module width.
int32_t OuterFontStart(const Frame& f);
// Row of an outer digit's character cell.
int32_t OuterDigitY(const Frame& f);
// Sets the font to startHeight and lowers it one pixel at a time until digit is no wider than
// 4.8 modules. Stops at a cell height of 1 on a surface where text never narrows.
void FitOuterFont(const Frame& f, int32_t startHeight, char digit);
// The first digit at the left end of the left quiet zone, and the last digit right-aligned
// with the right edge of a symbol widthModules wide; each in its own fitted font.
void DrawLeftOuterDigit(const Frame& f, char digit, const Rect& R, const DigitBand& band);
void DrawRightOuterDigit(const Frame& f, char digit, int widthModules, const Rect& R,
                         const DigitBand& band);

// One light-margin indicator: mark ("<" or ">") in the digit face, from a cell of startHeight
// lowered until it fits half a module inside a quiet zone zoneModules wide, its cell's bottom
// level with that of the startHeight cell at cellTop. The tip side of the text lies on edge:
// the text ends there for ">" and starts there for "<".
void DrawQuietMark(const Frame& f, char mark, int32_t edge, long double zoneModules,
                   int32_t startHeight, int32_t cellTop);

}  // namespace strikon::ean_upc
