#include "app/scan_notices.h"

#include <QStringList>

namespace strikon {

namespace {

struct NoticeTexts {
    Wording before{"Перед печатью: %1.", "Before printing: %1."};
    Wording print{"Печатать как есть?", "Print it as it is?"};
};
constexpr NoticeTexts kTexts{};

}  // namespace

NoticeLanguage noticeLanguage(Language language) {
    return language == Language::Russian ? NoticeLanguage::Russian : NoticeLanguage::English;
}

QString noticeSentences(const SymbolRequest& symbol, const ScanReport& report, Language language) {
    QStringList sentences;
    for (const Notice& notice : report.notices) {
        sentences << noticeText(notice, symbol, report, noticeLanguage(language));
    }
    return sentences.join(QLatin1Char(' '));
}

QString gradeLine(const SymbolRequest& /*symbol*/, const ScanReport& report, Language language) {
    QString line = gradeText(report, noticeLanguage(language));
    for (const Notice& notice : report.notices) {
        if (notice.kind == NoticeKind::LowGrade && notice.remedy != Remedy::None) {
            line += QStringLiteral("; ") + remedyText(notice, noticeLanguage(language));
        }
    }
    return line;
}

bool gradesBelowC(const ScanReport& report) {
    return report.drawn && report.graded && report.printedGrade.value_or(report.grade) > Grade::C;
}

bool wholeDotsRaise(const ScanReport& report) {
    for (const Notice& notice : report.notices) {
        if (notice.kind == NoticeKind::LowGrade &&
            (notice.remedy == Remedy::WholeDots || notice.remedy == Remedy::WholeDotsNoReduction)) {
            return true;
        }
    }
    return false;
}

SheetGrade worstGrade(std::span<const SymbolRequest> labels, double pxPerMm) {
    SheetGrade sheet;
    const SymbolRequest* previous = nullptr;
    for (const SymbolRequest& label : labels) {
        if (previous != nullptr && previous->digits == label.digits &&
            previous->addOnDigits == label.addOnDigits) {
            continue;  // copies: one symbol
        }
        previous = &label;
        ScanReport report = scanCheck(label, pxPerMm);
        if (!sheet.any || report.grade > sheet.worst.grade ||
            (report.grade == sheet.worst.grade &&
             report.notices.size() > sheet.worst.notices.size())) {
            sheet.worst = std::move(report);
            sheet.symbol = label;
            sheet.any = true;
        }
    }
    return sheet;
}

QString printQuestion(const SymbolRequest& symbol, const ScanReport& report, Language language) {
    return kTexts.before.in(language).arg(gradeText(report, noticeLanguage(language))) +
           QLatin1Char('\n') + noticeSentences(symbol, report, language) + QLatin1String("\n\n") +
           kTexts.print.in(language);
}

}  // namespace strikon
