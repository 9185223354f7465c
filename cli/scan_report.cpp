#include "cli/scan_report.h"

#include "render/draw_symbol.h"
#include "render/scan_notice_text.h"

namespace strikon::cli {

namespace {

QString fixed(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

QString warning(const Notice& notice, const SymbolRequest& symbol, const ScanReport& report) {
    QString text = noticeText(notice, symbol, report, NoticeLanguage::English);
    // A sentence on its own in the window; a clause after "warning:" here.
    if (text.size() > 1 && text[1].isLower()) {
        text[0] = text[0].toLower();
    }
    if (text.endsWith(QLatin1Char('.'))) {
        text.chop(1);
    }
    return QStringLiteral("warning: ") + text;
}

// GS1's range for the symbology and whether the symbol as drawn lies in it.
QString rangeText(const ScanReport& report) {
    QString range =
        QStringLiteral("%1-%2 mm")
            .arg(fixed(report.range.minModuleMm, 3), fixed(report.range.maxModuleMm, 3));
    if (report.range.minBarHeightMm > 0) {
        range += QStringLiteral(", bars %1 mm of at least %2 mm")
                     .arg(fixed(report.barHeightMm, 2), fixed(report.range.minBarHeightMm, 2));
    }
    return range + (report.insideRange ? QStringLiteral(", inside") : QStringLiteral(", outside"));
}

}  // namespace

QString checkReport(const SymbolRequest& symbol, const ScanReport& report) {
    QString out;
    auto line = [&out](const char* name, const QString& value) {
        out += QLatin1String(name) + QStringLiteral(": ") + value + QLatin1Char('\n');
    };
    line("symbol", symbolTitle(symbol));
    if (!report.drawn) {
        line("grade", QStringLiteral("F (nothing drawn)"));
        return out;
    }
    line("resolution", QStringLiteral("%1 dpi").arg(reportDpi(report)));
    if (!report.graded) {
        line("module", QStringLiteral("%1 mm, %2 dots")
                           .arg(fixed(report.moduleMm, 3), fixed(report.moduleDots, 2)));
        line("gs1-range", rangeText(report));
        line("grade", QStringLiteral("none: no linear reference decode for this symbology"));
        for (const Notice& notice : report.notices) {
            out += warning(notice, symbol, report) + QLatin1Char('\n');
        }
        return out;
    }
    line("size", fixed(report.sizePercent, 1) + QStringLiteral(" %"));
    line("module", QStringLiteral("%1 mm, %2 dots")
                       .arg(fixed(report.moduleMm, 3), fixed(report.moduleDots, 2)));
    line("gs1-range", rangeText(report));
    line("decodability", report.decode.decoded
                             ? fixed(report.decode.decodability, 2)
                             : QStringLiteral("none: the reference decode fails"));
    line("grade", QString(QLatin1Char(gradeLetter(report.grade))));
    if (report.printedGrade) {
        line("grade-as-printed", QStringLiteral("%1 (ink spread %2 mm)")
                                     .arg(QLatin1Char(gradeLetter(*report.printedGrade)))
                                     .arg(fixed(report.inkSpreadMm, 3)));
    }
    for (const Notice& notice : report.notices) {
        out += warning(notice, symbol, report) + QLatin1Char('\n');
    }
    return out;
}

QStringList scanWarnings(const SymbolRequest& symbol, const ScanReport& report) {
    QStringList lines;
    for (const Notice& notice : report.notices) {
        if (notice.kind != NoticeKind::WrongCheckDigit && notice.kind != NoticeKind::LowContrast) {
            lines << warning(notice, symbol, report);
        }
    }
    return lines;
}

}  // namespace strikon::cli
