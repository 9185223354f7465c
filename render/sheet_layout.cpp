#include "render/sheet_layout.h"

#include <QStringList>
#include <cmath>

namespace strikon {

namespace {

// Printed figures carry a tenth or a hundredth of a millimetre; sums of them must not fail a
// comparison by the last bit of a double.
constexpr double kToleranceMm = 1e-6;
constexpr int kMaxLabelsAcross = 100;

QString mm(double value) {
    return QString::number(value, 'g', 6);
}

// Lower case, "x" for "×", no spaces: how names and geometry are compared.
QString normalised(const QString& text) {
    QString t = text.toLower();
    t.replace(QChar(0x00D7), QLatin1Char('x'));
    t.remove(QLatin1Char(' '));
    return t;
}

// A figure of a sheet, in millimetres or a count: none is anywhere near a kilometre, and so
// sums and products of them (a column's edge, a row's) stay finite figures to report.
std::optional<double> number(const QString& text) {
    constexpr double kLargest = 1e6;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !(std::abs(value) <= kLargest)) {
        return std::nullopt;
    }
    return value;
}

// "3x8" or "70x37" as two numbers.
std::optional<std::pair<double, double>> pairOf(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2) {
        return std::nullopt;
    }
    const auto a = number(parts[0]);
    const auto b = number(parts[1]);
    if (!a || !b) {
        return std::nullopt;
    }
    return std::pair{*a, *b};
}

QString expectedForms() {
    QStringList keys;
    for (const NamedLayout& named : builtInLayouts()) {
        keys << QLatin1String(named.key);
    }
    return QStringLiteral(
               "expects a built-in layout (%1) or COLUMNSxROWS,WIDTHxHEIGHT with "
               "optional ,LEFT,TOP,HPITCH,VPITCH in millimetres")
        .arg(keys.join(QStringLiteral(", ")));
}

std::optional<SheetLayout> customLayout(QString text, SheetPaper paper) {
    QStringList parts = text.split(QLatin1Char(','));
    if (const auto named = paperNamed(parts.first()); named && parts.size() > 1) {
        paper = *named;  // "A4,3x8,70x37" as a title writes it
        parts.removeFirst();
    }
    if (parts.last().endsWith(QLatin1String("mm"))) {
        parts.last().chop(2);
    }
    if (parts.size() != 2 && parts.size() != 6) {
        return std::nullopt;
    }
    const auto grid = pairOf(parts[0]);
    const auto label = pairOf(parts[1]);
    if (!grid || !label || grid->first != std::floor(grid->first) ||
        grid->second != std::floor(grid->second) || std::abs(grid->first) > kMaxLabelsAcross ||
        std::abs(grid->second) > kMaxLabelsAcross) {
        return std::nullopt;
    }
    SheetLayout layout =
        centredLayout(paper, static_cast<int>(grid->first), static_cast<int>(grid->second),
                      QSizeF(label->first, label->second));
    if (parts.size() == 6) {
        double* fields[] = {&layout.leftMm, &layout.topMm, &layout.hPitchMm, &layout.vPitchMm};
        for (int i = 0; i < 4; ++i) {
            const auto value = number(parts[2 + i]);
            if (!value) {
                return std::nullopt;
            }
            *fields[i] = *value;
        }
    }
    return layout;
}

}  // namespace

const char* paperName(SheetPaper paper) {
    switch (paper) {
        case SheetPaper::A4:
            return "A4";
        case SheetPaper::Letter:
            return "Letter";
        case SheetPaper::Printer:
            break;
    }
    return "";
}

QSizeF paperSizeMm(SheetPaper paper) {
    switch (paper) {
        case SheetPaper::A4:
            return {210.0, 297.0};
        case SheetPaper::Letter:
            return {215.9, 279.4};
        case SheetPaper::Printer:
            break;
    }
    return {};
}

std::optional<SheetPaper> paperNamed(const QString& name) {
    for (SheetPaper p : {SheetPaper::A4, SheetPaper::Letter}) {
        if (name.trimmed().compare(QLatin1String(paperName(p)), Qt::CaseInsensitive) == 0) {
            return p;
        }
    }
    return std::nullopt;
}

QSizeF SheetLayout::paperMm() const {
    return paper == SheetPaper::Printer ? printerPaperMm : paperSizeMm(paper);
}

QString SheetLayout::paperTitle() const {
    return paper == SheetPaper::Printer ? printerPaperName : QLatin1String(paperName(paper));
}

