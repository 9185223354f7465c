#include "app/output_settings.h"

#include <QLocale>

#include "render/output_fit.h"
#include "render/symbol_image.h"

namespace strikon {

namespace {

// The captions' words; the dot counts' plural forms are worded in dots().
struct CaptionTexts {
    Wording mm{" мм", " mm"};
    Wording at{"при %1 dpi", "at %1 dpi"};
    Wording module{"модуль", "module"};
    Wording wholeDots{"; в целых точках: ", "; whole dots: "};
    Wording noFit{"ни одно целое число точек не оставляет размер в пределах %1–%2 % %3",
                  "no whole number of dots keeps the size within %1-%2 % %3"};
};
constexpr CaptionTexts kTexts{};

QString number(double value, int decimals, Language language) {
    const QLocale locale(language == Language::Russian ? QLocale::Russian : QLocale::C);
    return locale.toString(value, 'f', decimals);
}

QString mm(double value, int decimals, Language language) {
    return number(value, decimals, language) + kTexts.mm.in(language);
}

// "1 dot", "4 dots"; "1 точка", "3 точки", "5 точек".
QString dots(int n, Language language) {
    if (language != Language::Russian) {
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

QString atDpi(int dpi, Language language) {
    return kTexts.at.in(language).arg(dpi);
}

double pxPerMm(int dpi) {
    return dpi / kMmPerInch;
}

}  // namespace

QString reductionCaption(const SymbolRequest& symbol, int dpi, Language language) {
    const BarReductionAt r = barReductionAt(symbol, pxPerMm(dpi));
    return QStringLiteral("%1 = %2 %3")
        .arg(mm(r.mm, 3, language), dots(r.dots, language), atDpi(dpi, language));
}

QString fitCaption(const SymbolRequest& symbol, int dpi, Language language) {
    const WholeDotFit fit = wholeDotFit(symbol, pxPerMm(dpi));
    if (!fit.inRange) {
        const SymbologyFacts& f = facts(symbol.symbology);
        return kTexts.noFit.in(language).arg(f.minSize).arg(f.maxSize).arg(atDpi(dpi, language));
    }
    return QStringLiteral("%1 % → %2 %, X = %3, %4 %5")
        .arg(symbol.sizePercent)
        .arg(number(fit.percent, 1, language), mm(fit.moduleMm, 3, language),
             dots(fit.dots, language), atDpi(dpi, language));
}

QString symbolSizeLine(const SymbolRequest& symbol, int dpi, Language language) {
    const std::optional<QSize> size = measureSymbol(symbol, pxPerMm(dpi), pxPerMm(dpi));
    if (!size) {
        return {};
    }
    if (isGs1(symbol.symbology)) {
        // GS1 modules are whole dots whatever the options say: the module as it will be drawn.
        const WholeDotFit fit = wholeDotFit(symbol, pxPerMm(dpi));
        return QStringLiteral("%1 × %2, %3 %4 = %5 %6")
            .arg(number(size->width() / pxPerMm(dpi), 2, language),
                 mm(size->height() / pxPerMm(dpi), 2, language), kTexts.module.in(language),
                 mm(fit.moduleMm, 3, language), dots(fit.dots, language), atDpi(dpi, language));
    }
    const double module = symbol.output.fitDots ? wholeDotFit(symbol, pxPerMm(dpi)).moduleMm
                                                : nominalModuleMm(symbol);
    QString line = QStringLiteral("%1 × %2, %3 %4")
                       .arg(number(size->width() / pxPerMm(dpi), 2, language),
                            mm(size->height() / pxPerMm(dpi), 2, language),
                            kTexts.module.in(language), mm(module, 3, language));
    if (symbol.output.fitDots) {
        line += kTexts.wholeDots.in(language) + fitCaption(symbol, dpi, language);
    }
    return line;
}

}  // namespace strikon
