#include "cli/symbol_output.h"

#include <QDir>

#include "platform/images/atomic_write.h"
#include "platform/images/bmp_writer.h"
#include "platform/images/jpeg_writer.h"
#include "platform/images/png_bytes.h"
#include "render/symbol_image.h"
#include "render/vector_output.h"

namespace strikon::cli {

namespace {

ValueResult<QByteArray> encodePicture(const RenderJob& job) {
    const QImage image = renderSymbolImage(job.symbol, job.pxPerMm(), job.pxPerMm());
    if (image.isNull()) {
        return ValueResult<QByteArray>::failure(QStringLiteral("the symbol has nothing to draw"));
    }
    switch (job.format) {
        case OutputFormat::Bmp:
            return encodeBmp(image);
        case OutputFormat::Jpeg:
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

ValueResult<QByteArray> encodeSymbol(const RenderJob& job) {
    switch (job.format) {
        case OutputFormat::Svg:
            return encodeSvg(job.symbol, job.dpi);
        case OutputFormat::Pdf:
            return encodePdf(job.symbol, job.dpi);
        default:
            return encodePicture(job);
    }
}

WriteResult writeSymbol(const RenderJob& job, std::FILE* standardOutput, LinkPolicy links) {
    const ValueResult<QByteArray> bytes = encodeSymbol(job);
    if (!bytes.ok) {
        return WriteResult::failure(bytes.error);
    }
    if (job.format == OutputFormat::PngToStdout) {
        const size_t n = static_cast<size_t>(bytes.value.size());
        if (std::fwrite(bytes.value.constData(), 1, n, standardOutput) != n ||
            std::fflush(standardOutput) != 0) {
            return WriteResult::failure(QStringLiteral("cannot write to standard output"));
        }
        return WriteResult::success();
    }
    const WriteResult written = writeFileAtomically(job.output, bytes.value, links);
    if (!written.ok) {
        return WriteResult::failure(QStringLiteral("cannot write %1: %2")
                                        .arg(QDir::toNativeSeparators(job.output), written.error));
    }
    return written;
}

}  // namespace strikon::cli
