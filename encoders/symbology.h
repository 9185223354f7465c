#pragma once
// The symbologies the program draws and the add-ons that may follow EAN-13, UPC-A and UPC-E,
// named as the encoders, the window's lists and the command line name them.

#include <optional>
#include <string_view>

namespace strikon {

enum class Symbology { EAN13, EAN8, UPCA, UPCE, ITF14 };
enum class AddOn { None, TwoDigit, FiveDigit };

// "EAN-13", "EAN-8", "UPC-A", "UPC-E", "ITF-14".
const char* symbologyName(Symbology symbology);
// The symbology of exactly that name, or nothing.
std::optional<Symbology> symbologyNamed(std::string_view name);

// "None", "2-Digit", "5-Digit".
const char* addOnName(AddOn addOn);
// The add-on of exactly that name, or nothing.
std::optional<AddOn> addOnNamed(std::string_view name);

}  // namespace strikon
