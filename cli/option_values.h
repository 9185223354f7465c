#pragma once
// What the user wrote on the command line, option by option, or one row of a batch file laid
// over the command line's values. Each is absent when not given; its text is checked only when
// a job is built from it.

#include <QString>
#include <optional>

namespace strikon::cli {

struct OptionValues {
    // One symbol; these are also the columns of a batch file.
    std::optional<QString> type;
    std::optional<QString> digits;
    std::optional<QString> addon;
    std::optional<QString> size;
    std::optional<QString> dpi;
    std::optional<QString> lineColor;
    std::optional<QString> background;
    std::optional<QString> checkDigit;      // "yes"/"no" and the like; the bare flag gives "yes"
    std::optional<QString> barReduction;    // millimetres
    std::optional<QString> fitDots;         // a flag like checkDigit
    std::optional<QString> quietZoneMarks;  // a flag like checkDigit
    std::optional<QString> bilevel;         // a flag like checkDigit
    std::optional<QString> gs1;             // a bracketed GS1 element string
    std::optional<QString> resolver;        // GS1-QR's Digital Link domain
    std::optional<QString> module;          // GS1 symbols' X in millimetres
    std::optional<QString> ec;              // GS1-QR's error correction level
    std::optional<QString> output;          // the "file" column of a batch

    // The scan check.
    std::optional<QString> check;      // a flag: report instead of (or besides) writing
    std::optional<QString> inkSpread;  // millimetres the press spreads every bar by

    // A batch.
    std::optional<QString> batch;  // "-" reads standard input
    std::optional<QString> outputDir;
    std::optional<QString> jobs;
    std::optional<QString> delimiter;  // "," or ";"; read from the header row when absent
    std::optional<QString> encoding;   // utf-8 or windows-1251; UTF-8 unless the bytes say not

    // A sheet of labels.
    std::optional<QString> sheet;        // a built-in layout or COLUMNSxROWS,WIDTHxHEIGHT[,...]
    std::optional<QString> page;         // A4 or Letter, for a custom layout
    std::optional<QString> copies;       // N
    std::optional<QString> run;          // N[,STEP]
    std::optional<QString> skip;         // N
    std::optional<QString> dualMarking;  // a flag: each GS1-QR beside its GTIN's linear symbol

    // The label stock the installed templates describe: the words to look for, "" for all.
    std::optional<QString> listSheets;

    // Every symbol value given in `over` replaces the one here.
    OptionValues overlaidWith(const OptionValues& over) const;
};

}  // namespace strikon::cli
