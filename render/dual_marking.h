#pragma once
// Dual marking: a GS1 Digital Link QR printed beside the EAN-13, UPC-A or EAN-8 of the same
// GTIN, so that a till that reads only linear symbols and one that reads 2D symbols both find
// the product on the same label.

#include <QPoint>
#include <QSize>
#include <optional>
#include <string>
#include <string_view>

#include "render/sheet_fault.h"
#include "render/symbol_request.h"

namespace strikon {

// The retail linear symbol of a GTIN in the 14 digits (01) carries: 000000 and a GTIN-8 is
// EAN-8, 00 and a GTIN-12 is UPC-A, 0 and a GTIN-13 is EAN-13 (a GTIN-12 written in 13 digits
// is the UPC-A, as GS1 allocates it). A GTIN-14 whose indicator digit is 1 to 9 numbers a
// case or a variable measure item, which no retail symbol carries: nothing.
struct RetailSymbol {
    Symbology symbology;
    std::string digits;  // check digit last
};
std::optional<RetailSymbol> retailSymbolOf(std::string_view gtin14);

struct DualPartner {
    std::optional<SymbolRequest> linear;
    SheetFault fault;  // none when linear holds the partner
};

// The linear symbol printed beside a GS1-QR: its GTIN's retail symbol at 100 % with no
// add-on, in the QR's colours and output options. A fault names the QR and why it has none.
DualPartner dualPartner(const SymbolRequest& qr);

// Where the two symbols of a pair go, in device pixels from the pair's top-left corner.
struct PairPlacement {
    QPoint linear;
    QPoint qr;
    QSize size;  // the whole pair
};
PairPlacement placePair(QSize linearPx, QSize qrPx);

}  // namespace strikon
