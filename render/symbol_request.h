#pragma once
// One symbol as every output draws it: the window's active page and the command line's options
// each come down to this value, and the renderers read nothing else.

#include <QColor>
#include <cstdint>
#include <string>

#include "encoders/symbology.h"

namespace strikon {

// How a symbol is laid on its output beyond the encoders' nominal drawing. Every renderer
// receives these with the request; at their defaults every output is exactly the encoders'
// nominal drawing.
struct OutputOptions {
    // Print gain compensation: taken off every dark bar (not ITF-14's bearers, not the
    // digits), half on each side, rounded to whole output pixels; 0 to kMaxBarReductionMm.
    double barReductionMm = 0.0;
    // The module (ITF-14: the narrow element) becomes a whole number of output dots and the
    // whole symbol follows it.
    bool fitDots = false;
    // When positive, the whole-dot fit is chosen for this many pixels per millimetre instead
    // of the drawing's own: a preview then shows the size the output will have.
    double fitPxPerMm = 0.0;
    // ">" and "<" light-margin indicators in the open quiet zones of EAN-13, EAN-8 and add-ons.
    bool quietZoneMarks = false;
    // Digits drawn without smoothing, so that the picture holds the line and background
    // colours only and is written at one bit a pixel: thermal label printers print no grey.
    bool bilevel = false;

    friend bool operator==(const OutputOptions&, const OutputOptions&) = default;
};

inline constexpr double kMaxBarReductionMm = 0.100;

// The data and size of a GS1 symbol (GS1-QR, GS1-DataMatrix, GS1-128).
struct Gs1Request {
    std::string elementString;  // bracketed: "(01)09506000134352(17)271231(10)ABC123"
    std::string resolver;       // the QR's Digital Link domain; "" for GS1's own
    double moduleMm = 0;        // X; 0 for the symbology's default. Drawn in whole dots.
    char qrLevel = 'M';         // the QR's error correction: L, M, Q or H

    friend bool operator==(const Gs1Request&, const Gs1Request&) = default;
};

struct SymbolRequest {
    Symbology symbology = Symbology::EAN13;
    std::string digits;          // the main symbol's digits, check digit last; not read for GS1
    AddOn addOn = AddOn::None;   // never drawn beside EAN-8 or ITF-14
    std::string addOnDigits;     // read only with an add-on; too few draw the main symbol alone
    uint16_t sizePercent = 100;  // not read for GS1, whose size is its module
    Gs1Request gs1;              // read only for the GS1 symbologies
    QColor lineColor = Qt::black;
    QColor backgroundColor = Qt::white;
    OutputOptions output;
};

}  // namespace strikon
