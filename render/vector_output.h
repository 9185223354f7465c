#pragma once
// The symbol as SVG or PDF: the same measure-then-draw encoder call as every picture, on a
// surface whose pixels are the picture's at `dpi` pixels per inch, so bars fall on the same pixel
// grid as in a picture at that resolution while the document states the symbol's true size.

#include <QByteArray>

#include "platform/result.h"
#include "render/symbol_request.h"

namespace strikon {

// width and height in millimetres, and a view box of the bounding rectangle in pixels.
ValueResult<QByteArray> encodeSvg(const SymbolRequest& symbol, int dpi);

// One page exactly the symbol's size, no margins.
ValueResult<QByteArray> encodePdf(const SymbolRequest& symbol, int dpi);

}  // namespace strikon
