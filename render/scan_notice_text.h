#pragma once
// The scan check's findings in words, in the program's two languages: the same sentences in the
// window's notice band, its dialogs and strikon-render's messages.

#include <QString>

#include "render/scan_check.h"

namespace strikon {

enum class NoticeLanguage { English, Russian };

// One sentence, with its full stop.
QString noticeText(const Notice& notice, const SymbolRequest& request, const ScanReport& report,
                   NoticeLanguage wording);

// What raises a low grade, "whole-dot modules: grade A"; "" when nothing does.
QString remedyText(const Notice& notice, NoticeLanguage wording);

// "Grade B at 203 dpi (decodability 0.55)", with the grade as printed after it when the report
// has one; "" for a report of no symbol.
QString gradeText(const ScanReport& report, NoticeLanguage wording);

// The resolution in whole dots per inch.
int reportDpi(const ScanReport& report);

}  // namespace strikon
