#include "render/print_page.h"

#include <QPainter>
#include <QPrinter>

#include "render/symbol_image.h"

namespace strikon {

PrintOutcome printSymbolPage(QPrinter& printer, const SymbolRequest& request) {
    if (!measureSymbol(request, 1.0, 1.0)) {
        return PrintOutcome::NothingToDraw;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return PrintOutcome::NotStarted;
    }
    // The painter's origin is the top-left corner of the printable area, in printer dots.
    const double pxPerMm = printer.resolution() / kMmPerInch;
    paintSymbol(painter, request, pxPerMm, pxPerMm);
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::NotFinished;
}

}  // namespace strikon
