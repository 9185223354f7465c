#pragma once
// A symbol request as the tests write them: the digits with the check digit computed over their
// last place, the size in percent and the add-on.

#include <cstdint>
#include <string>
#include <utility>

#include "encoders/check_digit.h"
#include "render/symbol_request.h"

namespace strikon::test {

inline SymbolRequest symbolRequest(Symbology symbology, const std::string& digits,
                                   uint16_t sizePercent = 100, AddOn addOn = AddOn::None,
                                   std::string addOnDigits = {}) {
    SymbolRequest r;
    r.symbology = symbology;
    r.digits = CalcCheckDigitFor(symbology, digits);
    r.sizePercent = sizePercent;
    r.addOn = addOn;
    r.addOnDigits = std::move(addOnDigits);
    return r;
}

}  // namespace strikon::test
