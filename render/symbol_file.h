#pragma once
// The symbol as the bytes of a file, the same for the window's Save As and strikon-render:
// pictures at the resolution with its density stored, SVG and PDF sized to the symbol in
// millimetres with their bars on that resolution's pixel grid.

#include <QByteArray>
#include <QString>
#include <optional>
#include <span>

#include "platform/result.h"
#include "render/symbol_request.h"

namespace strikon {

enum class SymbolFileFormat { Bmp, Jpeg, Png, Svg, Pdf };

// The extensions a format is written under, in lower case without the dot; the first is the one
// a path without an extension of its own gets.
std::span<const char* const> extensionsOf(SymbolFileFormat format);
// The format a path's extension names, case aside; nothing for any other extension.
std::optional<SymbolFileFormat> symbolFileFormatOf(const QString& path);
// For messages: ".bmp, .jpg, .jpeg, .png, .svg or .pdf".
QString symbolFileExtensionsText();

ValueResult<QByteArray> encodeSymbolFile(const SymbolRequest& request, SymbolFileFormat format,
                                         int dpi);

}  // namespace strikon
