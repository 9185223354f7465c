#pragma once
// The program's arguments, read into what they ask for. Only the shape is checked here (known
// options, values present, no option twice, modes not mixed); the values themselves are checked
// when a job is built from them.

#include <QString>
#include <QStringList>
#include <optional>

#include "cli/option_values.h"
#include "platform/result.h"

namespace strikon::cli {

enum class Mode { Help, Single, Batch, Sheet, ListSheets };

struct CommandLine {
    Mode mode = Mode::Single;
    OptionValues values;  // one symbol or a sheet, or the defaults of every batch row
    QString batchFile;    // "-" reads the batch from standard input
    QString outputDir;
    int jobs = 0;            // threads for a batch's rows; 0: one per core
    bool check = false;      // report each symbol's scan check on standard output
    double inkSpreadMm = 0;  // with check: the press's ink spread
};

// The largest ink spread --ink-spread takes.
inline constexpr double kMaxInkSpreadMm = 0.300;

// The most threads --jobs may ask for.
inline constexpr int kMaxJobs = 256;

using CommandLineResult = Result<CommandLine>;

// arguments: without the program's name. Options take their value as the next argument or
// after "=" ("--size 120", "--size=120"); an optional value ("--list-sheets [TEXT]") is the
// next argument only when that is not an option.
CommandLineResult parseCommandLine(const QStringList& arguments);

}  // namespace strikon::cli
