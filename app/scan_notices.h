#pragma once
// The scan check where the window's user decides: its notices as the band under the preview
// shows them, the grade line of Output Settings, and the question Print and Print Sheet ask
// before printing a symbol that grades below C.

#include <QString>
#include <span>

#include "app/language.h"
#include "render/scan_check.h"
#include "render/scan_notice_text.h"

namespace strikon {

NoticeLanguage noticeLanguage(Language language);

// Every notice of the report, one sentence after the other; "" when there is none.
QString noticeSentences(const SymbolRequest& symbol, const ScanReport& report, Language language);

// The grade line: "Grade A at 300 dpi (decodability 0.63)" and, below C, what raises it.
QString gradeLine(const SymbolRequest& symbol, const ScanReport& report, Language language);

// Below grade C at the output's resolution, as printed with its spread when it has one.
bool gradesBelowC(const ScanReport& report);

// Whether whole-dot modules would raise the grade (and fit the symbology's sizes).
bool wholeDotsRaise(const ScanReport& report);

// The worst of the reports' grades, each symbol checked once: for a sheet of labels.
struct SheetGrade {
    ScanReport worst;
    SymbolRequest symbol;  // the label it belongs to
    bool any = false;
};
SheetGrade worstGrade(std::span<const SymbolRequest> labels, double pxPerMm);

// The question before printing: the grade at the printer's resolution and the notices.
QString printQuestion(const SymbolRequest& symbol, const ScanReport& report, Language language);

}  // namespace strikon
