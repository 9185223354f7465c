#include "app/sheet_wording.h"

#include <algorithm>

#include "app/language_table.h"

namespace strikon {

namespace {

QString figure(double mm, const QLocale& locale) {
    return locale.toString(mm, 'g', 6);
}

// The sheet's words; faults are worded in the fault table of language_table.h.
struct SheetTexts {
    Wording mm{"мм", "mm"};
    Wording printerPage{"Страница принтера (%1)", "The printer's page (%1)"};
};
constexpr SheetTexts kTexts{};

QString sizeText(QSizeF mm, Language language) {
    const QLocale locale = sheetLocale(language);
    return QStringLiteral("%1 \u00D7 %2 %3")
        .arg(figure(mm.width(), locale), figure(mm.height(), locale), kTexts.mm.in(language));
}

}  // namespace

QLocale sheetLocale(Language language) {
    return language == Language::Russian ? QLocale(QLocale::Russian) : QLocale::c();
}

QString sheetFaultText(const SheetFault& fault, Language language) {
    if (language == Language::Russian) {
        for (const TranslatedFault& t : sheetFaultTexts()) {
            if (t.kind == fault.kind) {
                return wordFault(fault, t.russian, sheetLocale(Language::Russian));
            }
        }
    }
    return faultText(fault);
}

QString sheetTitle(const SheetLayout& layout, Language language) {
    if (language != Language::Russian) {
        return layoutTitle(layout);
    }
    // Counts after a colon need no plural forms.
    const QString grid = layout.moreGrids.empty()
                             ? QStringLiteral("%1 \u00D7 %2").arg(layout.columns).arg(layout.rows)
                             : QStringLiteral("этикеток: %1").arg(layout.labelsPerPage());
    const QSizeF size = layout.labelMm;
    const QString label =
        layout.shape == LabelShape::Round || layout.shape == LabelShape::Disc
            ? QStringLiteral("\u2300 %1 мм")
                  .arg(figure(std::max(size.width(), size.height()), sheetLocale(language)))
            : sizeText(size, language);
    return QStringLiteral("%1, %2, %3").arg(layout.paperTitle(), grid, label);
}

QString pageText(const SheetLayout& layout, Language language) {
    return QStringLiteral("%1, %2").arg(layout.pageName, sizeText(layout.pageMm, language));
}

QString printerPageItem(const SheetLayout& onPrinterPage, Language language) {
    return kTexts.printerPage.in(language).arg(pageText(onPrinterPage, language));
}

}  // namespace strikon
