#include "app/sheet_wording.h"

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
    return QStringLiteral("%1, %2 \u00D7 %3, %4")
        .arg(layout.paperTitle())
        .arg(layout.columns)
        .arg(layout.rows)
        .arg(sizeText(layout.labelMm, true));
}

QString printerPageItem(const SheetLayout& onPrinterPage, bool russian) {
    const QString page = QStringLiteral("%1, %2").arg(
        onPrinterPage.pageName, sizeText(onPrinterPage.pageMm, russian));
    return (russian ? QStringLiteral("Страница принтера (%1)")
                    : QStringLiteral("The printer's page (%1)"))
        .arg(page);
}

}  // namespace strikon
