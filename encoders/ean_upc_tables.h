#pragma once
// The EAN/UPC symbol character tables: number sets A, B and C, the parity rows that choose
// between A and B, and the guard patterns. Patterns are texts of "0" (light module) and "1"
// (dark module), read left to right.
//
// Every look-up takes its keys as the characters the symbol carries and returns an empty view
// for a key outside the table, so a bad digit can never read past an array.

#include <string_view>

namespace strikon::ean_upc {

// Guard and separator patterns.
inline constexpr std::string_view kNormalGuard = "101";      // both ends of EAN-13/EAN-8/UPC-A
inline constexpr std::string_view kCentreGuard = "01010";    // between the two halves
inline constexpr std::string_view kUPCEEndGuard = "010101";  // right end of UPC-E
inline constexpr std::string_view kAddOnStart = "1011";      // left end of an add-on
inline constexpr std::string_view kAddOnDelineator = "01";   // between two add-on characters

// 7-module pattern of digit character "0".."9" in set 'A', 'B' or 'C'.
std::string_view SymbolPattern(char set, char digit);

// EAN-13: the 12 set letters for d2..d13, keyed by the leading digit character.
std::string_view EAN13ParityRow(char leading);

// UPC-E, number system 0: the 6 set letters for the data digits, keyed by the check digit.
std::string_view UPCEParityRow(char check);

// Add-ons: the set letters of the 2 or 5 add-on digits, keyed by the parity value K.
std::string_view AddOn2ParityRow(int K);
std::string_view AddOn5ParityRow(int K);

}  // namespace strikon::ean_upc
