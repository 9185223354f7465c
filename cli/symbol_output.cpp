#include "cli/symbol_output.h"

#include <QDir>

#include "platform/images/atomic_write.h"
#include "render/symbol_file.h"

namespace strikon::cli {

namespace {

SymbolFileFormat fileFormat(OutputFormat format) {
    switch (format) {
        case OutputFormat::Bmp:
            return SymbolFileFormat::Bmp;
        case OutputFormat::Jpeg:
            return SymbolFileFormat::Jpeg;
        case OutputFormat::Svg:
            return SymbolFileFormat::Svg;
        case OutputFormat::Pdf:
            return SymbolFileFormat::Pdf;
        case OutputFormat::Png:
        case OutputFormat::PngToStdout:
            break;
    }
    return SymbolFileFormat::Png;
}

}  // namespace

ValueResult<QByteArray> encodeSymbol(const RenderJob& job) {
    return encodeSymbolFile(job.symbol, fileFormat(job.format), job.dpi);
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
