#include "render/draw_symbol.h"

#include <cmath>

#include "encoders/ean_upc.h"
#include "encoders/itf14.h"

namespace strikon {

namespace {

// The encoders take the main digits followed directly by the add-on's.
std::string encoderDigits(const SymbolRequest& request) {
    return request.addOn == AddOn::None ? request.digits : request.digits + request.addOnDigits;
}

}  // namespace

void renderSymbol(const SymbolRequest& request, Surface* surface, Rect& Bounds, double OffsetX,
                  double OffsetY, double PxPerMmX, double PxPerMmY) {
    if (request.symbology == Symbology::ITF14) {
        DrawITF14(request.digits, surface, request.sizePercent, OffsetX, OffsetY, PxPerMmX,
                  PxPerMmY, Bounds);
    } else {
        DrawEANUPC(symbologyName(request.symbology), addOnName(request.addOn),
                   encoderDigits(request), surface, OffsetX, OffsetY, request.sizePercent, PxPerMmX,
                   PxPerMmY, Bounds);
    }
}

double centringOffset(int areaExtent, int32_t measuredExtent, double pxPerMm) {
    if (!(pxPerMm > 0)) {
        return 0.0;
    }
    const double mm = (static_cast<double>(areaExtent) - measuredExtent) / 2.0 / pxPerMm;
    return std::nearbyint(mm);
}

QString symbolTitle(const SymbolRequest& request) {
    return QLatin1String(symbologyName(request.symbology)) + QLatin1Char(' ') +
           QString::fromStdString(encoderDigits(request));
}

}  // namespace strikon
