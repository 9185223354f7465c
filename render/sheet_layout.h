#pragma once
// A sheet of sticky labels: the paper, how many labels across and down, their size and where
// the first one sits, all in millimetres. Labels are counted in rows, left to right and then
// top to bottom, as a person peels them.

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

#include "platform/result.h"
#include "render/sheet_fault.h"

namespace strikon {

// Printer: whatever page the chosen printer is set to, named and measured by the layout.
enum class SheetPaper { A4, Letter, Printer };

// "A4" (210 x 297 mm) or "Letter" (215.9 x 279.4 mm); the printer's page has neither.
const char* paperName(SheetPaper paper);
QSizeF paperSizeMm(SheetPaper paper);
std::optional<SheetPaper> paperNamed(const QString& name);  // "A4" or "Letter", any case

struct SheetLayout {
    SheetPaper paper = SheetPaper::A4;
    int columns = 1;
    int rows = 1;
    QSizeF labelMm;       // one label
    double leftMm = 0;    // paper edge to the first column's left edge
    double topMm = 0;     // paper edge to the first row's top edge
    double hPitchMm = 0;  // left edge to the next column's left edge
    double vPitchMm = 0;  // top edge to the next row's top edge
    // The printer's page, for SheetPaper::Printer: as its printer names it, and its size.
    QString printerPaperName{};
    QSizeF printerPaperMm{};

    QSizeF paperMm() const;
    QString paperTitle() const;  // "A4", "Letter" or the printer's name of its page
    int labelsPerPage() const { return columns * rows; }
    // The label at `index` (0 .. labelsPerPage() - 1) on its page, in millimetres from the
    // paper's top-left corner.
    QRectF labelRectMm(int index) const;
};

// Labels of this size, touching, in the middle of the paper.
SheetLayout centredLayout(SheetPaper paper, int columns, int rows, QSizeF labelMm);

struct NamedLayout {
    const char* key;  // short, for the command line: "A4-3x8"
    QString title;    // as lists show it: "A4, 3 × 8, 70 × 37 mm"
    SheetLayout layout;
};

// Common label sheets, named by their geometry.
const std::vector<NamedLayout>& builtInLayouts();

// "A4, 3 × 8, 70 × 37 mm" from the layout itself, for custom layouts as for built-in ones.
QString layoutTitle(const SheetLayout& layout);

using LayoutResult = Result<SheetLayout>;

// A built-in key or title (any case, "x" for "×", spaces ignored), or
// COLUMNSxROWS,WIDTHxHEIGHT[,LEFT,TOP,HPITCH,VPITCH] in millimetres on `paper`; without the
// four positions the labels touch and the grid is centred. The result has passed checkLayout.
LayoutResult parseLayout(const QString& text, SheetPaper paper);

// None for a layout whose labels are all on the paper and do not overlap; otherwise what is
// wrong, with the figures.
SheetFault layoutFault(const SheetLayout& layout);
// The same in strikon-render's words, "" for none.
QString checkLayout(const SheetLayout& layout);

}  // namespace strikon
