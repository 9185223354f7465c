#pragma once
// ITF-14: interleaved 2 of 5 with its frame of bearer bars and the digits under the frame.

#include <cstdint>
#include <string>

#include "surface.h"

namespace strikon {

// The element string of the first 14 digits: start "1010", one character per element of the
// seven interleaved digit pairs ("1" narrow bar, "3" wide bar, "0" narrow space, "2" wide
// space), stop "301"; 77 characters. "" under the same conditions that draw nothing.
std::string ITF14Elements(const std::string& Digits);

// The narrow element X in millimetres at SizePercent, exactly as DrawITF14 computes it.
double ITF14NarrowMm(uint16_t SizePercent);

// Digits: at least 14 characters "0".."9" (characters after the 14th are ignored); anything
//         shorter or with a non-digit in the first 14 draws nothing and gives (0, 0, 0, 0).
// The other arguments are as for DrawEANUPC; note the order. SizePercent is 25..100 in the
// program, though any value works.
void DrawITF14(const std::string& Digits, Surface* surface, uint16_t SizePercent, double OffsetX,
               double OffsetY, double PxPerMmX, double PxPerMmY, Rect& Bounds);

}  // namespace strikon
