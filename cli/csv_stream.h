#pragma once
// Records of a batch file read one at a time from a device, so that memory stays bounded
// whatever the file holds: a record longer than kMaxRecordBytes stops the reading with a
// message. LF, CRLF and a lone CR (old Mac exports) all end a line; a record that is not UTF-8
// carries that as its error. Each record's text is then read by readCsv (csv_reader.h).

#include <QByteArray>
#include <QIODevice>
#include <deque>
#include <optional>

#include "cli/csv_reader.h"

namespace strikon::cli {

// A batch row holds a few short values; a line this long is not a batch file.
inline constexpr qsizetype kMaxRecordBytes = 64 * 1024;

class CsvStream {
  public:
    // copyTo, when given, receives every byte read (to keep standard input for a second pass).
    // delimiter: ',' or ';' (csv_dialect.h).
    explicit CsvStream(QIODevice& device, QIODevice* copyTo = nullptr, char delimiter = ',')
        : device_(device), copyTo_(copyTo), delimiter_(delimiter) {}

    // The next record; nothing at the end of the input or after a fault that stops the reading,
    // which error() then names (with its line).
    std::optional<CsvRecord> next();
    const QString& error() const { return error_; }

  private:
    enum class Read { Line, End, TooLong };
    Read appendLine(QByteArray& into);
    bool fill();
    void scanQuotes(char c);

    QIODevice& device_;
    QIODevice* copyTo_;
    char delimiter_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    int line_ = 1;  // of the next physical line
    bool first_ = true;
    QString error_;
    std::deque<CsvRecord> pending_;
    // Whether the bytes so far end inside a quoted field, which then goes on on the next line.
    bool inQuotes_ = false;
    bool atFieldStart_ = true;
    bool justClosed_ = false;
};

}  // namespace strikon::cli
