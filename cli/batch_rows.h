#pragma once
// The parts of reading a batch that a batch file and a stream of rows share.

#include <QString>
#include <QStringList>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/option_table.h"
#include "cli/option_values.h"

namespace strikon::cli {

// Column i of the header fills the option columns[i]; "" when the header is valid.
QString readBatchHeader(const QStringList& header, std::vector<const OptionRow*>& columns,
                        bool needsFile);
// A row's cells laid over the defaults; "" when the row could be read.
QString batchRowValues(const CsvRecord& record, const std::vector<const OptionRow*>& columns,
                       const OptionValues& defaults, OptionValues& values);
// "" when a row may name this file: a plain name inside the output folder.
QString checkBatchFileName(const QString& name);

}  // namespace strikon::cli
