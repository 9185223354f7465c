#include "app/output_settings.h"

#include <QLocale>

#include "render/output_fit.h"
#include "render/symbol_image.h"

namespace strikon {

namespace {

QString number(double value, int decimals, bool russian) {
    const QLocale locale(russian ? QLocale::Russian : QLocale::C);
    return locale.toString(value, 'f', decimals);
}

QString mm(double value, int decimals, bool russian) {
    return number(value, decimals, russian) +
           (russian ? QStringLiteral(" мм") : QStringLiteral(" mm"));
}

// "1 dot", "4 dots"; "1 точка", "3 точки", "5 точек".
QString dots(int n, bool russian) {
    if (!russian) {
        return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? QStringLiteral("dot")
                                                         : QStringLiteral("dots"));
    }
    const int last = n % 10;
    const int lastTwo = n % 100;
    const QString word = (last == 1 && lastTwo != 11) ? QStringLiteral("точка")
                         : (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
                             ? QStringLiteral("точки")
                             : QStringLiteral("точек");
    return QStringLiteral("%1 %2").arg(n).arg(word);
}

QString atDpi(int dpi, bool russian) {
    return (russian ? QStringLiteral("при %1 dpi") : QStringLiteral("at %1 dpi")).arg(dpi);
}

double pxPerMm(int dpi) {
    return dpi / kMmPerInch;
}

}  // namespace

QString reductionCaption(const SymbolRequest& symbol, int dpi, bool russian) {
    const BarReductionAt r = barReductionAt(symbol, pxPerMm(dpi));
    return QStringLiteral("%1 = %2 %3")
        .arg(mm(r.mm, 3, russian), dots(r.dots, russian), atDpi(dpi, russian));
}

QString fitCaption(const SymbolRequest& symbol, int dpi, bool russian) {
    const WholeDotFit fit = wholeDotFit(symbol, pxPerMm(dpi));
    return QStringLiteral("%1 % → %2 %, X = %3, %4 %5")
        .arg(symbol.sizePercent)
        .arg(number(fit.percent, 1, russian), mm(fit.moduleMm, 3, russian), dots(fit.dots, russian),
             atDpi(dpi, russian));
}

QString symbolSizeLine(const SymbolRequest& symbol, int dpi, bool russian) {
    const std::optional<QSize> size = measureSymbol(symbol, pxPerMm(dpi), pxPerMm(dpi));
    if (!size) {
        return {};
    }
    const double module = symbol.output.fitDots ? wholeDotFit(symbol, pxPerMm(dpi)).moduleMm
                                                : nominalModuleMm(symbol);
    QString line = QStringLiteral("%1 × %2, %3 %4")
                       .arg(number(size->width() / pxPerMm(dpi), 2, russian),
                            mm(size->height() / pxPerMm(dpi), 2, russian),
                            russian ? QStringLiteral("модуль") : QStringLiteral("module"),
                            mm(module, 3, russian));
    if (symbol.output.fitDots) {
        line +=
            (russian ? QStringLiteral("; в целых точках: ") : QStringLiteral("; whole dots: ")) +
            fitCaption(symbol, dpi, russian);
    }
    return line;
}

}  // namespace strikon
