#include "render_dispatch.h"

#include <cmath>

#include "encoders/ean_upc.h"
#include "encoders/itf14.h"

namespace strikon {

std::string gatherDigits(const QString& displayed) {
    std::string digits;
    for (const QChar c : displayed) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits.push_back(static_cast<char>(c.unicode()));
        }
    }
    return digits;
}

void renderSymbol(const SymbolRequest& request, Surface* surface, Rect& Bounds, double OffsetX,
                  double OffsetY, double PxPerMmX, double PxPerMmY) {
    if (request.pageCaption == kEanUpcPage) {
        DrawEANUPC(request.codeType, request.addOnType, request.digits, surface, OffsetX, OffsetY,
                   request.sizePercent, PxPerMmX, PxPerMmY, Bounds);
    } else if (request.pageCaption == kItf14Page) {
        DrawITF14(request.digits, surface, request.sizePercent, OffsetX, OffsetY, PxPerMmX,
                  PxPerMmY, Bounds);
    }
}

double centringOffset(int previewExtent, int32_t measuredExtent, double pxPerMm) {
    if (!(pxPerMm > 0)) {
        return 0.0;
    }
    const double mm = (static_cast<double>(previewExtent) - measuredExtent) / 2.0 / pxPerMm;
    return std::nearbyint(mm);
}

}  // namespace strikon
