#pragma once
// One symbol as every output draws it: the window's active page and the command line's options
// each come down to this value, and the renderers read nothing else.

#include <QColor>
#include <cstdint>
#include <string>

#include "encoders/symbology.h"

namespace strikon {

// How a symbol is laid on its output beyond the encoders' nominal drawing. Print-grade
// adjustments (bar width reduction, fitting bars to printer dots, quiet-zone marks) belong
// here, and every renderer receives them with the request. None exists yet: every output
// draws the symbol exactly as the encoders give it.
struct OutputOptions {};

struct SymbolRequest {
    Symbology symbology = Symbology::EAN13;
    std::string digits;         // the main symbol's digits, check digit last
    AddOn addOn = AddOn::None;  // never drawn beside EAN-8 or ITF-14
    std::string addOnDigits;    // read only with an add-on; too few draw the main symbol alone
    uint16_t sizePercent = 100;
    QColor lineColor = Qt::black;
    QColor backgroundColor = Qt::white;
    OutputOptions output;
};

}  // namespace strikon
