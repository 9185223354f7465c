#include "render/output_fit.h"

#include <algorithm>
#include <cmath>

#include "encoders/ean_upc.h"
#include "encoders/gs1_symbol.h"
#include "encoders/itf14.h"
#include "encoders/pixel_round.h"

namespace strikon {

double nominalModuleMm(const SymbolRequest& request) {
    if (isGs1(request.symbology)) {
        return request.gs1.moduleMm > 0 ? request.gs1.moduleMm
                                        : gs1SizeFacts(request.symbology).defaultMm;
    }
    return request.symbology == Symbology::ITF14 ? ITF14NarrowMm(request.sizePercent)
                                                 : EANUPCModuleMm(request.sizePercent);
}

WholeDotFit wholeDotFit(const SymbolRequest& request, double pxPerMmX) {
    WholeDotFit fit;
    const double module = nominalModuleMm(request);
    fit.moduleMm = module;
    fit.percent = request.sizePercent;
    if (!(pxPerMmX > 0) || !(module > 0)) {
        return fit;
    }
    if (isGs1(request.symbology)) {
        // Always whole dots, by the symbology's own rule; the symbol is not scaled for it.
        fit.dots = gs1ModuleDots(request.symbology, module, pxPerMmX);
        fit.moduleMm = fit.dots / pxPerMmX;
        return fit;
    }
    const double dots = module * pxPerMmX;
    // The dots that keep the size within the symbology's range, with a little slack so that
    // a size exactly on a limit counts as inside.
    const SymbologyFacts& f = facts(request.symbology);
    constexpr double kSlack = 1e-9;
    const double perPercent = dots / request.sizePercent;
    const double lowest = std::max(std::ceil(perPercent * f.minSize - kSlack), 1.0);
    const double highest = std::floor(perPercent * f.maxSize + kSlack);
    if (lowest > highest) {
        fit.inRange = false;
        fit.dots = std::max(roundPx(dots), 1);
        return fit;
    }
    fit.dots =
        static_cast<int32_t>(std::clamp(static_cast<double>(roundPx(dots)), lowest, highest));
    fit.scale = fit.dots / dots;
    fit.moduleMm = fit.dots / pxPerMmX;
    fit.percent = request.sizePercent * fit.scale;
    return fit;
}

BarReductionAt barReductionAt(const SymbolRequest& request, double pxPerMmX) {
    BarReductionAt r;
    if (!(pxPerMmX > 0) || !(request.output.barReductionMm > 0)) {
        return r;
    }
    r.dots = roundPx(static_cast<long double>(request.output.barReductionMm) * pxPerMmX);
    r.mm = r.dots / pxPerMmX;
    return r;
}

}  // namespace strikon
