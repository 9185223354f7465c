#pragma once
// The measure-then-draw call every output goes through: the request handed to its encoder.
// Preview, pictures, printing, SVG and PDF all measure with a null surface first and then draw
// with the same call on their own surface and scale.

#include <QString>
#include <cstdint>

#include "encoders/gs1_symbol.h"
#include "encoders/surface.h"
#include "render/symbol_request.h"

namespace strikon {

// Draws on `surface` with the colours the surface holds (nullptr measures only); Bounds
// receives the bounding rectangle, (0, 0, 0, 0) when the digits describe no symbol.
void renderSymbol(const SymbolRequest& request, Surface* surface, Rect& Bounds, double OffsetX,
                  double OffsetY, double PxPerMmX, double PxPerMmY);

// The GS1 symbol a request describes, its modules counted in whole dots at fitPxPerMm when that
// is positive (else at the drawing's own resolution).
Gs1Symbol gs1SymbolOf(const SymbolRequest& request, double fitPxPerMm = 0);

// Whole millimetres that centre a measured extent in an area, ties to even.
double centringOffset(int areaExtent, int32_t measuredExtent, double pxPerMm);

// "EAN-13 4006381333931" (add-on digits appended), "GS1-128 (00)...", so that files of symbols
// can be told apart.
QString symbolTitle(const SymbolRequest& request);

}  // namespace strikon
