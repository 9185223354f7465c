#include "render/symbol_file.h"

#include "formats/bmp_writer.h"
#include "formats/jpeg_writer.h"
#include "formats/png_bytes.h"
#include "render/symbol_image.h"
#include "render/vector_output.h"

namespace strikon {

namespace {

ValueResult<QByteArray> encodePicture(const SymbolRequest& request, SymbolFileFormat format,
                                      int dpi) {
    const double pxPerMm = dpi / kMmPerInch;
    // JPEG codes colours; BMP and PNG store the palette the picture is drawn in. Only the
    // palette picture draws digits without smoothing.
    QImage image = format == SymbolFileFormat::Jpeg && !request.output.bilevel
                       ? renderSymbolImage(request, pxPerMm, pxPerMm)
                       : renderSymbolPalettePicture(request, pxPerMm, pxPerMm);
    if (format == SymbolFileFormat::Jpeg && image.format() == QImage::Format_Indexed8) {
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    if (image.isNull()) {
        return ValueResult<QByteArray>::failure(QStringLiteral("the symbol has nothing to draw"));
    }
    switch (format) {
        case SymbolFileFormat::Bmp:
            return encodeBmp(image);
        case SymbolFileFormat::Jpeg:
            return encodeJpeg(image);
        default: {
            QByteArray png = pngBytes(image);
            if (png.isEmpty()) {
                return ValueResult<QByteArray>::failure(QStringLiteral("PNG encoding failed"));
            }
            return ValueResult<QByteArray>::success(std::move(png));
        }
    }
}

}  // namespace

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
