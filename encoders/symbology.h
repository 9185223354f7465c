#pragma once
// The symbologies the program draws, and what every part of it knows about each one: the
// window's masks, spin limits and check-digit buttons, the command line's checks and the
// encoders' add-on positions all read this catalogue.

#include <optional>
#include <span>
#include <string_view>

namespace strikon {

// The GS1 symbologies carry GS1 data (application identifiers and their values) rather than a
// row of digits; their modules come from libzint (gs1_symbol.h).
enum class Symbology { EAN13, EAN8, UPCA, UPCE, ITF14, GS1QR, GS1DataMatrix, GS1_128 };
enum class AddOn { None, TwoDigit, FiveDigit };

enum class CheckDigitRule {
    Modulo10,        // weights 3 and 1 from the right, over the symbol's own digits
    Modulo10OfUpcA,  // the same over the 12-digit UPC-A form a scanner expands UPC-E to
};

struct SymbologyFacts {
    Symbology id;
    const char* name;       // as the encoders, the window's lists and the command line name it
    int digits;             // of the main symbol, check digit last; GS1: of the GTIN (01)
    int addOnStart;         // 1-based position of the first add-on digit; 0: takes no add-on
    const char* inputMask;  // the window's field: '9' a digit, ' ' a literal kept in the text
    int minSize, maxSize, sizeStep;  // percent of nominal size
    CheckDigitRule checkDigit;
    std::string_view leadingDigits;  // the first digits the symbol can carry; "" any
};

struct AddOnFacts {
    AddOn id;
    const char* name;  // "None", "2-Digit", "5-Digit", as the window lists them
    int digits;
};

// QR with a GS1 Digital Link URI, GS1 DataMatrix or GS1-128.
constexpr bool isGs1(Symbology symbology) {
    return symbology == Symbology::GS1QR || symbology == Symbology::GS1DataMatrix ||
           symbology == Symbology::GS1_128;
}

// In the order the command line lists them.
std::span<const SymbologyFacts> symbologies();
const SymbologyFacts& facts(Symbology symbology);
const char* symbologyName(Symbology symbology);
// The symbology of exactly that name, or nothing.
std::optional<Symbology> symbologyNamed(std::string_view name);

std::span<const AddOnFacts> addOns();
const AddOnFacts& facts(AddOn addOn);
const char* addOnName(AddOn addOn);
// The add-on of exactly that name, or nothing.
std::optional<AddOn> addOnNamed(std::string_view name);

}  // namespace strikon
