#pragma once
// The options that describe one symbol, as the user wrote them: from the command line, or from
// one row of a batch file laid over the command line's values.

#include <QString>
#include <optional>

namespace strikon::cli {

struct OptionValues {
    // Each is absent when not given; its text is checked only when a job is built from it.
    std::optional<QString> type;
    std::optional<QString> digits;
    std::optional<QString> addon;
    std::optional<QString> size;
    std::optional<QString> dpi;
    std::optional<QString> lineColor;
    std::optional<QString> background;
    std::optional<QString> checkDigit;  // "yes"/"no" and the like; the bare flag gives "yes"
    std::optional<QString> output;
    std::optional<QString> barReduction;    // millimetres
    std::optional<QString> fitDots;         // a flag like checkDigit
    std::optional<QString> quietZoneMarks;  // a flag like checkDigit

    // Every value given in `over` replaces the one here.
    OptionValues overlaidWith(const OptionValues& over) const;
};

// Names of the options that describe a symbol, without the leading "--"; the same names head
// the columns of a batch file ("output" is "file" there).
inline constexpr const char* kOptionNames[] = {
    "type",          "digits",     "addon",           "size",
    "dpi",           "line-color", "background",      "check-digit",
    "bar-reduction", "fit-dots",   "quiet-zone-marks"};

// Options given alone, without a value, mean "yes"; "--fit-dots=no" overrides a batch's column.
inline constexpr const char* kFlagNames[] = {"check-digit", "fit-dots", "quiet-zone-marks"};

// The field of `values` that an option name refers to, or nullptr for an unknown name.
// "file" and "output" both name the output.
std::optional<QString>* optionField(OptionValues& values, const QString& name);

}  // namespace strikon::cli
