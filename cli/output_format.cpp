#include "cli/output_format.h"

namespace strikon::cli {

std::optional<SymbolFileFormat> formatForPath(const QString& path) {
    if (isStdoutPath(path)) {
        return SymbolFileFormat::Png;
    }
    return symbolFileFormatOf(path);
}

QString acceptedExtensions() {
    return symbolFileExtensionsText();
}

}  // namespace strikon::cli
