#include "render/dual_marking.h"

#include <algorithm>
#include <cmath>

#include "encoders/gs1_data.h"
#include "render/draw_symbol.h"

namespace strikon {

std::optional<RetailSymbol> retailSymbolOf(std::string_view gtin14) {
    if (gtin14.size() != 14 || gtin14.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    // The leading zeros are the padding of the shorter GTINs, longest padding first.
    if (gtin14.substr(0, 6) == "000000") {
        return RetailSymbol{Symbology::EAN8, std::string(gtin14.substr(6))};
    }
    if (gtin14.substr(0, 2) == "00") {
        return RetailSymbol{Symbology::UPCA, std::string(gtin14.substr(2))};
    }
    if (gtin14.front() == '0') {
        return RetailSymbol{Symbology::EAN13, std::string(gtin14.substr(1))};
    }
    return std::nullopt;
}

DualPartner dualPartner(const SymbolRequest& qr) {
    const QString title = symbolTitle(qr);
    if (qr.symbology != Symbology::GS1QR) {
        return {std::nullopt, sheetFault(SheetFault::Kind::NotDualQr, {faultName(title)})};
    }
    const std::optional<std::string> gtin = parseGs1(qr.gs1.elementString).value("01");
    if (!gtin) {
        return {std::nullopt, sheetFault(SheetFault::Kind::NothingToDraw, {faultName(title)})};
    }
    const std::optional<RetailSymbol> retail = retailSymbolOf(*gtin);
    if (!retail) {
        return {std::nullopt, sheetFault(SheetFault::Kind::NoRetailSymbol,
                                         {faultName(QString::fromStdString(*gtin)),
                                          faultName(QString(QLatin1Char(gtin->front())))})};
    }
    SymbolRequest linear;
    linear.symbology = retail->symbology;
    linear.digits = retail->digits;
    linear.lineColor = qr.lineColor;
    linear.backgroundColor = qr.backgroundColor;
    linear.output = qr.output;
    return {linear, {}};
}

PairPlacement placePair(QSize linearPx, QSize qrPx) {
    // Side by side with nothing between: the linear symbol's quiet zones and the QR's 4X quiet
    // zone, both inside their measured sizes, are the gap. The shorter symbol is centred on the
    // taller one rather than set on a common baseline, so that it keeps as far as it can from
    // both cut edges of the label, where die-cutting drifts.
    const int height = std::max(linearPx.height(), qrPx.height());
    const auto centred = [height](int h) {
        return static_cast<int>(std::nearbyint((height - h) / 2.0));
    };
    return {QPoint(0, centred(linearPx.height())), QPoint(linearPx.width(), centred(qrPx.height())),
            QSize(linearPx.width() + qrPx.width(), height)};
}

}  // namespace strikon
