#pragma once
// The symbol on a printer page: at the top-left corner of the printable area, at the printer's
// own resolution, so every bar is whole printer dots.

class QPrinter;

namespace strikon {

struct SymbolRequest;

enum class PrintOutcome {
    Printed,
    NothingToDraw,  // the request describes no symbol; no page was started
    NotStarted,     // the printer refused to start (QPainter::begin failed)
    NotFinished,    // the page could not be completed (QPainter::end failed)
};

PrintOutcome printSymbolPage(QPrinter& printer, const SymbolRequest& request);

}  // namespace strikon
