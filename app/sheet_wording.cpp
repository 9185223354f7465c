#include "app/sheet_wording.h"

#include <algorithm>

#include "app/language_table.h"

namespace strikon {

namespace {

QString figure(double mm, const QLocale& locale) {
    return locale.toString(mm, 'g', 6);
}

QString sizeText(QSizeF mm, bool russian) {
    const QLocale locale = sheetLocale(russian);
    return QStringLiteral("%1 \u00D7 %2 %3")
        .arg(figure(mm.width(), locale), figure(mm.height(), locale),
             russian ? QStringLiteral("мм") : QStringLiteral("mm"));
}

}  // namespace

QLocale sheetLocale(bool russian) {
    return russian ? QLocale(QLocale::Russian) : QLocale::c();
}

QString sheetFaultText(const SheetFault& fault, bool russian) {
    if (russian) {
        for (const TranslatedFault& t : sheetFaultTexts()) {
            if (t.kind == fault.kind) {
                return wordFault(fault, t.russian, sheetLocale(true));
            }
        }
    }
    return faultText(fault);
}

QString sheetTitle(const SheetLayout& layout, bool russian) {
    if (!russian) {
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
                  .arg(figure(std::max(size.width(), size.height()), sheetLocale(true)))
            : sizeText(size, true);
    return QStringLiteral("%1, %2, %3").arg(layout.paperTitle(), grid, label);
}

QString pageText(const SheetLayout& layout, bool russian) {
    return QStringLiteral("%1, %2").arg(layout.pageName, sizeText(layout.pageMm, russian));
}

QString printerPageItem(const SheetLayout& onPrinterPage, bool russian) {
    const QString page = pageText(onPrinterPage, russian);
    return (russian ? QStringLiteral("Страница принтера (%1)")
                    : QStringLiteral("The printer's page (%1)"))
        .arg(page);
}

}  // namespace strikon
