#pragma once
// The scan check in strikon-render's words: the report --check prints, and the warnings every
// written symbol gets on standard error.

#include <QString>
#include <QStringList>

#include "render/scan_check.h"

namespace strikon::cli {

// --check's lines for one symbol at dpi, "name: value" each, ending in a newline.
QString checkReport(const SymbolRequest& symbol, const ScanReport& report);

// "warning: ..." lines for the report's notices, leaving out those the job's own checks
// already word (a wrong check digit, the colours' contrast).
QStringList scanWarnings(const SymbolRequest& symbol, const ScanReport& report);

}  // namespace strikon::cli
