#include "cli/symbol_output.h"

#include <QDir>
#include <cerrno>
#include <cstring>

#include "platform/atomic_write.h"
#include "render/symbol_file.h"

namespace strikon::cli {

ValueResult<QByteArray> encodeSymbol(const RenderJob& job) {
    return encodeSymbolFile(job.symbol, job.format, job.dpi);
}

namespace {

QString cannotWrite(const RenderJob& job, const QString& why) {
    return QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(job.output), why);
}

}  // namespace

WriteResult writeSymbol(const RenderJob& job, std::FILE* standardOutput, LinkPolicy links) {
    const ValueResult<QByteArray> bytes = encodeSymbol(job);
    if (!bytes.ok) {
        return WriteResult::failure(bytes.error);
    }
    if (job.toStdout()) {
        const size_t n = static_cast<size_t>(bytes.value.size());
        errno = 0;
        if (std::fwrite(bytes.value.constData(), 1, n, standardOutput) != n ||
            std::fflush(standardOutput) != 0) {
            const int e = errno != 0 ? errno : EIO;
            return WriteResult::failure(QStringLiteral("cannot write to standard output: %1")
                                            .arg(QString::fromLocal8Bit(std::strerror(e))),
                                        e);
        }
        return WriteResult::success();
    }
    const WriteResult written = writeFileAtomically(job.output, bytes.value, links);
    if (!written.ok) {
        return WriteResult::failure(cannotWrite(job, written.error));
    }
    return written;
}

ValueResult<StagedFile> stageSymbol(const RenderJob& job, LinkPolicy links) {
    const ValueResult<QByteArray> bytes = encodeSymbol(job);
    if (!bytes.ok) {
        return ValueResult<StagedFile>::failure(bytes.error);
    }
    ValueResult<StagedFile> staged = stageFile(job.output, bytes.value, links);
    if (!staged.ok) {
        staged.error = cannotWrite(job, staged.error);
    }
    return staged;
}

QString committedError(const RenderJob& job, const WriteResult& committed) {
    return committed.ok ? QString() : cannotWrite(job, committed.error);
}

}  // namespace strikon::cli
