#include "render/scan_notice_text.h"

#include <cmath>

#include "encoders/check_digit.h"

namespace strikon {

namespace {

QString number(double v, int decimals, NoticeLanguage w) {
    QString text = QString::number(v, 'f', decimals);
    if (w == NoticeLanguage::Russian) {
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    }
    return text;
}

QString decimalText(const QString& value, NoticeLanguage w) {
    QString text = value;
    if (w == NoticeLanguage::Russian) {
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    }
    return text;
}

QString letter(Grade g) {
    return QString(QLatin1Char(gradeLetter(g)));
}

QString name(const SymbolRequest& request) {
    return QLatin1String(symbologyName(request.symbology));
}

}  // namespace

int reportDpi(const ScanReport& report) {
    return static_cast<int>(std::lround(report.pxPerMm * 25.4));
}

QString noticeText(const Notice& notice, const SymbolRequest& request, const ScanReport& report,
                   NoticeLanguage wording) {
    const bool ru = wording == NoticeLanguage::Russian;
    const QString digits = QString::fromStdString(request.digits);
    const QString dpi = QString::number(reportDpi(report));
    switch (notice.kind) {
        case NoticeKind::WrongCheckDigit:
            return (ru ? QStringLiteral("Контрольная цифра %1 %2 должна быть %3: сканер не "
                                        "прочтёт символ в этом виде.")
                       : QStringLiteral("The check digit of %1 %2 should be %3: no scanner reads "
                                        "the symbol as drawn."))
                .arg(name(request), digits, notice.value);
        case NoticeKind::UpceNumberSystem:
            return (ru ? QStringLiteral("Система нумерации UPC-E — 0 или 1, а не %1: этот символ "
                                        "не прочтёт ни один сканер.")
                       : QStringLiteral("UPC-E takes number system 0 or 1, not %1: no scanner "
                                        "decodes this symbol."))
                .arg(notice.value);
        case NoticeKind::UpceNotZeroSuppressed:
            return (ru ? QStringLiteral("UPC-E %1 записан не в стандартной форме: его номер "
                                        "UPC-A %2 в UPC-E записывается как %3.")
                       : QStringLiteral("UPC-E %1 is not in zero-suppressed form: its UPC-A "
                                        "number %2 is written in UPC-E as %3."))
                .arg(digits, QString::fromStdString(ExpandUPCE(request.digits)), notice.value);
        case NoticeKind::LowContrast:
            return (ru ? QStringLiteral("Контраст печати штрихов и фона в красном свете сканера "
                                        "— %1 %, меньше нужных сканеру 75 %.")
                       : QStringLiteral("Line and background have a print contrast of %1 % in a "
                                        "scanner's red light, below the 75 % a scanner needs."))
                .arg(notice.value);
        case NoticeKind::OutsideGs1Range:
            return (ru ? QStringLiteral("Модуль %1 мм вне диапазона GS1 для %2: %3–%4 мм.")
                       : QStringLiteral("The module of %1 mm is outside GS1's range for %2: "
                                        "%3-%4 mm."))
                .arg(decimalText(notice.value, wording), name(request),
                     number(report.range.minModuleMm, 3, wording),
                     number(report.range.maxModuleMm, 3, wording));
        case NoticeKind::BarsTooShort:
            return (ru ? QStringLiteral("Штрихи высотой %1 мм ниже 31,75 мм, которые GS1 "
                                        "требует для ITF-14 на коробах.")
                       : QStringLiteral("The bars are %1 mm tall, below the 31.75 mm GS1 asks "
                                        "of ITF-14 on cartons."))
                .arg(decimalText(notice.value, wording));
        case NoticeKind::NotFittedToDots: {
            const SymbologyFacts& f = facts(request.symbology);
            return (ru ? QStringLiteral("При %1 dpi ни одно целое число точек на модуль не "
                                        "оставляет %2 в пределах %3–%4 %: символ нарисован без "
                                        "подгонки к точкам.")
                       : QStringLiteral("At %1 dpi no whole number of dots per module keeps %2 "
                                        "within %3-%4 %: drawn without whole-dot modules."))
                .arg(dpi, name(request))
                .arg(f.minSize)
                .arg(f.maxSize);
        }
        case NoticeKind::NotDecoded:
            return (ru ? QStringLiteral("При %1 dpi штрихи читаются как %2, а не как "
                                        "нарисованные цифры.")
                       : QStringLiteral("At %1 dpi the bars read as %2, not the digits drawn."))
                .arg(dpi, notice.value);
        case NoticeKind::MarginShort:
            return ru ? QStringLiteral("Свободное поле у символа уже минимума его символики.")
                      : QStringLiteral(
                            "A light margin is narrower than the symbology's "
                            "minimum.");
        case NoticeKind::LowGrade: {
            QString text = (ru ? QStringLiteral("Класс %1 при %2 dpi (ISO/IEC 15416)")
                               : QStringLiteral("Grade %1 at %2 dpi (ISO/IEC 15416)"))
                               .arg(notice.value, dpi);
            const QString remedy = remedyText(notice, wording);
            if (!remedy.isEmpty()) {
                text += QStringLiteral("; ") + remedy;
            }
            return text + QLatin1Char('.');
        }
    }
    return {};
}

QString remedyText(const Notice& notice, NoticeLanguage wording) {
    const bool ru = wording == NoticeLanguage::Russian;
    const QString grade = letter(notice.remedyGrade);
    switch (notice.remedy) {
        case Remedy::WholeDots:
            return (ru ? QStringLiteral("модули в целых точках: класс %1")
                       : QStringLiteral("whole-dot modules: grade %1"))
                .arg(grade);
        case Remedy::NoReduction:
            return (ru ? QStringLiteral("без уменьшения ширины штрихов: класс %1")
                       : QStringLiteral("without bar width reduction: grade %1"))
                .arg(grade);
        case Remedy::WholeDotsNoReduction:
            return (ru ? QStringLiteral("модули в целых точках без уменьшения ширины штрихов: "
                                        "класс %1")
                       : QStringLiteral("whole-dot modules without bar width reduction: grade %1"))
                .arg(grade);
        case Remedy::None:
            break;
    }
    return {};
}

QString gradeText(const ScanReport& report, NoticeLanguage wording) {
    if (!report.drawn) {
        return {};
    }
    const bool ru = wording == NoticeLanguage::Russian;
    if (!report.graded) {
        return (ru ? QStringLiteral("Без класса при %1 dpi: модули в целых точках")
                   : QStringLiteral("Not graded at %1 dpi: modules of whole dots"))
            .arg(reportDpi(report));
    }
    QString text = (ru ? QStringLiteral("Класс %1 при %2 dpi (декодируемость %3)")
                       : QStringLiteral("Grade %1 at %2 dpi (decodability %3)"))
                       .arg(letter(report.grade))
                       .arg(reportDpi(report))
                       .arg(number(report.decode.decodability, 2, wording));
    if (report.printedGrade) {
        text += (ru ? QStringLiteral("; в печати с растеканием %1 мм: %2")
                    : QStringLiteral("; as printed with %1 mm ink spread: %2"))
                    .arg(number(report.inkSpreadMm, 3, wording), letter(*report.printedGrade));
    }
    return text;
}

}  // namespace strikon
