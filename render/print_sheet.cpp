#include "render/print_sheet.h"

#include <QPainter>
#include <QPrinter>

#include "render/symbol_image.h"

namespace strikon {

SheetLayout onPrinterPage(SheetLayout layout, const QPrinter& printer) {
    if (layout.paper == SheetPaper::Printer) {
        const QPageLayout page = printer.pageLayout();
        layout.pageName = page.pageSize().name();
        layout.pageMm = page.fullRect(QPageLayout::Millimeter).size();
    }
    return layout;
}

PrintOutcome printSheet(QPrinter& printer, const SheetContent& content) {
    if (content.labels.empty()) {
        return PrintOutcome::NothingToDraw;
    }
    printer.setFullPage(true);
    if (content.layout.paper != SheetPaper::Printer) {
        // Labels are laid out on the upright sheet, whatever page was set up before.
        printer.setPageSize(sheetPageSize(content.layout));
        printer.setPageOrientation(QPageLayout::Portrait);
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return PrintOutcome::NotStarted;
    }
    const double pxPerMm = printer.resolution() / kMmPerInch;
    const bool drawn = paintSheet(painter, printer, content, pxPerMm);
    return painter.end() && drawn ? PrintOutcome::Printed : PrintOutcome::NotFinished;
}

}  // namespace strikon