QRectF SheetLayout::labelRectMm(int index) const {
    const int column = index % columns;
    const int row = index / columns;
    return {leftMm + column * hPitchMm, topMm + row * vPitchMm, labelMm.width(), labelMm.height()};
}

SheetLayout centredLayout(SheetPaper paper, int columns, int rows, QSizeF labelMm) {
    const QSizeF page = paperSizeMm(paper);  // A4 or Letter: the printer's page is not known here
    return {paper,
            columns,
            rows,
            labelMm,
            (page.width() - columns * labelMm.width()) / 2.0,
            (page.height() - rows * labelMm.height()) / 2.0,
            labelMm.width(),
            labelMm.height()};
}

QString layoutTitle(const SheetLayout& layout) {
    return QStringLiteral("%1, %2 \u00D7 %3, %4 \u00D7 %5 mm")
        .arg(layout.paperTitle())
        .arg(layout.columns)
        .arg(layout.rows)
        .arg(mm(layout.labelMm.width()), mm(layout.labelMm.height()));
}

const std::vector<NamedLayout>& builtInLayouts() {
    // Margins and pitches as the common sheets of these sizes are cut.
    static const std::vector<NamedLayout> layouts = [] {
        using P = SheetPaper;
        const std::vector<std::pair<const char*, SheetLayout>> sheets = {
            {"A4-3x8", {P::A4, 3, 8, {70.0, 37.0}, 0.0, 0.5, 70.0, 37.0}},
            {"A4-3x7", {P::A4, 3, 7, {70.0, 42.3}, 0.0, 0.45, 70.0, 42.3}},
            {"A4-4x10", {P::A4, 4, 10, {48.5, 25.4}, 8.0, 21.5, 48.5, 25.4}},
            {"A4-2x7", {P::A4, 2, 7, {99.1, 38.1}, 4.65, 15.15, 101.6, 38.1}},
            {"Letter-3x10", {P::Letter, 3, 10, {66.7, 25.4}, 4.8, 12.7, 69.85, 25.4}},
        };
        std::vector<NamedLayout> out;
        for (const auto& [key, layout] : sheets) {
            out.push_back({key, layoutTitle(layout), layout});
        }
        return out;
    }();
    return layouts;
}

LayoutResult parseLayout(const QString& text, SheetPaper paper) {
    const QString key = normalised(text);
    for (const NamedLayout& named : builtInLayouts()) {
        if (key == normalised(QLatin1String(named.key)) || key == normalised(named.title)) {
            return LayoutResult::success(named.layout);
        }
    }
    const std::optional<SheetLayout> layout = customLayout(key, paper);
    if (!layout) {
        return LayoutResult::failure(expectedForms() + QStringLiteral(", got \"%1\"").arg(text));
    }
    if (QString fault = checkLayout(*layout); !fault.isEmpty()) {
        return LayoutResult::failure(fault);
    }
    return LayoutResult::success(*layout);
}

SheetFault layoutFault(const SheetLayout& l) {
    using K = SheetFault::Kind;
    if (l.columns < 1 || l.rows < 1) {
        return sheetFault(K::NoGrid, {faultCount(l.columns), faultCount(l.rows)});
    }
    const QSizeF label = l.labelMm;
    if (!(label.width() > 0) || !(label.height() > 0)) {
        return sheetFault(K::NoArea, {faultMm(label.width()), faultMm(label.height())});
    }
    if (l.columns > 1 && l.hPitchMm < label.width() - kToleranceMm) {
        return sheetFault(K::OverlapAcross, {faultMm(l.hPitchMm), faultMm(label.width())});
    }
    if (l.rows > 1 && l.vPitchMm < label.height() - kToleranceMm) {
        return sheetFault(K::OverlapDown, {faultMm(l.vPitchMm), faultMm(label.height())});
    }
    const QSizeF page = l.paperMm();
    const QRectF last = l.labelRectMm(l.labelsPerPage() - 1);
    if (l.leftMm < -kToleranceMm || last.right() > page.width() + kToleranceMm) {
        return sheetFault(K::OffPageAcross, {faultMm(l.leftMm), faultMm(last.right()),
                                             faultName(l.paperTitle()), faultMm(page.width())});
    }
    if (l.topMm < -kToleranceMm || last.bottom() > page.height() + kToleranceMm) {
        return sheetFault(K::OffPageDown, {faultMm(l.topMm), faultMm(last.bottom()),
                                           faultName(l.paperTitle()), faultMm(page.height())});
    }
    return {};
}

QString checkLayout(const SheetLayout& layout) {
    return faultText(layoutFault(layout));
}

}  // namespace strikon
