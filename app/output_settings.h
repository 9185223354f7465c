#pragma once
// The window's output settings, kept for the run: the print-grade options every output of the
// window gets, and the resolution of Save As, Copy and Export to Word; with the captions that
// say what they come to for the current symbol.

#include <QString>
#include <array>

#include "app/language.h"
#include "render/symbol_request.h"

namespace strikon {

struct OutputSettings {
    OutputOptions options;
    int dpi = 300;
    // The ink spread of the press the user prints on: the grades shown are as it prints.
    double inkSpreadMm = 0;
};

// The largest ink spread the window takes, as strikon-render's --ink-spread.
inline constexpr double kMaxInkSpreadMm = 0.300;

// The resolutions offered: common printers' and 300, the default.
inline constexpr std::array<int, 5> kOutputDpis = {150, 203, 300, 600, 1200};

// "0.085 mm = 1 dot at 300 dpi": the reduction the output actually gets.
QString reductionCaption(const SymbolRequest& symbol, int dpi, Language language);
// "100 % → 102.6 %, X = 0.339 mm, 4 dots at 300 dpi": the whole-dot fit at that resolution.
QString fitCaption(const SymbolRequest& symbol, int dpi, Language language);
// The line under the preview: the symbol's size in millimetres at the output resolution, its
// module width, and the whole-dot fit when it is on. Empty when the page describes no symbol.
QString symbolSizeLine(const SymbolRequest& symbol, int dpi, Language language);

}  // namespace strikon
