#include "cli/usage.h"

#include "cli/render_job.h"

namespace strikon::cli {

QString usageText() {
    return QStringLiteral(R"(Usage:
  strikon-render --type TYPE --digits DIGITS [--addon DIGITS] [--size PERCENT]
                 [--dpi N] [--line-color COLOUR] [--background COLOUR]
                 [--check-digit] [--bar-reduction MM] [--fit-dots]
                 [--quiet-zone-marks] --output FILE
  strikon-render --batch FILE.csv --output-dir DIR [--jobs N]
                 [options for every row]
  strikon-render [symbol options] --sheet LAYOUT [--page A4|Letter]
                 [--copies N | --run N[,STEP]] [--skip N] --output FILE.pdf
  strikon-render --help

Draws one barcode symbol at its exact physical size, the same drawing as the
Strikon window's Save As, and writes it to FILE.

Options:
  --type TYPE          EAN-13, EAN-8, UPC-A, UPC-E or ITF-14 (any case, the
                       dash optional).
  --digits DIGITS      The main symbol's digits, check digit last, spaces
                       allowed: EAN-13 13, EAN-8 8, UPC-A 12, UPC-E 8 (number
                       system 0 or 1), ITF-14 14. A wrong check digit is drawn
                       as given, with a warning that names the correct one.
  --addon DIGITS       A 2- or 5-digit add-on after EAN-13, UPC-A or UPC-E.
  --size PERCENT       Size in percent of nominal, in steps of 5: EAN/UPC 80
                       to 200, ITF-14 25 to 100. Default 100.
  --dpi N              Dots per inch, a whole number from %1 to %2; default
                       %3. Bars are whole pixels at this resolution, in
                       pictures and in SVG and PDF alike.
  --line-color COLOUR  Bars and digits: #RRGGBB or an SVG colour name such as
                       navy. Default black.
  --background COLOUR  Background and quiet zones, likewise. Default white.
  --check-digit        Replace the last digit with the computed check digit
                       (UPC-E: computed over its expanded UPC-A form).
  --bar-reduction MM   Print gain compensation: millimetres from 0 to 0.100
                       taken off every bar, half on each side (not ITF-14's
                       bearers, not the digits), rounded to whole pixels at
                       the resolution; a bar keeps at least one pixel.
  --fit-dots           Make the module (ITF-14: the narrow bar) the nearest
                       whole number of dots at the resolution, at least one,
                       and scale the whole symbol with it.
  --quiet-zone-marks   Print the light-margin indicators: ">" after EAN-13
                       or after an add-on, "<" and ">" beside EAN-8.
  --output FILE        The format follows the extension: .bmp, .jpg or .jpeg
                       (as Save As: 24-bit bitmap; JPEG quality 95 with full
                       colour resolution), .png, each with its resolution
                       stored; .svg and .pdf, sized exactly to the symbol in
                       millimetres. "-" writes PNG to standard output.
  --batch FILE.csv     One symbol per row of a CSV file ("-" reads standard
                       input). Its header row names the columns: any of type,
                       digits, addon, size, dpi, line-color, background,
                       bar-reduction, check-digit, fit-dots and
                       quiet-zone-marks (yes or no), and file (required: a
                       plain file name, written into DIR). Quoted fields may hold
                       commas. Empty cells take the command line's values.
                       A failing row is reported with its line number; the
                       other rows are still written.
  --output-dir DIR     The folder for a batch's files; made when missing.
  --sheet LAYOUT       A sheet of labels as one PDF, each symbol at its true
                       size in the middle of its label, more pages as needed.
                       LAYOUT is A4-3x8 (70 x 37 mm), A4-3x7 (70 x 42.3),
                       A4-4x10 (48.5 x 25.4), A4-2x7 (99.1 x 38.1),
                       Letter-3x10 (66.7 x 25.4), or COLUMNSxROWS,WIDTHxHEIGHT
                       in millimetres with optional ,LEFT,TOP,HPITCH,VPITCH
                       (without them the labels touch and the grid is
                       centred). Labels off the page, overlapping, or smaller
                       than the symbol are refused. With --batch, each row of
                       the file is one label, in row order (no file column).
  --page A4|Letter     The paper of a custom layout; default A4.
  --copies N           N copies of the symbol; default: the rest of one sheet.
  --run N[,STEP]       N consecutive numbers from --digits, counting up by STEP
                       (default 1), each with its own check digit (UPC-E counts
                       in its UPC-A form; a number with no UPC-E form stops it).
  --skip N             Leave the first N labels of the first sheet empty.
  --jobs N             Threads that draw and write a batch's rows, 1 to 256;
                       default one per core. Messages come in row order and
                       the files are the same whatever the number.
  --help               Show this text.

Files are written whole or not at all: a failure leaves no partial file.

Exit status:
  0  every symbol was written
  1  a batch ran, but some of its rows failed (each reported on standard error)
  2  the input was refused or a file could not be written; nothing was written

Examples:
  strikon-render --type EAN-13 --digits "4 006381 33393 1" --output ean.png
  strikon-render --type UPC-A --digits "03600029145 0" --check-digit \
                 --addon 12 --size 120 --output upc.pdf
  strikon-render --type ITF-14 --digits 15400141288763 --size 50 --dpi 600 \
                 --line-color navy --output case.svg
  strikon-render --batch labels.csv --output-dir out --dpi 600
  strikon-render --type EAN-13 --digits 4006381333931 --sheet A4-3x8 \
                 --run 30 --skip 4 --output shelf.pdf
)")
        .arg(kMinDpi)
        .arg(kMaxDpi)
        .arg(kDefaultDpi);
}

}  // namespace strikon::cli
