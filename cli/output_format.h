#pragma once
// Which kind of file an output path asks for: its extension decides, case aside, as render/
// names them; "-" stands for PNG on standard output.

#include <QString>
#include <optional>

#include "render/symbol_file.h"

namespace strikon::cli {

// The path that stands for standard output (PNG only).
inline constexpr char16_t kStdoutPath[] = u"-";

inline bool isStdoutPath(const QString& path) {
    return path == QStringView(kStdoutPath);
}

// Nothing for an extension no writer handles.
std::optional<SymbolFileFormat> formatForPath(const QString& path);

// For messages: the extensions accepted.
QString acceptedExtensions();

}  // namespace strikon::cli
