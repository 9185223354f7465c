#pragma once
// Whether a symbol will scan, judged before it leaves the program: the symbol is drawn exactly as
// the output draws it at the output's resolution, its bars and spaces are read back along one
// scan line, and those widths go through the symbology's reference decode. The result is the
// ISO/IEC 15416 decodability grade of that picture, GS1's size range, and a notice for every
// reason a scanner may refuse it. A notice informs; the symbol is always drawn as asked.

#include <QColor>
#include <QString>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "render/symbol_request.h"

namespace strikon {

enum class Grade { A, B, C, D, F };

// "A" .. "F".
char gradeLetter(Grade grade);

// ISO/IEC 15416's decodability grades: A from 0.62, B from 0.50, C from 0.37, D from 0.25.
Grade gradeForDecodability(double decodability);

// GS1's range for the symbology's module (ITF-14: the narrow element) and, for ITF-14 on
// cartons, the least bar height; 0 when the symbology sets none.
struct Gs1Range {
    double minModuleMm = 0;
    double maxModuleMm = 0;
    double minBarHeightMm = 0;
};
Gs1Range gs1Range(Symbology symbology);

// The print contrast of the line colour on the background in a scanner's red light, 0 to 1;
// below kMinPrintContrast a scanner may not tell them apart.
double printContrast(const QColor& line, const QColor& background);
inline constexpr double kMinPrintContrast = 0.75;

// The standard zero-suppressed UPC-E of the number a UPC-E symbol expands to (check digit
// kept), or "" when the digits are not a UPC-E of number system 0 or 1.
std::string standardUpce(const std::string& upce);

// One scan line read from a picture: the widths of its elements from the left light margin to
// the right one, bars and spaces alternating (a light margin, then a bar, ...), in pixels.
// The space between a main symbol and its add-on is one element like any other.
struct ScanLine {
    std::vector<double> widths;
    double modulePx = 0;  // the module (ITF-14: the narrow element) as drawn, in pixels
};

// What the reference decode made of a scan line.
struct Decode {
    bool decoded = false;      // every character decoded and the check digits hold
    std::string read;          // the digits read (add-on appended), as far as they decoded
    double decodability = 0;   // V, 0 to 1: the least margin left to any reference threshold
    bool marginShort = false;  // a light margin more than a pixel short of the minimum
    Grade grade = Grade::F;    // the decodability grade; F when not decoded or a margin is short
};

// The reference decode of ISO/IEC 15420 (EAN/UPC and add-ons) or ISO/IEC 16390 (ITF-14) over
// one scan line, with its decodability. addOnDigits: 0, 2 or 5, the add-on the line should hold.
Decode referenceDecode(Symbology symbology, int addOnDigits, const ScanLine& line);

// The line with every bar spread by `spreadPx` (half on each side) at the cost of the spaces
// and light margins beside it.
ScanLine withInkSpread(const ScanLine& line, double spreadPx);

enum class NoticeKind {
    WrongCheckDigit,        // value: the right check digit
    UpceNumberSystem,       // value: the number system drawn
    UpceNotZeroSuppressed,  // value: the standard UPC-E
    LowContrast,            // value: the contrast in percent
    OutsideGs1Range,        // value: the module in mm; range: GS1's
    BarsTooShort,           // ITF-14; value: the bar height in mm
    NotFittedToDots,        // whole-dot modules asked for, none inside the size range
    LowGrade,               // value: the grade; better: what would raise it
    NotDecoded,             // value: what the reference decode read, "" when nothing
    MarginShort,
};

// What would raise a low grade.
enum class Remedy { None, WholeDots, NoReduction, WholeDotsNoReduction };

struct Notice {
    NoticeKind kind;
    QString value;
    Remedy remedy = Remedy::None;  // LowGrade: the remedy and the grade it gives
    Grade remedyGrade = Grade::F;
};

struct ScanReport {
    bool drawn = false;  // false: the request describes no symbol; nothing else is set
    bool graded = true;  // false: no reference decode for the symbology (GS1 2D, GS1-128)
    double pxPerMm = 0;
    double moduleMm = 0;    // as drawn
    double moduleDots = 0;  // output dots per module, as drawn
    double sizePercent = 0;
    bool fitted = true;  // false when whole-dot modules were asked for and none fits the range
    Gs1Range range;
    double barHeightMm = 0;  // ITF-14's bars between the bearers
    bool insideRange = true;
    Decode decode;
    Grade grade = Grade::F;
    // With an ink spread: the grade of the symbol as the press prints it.
    double inkSpreadMm = 0;
    std::optional<Grade> printedGrade;
    std::vector<Notice> notices;

    // Grade C or better, and nothing to say.
    bool scanReady() const;
};

// The check of one request at one output resolution (the same in both directions).
ScanReport scanCheck(const SymbolRequest& request, double pxPerMm, double inkSpreadMm = 0);

// The widths along the check's scan line of a picture of the request drawn at pxPerMm.
ScanLine readScanLine(const SymbolRequest& request, double pxPerMm);

}  // namespace strikon
