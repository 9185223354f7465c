#pragma once
// Modulo-10 check digits with weights 3 and 1 counted from the right.

#include <string>

#include "symbology.h"

namespace strikon {

// S: the digits of one symbol, its check position last (that character is never read).
// Returns S with the last character replaced by the check digit; an empty S gives "".
// Used for EAN-13, EAN-8, UPC-A and ITF-14.
std::string CalcCheckDigit(const std::string& S);

// UPC-E to UPC-A: 8 digits (number system, six data digits, check) to the 12-digit UPC-A form
// that a scanner reads from the symbol, expanded by the last data digit (0-2, 3, 4, 5-9).
// The check position is copied as it stands. Returns "" unless given 8 digits.
std::string ExpandUPCE(const std::string& upce);

// The UPC-E check digit as a scanner checks it: computed over the expanded UPC-A form.
// Same contract as CalcCheckDigit, for an 8-digit UPC-E string; other strings come back as
// CalcCheckDigit would return them.
std::string CalcUPCECheckDigit(const std::string& S);

// The check digit by the symbology's rule, as the check-digit buttons and the command line
// write it: UPC-E over its expanded form, every other one by CalcCheckDigit.
std::string CalcCheckDigitFor(Symbology symbology, const std::string& S);

}  // namespace strikon
