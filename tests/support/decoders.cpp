#include "tests/support/decoders.h"

#include <algorithm>

namespace strikon::testing {
namespace {

bool isAddOn(const Read& r) {
    return r.format == "EAN-2" || r.format == "EAN-5";
}

// The main symbol's digits in the length the encoder draws them. Both decoders fold UPC-A
// and EAN-13 with a leading 0 into one another, depending on which formats are enabled.
std::string drawnLength(std::string main, Symbology expected) {
    if (expected == Symbology::EAN13 && main.size() == 12) {
        return "0" + main;
    }
    if (expected == Symbology::UPCA && main.size() == 13 && main.front() == '0') {
        return main.substr(1);
    }
    return main;
}

}  // namespace

// ZXing appends the add-on to the main text after a space; zbar reports it as a symbol of
// its own (EAN-2 or EAN-5), and may report it even when the main symbol was not found.
std::string asDrawn(const std::vector<Read>& reads, Symbology expected) {
    std::vector<Read> mains;
    std::vector<Read> addOns;
    for (const Read& r : reads) {
        (isAddOn(r) ? addOns : mains).push_back(r);
    }
    if (mains.empty()) {
        return "";
    }
    if (mains.size() > 1 || addOns.size() > 1) {
        // Two readings of one drawing: never equal to a digit string.
        return "ambiguous: " + describe(reads);
    }
    std::string main = mains.front().text;
    std::string addOn = addOns.empty() ? "" : addOns.front().text;
    if (const size_t space = main.find(' '); space != std::string::npos) {
        addOn += main.substr(space + 1);
        main.erase(space);
    }
    return drawnLength(main, expected) + addOn;
}

std::string describe(const std::vector<Read>& reads) {
    if (reads.empty()) {
        return "nothing";
    }
    std::string out;
    for (const Read& r : reads) {
        out += (out.empty() ? "" : ", ") + r.format + ":" + r.text;
    }
    return out;
}

}  // namespace strikon::testing
