#pragma once
// EAN-13, EAN-8, UPC-A and UPC-E with an optional 2- or 5-digit add-on, measured and drawn to
// scale in one call.

#include <cstdint>
#include <string>

#include "surface.h"
#include "symbology.h"

namespace strikon {

// CodeType:   "EAN-13", "EAN-8", "UPC-A" or "UPC-E", compared exactly; any other text draws no
//             main symbol and leaves Bounds at (0, 0, 0, 0).
// AddOnType:  "None", "2-Digit" or "5-Digit"; an add-on is never drawn beside EAN-8.
// Digits:     the main symbol's digits (13, 8, 12 or 8) followed directly by the add-on digits.
//             A string too short or holding anything but "0".."9" where the symbol reads it
//             draws no symbol (and no add-on); nothing outside the string is read. Add-on
//             digits missing or not "0".."9" leave the main symbol alone, with no add-on.
//             UPC-E with number system "1" takes the complement of the parity row (A <-> B).
// surface:    nullptr measures only.
// OffsetX/Y:  millimetres from the surface origin to the symbol's top-left corner.
// SizePercent: size in percent of nominal (80..200 in the program).
// PxPerMmX/Y: device pixels per millimetre on each axis.
// Bounds:     receives the symbol's bounding rectangle, quiet zones and add-on included.
void DrawEANUPC(const std::string& CodeType, const std::string& AddOnType,
                const std::string& Digits, Surface* surface, double OffsetX, double OffsetY,
                uint16_t SizePercent, double PxPerMmX, double PxPerMmY, Rect& Bounds);

// The same drawing for a symbology and add-on of the catalogue; DrawEANUPC maps its names to
// these once. The other symbologies (ITF-14, GS1) are not drawn here: they draw nothing and leave
// Bounds at (0, 0, 0, 0).
void drawEanUpc(Symbology symbology, AddOn addOn, const std::string& Digits, Surface* surface,
                double OffsetX, double OffsetY, uint16_t SizePercent, double PxPerMmX,
                double PxPerMmY, Rect& Bounds);

// The module width X in millimetres at SizePercent, exactly as DrawEANUPC computes it.
double EANUPCModuleMm(uint16_t SizePercent);

// Draws over the symbol that DrawEANUPC draws with the same arguments its light-margin
// indicators: ">" at the right end of EAN-13's right quiet zone, "<" and ">" at the outer ends
// of EAN-8's, and after an add-on, in place of EAN-13's, ">" at the right end of the add-on's
// quiet zone (the add-on's quiet zone is open whatever symbol it follows). Each sits on the
// digits' row in the digit face, fitted inside its quiet zone; UPC-A and UPC-E have none of
// their own. Digits that draw no symbol draw nothing.
void DrawEANUPCQuietZoneMarks(const std::string& CodeType, const std::string& AddOnType,
                              const std::string& Digits, Surface& surface, double OffsetX,
                              double OffsetY, uint16_t SizePercent, double PxPerMmX,
                              double PxPerMmY);
void drawEanUpcQuietZoneMarks(Symbology symbology, AddOn addOn, const std::string& Digits,
                              Surface& surface, double OffsetX, double OffsetY,
                              uint16_t SizePercent, double PxPerMmX, double PxPerMmY);

}  // namespace strikon
