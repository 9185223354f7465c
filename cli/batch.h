#pragma once
// A batch: one symbol per row of a CSV file whose header names the columns (any of the option
// names, and "file" for the output's name inside the output folder). Values given on the
// command line stand for empty or missing cells. A failing row is reported with its line and
// reason and the others still run.

#include <QString>
#include <QTextStream>

#include "cli/option_values.h"

namespace strikon::cli {

// Batches at least this long report their progress.
inline constexpr int kProgressMinRows = 50;

struct BatchOutcome {
    QString error;  // the batch could not run at all (no header, unknown column, no folder)
    int rows = 0;   // data rows seen
    int failed = 0;

    bool allWritten() const { return error.isEmpty() && failed == 0; }
};

// csv: the whole file's text. Messages, warnings and progress go to `messages`, one per line.
BatchOutcome runBatch(const QString& csv, const QString& outputDir, const OptionValues& defaults,
                      QTextStream& messages);

// The batch file's text ("-" reads standard input), decoded as UTF-8; error set when unreadable.
struct BatchText {
    QString text;
    QString error;
};
BatchText readBatchFile(const QString& path);

}  // namespace strikon::cli
