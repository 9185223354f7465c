#pragma once
// What the active page describes, and the one routine that hands it to the right encoder.
// Every output — preview, saved image, clipboard, printer, document — goes through here.

#include <QString>
#include <cstdint>
#include <string>

#include "encoders/surface.h"

namespace strikon {

// The page captions and list items travel as the displayed texts and are compared exactly.
inline const QString kEanUpcPage = QStringLiteral("EAN/UPC");
inline const QString kItf14Page = QStringLiteral("ITF-14");

struct SymbolRequest {
    QString pageCaption;    // "EAN/UPC" or "ITF-14"; anything else draws nothing
    std::string codeType;   // EAN/UPC page: "EAN-13", "EAN-8", "UPC-A", "UPC-E"
    std::string addOnType;  // EAN/UPC page: "None", "2-Digit", "5-Digit"
    std::string digits;     // only "0".."9": main digits, then the add-on field's digits
    uint16_t sizePercent = 100;
};

// Keeps the characters "0".."9" of a displayed field text, in order.
std::string gatherDigits(const QString& displayed);

// Calls the encoder of the request's page; with another caption Bounds keeps what it held.
void renderSymbol(const SymbolRequest& request, Surface* surface, Rect& Bounds, double OffsetX,
                  double OffsetY, double PxPerMmX, double PxPerMmY);

// Whole millimetres that centre a measured extent in the preview, ties to even.
double centringOffset(int previewExtent, int32_t measuredExtent, double pxPerMm);

}  // namespace strikon
