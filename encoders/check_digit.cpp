#include "check_digit.h"

#include <algorithm>

namespace strikon {

namespace {

bool allDigits(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string CalcCheckDigit(const std::string& S) {
    std::string result = S;
    const size_t n = S.size();
    if (n == 0) {
        return result;
    }
    int32_t sum = 0;
    // i counts from the character just left of the check position, which always weighs 3.
    for (size_t i = 1; i < n; ++i) {
        const int value = S[n - 1 - i] - '0';
        sum += (i % 2 == 1) ? value * 3 : value;
    }
    result[n - 1] = static_cast<char>('0' + (10 - sum % 10) % 10);
    return result;
}

std::string ExpandUPCE(const std::string& upce) {
    if (upce.size() != 8 || !allDigits(upce)) {
        return {};
    }
    const char ns = upce[0];
    const std::string d = upce.substr(1, 6);  // the six data digits
    const char check = upce[7];
    std::string body;  // the ten digits between number system and check digit
    switch (d[5]) {
        case '0':
        case '1':
        case '2':  // manufacturer d1 d2 d6 00, item 00 d3 d4 d5
            body = d.substr(0, 2) + d[5] + "0000" + d.substr(2, 3);
            break;
        case '3':  // manufacturer d1 d2 d3 00, item 000 d4 d5
            body = d.substr(0, 3) + "00000" + d.substr(3, 2);
            break;
        case '4':  // manufacturer d1 d2 d3 d4 0, item 0000 d5
            body = d.substr(0, 4) + "00000" + d[4];
            break;
        default:  // manufacturer d1..d5, item 0000 d6
            body = d.substr(0, 5) + "0000" + d[5];
            break;
    }
    return std::string(1, ns) + body + check;
}

std::string CalcUPCECheckDigit(const std::string& S) {
    const std::string expanded = ExpandUPCE(S);
    if (expanded.empty()) {
        return CalcCheckDigit(S);
    }
    std::string result = S;
    result.back() = CalcCheckDigit(expanded).back();
    return result;
}

std::string CalcCheckDigitFor(Symbology symbology, const std::string& S) {
    return facts(symbology).checkDigit == CheckDigitRule::Modulo10OfUpcA ? CalcUPCECheckDigit(S)
                                                                         : CalcCheckDigit(S);
}

}  // namespace strikon
