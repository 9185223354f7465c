// GS1 element strings and Digital Link URIs against the examples of the GS1 General
// Specifications and the GS1 Digital Link URI syntax; every expected value written by hand.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "encoders/gs1_data.h"
#include "encoders/gs1_digital_link.h"

namespace strikon {
namespace {

struct ParseRow {
    const char* text;
    std::optional<Gs1Fault> fault;  // nothing: accepted
    const char* ai;                 // the AI the refusal names
    const char* detail;
    size_t elements;  // when accepted
};

TEST(Gs1DataTest, ElementStringsAreReadOrRefusedWithTheAiNamed) {
    using F = Gs1Fault;
    const ParseRow rows[] = {
        {"(01)09506000134352(17)271231(10)ABC123", {}, "", "", 3},
        {" (00)106141412345678908 ", {}, "", "", 1},  // an SSCC, check digit 8
        {"(01)09506000134353", F::BadCheckDigit, "01", "2", 0},
        {"(00)106141412345678907", F::BadCheckDigit, "00", "8", 0},
        {"(17)271340", F::BadDate, "17", "271340", 0},  // month 13
        {"(17)271200", {}, "", "", 1},                  // day 00: the end of the month
        {"(15)280229", {}, "", "", 1},                  // 2028 is a leap year
        {"(15)270229", F::BadDate, "15", "270229", 0},
        {"(17)270431", F::BadDate, "17", "270431", 0},
        {"(7006)270100", F::BadDate, "7006", "270100", 0},  // no day 00 outside AIs 11 to 17
        {"(10)ABCDEFGHIJ0123456789", {}, "", "", 1},        // 20, the most a lot takes
        {"(10)ABCDEFGHIJ0123456789X", F::TooLong, "10", "20", 0},
        {"(10)AB#1", F::BadCharacter, "10", "#", 0},
        {"(21)\xC3\x84"
         "1",
         F::BadCharacter, "21", "\xC3\x84", 0},  // Ä, whole
        {"(10)A(B)C/1", {}, "", "", 1},          // "(B)" opens no AI
        {"(3103)000195", {}, "", "", 1},
        {"(3103)00019", F::WrongLength, "3103", "6", 0},
        {"(3103)0001A5", F::NotDigits, "3103", "A", 0},
        {"(23)1", F::UnknownAi, "23", "", 0},
        {"(3180)000001", F::UnknownAi, "3180", "", 0},
        {"(97)internal", {}, "", "", 1},
        {"(01)", F::EmptyValue, "01", "", 0},
        {"(10)A(21)B(10)C", F::Repeated, "10", "", 0},
        {"0109506000134352", F::NotBracketed, "", "010950600013", 0},
        {"  ", F::Empty, "", "", 0},
    };
    for (const ParseRow& row : rows) {
        const Gs1Data d = parseGs1(row.text);
        SCOPED_TRACE(row.text);
        if (!row.fault) {
            EXPECT_TRUE(d.ok()) << (d.error ? gs1ErrorEnglish(*d.error) : "");
            EXPECT_EQ(d.elements.size(), row.elements);
            continue;
        }
        ASSERT_FALSE(d.ok());
        EXPECT_EQ(d.error->fault, *row.fault);
        EXPECT_EQ(d.error->ai, row.ai);
        EXPECT_EQ(d.error->detail, row.detail);
        EXPECT_TRUE(d.elements.empty());
    }
}

TEST(Gs1DataTest, ReasonsNameTheAiInBothLanguages) {
    const Gs1Data d = parseGs1("(01)09506000134352(17)271340");
    ASSERT_FALSE(d.ok());
    EXPECT_EQ(gs1ErrorEnglish(*d.error), "(17): 271340 is not a date YYMMDD");
    EXPECT_EQ(gs1ErrorRussian(*d.error), "(17): 271340 не является датой ГГММДД");
    const Gs1Data c = parseGs1("(01)09506000134353");
    EXPECT_EQ(gs1ErrorEnglish(*c.error), "(01): the check digit should be 2");
    EXPECT_EQ(gs1ErrorRussian(*c.error), "(01): контрольная цифра должна быть 2");
}

TEST(Gs1DataTest, BracketedFormAndSeparators) {
    const Gs1Data d = parseGs1("(01)09506000134352(10)AB-1(17)271231");
    EXPECT_EQ(gs1Bracketed(d.elements), "(01)09506000134352(10)AB-1(17)271231");
    EXPECT_EQ(gs1Bracketed(d.elements, '[', ']'), "[01]09506000134352[10]AB-1[17]271231");
    for (const char* fixed : {"00", "01", "17", "3103", "410", "20"}) {
        EXPECT_FALSE(gs1VariableLength(fixed)) << fixed;
    }
    for (const char* variable : {"10", "21", "22", "30", "3922", "400", "7003", "8003", "90"}) {
        EXPECT_TRUE(gs1VariableLength(variable)) << variable;
    }
    EXPECT_EQ(gtin14("95012346"), "00000095012346");
    EXPECT_EQ(gtin14("614141000418"), "00614141000418");
    EXPECT_EQ(gtin14("4006381333931"), "04006381333931");
    EXPECT_EQ(gtin14("09506000134352"), "09506000134352");
    EXPECT_EQ(gtin14("123"), "");
    EXPECT_EQ(gs1CheckDigit("4006381333930"), '1');
}

struct LinkRow {
    const char* elements;
    const char* resolver;
    const char* uri;
};

TEST(Gs1DigitalLinkTest, UrisOfTheStandardsExamples) {
    const LinkRow rows[] = {
        {"(01)09506000134352", "", "https://id.gs1.org/01/09506000134352"},
        {"(01)09506000134352(10)ABC123(17)271231", "",
         "https://id.gs1.org/01/09506000134352/10/ABC123?17=271231"},
        // Qualifiers in the path in the order 22, 10, 21 whatever the order written.
        {"(21)12345(17)180426(10)AB-123(01)09506000134352", "https://example.com",
         "https://example.com/01/09506000134352/10/AB-123/21/12345?17=180426"},
        {"(01)09506000134352(22)2A(21)XYZ", "https://brand.example.com/",
         "https://brand.example.com/01/09506000134352/22/2A/21/XYZ"},
        {"(01)09506000134352(3103)000195(15)270101", "https://id.gs1.org",
         "https://id.gs1.org/01/09506000134352?3103=000195&15=270101"},
        // Values percent-encoded: everything but A-Z a-z 0-9 - . _ ~
        {"(01)09506000134352(10)1/2&3(21)50%+", "",
         "https://id.gs1.org/01/09506000134352/10/1%2F2%263/21/50%25%2B"},
        {"(01)09506000134352(21)a b", "", ""},  // refused before: a space is not in the set
        {"(01)04006381333931(400)PO:7", "https://res.example.org/gs1",
         "https://res.example.org/gs1/01/04006381333931?400=PO%3A7"},
    };
    for (const LinkRow& row : rows) {
        SCOPED_TRACE(row.elements);
        const Gs1Data d = parseGs1(row.elements);
        if (*row.uri == '\0') {
            EXPECT_FALSE(d.ok());
            continue;
        }
        ASSERT_TRUE(d.ok());
        const DigitalLink link = gs1DigitalLink(d.elements, row.resolver);
        EXPECT_FALSE(link.error);
        EXPECT_EQ(link.uri, row.uri);
    }
}

TEST(Gs1DigitalLinkTest, RefusesWhatNoLinkCarries) {
    const struct {
        const char* elements;
        const char* resolver;
        Gs1Fault fault;
        const char* ai;
    } rows[] = {
        {"(10)ABC", "", Gs1Fault::NoGtin, "01"},
        {"(01)09506000134352(00)106141412345678908", "", Gs1Fault::NotInLink, "00"},
        {"(01)09506000134352", "http://id.gs1.org", Gs1Fault::BadResolver, ""},
        {"(01)09506000134352", "https://x.org/?a=1", Gs1Fault::BadResolver, ""},
        {"(01)09506000134352", "https:///path", Gs1Fault::BadResolver, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.elements);
        const DigitalLink link = gs1DigitalLink(parseGs1(row.elements).elements, row.resolver);
        ASSERT_TRUE(link.error);
        EXPECT_EQ(link.error->fault, row.fault);
        EXPECT_EQ(link.error->ai, row.ai);
    }
}

}  // namespace
}  // namespace strikon
