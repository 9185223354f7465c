#include "cli/output_format.h"

#include <QFileInfo>

namespace strikon::cli {

std::optional<OutputFormat> formatForPath(const QString& path) {
    if (path == QStringView(kStdoutPath)) {
        return OutputFormat::PngToStdout;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"bmp") {
        return OutputFormat::Bmp;
    }
    if (suffix == u"jpg" || suffix == u"jpeg") {
        return OutputFormat::Jpeg;
    }
    if (suffix == u"png") {
        return OutputFormat::Png;
    }
    if (suffix == u"svg") {
        return OutputFormat::Svg;
    }
    if (suffix == u"pdf") {
        return OutputFormat::Pdf;
    }
    return std::nullopt;
}

QString acceptedExtensions() {
    return QStringLiteral(".bmp, .jpg, .jpeg, .png, .svg or .pdf");
}

}  // namespace strikon::cli
