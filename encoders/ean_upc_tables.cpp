#include "ean_upc_tables.h"

#include <array>

namespace strikon::ean_upc {

namespace {

using Row = std::string_view;

// Number set A (odd parity, left half), ISO/IEC 15420. Each character is 7 modules: two bars
// and two spaces, starting with a space and ending with a bar.
constexpr std::array<Row, 10> kSetA = {
    "0001101",  // 0
    "0011001",  // 1
    "0010011",  // 2
    "0111101",  // 3
    "0100011",  // 4
    "0110001",  // 5
    "0101111",  // 6
    "0111011",  // 7
    "0110111",  // 8
    "0001011",  // 9
};

// Number set B (even parity, left half), ISO/IEC 15420: set C read backwards.
constexpr std::array<Row, 10> kSetB = {
    "0100111",  // 0
    "0110011",  // 1
    "0011011",  // 2
    "0100001",  // 3
    "0011101",  // 4
    "0111001",  // 5
    "0000101",  // 6
    "0010001",  // 7
    "0001001",  // 8
    "0010111",  // 9
};

// Number set C (right half), ISO/IEC 15420: set A with every module inverted.
constexpr std::array<Row, 10> kSetC = {
    "1110010",  // 0
    "1100110",  // 1
    "1101100",  // 2
    "1000010",  // 3
    "1011100",  // 4
    "1001110",  // 5
    "1010000",  // 6
    "1000100",  // 7
    "1001000",  // 8
    "1110100",  // 9
};

// EAN-13 sets of d2..d13 by the leading digit d1, ISO/IEC 15420. The first six letters carry
// d1; the right half is always set C.
constexpr std::array<Row, 10> kEAN13Parity = {
    "AAAAAACCCCCC",  // 0 (a UPC-A number carried as EAN-13)
    "AABABBCCCCCC",  // 1
    "AABBABCCCCCC",  // 2
    "AABBBACCCCCC",  // 3
    "ABAABBCCCCCC",  // 4
    "ABBAABCCCCCC",  // 5
    "ABBBAACCCCCC",  // 6
    "ABABABCCCCCC",  // 7
    "ABABBACCCCCC",  // 8
    "ABBABACCCCCC",  // 9
};

// UPC-E sets of the six data digits by the check digit, number system 0, ISO/IEC 15420
// (A odd, B even parity). Number system 1 uses the complement of each row.
constexpr std::array<Row, 10> kUPCEParity = {
    "BBBAAA",  // 0
    "BBABAA",  // 1
    "BBAABA",  // 2
    "BBAAAB",  // 3
    "BABBAA",  // 4
    "BAABBA",  // 5
    "BAAABB",  // 6
    "BABABA",  // 7
    "BABAAB",  // 8
    "BAABAB",  // 9
};

// 2-digit add-on sets of a1, a2 by K = (10 a1 + a2) mod 4, ISO/IEC 15420.
constexpr std::array<Row, 4> kAddOn2Parity = {
    "AA",  // 0
    "AB",  // 1
    "BA",  // 2
    "BB",  // 3
};

// 5-digit add-on sets of a1..a5 by K = (3 (a1 + a3 + a5) + 9 (a2 + a4)) mod 10, ISO/IEC 15420.
constexpr std::array<Row, 10> kAddOn5Parity = {
    "BBAAA",  // 0
    "BABAA",  // 1
    "BAABA",  // 2
    "BAAAB",  // 3
    "ABBAA",  // 4
    "AABBA",  // 5
    "AAABB",  // 6
    "ABABA",  // 7
    "ABAAB",  // 8
    "AABAB",  // 9
};

template <size_t N>
Row rowAt(const std::array<Row, N>& table, int index) {
    if (index < 0 || static_cast<size_t>(index) >= N) {
        return {};
    }
    return table[static_cast<size_t>(index)];
}

int digitIndex(char c) {
    return (c >= '0' && c <= '9') ? c - '0' : -1;
}

}  // namespace

std::string_view SymbolPattern(char set, char digit) {
    switch (set) {
        case 'A':
            return rowAt(kSetA, digitIndex(digit));
        case 'B':
            return rowAt(kSetB, digitIndex(digit));
        case 'C':
            return rowAt(kSetC, digitIndex(digit));
        default:
            return {};
    }
}

std::string_view EAN13ParityRow(char leading) {
    return rowAt(kEAN13Parity, digitIndex(leading));
}

std::string_view UPCEParityRow(char check) {
    return rowAt(kUPCEParity, digitIndex(check));
}

std::string_view AddOn2ParityRow(int K) {
    return rowAt(kAddOn2Parity, K);
}

std::string_view AddOn5ParityRow(int K) {
    return rowAt(kAddOn5Parity, K);
}

}  // namespace strikon::ean_upc
