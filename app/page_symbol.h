#pragma once
// What the window's pages hold, in the terms of the render core: the page captions the window
// compares and the digits of a displayed field.

#include <QString>
#include <optional>
#include <string>

#include "render/symbol_request.h"

namespace strikon {

// The page captions and list items travel as the displayed texts and are compared exactly.
inline const QString kEanUpcPage = QStringLiteral("EAN/UPC");
inline const QString kItf14Page = QStringLiteral("ITF-14");
inline const QString kGs1Page = QStringLiteral("GS1");

// Keeps the characters "0".."9" of a displayed field text, in order.
std::string gatherDigits(const QString& displayed);

// The texts of the active page, as its controls display them.
struct PageTexts {
    QString caption;
    QString codeType;   // EAN/UPC page: "EAN-13", "EAN-8", "UPC-A", "UPC-E"
    QString addOnType;  // EAN/UPC page: "None", "2-Digit", "5-Digit"
    QString code;       // the main field
    QString addOn;      // EAN/UPC page: the add-on field, read even while hidden
    int sizePercent = 100;
    // GS1 page: codeType is "GS1-QR", "GS1-DataMatrix" or "GS1-128", code the GTIN.
    QString lot;     // (10), "" for none
    QString expiry;  // (17), YYMMDD, "" for none
    QString serial;  // (21), "" for none
    QString resolver;
    double moduleMm = 0;
};

// A field's mask in the three-field notation of MaskedEdit ('9' a digit, literals kept in the
// text, '0' where nothing was typed) and the text it starts with.
struct FieldMask {
    QString mask;
    QString defaultText;
};
FieldMask fieldMask(Symbology symbology);
FieldMask fieldMask(AddOn addOn);

// The GS1 page's fields as a bracketed element string: the GTIN as 14 digits, then the expiry,
// the lot and the serial, the fixed-length AIs first so that the variable-length ones need no
// separator but between themselves. A GTIN of another length than 8, 12, 13 or 14 digits is
// passed as typed, to be refused with (01) named.
std::string gs1PageElements(const PageTexts& page);

// Nothing when the caption or a list item names no symbology the encoders know.
std::optional<SymbolRequest> pageSymbol(const PageTexts& page);

}  // namespace strikon
