#include "ean_upc.h"

#include "ean_upc_frame.h"

namespace strikon {

using namespace ean_upc;

namespace {

// The main symbol; any other symbology draws nothing here and leaves R and A alone.
void MainSection(const Frame& f, Symbology symbology, const std::string& Digits, Rect& R, int& A) {
    switch (symbology) {
        case Symbology::EAN13:
            EAN13Section(f, Digits, R, A);
            break;
        case Symbology::EAN8:
            EAN8Section(f, Digits, R);
            break;
        case Symbology::UPCA:
            UPCASection(f, Digits, R, A);
            break;
        case Symbology::UPCE:
            UPCESection(f, Digits, R, A);
            break;
        case Symbology::ITF14:
        case Symbology::GS1QR:
        case Symbology::GS1DataMatrix:
        case Symbology::GS1_128:
            break;
    }
}

bool upcFamily(Symbology symbology) {
    return symbology == Symbology::UPCA || symbology == Symbology::UPCE;
}

// An add-on type of no known name draws none.
AddOn addOnOf(const std::string& AddOnType) {
    return addOnNamed(AddOnType).value_or(AddOn::None);
}

}  // namespace

void DrawEANUPC(const std::string& CodeType, const std::string& AddOnType,
                const std::string& Digits, Surface* surface, double OffsetX, double OffsetY,
                uint16_t SizePercent, double PxPerMmX, double PxPerMmY, Rect& Bounds) {
    // Any other text draws no main symbol.
    const Symbology symbology = symbologyNamed(CodeType).value_or(Symbology::ITF14);
    drawEanUpc(symbology, addOnOf(AddOnType), Digits, surface, OffsetX, OffsetY, SizePercent,
               PxPerMmX, PxPerMmY, Bounds);
}

void drawEanUpc(Symbology symbology, AddOn addOn, const std::string& Digits, Surface* surface,
                double OffsetX, double OffsetY, uint16_t SizePercent, double PxPerMmX,
                double PxPerMmY, Rect& Bounds) {
    const Frame f = MakeFrame(surface, OffsetX, OffsetY, SizePercent, PxPerMmX, PxPerMmY);
    Rect R;
    int A = 0;  // 1-based position of the first add-on digit; 0: no add-on possible
    MainSection(f, symbology, Digits, R, A);
    // A stays 0 for EAN-8, for the other symbologies and for digits no symbol was drawn from, so no
    // add-on ever stands without its main symbol.
    if (A != 0 && addOn != AddOn::None) {
        AddOnSection(f, facts(addOn).digits, upcFamily(symbology), Digits, A, R);
    }
    Bounds = R;
}

double EANUPCModuleMm(uint16_t SizePercent) {
    return MakeFrame(nullptr, 0.0, 0.0, SizePercent, 1.0, 1.0).M;
}

void DrawEANUPCQuietZoneMarks(const std::string& CodeType, const std::string& AddOnType,
                              const std::string& Digits, Surface& surface, double OffsetX,
                              double OffsetY, uint16_t SizePercent, double PxPerMmX,
                              double PxPerMmY) {
    const Symbology symbology = symbologyNamed(CodeType).value_or(Symbology::ITF14);
    drawEanUpcQuietZoneMarks(symbology, addOnOf(AddOnType), Digits, surface, OffsetX, OffsetY,
                             SizePercent, PxPerMmX, PxPerMmY);
}

void drawEanUpcQuietZoneMarks(Symbology symbology, AddOn addOn, const std::string& Digits,
                              Surface& surface, double OffsetX, double OffsetY,
                              uint16_t SizePercent, double PxPerMmX, double PxPerMmY) {
    // The rectangles come from the sections themselves, measured, so the marks follow them.
    const Frame measuring = MakeFrame(nullptr, OffsetX, OffsetY, SizePercent, PxPerMmX, PxPerMmY);
    Rect main;
    int A = 0;
    MainSection(measuring, symbology, Digits, main, A);
    if (main == Rect{}) {
        return;
    }
    Rect whole = main;
    if (A != 0 && addOn != AddOn::None) {
        AddOnSection(measuring, facts(addOn).digits, upcFamily(symbology), Digits, A, whole);
    }
    const Frame f = MakeFrame(&surface, OffsetX, OffsetY, SizePercent, PxPerMmX, PxPerMmY);
    if (whole.right != main.right) {
        AddOnMark(f, whole);
    } else if (symbology == Symbology::EAN13) {
        EAN13Marks(f, main);
    } else if (symbology == Symbology::EAN8) {
        EAN8Marks(f, main);
    }
}

}  // namespace strikon
