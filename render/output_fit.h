#pragma once
// What the output options come to at a given resolution: the scale of a whole-dot fit and the
// reduction in whole pixels, for the drawing and for the captions that state them.

#include <cstdint>

#include "render/symbol_request.h"

namespace strikon {

// The module's nominal width at the request's size (ITF-14: the narrow element), in mm.
double nominalModuleMm(const SymbolRequest& request);

struct WholeDotFit {
    int32_t dots = 1;     // output dots per module, at least one
    double scale = 1.0;   // factor on the request's size that makes the module `dots` wide
    double moduleMm = 0;  // the module as drawn
    double percent = 0;   // the size that results, in percent of nominal
    bool inRange = true;  // false: no whole number of dots keeps the symbology's size range
};

// The module at the nearest whole number of dots at pxPerMmX whose size stays within the
// symbology's range of sizes; scale 1 when no number of dots does (inRange false) or the
// resolution is not positive.
WholeDotFit wholeDotFit(const SymbolRequest& request, double pxPerMmX);

struct BarReductionAt {
    int32_t dots = 0;  // whole pixels taken off each bar
    double mm = 0;     // what that is in millimetres
};

// The request's reduction rounded to whole pixels at pxPerMmX, ties to even.
BarReductionAt barReductionAt(const SymbolRequest& request, double pxPerMmX);

}  // namespace strikon
