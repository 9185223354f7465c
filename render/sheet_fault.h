#pragma once
// Why a sheet of labels cannot be printed, as a kind and the values its sentence names, so that
// every caller can word it in its own language: strikon-render prints faultText, the window its
// own translation of the same sentence.

#include <QLocale>
#include <QString>
#include <vector>

namespace strikon {

struct SheetFault {
    enum class Kind {
        None,
        NoGrid,          // columns, rows
        NoArea,          // label width, height
        OverlapAcross,   // horizontal pitch, label width
        OverlapDown,     // vertical pitch, label height
        OffPageAcross,   // first column's left, last column's right, paper, paper width
        OffPageDown,     // first row's top, last row's bottom, paper, paper height
        TooManySkipped,  // labels on a sheet, labels skipped
        NothingToDraw,   // symbol
        TooLarge,        // symbol, its width, height, the label's width, height
        BadRunStart,     // the digits the run starts from
        PastLastNumber,  // digits counted, labels made
        NoUPCEForm,      // the UPC-A number, labels made
        NoSerial,        // the GS1 element string, which has no serial (21) ending in digits
        TooManyLabels,   // labels on the sheet, the most a sheet may hold
        GridsOverlap,    // a label's number, the number of a label of another grid it covers
        TooLargeInside,  // as TooLarge, with the rectangle inside a round or disc label
        NotDualQr,       // symbol: dual marking pairs a GS1-QR only
        NoRetailSymbol,  // the GTIN-14, its indicator digit
    };

    // A name (a symbol, a number, a paper) or a figure.
    struct Value {
        QString name;  // null for a figure
        double figure = 0;
        int decimals = -1;  // -1: up to six significant digits, as millimetres are given

        QString shown(const QLocale& locale) const;
    };

    Kind kind = Kind::None;
    std::vector<Value> values;  // in the order of the English sentence

    explicit operator bool() const { return kind != Kind::None; }
};

SheetFault::Value faultName(const QString& name);
SheetFault::Value faultMm(double mm);           // as given: 70, 42.3, 101.6
SheetFault::Value faultMeasure(double mm);      // two decimals: 37.25
SheetFault::Value faultCount(long long count);  // a whole number

SheetFault sheetFault(SheetFault::Kind kind, std::vector<SheetFault::Value> values);

// `sentence` with %1, %2, ... replaced by the fault's values in their order, figures written
// the way `locale` writes numbers; a translation may name them in another order.
QString wordFault(const SheetFault& fault, const QString& sentence, const QLocale& locale);

// The fault in strikon-render's words; "" for none.
QString faultText(const SheetFault& fault);

}  // namespace strikon
