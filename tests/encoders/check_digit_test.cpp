#include "encoders/check_digit.h"

#include <gtest/gtest.h>

namespace strikon {
namespace {

struct CheckCase {
    const char* in;
    const char* out;
    const char* why;
};

TEST(CalcCheckDigit, PublishedExamples) {
    const CheckCase cases[] = {
        {"1234567890120", "1234567890128", "EAN-13"},
        {"1234567890129", "1234567890128", "old check digit ignored"},
        {"12345670", "12345670", "EAN-8, check digit 0"},
        {"123456789010", "123456789012", "UPC-A"},
        {"06543210", "06543211", "seven digits weighted directly"},
        {"12345678901230", "12345678901231", "ITF-14"},
        {"99999999999990", "99999999999997", "large sum"},
        {"00000000000000", "00000000000000", "all zeros"},
        {"7", "0", "one character: nothing weighted"},
        {"4006381333930", "4006381333931", "EAN-13 from a real product"},
        {"", "", "empty text stays empty"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CalcCheckDigit(c.in), c.out) << c.why;
    }
}

TEST(ExpandUPCE, EachExpansionRule) {
    // Rows: UPC-E digits, the UPC-A form a scanner expands them to, the rule's last data digit.
    const CheckCase cases[] = {
        {"01234505", "012000003455", "last data digit 0..2: manufacturer d1 d2 d6"},
        {"06543217", "065100004327", "last data digit 1"},
        {"01234531", "012300000451", "last data digit 3"},
        {"01234545", "012340000055", "last data digit 4"},
        {"01234565", "012345000065", "last data digit 5..9"},
        {"11234565", "112345000065", "number system 1 carried over"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandUPCE(c.in), c.out) << c.why;
    }
    EXPECT_EQ(ExpandUPCE("0123456"), "") << "seven digits are not a UPC-E";
    EXPECT_EQ(ExpandUPCE("0123456x"), "") << "non-digit";
}

TEST(CalcUPCECheckDigit, ComputedOverExpandedForm) {
    EXPECT_EQ(CalcUPCECheckDigit("06543210"), "06543217") << "the direct rule would give 1";
    EXPECT_EQ(CalcUPCECheckDigit("01234560"), "01234565");
    EXPECT_EQ(CalcUPCECheckDigit("04252610"), "04252614");
    EXPECT_EQ(CalcUPCECheckDigit("01234509"), "01234505");
    // Every UPC-E check digit agrees with the check digit of its own UPC-A expansion.
    for (int v = 0; v < 1000000; v += 7919) {
        std::string upce = "0" + std::to_string(1000000 + v).substr(1) + "0";
        const std::string withCheck = CalcUPCECheckDigit(upce);
        const std::string expanded = ExpandUPCE(withCheck);
        EXPECT_EQ(CalcCheckDigit(expanded), expanded) << withCheck;
    }
}

TEST(CalcCheckDigitFor, OnlyUpcEUsesTheExpandedForm) {
    EXPECT_EQ(CalcCheckDigitFor(Symbology::UPCE, "06543210"), "06543217");
    EXPECT_EQ(CalcCheckDigitFor(Symbology::EAN8, "06543210"), "06543211")
        << "eight digits weighted";
    EXPECT_EQ(CalcCheckDigitFor(Symbology::EAN13, "1234567890120"), "1234567890128");
    EXPECT_EQ(CalcCheckDigitFor(Symbology::ITF14, "10012345678900"), "10012345678902");
}

}  // namespace
}  // namespace strikon
