// Every EAN/UPC symbol the program can draw, at every size of its spin box, saved at 300 dpi,
// must be read back by two independent decoders as the digits it was drawn from.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "encoders/check_digit.h"
#include "encoders/ean_upc.h"
#include "tests/support/decode_check.h"

namespace strikon::testing {
namespace {

struct Variant {
    const char* name;  // for the test's name
    const char* codeType;
    const char* addOnType;
    Symbology symbology;
    // Main digits with a placeholder in the check position; a different one at each size.
    std::vector<std::string> bodies;
};

const std::vector<std::string> kEan13 = {"4006381333930", "5901234123450", "9780201379620",
                                         "2112345678900", "7622210449280"};
const std::vector<std::string> kEan8 = {"96385070", "55123450", "47195120", "00000000"};
const std::vector<std::string> kUpcA = {"036000291450", "123456789010", "725272730700",
                                        "890000000000"};
// The last data digits cover every way UPC-E expands to UPC-A (0-2, 3, 4, 5-9).
const std::vector<std::string> kUpcE0 = {"01234560", "06543210", "01000000", "04567830",
                                         "09876540", "02220070", "03333390"};
const std::vector<std::string> kUpcE1 = {"11234560", "16543210", "11000000", "14567830",
                                         "19876540", "12220070", "13333390"};
// Two-digit values covering all four parities, five-digit values all ten.
const std::vector<std::string> kAddOn2 = {"12", "05", "34", "99"};
const std::vector<std::string> kAddOn5 = {"52495", "00000", "90000", "24680", "13579",
                                          "86104", "31415", "67890", "44444", "98765"};

void PrintTo(const Variant& v, std::ostream* os) {
    *os << v.name << " " << v.addOnType;
}

std::vector<Variant> variants() {
    std::vector<Variant> out;
    struct Main {
        const char* name;
        const char* codeType;
        Symbology symbology;
        const std::vector<std::string>* bodies;
    };
    const Main mains[] = {{"EAN13", "EAN-13", Symbology::EAN13, &kEan13},
                          {"UPCA", "UPC-A", Symbology::UPCA, &kUpcA},
                          {"UPCE_NumberSystem0", "UPC-E", Symbology::UPCE, &kUpcE0},
                          {"UPCE_NumberSystem1", "UPC-E", Symbology::UPCE, &kUpcE1}};
    for (const Main& m : mains) {
        out.push_back({m.name, m.codeType, "None", m.symbology, *m.bodies});
        out.push_back({m.name, m.codeType, "2-Digit", m.symbology, *m.bodies});
        out.push_back({m.name, m.codeType, "5-Digit", m.symbology, *m.bodies});
    }
    // EAN-8 never carries an add-on.
    out.push_back({"EAN8", "EAN-8", "None", Symbology::EAN8, kEan8});
    return out;
}

std::string withCheckDigit(const std::string& body, Symbology symbology) {
    return symbology == Symbology::UPCE ? CalcUPCECheckDigit(body) : CalcCheckDigit(body);
}

std::string addOnDigits(const std::string& addOnType, size_t index) {
    if (addOnType == "2-Digit") {
        return kAddOn2[index % kAddOn2.size()];
    }
    if (addOnType == "5-Digit") {
        return kAddOn5[index % kAddOn5.size()];
    }
    return "";
}

// Measured limits of these decoder versions, and nothing else, excuse a reading.
Drawing drawingFor(const Variant& v, size_t index) {
    Drawing d;
    const std::string main = withCheckDigit(v.bodies[index % v.bodies.size()], v.symbology);
    d.digits = main + addOnDigits(v.addOnType, index);
    d.mainLength = main.size();
    d.symbology = v.symbology;
    // ZXing-C++ 1.4 looks for an add-on at most 10.5 modules after the main symbol; UPC-A
    // leaves 11.
    if (v.symbology == Symbology::UPCA && d.digits.size() > d.mainLength) {
        d.zxing = Leeway::AddOnMissed;
    }
    // zbar 0.23 knows only the number-system-0 parity rows of UPC-E.
    if (v.symbology == Symbology::UPCE && main.front() == '1') {
        d.zbar = Leeway::SymbolMissed;
    }
    return d;
}

std::string joined(const std::vector<int>& sizes) {
    std::string out;
    for (int s : sizes) {
        out += (out.empty() ? "" : " ") + std::to_string(s);
    }
    return out.empty() ? "-" : out;
}

class EanUpcDecodeTest : public ::testing::TestWithParam<Variant> {};

TEST_P(EanUpcDecodeTest, BothDecodersReadEverySizeAt300Dpi) {
    const Variant& v = GetParam();
    const double k = kPxPerMm300Dpi;
    std::string faults;
    std::vector<int> zxingShort;
    std::vector<int> zbarShort;
    size_t index = 0;
    for (int size = 80; size <= 200; size += 5, ++index) {
        const Drawing d = drawingFor(v, index);
        const Render render = [&](Surface* surface, Rect& bounds) {
            DrawEANUPC(v.codeType, v.addOnType, d.digits, surface, 0, 0,
                       static_cast<uint16_t>(size), k, k, bounds);
        };
        // A band through the middle of the bars, below the add-on's digits and above the
        // main symbol's.
        const double s = size / 100.0;
        const auto mid = static_cast<int32_t>(std::lround(13.0 * s * k));
        const std::string label = std::string(v.codeType) + " " + v.addOnType + " " + d.digits +
                                  " at " + std::to_string(size) + " percent";
        const RoundTrip r = checkRoundTrip(d, render, mid - 16, mid + 16, label);
        faults += r.faults;
        if (!r.zxingExact) {
            zxingShort.push_back(size);
        }
        if (!r.zbarExact) {
            zbarShort.push_back(size);
        }
    }
    RecordProperty("zxing_not_exact", joined(zxingShort));
    RecordProperty("zbar_not_exact", joined(zbarShort));
    if (!faults.empty()) {
        ADD_FAILURE() << faults;
    }
}

INSTANTIATE_TEST_SUITE_P(AllSymbols, EanUpcDecodeTest, ::testing::ValuesIn(variants()),
                         [](const ::testing::TestParamInfo<Variant>& info) {
                             std::string addOn = info.param.addOnType;
                             addOn = addOn == "None" ? "NoAddOn" : "AddOn" + addOn.substr(0, 1);
                             return std::string(info.param.name) + "_" + addOn;
                         });

}  // namespace
}  // namespace strikon::testing
