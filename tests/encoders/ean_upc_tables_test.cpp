#include "encoders/ean_upc_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "encoders/ean_upc_modules.h"
#include "encoders/itf14.h"

namespace strikon {
namespace {

using namespace ean_upc;

std::string digitChar(int d) {
    return std::string(1, static_cast<char>('0' + d));
}

TEST(NumberSets, PublishedEntries) {
    EXPECT_EQ(SymbolPattern('A', '0'), "0001101");
    EXPECT_EQ(SymbolPattern('B', '0'), "0100111");
    EXPECT_EQ(SymbolPattern('C', '0'), "1110010");
    EXPECT_EQ(SymbolPattern('C', '9'), "1110100");
    EXPECT_EQ(SymbolPattern('B', '6'), "0000101");
}

TEST(NumberSets, EveryDigitKeepsTheSetRelations) {
    for (int d = 0; d <= 9; ++d) {
        const char c = digitChar(d)[0];
        std::string inverted(SymbolPattern('A', c));
        for (char& m : inverted) {
            m = m == '0' ? '1' : '0';
        }
        EXPECT_EQ(inverted, SymbolPattern('C', c)) << "C is A inverted, digit " << d;
        std::string reversed(SymbolPattern('C', c));
        std::reverse(reversed.begin(), reversed.end());
        EXPECT_EQ(reversed, SymbolPattern('B', c)) << "B is C reversed, digit " << d;
        for (char set : {'A', 'B', 'C'}) {
            const std::string p(SymbolPattern(set, c));
            int edges = 0;
            for (size_t i = 1; i < p.size(); ++i) {
                edges += p[i] != p[i - 1];
            }
            EXPECT_EQ(edges, 3) << "two bars and two spaces: " << set << d;
            EXPECT_EQ(p.front(), set == 'C' ? '1' : '0') << set << d;
        }
    }
}

TEST(ParityRows, PublishedRows) {
    EXPECT_EQ(EAN13ParityRow('0'), "AAAAAACCCCCC");
    EXPECT_EQ(EAN13ParityRow('1').substr(2, 1), "B");
    EXPECT_EQ(UPCEParityRow('0'), "BBBAAA");
    EXPECT_EQ(UPCEParityRow('9'), "BAABAB");
    EXPECT_EQ(AddOn2ParityRow(3), "BB");
    EXPECT_EQ(AddOn5ParityRow(0), "BBAAA");
}

TEST(ParityRows, KeysOutsideTheTablesGiveNothing) {
    EXPECT_TRUE(SymbolPattern('D', '0').empty());
    EXPECT_TRUE(SymbolPattern('a', '0').empty());
    EXPECT_TRUE(SymbolPattern('A', ':').empty());
    EXPECT_TRUE(SymbolPattern('A', '\0').empty());
    EXPECT_TRUE(EAN13ParityRow('/').empty());
    EXPECT_TRUE(UPCEParityRow('x').empty());
    EXPECT_TRUE(AddOn2ParityRow(4).empty());
    EXPECT_TRUE(AddOn5ParityRow(-1).empty());
}

struct ModuleCase {
    const char* name;
    std::string (*build)(std::string_view);
    const char* digits;
    std::string expected;  // groups joined
};

std::string join(std::initializer_list<const char*> groups) {
    std::string out;
    for (const char* g : groups) {
        out += g;
    }
    return out;
}

TEST(ModuleStrings, PublishedExamples) {
    const ModuleCase cases[] = {
        {"EAN-13 4006381333931, sets ABAABB", EAN13Modules, "4006381333931",
         join({"101", "0001101", "0100111", "0101111", "0111101", "0001001", "0110011", "01010",
               "1000010", "1000010", "1000010", "1110100", "1000010", "1100110", "101"})},
        {"EAN-8 96385074", EAN8Modules, "96385074",
         join({"101", "0001011", "0101111", "0111101", "0110111", "01010", "1001110", "1110010",
               "1000100", "1011100", "101"})},
        {"UPC-E 01234565, row BAABBA", UPCEModules, "01234565",
         join({"101", "0110011", "0010011", "0111101", "0011101", "0111001", "0101111", "010101"})},
        {"UPC-E number system 1: row BAABBA complemented to ABBAAB", UPCEModules, "11234565",
         join({"101", "0011001", "0011011", "0100001", "0100011", "0110001", "0000101", "010101"})},
        {"add-on 12: K 0, AA", AddOnModules, "12", join({"1011", "0011001", "01", "0010011"})},
        {"add-on 34: K 2, BA", AddOnModules, "34", join({"1011", "0100001", "01", "0100011"})},
        {"add-on 99: K 3, BB", AddOnModules, "99", join({"1011", "0010111", "01", "0010111"})},
        {"add-on 52495: K 1, BABAA", AddOnModules, "52495",
         join({"1011", "0111001", "01", "0010011", "01", "0011101", "01", "0001011", "01",
               "0110001"})},
        {"add-on 00000: K 0, BBAAA", AddOnModules, "00000",
         join({"1011", "0100111", "01", "0100111", "01", "0001101", "01", "0001101", "01",
               "0001101"})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.build(c.digits), c.expected) << c.name;
    }
}

TEST(ModuleStrings, UPCAIsEAN13WithLeadingZero) {
    const std::string upca = UPCAModules("012345678905");
    ASSERT_EQ(upca.size(), 95u);
    EXPECT_EQ(upca.substr(0, 17),
              "101"
              "0001101"
              "0011001");
    EXPECT_EQ(upca.substr(78),
              "1110010"
              "1001110"
              "101");
    EXPECT_EQ(upca, EAN13Modules("0012345678905"));
}

TEST(ModuleStrings, UPCEParityByNumberSystem) {
    auto sets = [](const std::string& digits) {
        // Set of each data character, read back from its first module pair.
        const std::string m = UPCEModules(digits);
        std::string out;
        for (size_t i = 0; i < 6; ++i) {
            const std::string ch = m.substr(3 + 7 * i, 7);
            out += ch == SymbolPattern('A', digits[1 + i]) ? 'A' : 'B';
        }
        return out;
    };
    EXPECT_EQ(sets("01234560"), "BBBAAA") << "check digit 0, number system 0";
    EXPECT_EQ(sets("11234560"), "AAABBB") << "check digit 0, number system 1";
    EXPECT_EQ(sets("01234569"), "BAABAB") << "check digit 9";
    // Number systems UPC-E cannot carry keep the table's row.
    for (char ns = '2'; ns <= '9'; ++ns) {
        EXPECT_EQ(UPCEModules(std::string(1, ns) + "1234565"), UPCEModules("01234565")) << ns;
    }
}

TEST(ModuleStrings, LengthsAndParityValues) {
    EXPECT_EQ(EAN13Modules("4006381333931").size(), 95u);
    EXPECT_EQ(EAN8Modules("96385074").size(), 67u);
    EXPECT_EQ(UPCEModules("01234565").size(), 51u);
    EXPECT_EQ(AddOnModules("12").size(), 20u);
    EXPECT_EQ(AddOnModules("52495").size(), 47u);
    EXPECT_EQ(AddOnParity("12"), 0);
    EXPECT_EQ(AddOnParity("34"), 2);
    EXPECT_EQ(AddOnParity("99"), 3);
    EXPECT_EQ(AddOnParity("52495"), 1) << "3 x 14 + 9 x 11 = 141";
    EXPECT_EQ(AddOnParity("123"), -1);
}

TEST(ModuleStrings, BadDigitsBuildNothing) {
    EXPECT_EQ(EAN13Modules("400638133393"), "") << "12 digits";
    EXPECT_EQ(EAN13Modules("400638133393A"), "");
    EXPECT_EQ(EAN8Modules(""), "");
    EXPECT_EQ(UPCAModules("01234567890 5"), "");
    EXPECT_EQ(UPCEModules("0123456"), "");
    EXPECT_EQ(AddOnModules("1x"), "");
    EXPECT_EQ(AddOnModules(""), "");
    EXPECT_EQ(ITF14Elements("1234567890123"), "");
    EXPECT_EQ(ITF14Elements("1234567890123-"), "");
}

TEST(ITF14Elements, ZerosAndLength) {
    std::string zeros = "1010";
    for (int i = 0; i < 7; ++i) {
        zeros += "1010323210";
    }
    zeros += "301";
    EXPECT_EQ(ITF14Elements("00000000000000"), zeros);
    // Every 14 digits give 77 elements spanning 120.5 X, and the 15th digit is ignored.
    for (const char* digits : {"12345678901231", "99999999999997", "150123456789012"}) {
        const std::string e = ITF14Elements(digits);
        ASSERT_EQ(e.size(), 77u) << digits;
        double span = 0;
        for (char c : e) {
            span += (c == '2' || c == '3') ? 2.5 : 1.0;
        }
        EXPECT_EQ(span, 120.5) << digits;
    }
    EXPECT_EQ(ITF14Elements("150123456789012"), ITF14Elements("15012345678901"));
}

}  // namespace
}  // namespace strikon
