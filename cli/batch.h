#pragma once
// A batch: one symbol per row of a CSV file whose header names the columns (any of the option
// names, and "file" for the output's name inside the output folder). Values given on the
// command line stand for empty or missing cells. A failing row is reported with its line and
// reason and the others still run.

#include <QIODevice>
#include <QString>
#include <QTextStream>
#include <memory>
#include <vector>

#include "cli/option_values.h"
#include "platform/result.h"

namespace strikon::cli {

// Batches at least this long report their progress.
inline constexpr int kProgressMinRows = 50;

struct BatchOutcome {
    QString error;    // the batch could not run at all (no header, unknown column, no folder)
    qint64 rows = 0;  // data rows seen
    qint64 failed = 0;

    bool allWritten() const { return error.isEmpty() && failed == 0; }
};

// csv: the batch file, read one row at a time (twice when it can be: the first pass counts the
// rows). Messages, warnings and progress go to `messages`, one per line, in row order.
// jobs: threads that draw and write the rows (1 draws them in this thread); the messages, the
// files and the outcome are the same whatever the number.
BatchOutcome runBatch(QIODevice& csv, const QString& outputDir, const OptionValues& defaults,
                      QTextStream& messages, int jobs = 1);
// The same over a text held in memory.
BatchOutcome runBatch(const QString& csv, const QString& outputDir, const OptionValues& defaults,
                      QTextStream& messages, int jobs = 1);

// The rows of a batch that fills a sheet, one label each in row order: every row's cells laid
// over `defaults`; no file column is needed. The first fault stops the reading, named by line.
struct BatchRows {
    std::vector<OptionValues> rows;
    std::vector<qint64> lines;  // the file's line of each row
    QString error;
};
BatchRows readBatchRows(QIODevice& csv, const OptionValues& defaults, int maxRows);

// The batch file opened for reading ("-" reads standard input), or why it cannot be.
using BatchFile = Result<std::unique_ptr<QIODevice>>;
BatchFile openBatchFile(const QString& path);

}  // namespace strikon::cli
