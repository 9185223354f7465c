#include "cli/csv_stream.h"

#include <QStringDecoder>

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

// Enough of the quoting rules to tell whether a line break lies inside a quoted field; the
// record's text is then read in full by readCsv, which also reports misplaced quotes.
void CsvStream::scanQuotes(char c) {
    if (inQuotes_) {
        inQuotes_ = c != '"';
        justClosed_ = !inQuotes_;
        return;
    }
    if (c == '"' && (atFieldStart_ || justClosed_)) {  // opens a field, or a doubled quote
        inQuotes_ = true;
        atFieldStart_ = false;
    } else if (c == delimiter_) {
        atFieldStart_ = true;
    } else if (c != ' ') {
        atFieldStart_ = false;
    }
    justClosed_ = false;
}

CsvStream::Read CsvStream::appendLine(QByteArray& into) {
    bool any = false;
    while (error_.isEmpty() && (pos_ < buffer_.size() || fill())) {
        const char c = buffer_[pos_++];
        any = true;
        if (c == '\n' || c == '\r') {
            if (c == '\r' && (pos_ < buffer_.size() || fill()) && buffer_[pos_] == '\n') {
                ++pos_;
            }
            ++line_;
            return Read::Line;
        }
        if (into.size() >= kMaxRecordBytes) {
            return Read::TooLong;
        }
        into.append(c);
        scanQuotes(c);
    }
    return any ? Read::Line : Read::End;
}

std::optional<CsvRecord> CsvStream::next() {
    while (pending_.empty() && error_.isEmpty()) {
        const int start = line_;
        QByteArray bytes;
        inQuotes_ = false;
        atFieldStart_ = true;
        justClosed_ = false;
        Read read = appendLine(bytes);
        while (read == Read::Line && inQuotes_) {
            bytes.append('\n');
            read = appendLine(bytes);
        }
        if (read == Read::TooLong) {
            error_ = QStringLiteral(
                         "line %1: longer than %2 bytes; a batch row holds a few "
                         "short values (is this a CSV file?)")
                         .arg(start)
                         .arg(kMaxRecordBytes);
        }
        if (!error_.isEmpty() || (read == Read::End && bytes.isEmpty())) {
            break;
        }
        if (first_ && bytes.startsWith("\xEF\xBB\xBF")) {  // a byte-order mark
            bytes.remove(0, 3);
        }
        first_ = false;
        if (bytes.isEmpty()) {
            continue;  // an empty line
        }
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes);
        if (utf8.hasError()) {
            pending_.push_back({start,
                                {},
                                QStringLiteral("the row is not UTF-8 text; save the "
                                               "batch file as UTF-8")});
            continue;
        }
        for (CsvRecord& r : readCsv(text, delimiter_)) {
            r.line += start - 1;
            pending_.push_back(std::move(r));
        }
    }
    if (pending_.empty()) {
        return std::nullopt;
    }
    CsvRecord r = std::move(pending_.front());
    pending_.pop_front();
    return r;
}

}  // namespace strikon::cli
