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

std::optional<double> number(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
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
    return paper == SheetPaper::Letter ? "Letter" : "A4";
}

QSizeF paperSizeMm(SheetPaper paper) {
    return paper == SheetPaper::Letter ? QSizeF(215.9, 279.4) : QSizeF(210.0, 297.0);
}

std::optional<SheetPaper> paperNamed(const QString& name) {
    for (SheetPaper p : {SheetPaper::A4, SheetPaper::Letter}) {
        if (name.trimmed().compare(QLatin1String(paperName(p)), Qt::CaseInsensitive) == 0) {
            return p;
        }
    }
    return std::nullopt;
}

QRectF SheetLayout::labelRectMm(int index) const {
    const int column = index % columns;
    const int row = index / columns;
    return {leftMm + column * hPitchMm, topMm + row * vPitchMm, labelMm.width(), labelMm.height()};
}

SheetLayout centredLayout(SheetPaper paper, int columns, int rows, QSizeF labelMm) {
    const QSizeF page = paperSizeMm(paper);
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
        .arg(QLatin1String(paperName(layout.paper)))
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
            return {named.layout, {}};
        }
    }
    const std::optional<SheetLayout> layout = customLayout(key, paper);
    if (!layout) {
        return {std::nullopt, expectedForms() + QStringLiteral(", got \"%1\"").arg(text)};
    }
    if (QString fault = checkLayout(*layout); !fault.isEmpty()) {
        return {std::nullopt, fault};
    }
    return {layout, {}};
}

QString checkLayout(const SheetLayout& l) {
    if (l.columns < 1 || l.rows < 1) {
        return QStringLiteral("a sheet has at least one column and one row, not %1 \u00D7 %2")
            .arg(l.columns)
            .arg(l.rows);
    }
    if (!(l.labelMm.width() > 0) || !(l.labelMm.height() > 0)) {
        return QStringLiteral("a label of %1 \u00D7 %2 mm has no area")
            .arg(mm(l.labelMm.width()), mm(l.labelMm.height()));
    }
    if (l.columns > 1 && l.hPitchMm < l.labelMm.width() - kToleranceMm) {
        return QStringLiteral(
                   "labels overlap: the horizontal pitch of %1 mm is less than the "
                   "label width of %2 mm")
            .arg(mm(l.hPitchMm), mm(l.labelMm.width()));
    }
    if (l.rows > 1 && l.vPitchMm < l.labelMm.height() - kToleranceMm) {
        return QStringLiteral(
                   "labels overlap: the vertical pitch of %1 mm is less than the "
                   "label height of %2 mm")
            .arg(mm(l.vPitchMm), mm(l.labelMm.height()));
    }
    const QSizeF page = paperSizeMm(l.paper);
    const QRectF last = l.labelRectMm(l.labelsPerPage() - 1);
    if (l.leftMm < -kToleranceMm || last.right() > page.width() + kToleranceMm) {
        return QStringLiteral(
                   "labels off the page: the columns span %1 to %2 mm, the %3 paper "
                   "is %4 mm wide")
            .arg(mm(l.leftMm), mm(last.right()), QLatin1String(paperName(l.paper)),
                 mm(page.width()));
    }
    if (l.topMm < -kToleranceMm || last.bottom() > page.height() + kToleranceMm) {
        return QStringLiteral(
                   "labels off the page: the rows span %1 to %2 mm, the %3 paper "
                   "is %4 mm high")
            .arg(mm(l.topMm), mm(last.bottom()), QLatin1String(paperName(l.paper)),
                 mm(page.height()));
    }
    return {};
}

}  // namespace strikon
