#pragma once
// Every option of strikon-render, once: parsing, the columns of a batch file and --help all
// read this table, so an option added here is known to all three.

#include <QString>
#include <optional>
#include <span>

#include "cli/option_values.h"

namespace strikon::cli {

enum class OptionUse {
    Symbol,  // describes the symbol; also a batch column
    Batch,   // only with --batch
    Sheet,   // only with --sheet
    Check,   // the scan check, with any of the others
    Help,
    List,  // lists what is installed, on its own
};

struct OptionRow {
    const char* name;  // without the leading "--"
    // Shown in --help; nullptr for a flag, given alone to mean "yes"; in brackets ("[TEXT]")
    // for a value that may be left out, "" then.
    const char* valueName;
    OptionUse use;
    std::optional<QString> OptionValues::*field;  // nullptr for --help
    const char* column;                           // the batch column's name, or nullptr
    const char* help;  // --help's description, its lines broken where they are to break
};

std::span<const OptionRow> options();

// The option of this name (without "--"), or nullptr.
const OptionRow* findOption(QStringView name);

// The option a batch header cell names: its column name, or the option's own name with or
// without "--", in any case; nullptr when no column has that name.
const OptionRow* findColumn(QStringView cell);

// "type, digits, ... and file": the columns, for messages.
QString columnNames();

// --help's option list: one entry an option, its description in a column of its own.
QString optionHelp();

}  // namespace strikon::cli
