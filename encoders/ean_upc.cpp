#include "ean_upc.h"

#include "ean_upc_frame.h"

namespace strikon {

using namespace ean_upc;

namespace {

// The main symbol of CodeType; an unknown type draws nothing and leaves R and A alone.
void MainSection(const Frame& f, const std::string& CodeType, const std::string& Digits, Rect& R,
                 int& A) {
    if (CodeType == "EAN-13") {
        EAN13Section(f, Digits, R, A);
    } else if (CodeType == "EAN-8") {
        EAN8Section(f, Digits, R);
    } else if (CodeType == "UPC-A") {
        UPCASection(f, Digits, R, A);
    } else if (CodeType == "UPC-E") {
        UPCESection(f, Digits, R, A);
    }
}

}  // namespace

void DrawEANUPC(const std::string& CodeType, const std::string& AddOnType,
                const std::string& Digits, Surface* surface, double OffsetX, double OffsetY,
                uint16_t SizePercent, double PxPerMmX, double PxPerMmY, Rect& Bounds) {
    const Frame f = MakeFrame(surface, OffsetX, OffsetY, SizePercent, PxPerMmX, PxPerMmY);
    Rect R;
    int A = 0;  // 1-based position of the first add-on digit; 0: no add-on possible
    MainSection(f, CodeType, Digits, R, A);
    // A stays 0 for EAN-8, for an unknown code type and for digits no symbol was drawn from,
    // so no add-on ever stands without its main symbol.
    if (A != 0) {
        const bool upcFamily = CodeType == "UPC-A" || CodeType == "UPC-E";
        if (AddOnType == "2-Digit") {
            AddOnSection(f, 2, upcFamily, Digits, A, R);
        } else if (AddOnType == "5-Digit") {
            AddOnSection(f, 5, upcFamily, Digits, A, R);
        }
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
    // The rectangles come from the sections themselves, measured, so the marks follow them.
    const Frame measuring = MakeFrame(nullptr, OffsetX, OffsetY, SizePercent, PxPerMmX, PxPerMmY);
    Rect main;
    int A = 0;
    MainSection(measuring, CodeType, Digits, main, A);
    if (main == Rect{}) {
        return;
    }
    Rect whole = main;
    if (A != 0 && (AddOnType == "2-Digit" || AddOnType == "5-Digit")) {
        const bool upcFamily = CodeType == "UPC-A" || CodeType == "UPC-E";
        AddOnSection(measuring, AddOnType == "2-Digit" ? 2 : 5, upcFamily, Digits, A, whole);
    }
    const Frame f = MakeFrame(&surface, OffsetX, OffsetY, SizePercent, PxPerMmX, PxPerMmY);
    if (whole.right != main.right) {
        AddOnMark(f, whole);
    } else if (CodeType == "EAN-13") {
        EAN13Marks(f, main);
    } else if (CodeType == "EAN-8") {
        EAN8Marks(f, main);
    }
}

}  // namespace strikon
