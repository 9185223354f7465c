// The catalogue against the published figures: digit counts (GS1 General Specifications), the
// add-on following the main digits, UPC-E's two number systems, and the program's size ranges.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "encoders/symbology.h"

namespace strikon {
namespace {

TEST(SymbologyCatalogue, FactsOfEverySymbology) {
    const struct {
        Symbology id;
        const char* name;
        int digits, addOnStart;
        const char* mask;
        int minSize, maxSize;
        CheckDigitRule rule;
        const char* leading;
    } rows[] = {
        {Symbology::EAN13, "EAN-13", 13, 14, "9 999999 999999", 80, 200, CheckDigitRule::Modulo10,
         ""},
        {Symbology::EAN8, "EAN-8", 8, 0, "9999 9999", 80, 200, CheckDigitRule::Modulo10, ""},
        {Symbology::UPCA, "UPC-A", 12, 13, "9 99999 99999 9", 80, 200, CheckDigitRule::Modulo10,
         ""},
        {Symbology::UPCE, "UPC-E", 8, 9, "9 999999 9", 80, 200, CheckDigitRule::Modulo10OfUpcA,
         "01"},
        {Symbology::ITF14, "ITF-14", 14, 0, "99999999999999", 25, 100, CheckDigitRule::Modulo10,
         ""},
        // The GS1 symbols: a GTIN's 14 digits; sized by their module, not in percent.
        {Symbology::GS1QR, "GS1-QR", 14, 0, "99999999999999", 100, 100, CheckDigitRule::Modulo10,
         ""},
        {Symbology::GS1DataMatrix, "GS1-DataMatrix", 14, 0, "99999999999999", 100, 100,
         CheckDigitRule::Modulo10, ""},
        {Symbology::GS1_128, "GS1-128", 14, 0, "99999999999999", 100, 100, CheckDigitRule::Modulo10,
         ""},
    };
    ASSERT_EQ(symbologies().size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& row = rows[i];
        const SymbologyFacts& f = facts(row.id);
        EXPECT_EQ(&f, &symbologies()[i]) << row.name << ": listed in order";
        EXPECT_STREQ(f.name, row.name);
        EXPECT_EQ(symbologyNamed(row.name), row.id);
        EXPECT_EQ(f.digits, row.digits) << row.name;
        EXPECT_EQ(f.addOnStart, row.addOnStart) << row.name;
        EXPECT_STREQ(f.inputMask, row.mask) << row.name;
        const std::string mask = f.inputMask;
        EXPECT_EQ(std::count(mask.begin(), mask.end(), '9'), f.digits) << row.name;
        EXPECT_EQ(f.minSize, row.minSize) << row.name;
        EXPECT_EQ(f.maxSize, row.maxSize) << row.name;
        EXPECT_EQ(f.sizeStep, 5) << row.name;
        EXPECT_EQ(f.checkDigit, row.rule) << row.name;
        EXPECT_EQ(f.leadingDigits, row.leading) << row.name;
    }
    EXPECT_EQ(symbologyNamed("EAN-14"), std::nullopt);
    EXPECT_EQ(symbologyNamed("ean-13"), std::nullopt) << "names compare exactly";

    const std::pair<AddOn, int> addOnRows[] = {
        {AddOn::None, 0}, {AddOn::TwoDigit, 2}, {AddOn::FiveDigit, 5}};
    for (const auto& [addOn, digits] : addOnRows) {
        EXPECT_EQ(facts(addOn).digits, digits);
        EXPECT_EQ(addOnNamed(addOnName(addOn)), addOn);
    }
}

}  // namespace
}  // namespace strikon
