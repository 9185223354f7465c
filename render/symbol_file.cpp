#include "render/symbol_file.h"

#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstring>
#include <new>

#include "formats/bmp_writer.h"
#include "formats/jpeg_writer.h"
#include "formats/png_bytes.h"
#include "render/symbol_image.h"
#include "render/vector_output.h"

namespace strikon {

namespace {

struct FormatExtensions {
    SymbolFileFormat format;
    std::span<const char* const> extensions;
};

constexpr const char* kBmp[] = {"bmp"};
constexpr const char* kJpeg[] = {"jpg", "jpeg"};
constexpr const char* kPng[] = {"png"};
constexpr const char* kSvg[] = {"svg"};
constexpr const char* kPdf[] = {"pdf"};

constexpr std::array<FormatExtensions, 5> kFormats = {{
    {SymbolFileFormat::Bmp, kBmp},
    {SymbolFileFormat::Jpeg, kJpeg},
    {SymbolFileFormat::Png, kPng},
    {SymbolFileFormat::Svg, kSvg},
    {SymbolFileFormat::Pdf, kPdf},
}};

ValueResult<QByteArray> outOfMemory(const SymbolRequest& request, double pxPerMm) {
    const QSize size = measureSymbol(request, pxPerMm, pxPerMm).value_or(QSize());
    return ValueResult<QByteArray>::failure(
        QStringLiteral("out of memory: a picture of %1 x %2 pixels does not fit (%3)")
            .arg(size.width())
            .arg(size.height())
            .arg(QString::fromLocal8Bit(std::strerror(ENOMEM))),
        ENOMEM);
}

ValueResult<QByteArray> encodePicture(const SymbolRequest& request, SymbolFileFormat format,
                                      int dpi) {
    const double pxPerMm = dpi / kMmPerInch;
    if (!measureSymbol(request, pxPerMm, pxPerMm)) {
        return ValueResult<QByteArray>::failure(QStringLiteral("the symbol has nothing to draw"));
    }
    // A picture or a buffer that cannot be had comes back empty from Qt's images, or as
    // std::bad_alloc from its byte arrays; either way the symbol itself was sound.
    try {
        // JPEG codes colours; BMP and PNG store the palette the picture is drawn in. Only the
        // palette picture draws digits without smoothing.
        QImage image = format == SymbolFileFormat::Jpeg && !request.output.bilevel
                           ? renderSymbolImage(request, pxPerMm, pxPerMm)
                           : renderSymbolPalettePicture(request, pxPerMm, pxPerMm);
        if (format == SymbolFileFormat::Jpeg && image.format() == QImage::Format_Indexed8) {
            image = image.convertToFormat(QImage::Format_RGB32);
        }
        if (image.isNull()) {
            return outOfMemory(request, pxPerMm);
        }
        ValueResult<QByteArray> encoded = ValueResult<QByteArray>::failure({});
        switch (format) {
            case SymbolFileFormat::Bmp:
                encoded = encodeBmp(image);
                break;
            case SymbolFileFormat::Jpeg:
                encoded = encodeJpeg(image);
                break;
            default: {
                QByteArray png = pngBytes(image);
                encoded = png.isEmpty() ? outOfMemory(request, pxPerMm)
                                        : ValueResult<QByteArray>::success(std::move(png));
            }
        }
        return !encoded.ok && encoded.systemError == ENOMEM ? outOfMemory(request, pxPerMm)
                                                            : encoded;
    } catch (const std::bad_alloc&) {
        return outOfMemory(request, pxPerMm);
    }
}

}  // namespace

std::span<const char* const> extensionsOf(SymbolFileFormat format) {
    for (const FormatExtensions& f : kFormats) {
        if (f.format == format) {
            return f.extensions;
        }
    }
    return {};
}

std::optional<SymbolFileFormat> symbolFileFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const FormatExtensions& f : kFormats) {
        for (const char* extension : f.extensions) {
            if (suffix == QLatin1String(extension)) {
                return f.format;
            }
        }
    }
    return std::nullopt;
}

QString symbolFileExtensionsText() {
    QStringList all;
    for (const FormatExtensions& f : kFormats) {
        for (const char* extension : f.extensions) {
            all << QLatin1Char('.') + QLatin1String(extension);
        }
    }
    const QString last = all.takeLast();
    return all.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

ValueResult<QByteArray> encodeSymbolFile(const SymbolRequest& request, SymbolFileFormat format,
                                         int dpi) {
    switch (format) {
        case SymbolFileFormat::Svg:
            return encodeSvg(request, dpi);
        case SymbolFileFormat::Pdf:
            return encodePdf(request, dpi);
        default:
            return encodePicture(request, format, dpi);
    }
}

}  // namespace strikon
