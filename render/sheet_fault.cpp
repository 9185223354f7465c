#include "render/sheet_fault.h"

#include <utility>

namespace strikon {

namespace {

using K = SheetFault::Kind;

const char* englishSentence(K kind) {
    switch (kind) {
        case K::None:
            return "";
        case K::NoGrid:
            return "a sheet has at least one column and one row, not %1 \u00D7 %2";
        case K::NoArea:
            return "a label of %1 \u00D7 %2 mm has no area";
        case K::OverlapAcross:
            return "labels overlap: the horizontal pitch of %1 mm is less than the label width "
                   "of %2 mm";
        case K::OverlapDown:
            return "labels overlap: the vertical pitch of %1 mm is less than the label height "
                   "of %2 mm";
        case K::OffPageAcross:
            return "labels off the page: the columns span %1 to %2 mm, the %3 paper is %4 mm "
                   "wide";
        case K::OffPageDown:
            return "labels off the page: the rows span %1 to %2 mm, the %3 paper is %4 mm high";
        case K::TooManySkipped:
            return "a sheet of %1 labels cannot skip %2";
        case K::NothingToDraw:
            return "%1 has nothing to draw";
        case K::TooLarge:
            return "%1 is %2 \u00D7 %3 mm, larger than its label of %4 \u00D7 %5 mm";
        case K::BadRunStart:
            return "no run can start from \"%1\"";
        case K::PastLastNumber:
            return "the run passes the last %1-digit number after %2 labels";
        case K::NoUPCEForm:
            return "UPC-A %1 has no UPC-E form; the UPC-E run stops after %2 labels";
        case K::NoSerial:
            return "a run of GS1 symbols counts the serial number (21), and %1 has none that "
                   "ends in digits";
        case K::TooManyLabels:
            return "a sheet of %1 labels is more than the %2 a sheet may hold";
        case K::GridsOverlap:
            return "labels overlap: label %1 covers label %2 of another grid";
        case K::TooLargeInside:
            return "%1 is %2 \u00D7 %3 mm, larger than the largest rectangle inside its label, "
                   "%4 \u00D7 %5 mm";
        case K::NotDualQr:
            return "dual marking prints the EAN-13, UPC-A or EAN-8 of a GS1-QR's GTIN beside it, "
                   "and %1 is not a GS1-QR";
        case K::NoRetailSymbol:
            return "GTIN %1 has no EAN-13, UPC-A or EAN-8 to print beside the QR: its indicator "
                   "digit %2 numbers a case or a variable measure item, not a retail item";
    }
    return "";
}

}  // namespace

QString SheetFault::Value::shown(const QLocale& locale) const {
    if (!name.isNull()) {
        return name;
    }
    return decimals < 0 ? locale.toString(figure, 'g', 6) : locale.toString(figure, 'f', decimals);
}

SheetFault::Value faultName(const QString& name) {
    return {name.isNull() ? QStringLiteral("") : name, 0, 0};
}

SheetFault::Value faultMm(double mm) {
    return {{}, mm, -1};
}

SheetFault::Value faultMeasure(double mm) {
    return {{}, mm, 2};
}

SheetFault::Value faultCount(long long count) {
    return {{}, static_cast<double>(count), 0};
}

SheetFault sheetFault(SheetFault::Kind kind, std::vector<SheetFault::Value> values) {
    return {kind, std::move(values)};
}

QString wordFault(const SheetFault& fault, const QString& sentence, const QLocale& locale) {
    QString text = sentence;
    for (const SheetFault::Value& value : fault.values) {
        text = text.arg(value.shown(locale));  // the lowest %n left each time
    }
    return text;
}

QString faultText(const SheetFault& fault) {
    return wordFault(fault, QString::fromUtf8(englishSentence(fault.kind)), QLocale::c());
}

}  // namespace strikon
