#include "cli/usage.h"

#include "cli/option_table.h"
#include "cli/render_job.h"

namespace strikon::cli {

QString usageText() {
    const QString synopsis = QStringLiteral(R"(Usage:
  strikon-render --type TYPE --digits DIGITS [--addon DIGITS] [--size PERCENT]
                 [--dpi N] [--line-color COLOUR] [--background COLOUR]
                 [--check-digit] [--bar-reduction MM] [--fit-dots]
                 [--quiet-zone-marks] --output FILE
  strikon-render --batch FILE.csv --output-dir DIR [--jobs N]
                 [options for every row]
  strikon-render [symbol options] --sheet LAYOUT [--page A4|Letter]
                 [--copies N | --run N[,STEP]] [--skip N] --output FILE.pdf
  strikon-render --list-sheets [TEXT]
  strikon-render [symbol options] [--batch FILE.csv | --sheet LAYOUT ...]
                 --check [--ink-spread MM] [--output FILE | --output-dir DIR]
  strikon-render --help

Draws one barcode symbol at its exact physical size, the same drawing as the
Strikon window's Save As, and writes it to FILE.

Options:
)");
    const QString notes = QStringLiteral(R"(
Files are written whole or not at all: a failure leaves no partial file.

Every symbol is checked at its resolution as it is written: a wrong check digit,
UPC-E of number system 2 to 9 or not in zero-suppressed form, colours a scanner
cannot tell apart, a module outside GS1's range, and an ISO/IEC 15416
decodability grade below C each give a warning on standard error.

Exit status:
  0  every symbol was written (--list-sheets: at least one sheet was listed;
     --check: every symbol grades C or better with no warning)
  1  a batch ran, but some of its rows failed (each reported on standard error);
     --check: a symbol grades below C or has a warning
  2  the input was refused or a file could not be written; nothing was written
     (--list-sheets: no installed template matches)

Examples:
  strikon-render --type EAN-13 --digits "4 006381 33393 1" --output ean.png
  strikon-render --type UPC-A --digits "03600029145 0" --check-digit \
                 --addon 12 --size 120 --output upc.pdf
  strikon-render --type ITF-14 --digits 15400141288763 --size 50 --dpi 600 \
                 --line-color navy --output case.svg
  strikon-render --batch labels.csv --output-dir out --dpi 600
  strikon-render --type EAN-13 --digits 4006381333931 --sheet A4-3x8 \
                 --run 30 --skip 4 --output shelf.pdf
  strikon-render --list-sheets "herma 46"
  strikon-render --type EAN-13 --digits 4006381333931 --sheet avery:L7160 \
                 --output avery.pdf
  strikon-render --type EAN-13 --digits 4006381333931 --dpi 203 --check
)");
    return (synopsis + optionHelp() + notes).arg(kMinDpi).arg(kMaxDpi).arg(kDefaultDpi);
}

}  // namespace strikon::cli
