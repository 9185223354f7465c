#pragma once
// The font every symbology prints its digits in, and the digit that stands for all of them when
// digit boxes are laid out.

#include <string>

namespace strikon {

// Face of every digit font.
inline constexpr const char* kDigitFace = "Arial";
// The widest digit: its width stands for every digit's when boxes are laid out.
inline const std::string kWidestDigit = "9";

}  // namespace strikon
