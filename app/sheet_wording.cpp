#include "app/sheet_wording.h"

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
    return QStringLiteral("%1, %2 \u00D7 %3, %4")
        .arg(layout.paperTitle())
        .arg(layout.columns)
        .arg(layout.rows)
        .arg(sizeText(layout.labelMm, language));
}

QString printerPageItem(const SheetLayout& onPrinterPage, Language language) {
    const QString page = QStringLiteral("%1, %2").arg(
        onPrinterPage.printerPaperName, sizeText(onPrinterPage.printerPaperMm, language));
    return kTexts.printerPage.in(language).arg(page);
}

}  // namespace strikon
