#include "cli/csv_stream.h"

namespace strikon::cli {

bool CsvStream::fill() {
    buffer_.resize(64 * 1024);
    const qint64 n = device_.read(buffer_.data(), buffer_.size());
    if (n < 0) {
        error_ = QStringLiteral("cannot read the batch file: %1").arg(device_.errorString());
    }
    buffer_.resize(n > 0 ? qsizetype(n) : 0);
    pos_ = 0;
    if (n > 0 && copyTo_ != nullptr && copyTo_->write(buffer_) != n) {
        error_ = QStringLiteral("cannot keep standard input: %1").arg(copyTo_->errorString());
        return false;
    }
    return n > 0;
}

std::optional<CsvRecord> CsvStream::next() {
    while (!ended_ && error_.isEmpty()) {
        if (pos_ == buffer_.size() && !fill()) {
            ended_ = true;
            if (error_.isEmpty() && machine_.end()) {
                return machine_.take();
            }
            break;
        }
        const char* bytes = buffer_.constData();
        while (pos_ < buffer_.size()) {
            if (machine_.put(bytes[pos_++])) {
                CsvRecord r = machine_.take();
                if (!machine_.stopped()) {
                    return r;
                }
                error_ = QStringLiteral("line %1: %2").arg(r.line).arg(r.error);
                break;
            }
        }
    }
    return std::nullopt;
}

}  // namespace strikon::cli
