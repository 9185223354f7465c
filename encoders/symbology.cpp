#include "symbology.h"

#include <array>

namespace strikon {

namespace {

// Digit counts and add-on positions as the symbols carry them; sizes are the program's ranges
// (EAN/UPC 80 to 200 % of nominal, ITF-14 25 to 100 %, the nominal ITF-14 being a case
// marking). UPC-E encodes only number systems 0 and 1 in its parity; another first digit
// would scan as a different number than the one printed beneath it. The GS1 symbologies are
// sized by their module in millimetres (gs1_symbol.h), not in percent.
constexpr std::array<SymbologyFacts, 8> kSymbologies{{
    {Symbology::EAN13, "EAN-13", 13, 14, "9 999999 999999", 80, 200, 5, CheckDigitRule::Modulo10,
     ""},
    {Symbology::EAN8, "EAN-8", 8, 0, "9999 9999", 80, 200, 5, CheckDigitRule::Modulo10, ""},
    {Symbology::UPCA, "UPC-A", 12, 13, "9 99999 99999 9", 80, 200, 5, CheckDigitRule::Modulo10, ""},
    {Symbology::UPCE, "UPC-E", 8, 9, "9 999999 9", 80, 200, 5, CheckDigitRule::Modulo10OfUpcA,
     "01"},
    {Symbology::ITF14, "ITF-14", 14, 0, "99999999999999", 25, 100, 5, CheckDigitRule::Modulo10, ""},
    {Symbology::GS1QR, "GS1-QR", 14, 0, "99999999999999", 100, 100, 5, CheckDigitRule::Modulo10,
     ""},
    {Symbology::GS1DataMatrix, "GS1-DataMatrix", 14, 0, "99999999999999", 100, 100, 5,
     CheckDigitRule::Modulo10, ""},
    {Symbology::GS1_128, "GS1-128", 14, 0, "99999999999999", 100, 100, 5, CheckDigitRule::Modulo10,
     ""},
}};

constexpr std::array<AddOnFacts, 3> kAddOns{{
    {AddOn::None, "None", 0},
    {AddOn::TwoDigit, "2-Digit", 2},
    {AddOn::FiveDigit, "5-Digit", 5},
}};

}  // namespace

std::span<const SymbologyFacts> symbologies() {
    return kSymbologies;
}

const SymbologyFacts& facts(Symbology symbology) {
    for (const SymbologyFacts& f : kSymbologies) {
        if (f.id == symbology) {
            return f;
        }
    }
    return kSymbologies.front();  // unreachable: every enumerator has its row
}

const char* symbologyName(Symbology symbology) {
    return facts(symbology).name;
}

std::optional<Symbology> symbologyNamed(std::string_view name) {
    for (const SymbologyFacts& f : kSymbologies) {
        if (name == f.name) {
            return f.id;
        }
    }
    return std::nullopt;
}

std::span<const AddOnFacts> addOns() {
    return kAddOns;
}

const AddOnFacts& facts(AddOn addOn) {
    for (const AddOnFacts& f : kAddOns) {
        if (f.id == addOn) {
            return f;
        }
    }
    return kAddOns.front();  // unreachable: every enumerator has its row
}

const char* addOnName(AddOn addOn) {
    return facts(addOn).name;
}

std::optional<AddOn> addOnNamed(std::string_view name) {
    for (const AddOnFacts& f : kAddOns) {
        if (name == f.name) {
            return f.id;
        }
    }
    return std::nullopt;
}

}  // namespace strikon
