#pragma once
// Which kind of file an output path asks for: its extension decides, case aside.

#include <QString>
#include <optional>

namespace strikon::cli {

enum class OutputFormat { Bmp, Jpeg, Png, Svg, Pdf, PngToStdout };

// The path that stands for standard output (PNG only).
inline constexpr char16_t kStdoutPath[] = u"-";

// Nothing for an extension no writer handles.
std::optional<OutputFormat> formatForPath(const QString& path);

// For messages: the extensions accepted.
QString acceptedExtensions();

}  // namespace strikon::cli
