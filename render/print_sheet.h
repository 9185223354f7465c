#pragma once
// A sheet of labels on a printer (see sheet_pages.h); in the printing library, which the
// command line does not link.

#include "render/print_page.h"
#include "render/sheet_pages.h"

class QPrinter;

namespace strikon {

// The layout on the page `printer` is set to now, when its paper is the printer's own.
SheetLayout onPrinterPage(SheetLayout layout, const QPrinter& printer);

// From the paper's corner (full page), on the layout's paper: A4 or Letter upright, or the page
// the printer is set to, which the layout must fit (checked beforehand).
PrintOutcome printSheet(QPrinter& printer, const SheetContent& content);

}  // namespace strikon
