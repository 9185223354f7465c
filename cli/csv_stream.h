#pragma once
// Records of a batch file read one at a time from a device, so that memory stays bounded
// whatever the file holds. The records are those readCsv (csv_reader.h) reads from the same
// bytes: both go through one CsvMachine.

#include <QByteArray>
#include <QIODevice>
#include <optional>

#include "cli/csv_reader.h"

namespace strikon::cli {

class CsvStream {
  public:
    // copyTo, when given, receives every byte read (to keep standard input for a second pass).
    explicit CsvStream(QIODevice& device, QIODevice* copyTo = nullptr)
        : device_(device), copyTo_(copyTo) {}

    // The next record; nothing at the end of the input or after a fault that stops the reading
    // (the device cannot be read), which error() then names.
    std::optional<CsvRecord> next();
    const QString& error() const { return error_; }

  private:
    bool fill();

    QIODevice& device_;
    QIODevice* copyTo_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool ended_ = false;
    CsvMachine machine_;
    QString error_;
};

}  // namespace strikon::cli
