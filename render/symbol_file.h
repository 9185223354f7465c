#pragma once
// The symbol as the bytes of a file, the same for the window's Save As and strikon-render:
// pictures at the resolution with its density stored, SVG and PDF sized to the symbol in
// millimetres with their bars on that resolution's pixel grid.

#include <QByteArray>

#include "platform/result.h"
#include "render/symbol_request.h"

namespace strikon {

enum class SymbolFileFormat { Bmp, Jpeg, Png, Svg, Pdf };

ValueResult<QByteArray> encodeSymbolFile(const SymbolRequest& request, SymbolFileFormat format,
                                         int dpi);

}  // namespace strikon
