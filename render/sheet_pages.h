#pragma once
// A sheet of labels on paper: each symbol at its true size in the middle of its own label,
// drawn by the same painter routine as every other output, at the device's resolution, so
// its bars are whole device dots. Labels past the last of a page go on to the next page.

#include <QByteArray>
#include <vector>

#include "platform/result.h"
#include "render/sheet_layout.h"
#include "render/symbol_request.h"

class QPainter;
class QPagedPaintDevice;
class QPageSize;

namespace strikon {

struct SheetContent {
    SheetLayout layout;
    std::vector<SymbolRequest> labels;  // in label order
    int skip = 0;                       // labels of the first page already used
    // Every label a GS1-QR with the linear symbol of its GTIN beside it (dual_marking.h).
    bool dualMarking = false;
};

struct SheetLabels {
    std::vector<SymbolRequest> labels;
    SheetFault fault;  // none when every label was made
};

// `count` copies of `symbol` (step 0), or a numbered run from its digits counting up by
// `step`, each number with its own check digit.
SheetLabels sheetLabels(const SymbolRequest& symbol, int count, int step);

// The layout's paper: A4 or Letter, or its own size (a template's exactly).
QPageSize sheetPageSize(const SheetLayout& layout);

// Pages the labels need; none without labels.
int sheetPageCount(const SheetContent& content);

// None when every symbol (with dual marking, every pair) is drawable and fits its label at this
// resolution; otherwise the first that does not, with its size and the label's.
SheetFault symbolsFitFault(const SheetContent& content, double pxPerMm);
// The same in strikon-render's words, "" for none.
QString checkSymbolsFit(const SheetContent& content, double pxPerMm);

// Device pixels from the paper's top-left corner to the top-left corner of a symbol (or a
// dual-marking pair) of `symbolPx` centred in `labelMm`.
QPoint symbolOrigin(const QRectF& labelMm, QSize symbolPx, double pxPerMm);

// Every page on an active painter over `device` (one new page between pages), its origin at
// the paper's corner. False when a page could not be started.
bool paintSheet(QPainter& painter, QPagedPaintDevice& device, const SheetContent& content,
                double pxPerMm);

// A PDF of the layout's paper size, one page per sheet, at `dpi`. Refused, with the reason,
// when a symbol does not fit.
ValueResult<QByteArray> encodeSheetPdf(const SheetContent& content, int dpi);

}  // namespace strikon
