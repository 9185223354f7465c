#pragma once
// Consecutive numbers for a run of labels, each with the check digit of its symbology.

#include <string>
#include <vector>

#include "encoders/symbology.h"
#include "render/sheet_fault.h"

namespace strikon {

struct NumberedRun {
    std::vector<std::string> numbers;  // each a symbol's digits, check digit last
    SheetFault fault;                  // none when every number was made
};

// `count` numbers from `first` (a symbol's digits; its check position is not read), each
// `step` above the one before. UPC-E counts in its expanded UPC-A form and each number is
// written back in eight digits; a number with no UPC-E form ends the run with a fault that
// names it, as does a number longer than the symbol holds.
NumberedRun numberedRun(Symbology symbology, const std::string& first, int count, int step);

// `count` GS1 element strings from `first` (bracketed), the digits that end its serial number
// (21) counting up by `step` in the same width, every other element as it stands.
NumberedRun numberedSerials(const std::string& first, int count, int step);

}  // namespace strikon
