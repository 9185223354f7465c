#pragma once
// The sheet dialog's figures and faults in the window's language: in Russian with decimal commas
// and "мм", in English as strikon-render words them.

#include <QLocale>
#include <QString>

#include "app/language.h"
#include "render/sheet_fault.h"
#include "render/sheet_layout.h"

namespace strikon {

QLocale sheetLocale(Language language);

QString sheetFaultText(const SheetFault& fault, Language language);

// "A4, 3 × 7, 70 × 42,3 мм" in Russian, layoutTitle in English.
QString sheetTitle(const SheetLayout& layout, Language language);

// "A5, 148 × 210 mm": the printer's or a template's page.
QString pageText(const SheetLayout& layout, Language language);

// "The printer's page (A5, 148 × 210 mm)".
QString printerPageItem(const SheetLayout& onPrinterPage, Language language);

}  // namespace strikon
