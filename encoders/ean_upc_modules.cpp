#include "ean_upc_modules.h"

#include "ean_upc_tables.h"

namespace strikon {

using namespace ean_upc;

namespace {

// Appends the patterns of digits[i] in the set named by sets[i], for every i.
bool appendCharacters(std::string& out, std::string_view digits, std::string_view sets) {
    if (sets.size() != digits.size()) {
        return false;
    }
    for (size_t i = 0; i < digits.size(); ++i) {
        const std::string_view pattern = SymbolPattern(sets[i], digits[i]);
        if (pattern.empty()) {
            return false;
        }
        out += pattern;
    }
    return true;
}

// Left half, centre guard, right half, framed by the normal guards: EAN-13, EAN-8 and UPC-A.
std::string twoHalves(std::string_view left, std::string_view leftSets, std::string_view right,
                      std::string_view rightSets) {
    std::string out(kNormalGuard);
    if (!appendCharacters(out, left, leftSets)) {
        return {};
    }
    out += kCentreGuard;
    if (!appendCharacters(out, right, rightSets)) {
        return {};
    }
    out += kNormalGuard;
    return out;
}

char complementSet(char set) {
    return set == 'A' ? 'B' : 'A';
}

}  // namespace

bool AreDigits(std::string_view text, size_t first, size_t count) {
    if (first > text.size() || count > text.size() - first) {
        return false;
    }
    for (size_t i = first; i < first + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

std::string EAN13Modules(std::string_view digits) {
    if (!AreDigits(digits, 0, 13)) {
        return {};
    }
    const std::string_view sets = EAN13ParityRow(digits[0]);
    return twoHalves(digits.substr(1, 6), sets.substr(0, 6), digits.substr(7, 6),
                     sets.substr(6, 6));
}

std::string EAN8Modules(std::string_view digits) {
    if (!AreDigits(digits, 0, 8)) {
        return {};
    }
    return twoHalves(digits.substr(0, 4), "AAAA", digits.substr(4, 4), "CCCC");
}

std::string UPCAModules(std::string_view digits) {
    if (!AreDigits(digits, 0, 12)) {
        return {};
    }
    return twoHalves(digits.substr(0, 6), "AAAAAA", digits.substr(6, 6), "CCCCCC");
}

std::string UPCEModules(std::string_view digits) {
    if (!AreDigits(digits, 0, 8)) {
        return {};
    }
    std::string sets(UPCEParityRow(digits[7]));
    // Number system 1 is told apart from 0 only by the complemented parity row; the other
    // number systems, which UPC-E cannot carry, keep the row as it stands.
    if (digits[0] == '1') {
        for (char& set : sets) {
            set = complementSet(set);
        }
    }
    std::string out(kNormalGuard);
    if (!appendCharacters(out, digits.substr(1, 6), sets)) {
        return {};
    }
    out += kUPCEEndGuard;
    return out;
}

int AddOnParity(std::string_view addOnDigits) {
    if (!AreDigits(addOnDigits, 0, addOnDigits.size())) {
        return -1;
    }
    auto a = [&](size_t i) { return addOnDigits[i - 1] - '0'; };
    if (addOnDigits.size() == 2) {
        return (10 * a(1) + a(2)) % 4;
    }
    if (addOnDigits.size() == 5) {
        return (3 * (a(1) + a(3) + a(5)) + 9 * (a(2) + a(4))) % 10;
    }
    return -1;
}

std::string AddOnModules(std::string_view addOnDigits) {
    const int K = AddOnParity(addOnDigits);
    if (K < 0) {
        return {};
    }
    const std::string_view sets = addOnDigits.size() == 2 ? AddOn2ParityRow(K) : AddOn5ParityRow(K);
    std::string out(kAddOnStart);
    for (size_t i = 0; i < addOnDigits.size(); ++i) {
        if (i > 0) {
            out += kAddOnDelineator;
        }
        if (!appendCharacters(out, addOnDigits.substr(i, 1), sets.substr(i, 1))) {
            return {};
        }
    }
    return out;
}

}  // namespace strikon
