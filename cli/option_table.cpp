#include "cli/option_table.h"

#include <QStringList>

namespace strikon::cli {

namespace {

// In the order --help lists them.
constexpr OptionRow kOptions[] = {
    {"type", "TYPE", OptionUse::Symbol, &OptionValues::type, "type",
     "EAN-13, EAN-8, UPC-A, UPC-E, ITF-14, GS1-QR (a GS1\n"
     "Digital Link QR code), GS1-DataMatrix or GS1-128 (any\n"
     "case, the dash optional)."},
    {"digits", "DIGITS", OptionUse::Symbol, &OptionValues::digits, "digits",
     "The main symbol's digits, check digit last, spaces\n"
     "allowed: EAN-13 13, EAN-8 8, UPC-A 12, UPC-E 8 (number\n"
     "system 0 or 1), ITF-14 14. A wrong check digit is drawn\n"
     "as given, with a warning that names the correct one.\n"
     "For a GS1 symbol without --gs1: a GTIN of 8, 12, 13 or\n"
     "14 digits, carried as (01) in 14 digits."},
    {"addon", "DIGITS", OptionUse::Symbol, &OptionValues::addon, "addon",
     "A 2- or 5-digit add-on after EAN-13, UPC-A or UPC-E."},
    {"size", "PERCENT", OptionUse::Symbol, &OptionValues::size, "size",
     "Size in percent of nominal, in steps of 5: EAN/UPC 80\n"
     "to 200, ITF-14 25 to 100. Default 100."},
    {"dpi", "N", OptionUse::Symbol, &OptionValues::dpi, "dpi",
     "Dots per inch, a whole number from %1 to %2; default\n"
     "%3. Bars are whole pixels at this resolution, in\n"
     "pictures and in SVG and PDF alike."},
    {"gs1", "ELEMENTS", OptionUse::Symbol, &OptionValues::gs1, "gs1",
     "The data of a GS1 symbol, AIs in parentheses:\n"
     "(01)09506000134352(17)271231(10)ABC123. Check digits,\n"
     "dates YYMMDD (day 00 allowed where GS1 allows it),\n"
     "lengths and GS1's character set are checked; refused\n"
     "data exits with status 2 and names the AI."},
    {"resolver", "URL", OptionUse::Symbol, &OptionValues::resolver, "resolver",
     "GS1-QR: the https:// domain its Digital Link points to;\n"
     "default https://id.gs1.org."},
    {"module", "MM", OptionUse::Symbol, &OptionValues::module, "module",
     "GS1 symbols: the module X in millimetres, drawn as the\n"
     "nearest whole number of dots within GS1's range:\n"
     "GS1-QR and GS1-DataMatrix 0.396 to 0.990, GS1-128 0.495\n"
     "to 1.016; default 0.495."},
    {"ec", "L|M|Q|H", OptionUse::Symbol, &OptionValues::ec, "ec",
     "GS1-QR's error correction level; default M."},
    {"line-color", "COLOUR", OptionUse::Symbol, &OptionValues::lineColor, "line-color",
     "Bars and digits: #RRGGBB or an SVG colour name such as\n"
     "navy. Default black."},
    {"background", "COLOUR", OptionUse::Symbol, &OptionValues::background, "background",
     "Background and quiet zones, likewise. Default white."},
    {"check-digit", nullptr, OptionUse::Symbol, &OptionValues::checkDigit, "check-digit",
     "Replace the last digit with the computed check digit\n"
     "(UPC-E: computed over its expanded UPC-A form)."},
    {"bar-reduction", "MM", OptionUse::Symbol, &OptionValues::barReduction, "bar-reduction",
     "Print gain compensation: millimetres from 0 to 0.100\n"
     "taken off every bar, half on each side (not ITF-14's\n"
     "bearers, not the digits), rounded to whole pixels at\n"
     "the resolution; a bar keeps at least one pixel."},
    {"fit-dots", nullptr, OptionUse::Symbol, &OptionValues::fitDots, "fit-dots",
     "Make the module (ITF-14: the narrow bar) the nearest\n"
     "whole number of dots at the resolution that keeps the\n"
     "size within the symbology's range, and scale the whole\n"
     "symbol with it; where none does, drawn as it is, with\n"
     "a warning."},
    {"quiet-zone-marks", nullptr, OptionUse::Symbol, &OptionValues::quietZoneMarks,
     "quiet-zone-marks",
     "Print the light-margin indicators: \">\" after EAN-13\n"
     "or after an add-on, \"<\" and \">\" beside EAN-8."},
    {"bilevel", nullptr, OptionUse::Symbol, &OptionValues::bilevel, "bilevel",
     "Digits without smoothing: the picture holds the line\n"
     "and background colours only, and PNG and BMP are\n"
     "written at 1 bit a pixel (for thermal label printers)."},
    {"output", "FILE", OptionUse::Symbol, &OptionValues::output, "file",
     "The format follows the extension: .bmp, .jpg or .jpeg\n"
     "(as Save As: a bitmap with an exact palette, 24-bit past\n"
     "256 colours; JPEG quality 95 with full colour\n"
     "resolution), .png, each with its resolution\n"
     "stored; .svg and .pdf, sized exactly to the symbol in\n"
     "millimetres. \"-\" writes PNG to standard output."},
    {"batch", "FILE.csv", OptionUse::Batch, &OptionValues::batch, nullptr,
     "One symbol per row of a CSV file (\"-\" reads standard\n"
     "input). Its header row names the columns: any of type,\n"
     "digits, addon, size, dpi, gs1, resolver, module, ec,\n"
     "line-color, background, bar-reduction, check-digit,\n"
     "fit-dots, quiet-zone-marks and bilevel (yes or no), and\n"
     "file (required: a plain file name, written into DIR).\n"
     "Fields are separated by commas or semicolons; quoted\n"
     "fields may hold them. Empty cells take the command\n"
     "line's values. A failing row is reported with its line\n"
     "number; the other rows are still written.\n"
     "From standard input each row is written and reported\n"
     "(\"line N: ... written\") as soon as its line arrives;\n"
     "a name may then be written again, replacing its file."},
    {"delimiter", "CHAR", OptionUse::Batch, &OptionValues::delimiter, nullptr,
     "The batch file's field separator: \",\" or \";\" (also\n"
     "comma, semicolon), as a spreadsheet in a Russian locale\n"
     "saves it. Default: the one the header row holds more of."},
    {"encoding", "NAME", OptionUse::Batch, &OptionValues::encoding, nullptr,
     "The batch file's character set: utf-8 (a byte-order\n"
     "mark is allowed) or windows-1251. Default: UTF-8, or\n"
     "Windows-1251 when the file is not UTF-8, with a notice."},
    {"output-dir", "DIR", OptionUse::Batch, &OptionValues::outputDir, nullptr,
     "The folder for a batch's files; made when missing."},
    {"sheet", "LAYOUT", OptionUse::Sheet, &OptionValues::sheet, nullptr,
     "A sheet of labels as one PDF, each symbol at its true\n"
     "size in the middle of its label, more pages as needed.\n"
     "LAYOUT is A4-3x8 (70 x 37 mm), A4-3x7 (70 x 42.3),\n"
     "A4-4x10 (48.5 x 25.4), A4-2x7 (99.1 x 38.1),\n"
     "Letter-3x10 (66.7 x 25.4), or COLUMNSxROWS,WIDTHxHEIGHT\n"
     "in millimetres with optional ,LEFT,TOP,HPITCH,VPITCH\n"
     "(without them the labels touch and the grid is\n"
     "centred), or BRAND:PART, label stock by its maker's\n"
     "code (avery:L7160, any case) from the templates of the\n"
     "glabels-data package, with every grid of its sheet; on\n"
     "round, oval and disc labels the symbol goes in the\n"
     "largest rectangle inside the label.\n"
     "Labels off the page, overlapping, or smaller than the\n"
     "symbol are refused. With --batch, each row of the file\n"
     "is one label, in row order (no file column)."},
    {"page", "A4|Letter", OptionUse::Sheet, &OptionValues::page, nullptr,
     "The paper of a custom layout; default A4."},
    {"copies", "N", OptionUse::Sheet, &OptionValues::copies, nullptr,
     "N copies of the symbol; default: the rest of one sheet."},
    {"run", "N[,STEP]", OptionUse::Sheet, &OptionValues::run, nullptr,
     "N consecutive numbers from --digits, counting up by STEP\n"
     "(default 1), each with its own check digit (UPC-E counts\n"
     "in its UPC-A form; a number with no UPC-E form stops it).\n"
     "GS1 symbols count their serial number (21), which must\n"
     "end in digits."},
    {"skip", "N", OptionUse::Sheet, &OptionValues::skip, nullptr,
     "Leave the first N labels of the first sheet empty."},
    {"dual-marking", nullptr, OptionUse::Sheet, &OptionValues::dualMarking, nullptr,
     "With --type GS1-QR: each label also carries the linear\n"
     "symbol of the QR's GTIN (01) at 100 %, to the QR's left:\n"
     "EAN-13 (GTIN-13), UPC-A (GTIN-12) or EAN-8 (GTIN-8). A\n"
     "GTIN-14 whose indicator digit is not 0 has none and is\n"
     "refused. A run counts the QR's serial (21) only."},
    {"jobs", "N", OptionUse::Batch, &OptionValues::jobs, nullptr,
     "Threads that draw and write a batch's rows, 1 to 256;\n"
     "default one per core. Messages come in row order and\n"
     "the files are the same whatever the number."},
    {"list-sheets", "[TEXT]", OptionUse::List, &OptionValues::listSheets, nullptr,
     "List the label stock the installed templates describe\n"
     "whose brand and part hold every word of TEXT (\"herma\n"
     "46\", any case), one a line: BRAND:PART, the sheet and\n"
     "its labels, the maker's description, separated by tabs.\n"
     "A template that cannot be read is named on standard\n"
     "error with its reason."},
    {"check", nullptr, OptionUse::Check, &OptionValues::check, nullptr,
     "Report whether each symbol (the one, each batch row, each\n"
     "different label of a sheet) will scan at the resolution:\n"
     "lines \"name: value\" on standard output (size, module,\n"
     "gs1-range, decodability, grade, a warning line per\n"
     "notice). Writes files only with --output or\n"
     "--output-dir. Exit status 0 when every symbol grades C\n"
     "or better without a warning, 1 otherwise."},
    {"ink-spread", "MM", OptionUse::Check, &OptionValues::inkSpread, nullptr,
     "With --check: also grade each symbol as a press prints\n"
     "it whose ink spreads every bar by MM (0 to 0.300), half\n"
     "on each side."},
    {"help", nullptr, OptionUse::Help, nullptr, nullptr, "Show this text."},
    {"version", nullptr, OptionUse::Help, nullptr, nullptr, "Show the program's version."},
};

// --help's descriptions start in this column, after the option and its value.
constexpr qsizetype kHelpColumn = 23;

QString optionWithValue(const OptionRow& option) {
    QString shown = QStringLiteral("--") + QLatin1String(option.name);
    if (option.valueName != nullptr) {
        shown += QLatin1Char(' ') + QLatin1String(option.valueName);
    }
    return shown;
}

}  // namespace

std::span<const OptionRow> options() {
    return kOptions;
}

const OptionRow* findOption(QStringView name) {
    for (const OptionRow& option : kOptions) {
        if (name == QLatin1String(option.name)) {
            return &option;
        }
    }
    return nullptr;
}

const OptionRow* findColumn(QStringView cell) {
    QString name = cell.trimmed().toString().toLower();
    if (name.startsWith(QLatin1String("--"))) {
        name = name.mid(2);
    }
    for (const OptionRow& option : kOptions) {
        if (option.column != nullptr &&
            (name == QLatin1String(option.column) || name == QLatin1String(option.name))) {
            return &option;
        }
    }
    return nullptr;
}

QString columnNames() {
    QStringList names;
    for (const OptionRow& option : kOptions) {
        if (option.column != nullptr) {
            names << QLatin1String(option.column);
        }
    }
    return names.join(QStringLiteral(", "));
}

QString optionHelp() {
    QString text;
    const QString indent(kHelpColumn, QLatin1Char(' '));
    for (const OptionRow& option : kOptions) {
        const QString head = QStringLiteral("  ") + optionWithValue(option);
        const QStringList lines = QString::fromUtf8(option.help).split(QLatin1Char('\n'));
        text += head.leftJustified(kHelpColumn - 1) + QLatin1Char(' ') + lines.front() +
                QLatin1Char('\n');
        for (qsizetype i = 1; i < lines.size(); ++i) {
            text += indent + lines[i] + QLatin1Char('\n');
        }
    }
    return text;
}

OptionValues OptionValues::overlaidWith(const OptionValues& over) const {
    OptionValues merged = *this;
    for (const OptionRow& option : kOptions) {
        if (option.field != nullptr && over.*option.field) {
            merged.*option.field = over.*option.field;
        }
    }
    return merged;
}

}  // namespace strikon::cli
