#include "render/draw_symbol.h"

#include <cmath>
#include <optional>

#include "encoders/ean_upc.h"
#include "encoders/itf14.h"
#include "render/narrowing_surface.h"
#include "render/output_fit.h"

namespace strikon {

namespace {

// The encoders take the main digits followed directly by the add-on's.
std::string encoderDigits(const SymbolRequest& request) {
    return request.addOn == AddOn::None ? request.digits : request.digits + request.addOnDigits;
}

// The encoders' nominal drawing, untouched by any option.
void drawNominal(const SymbolRequest& request, Surface* surface, Rect& Bounds, double OffsetX,
                 double OffsetY, double PxPerMmX, double PxPerMmY) {
    if (isGs1(request.symbology)) {
        DrawGS1(gs1SymbolOf(request, request.output.fitPxPerMm), surface, OffsetX, OffsetY,
                PxPerMmX, PxPerMmY, Bounds);
    } else if (request.symbology == Symbology::ITF14) {
        DrawITF14(request.digits, surface, request.sizePercent, OffsetX, OffsetY, PxPerMmX,
                  PxPerMmY, Bounds);
    } else {
        drawEanUpc(request.symbology, request.addOn, encoderDigits(request), surface, OffsetX,
                   OffsetY, request.sizePercent, PxPerMmX, PxPerMmY, Bounds);
    }
}

// Bars with the reduction taken off, on a surface that passes everything else through.
void drawNarrowed(const SymbolRequest& request, Surface& surface, int32_t reduction, Rect& Bounds,
                  double OffsetX, double OffsetY, double PxPerMmX, double PxPerMmY) {
    std::optional<int32_t> bearerTop;
    if (request.symbology == Symbology::ITF14) {
        Rect measured;
        drawNominal(request, nullptr, measured, OffsetX, OffsetY, PxPerMmX, PxPerMmY);
        bearerTop = measured.top;
    }
    NarrowingSurface narrowing(surface, reduction, bearerTop);
    drawNominal(request, &narrowing, Bounds, OffsetX, OffsetY, PxPerMmX, PxPerMmY);
    narrowing.finish();
}

}  // namespace

void renderSymbol(const SymbolRequest& request, Surface* surface, Rect& Bounds, double OffsetX,
                  double OffsetY, double PxPerMmX, double PxPerMmY) {
    const OutputOptions& options = request.output;
    const int32_t reduction = surface ? barReductionAt(request, PxPerMmX).dots : 0;
    // GS1 modules are whole dots whatever the options say.
    if (options.fitDots && !isGs1(request.symbology)) {
        // A finer scale for the encoders draws the symbol larger on the same pixels; the
        // offsets in millimetres shrink by as much, so they land on the same pixels as before.
        const double k =
            wholeDotFit(request, options.fitPxPerMm > 0 ? options.fitPxPerMm : PxPerMmX).scale;
        OffsetX /= k;
        OffsetY /= k;
        PxPerMmX *= k;
        PxPerMmY *= k;
    }
    if (reduction > 0) {
        drawNarrowed(request, *surface, reduction, Bounds, OffsetX, OffsetY, PxPerMmX, PxPerMmY);
    } else {
        drawNominal(request, surface, Bounds, OffsetX, OffsetY, PxPerMmX, PxPerMmY);
    }
    if (surface != nullptr && options.quietZoneMarks && request.symbology != Symbology::ITF14 &&
        !isGs1(request.symbology) && Bounds != Rect{}) {
        drawEanUpcQuietZoneMarks(request.symbology, request.addOn, encoderDigits(request), *surface,
                                 OffsetX, OffsetY, request.sizePercent, PxPerMmX, PxPerMmY);
    }
}

Gs1Symbol gs1SymbolOf(const SymbolRequest& request, double fitPxPerMm) {
    Gs1Symbol s;
    s.symbology = request.symbology;
    s.elementString = request.gs1.elementString;
    s.resolver = request.gs1.resolver;
    s.moduleMm = request.gs1.moduleMm;
    s.qrLevel = request.gs1.qrLevel;
    s.fitPxPerMm = fitPxPerMm;
    return s;
}

double centringOffset(int areaExtent, int32_t measuredExtent, double pxPerMm) {
    if (!(pxPerMm > 0)) {
        return 0.0;
    }
    const double mm = (static_cast<double>(areaExtent) - measuredExtent) / 2.0 / pxPerMm;
    return std::nearbyint(mm);
}

QString symbolTitle(const SymbolRequest& request) {
    if (isGs1(request.symbology)) {
        return QLatin1String(symbologyName(request.symbology)) + QLatin1Char(' ') +
               QString::fromStdString(request.gs1.elementString);
    }
    return QLatin1String(symbologyName(request.symbology)) + QLatin1Char(' ') +
           QString::fromStdString(encoderDigits(request));
}

}  // namespace strikon
