#pragma once
// Module strings of the EAN/UPC symbols: one character per module, "1" dark and "0" light, the
// quiet zones left out. The encoder draws exactly these strings; tests and decoders may compare
// against them.
//
// Each builder reads only the positions it names and returns "" when the text is too short or
// holds anything but "0".."9" there.

#include <cstddef>
#include <string>
#include <string_view>

namespace strikon {

// True when text has count characters from 0-based position first, each "0".."9".
bool AreDigits(std::string_view text, size_t first, size_t count);

// 95 modules from positions 1..13 (d1 picks the sets of the left half).
std::string EAN13Modules(std::string_view digits);
// 67 modules from positions 1..8.
std::string EAN8Modules(std::string_view digits);
// 95 modules from positions 1..12.
std::string UPCAModules(std::string_view digits);
// 51 modules from positions 1..8: d8 picks the sets, d1 "1" complements them (A <-> B).
std::string UPCEModules(std::string_view digits);

// The add-on parity value K of exactly 2 or 5 digits; -1 for anything else.
int AddOnParity(std::string_view addOnDigits);
// 20 modules for 2 digits, 47 for 5; "" for any other text.
std::string AddOnModules(std::string_view addOnDigits);

}  // namespace strikon
