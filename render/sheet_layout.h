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

// Printer: whatever page the chosen printer is set to; Other: a page a label template names and
// measures (A5, US Legal, a roll's width). Both are named and measured by the layout.
enum class SheetPaper { A4, Letter, Printer, Other };

// The outline of the label stock. A symbol goes in the largest rectangle inside a round,
// elliptical or disc label, never over its edge or into a disc's hole.
enum class LabelShape { Rectangle, Round, Ellipse, Disc };

// One grid of labels: a template may have several on one sheet (a column of small labels beside
// the large ones), all of the same label.
struct SheetGrid {
    int columns = 1;
    int rows = 1;
    double leftMm = 0;
    double topMm = 0;
    double hPitchMm = 0;
    double vPitchMm = 0;
};

// "A4" (210 x 297 mm) or "Letter" (215.9 x 279.4 mm); the printer's page has neither.
const char* paperName(SheetPaper paper);
QSizeF paperSizeMm(SheetPaper paper);
std::optional<SheetPaper> paperNamed(const QString& name);  // "A4" or "Letter", any case

// More would be no sheet a printer takes; the check below refuses them.
inline constexpr int kMaxLabelsPerPage = 10000;

struct SheetLayout {
    SheetPaper paper = SheetPaper::A4;
    int columns = 1;
    int rows = 1;
    QSizeF labelMm;       // one label
    double leftMm = 0;    // paper edge to the first column's left edge
    double topMm = 0;     // paper edge to the first row's top edge
    double hPitchMm = 0;  // left edge to the next column's left edge
    double vPitchMm = 0;  // top edge to the next row's top edge
    // The page, for SheetPaper::Printer and Other: as the printer or the template names it,
    // and its size.
    QString pageName{};
    QSizeF pageMm{};
    // Grids after the first (the fields above), each below or beside the ones before it.
    std::vector<SheetGrid> moreGrids{};
    LabelShape shape = LabelShape::Rectangle;
    double holeMm = 0;  // a disc's hole, its diameter

    QSizeF paperMm() const;
    QString paperTitle() const;  // "A4", "Letter" or the printer's or template's name of its page
    int labelsPerPage() const;
    // Every grid in the order labels are counted: the first, then moreGrids.
    std::vector<SheetGrid> grids() const;
    // The label at `index` (0 .. labelsPerPage() - 1) on its page, in millimetres from the
    // paper's top-left corner: the first grid's labels row by row, then the next grid's.
    QRectF labelRectMm(int index) const;
    // Where a symbol may go inside a label of labelMm at (0, 0): all of a rectangle, the largest
    // rectangle inside any other shape.
    QRectF symbolAreaMm() const;
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

// "A4, 3 × 8, 70 × 37 mm" from the layout itself, for custom layouts as for built-in ones;
// "A4, 24 labels, 63.5 × 38.1 mm" for several grids, "⌀ 40 mm" for a round label.
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
