#include "symbology.h"

#include <array>

namespace strikon {

namespace {

constexpr std::array kSymbologies{Symbology::EAN13, Symbology::EAN8, Symbology::UPCA,
                                  Symbology::UPCE, Symbology::ITF14};
constexpr std::array kAddOns{AddOn::None, AddOn::TwoDigit, AddOn::FiveDigit};

}  // namespace

const char* symbologyName(Symbology symbology) {
    switch (symbology) {
        case Symbology::EAN13:
            return "EAN-13";
        case Symbology::EAN8:
            return "EAN-8";
        case Symbology::UPCA:
            return "UPC-A";
        case Symbology::UPCE:
            return "UPC-E";
        case Symbology::ITF14:
            return "ITF-14";
    }
    return "";
}

std::optional<Symbology> symbologyNamed(std::string_view name) {
    for (const Symbology s : kSymbologies) {
        if (name == symbologyName(s)) {
            return s;
        }
    }
    return std::nullopt;
}

const char* addOnName(AddOn addOn) {
    switch (addOn) {
        case AddOn::None:
            return "None";
        case AddOn::TwoDigit:
            return "2-Digit";
        case AddOn::FiveDigit:
            return "5-Digit";
    }
    return "";
}

std::optional<AddOn> addOnNamed(std::string_view name) {
    for (const AddOn a : kAddOns) {
        if (name == addOnName(a)) {
            return a;
        }
    }
    return std::nullopt;
}

}  // namespace strikon
