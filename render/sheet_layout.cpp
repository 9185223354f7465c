#include "render/sheet_layout.h"

#include <QStringList>
#include <algorithm>
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

// The largest rectangle between a disc's hole and its rim, above the hole, as wide as the
// label allows (a disc may be cut straight at its sides, as business-card discs are). Found by
// trying its height in small steps: the area has one peak and the steps are far below a dot.
QRectF discArea(double width, double height, double holeMm) {
    const double outer = std::max(width, height) / 2;  // a cut disc keeps its full diameter
    const double inner = std::clamp(holeMm / 2, 0.0, outer);
    const double halfWidth = width / 2;
    const double halfHeight = height / 2;
    QRectF best;
    constexpr int kSteps = 2000;
    for (int i = 1; i <= kSteps; ++i) {
        const double top = inner + (outer - inner) * i / kSteps;  // distance of the far side
        if (top > halfHeight) {
            break;
        }
        const double half =
            std::min(std::sqrt(std::max(outer * outer - top * top, 0.0)), halfWidth);
        const double area = 2 * half * (top - inner);
        if (area > best.width() * best.height()) {
            best = QRectF(width / 2 - half, height / 2 - top, 2 * half, top - inner);
        }
    }
    return best;
}

// Rectangles overlap where they meet; round labels (and discs, and ellipses of one size, which
// are circles when stretched) only when their centres are closer than the diameter, so three
// discs may share a sheet with their corners crossed.
bool shapesOverlap(LabelShape shape, const QRectF& a, const QRectF& b) {
    if (shape == LabelShape::Rectangle) {
        const QRectF both = a.intersected(b);
        return both.width() > kToleranceMm && both.height() > kToleranceMm;
    }
    const double dx = (a.center().x() - b.center().x()) / a.width();
    const double dy = (a.center().y() - b.center().y()) / a.height();
    return std::hypot(dx, dy) < 1 - kToleranceMm / std::max(a.width(), a.height());
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
        case SheetPaper::Other:
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
        case SheetPaper::Other:
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
    return paper == SheetPaper::Printer || paper == SheetPaper::Other ? pageMm : paperSizeMm(paper);
}

QString SheetLayout::paperTitle() const {
    return paper == SheetPaper::Printer || paper == SheetPaper::Other
               ? pageName
               : QLatin1String(paperName(paper));
}

std::vector<SheetGrid> SheetLayout::grids() const {
    std::vector<SheetGrid> all{{columns, rows, leftMm, topMm, hPitchMm, vPitchMm}};
    all.insert(all.end(), moreGrids.begin(), moreGrids.end());
    return all;
}

int SheetLayout::labelsPerPage() const {
    long long count = static_cast<long long>(columns) * rows;
    for (const SheetGrid& g : moreGrids) {
        count += static_cast<long long>(g.columns) * g.rows;
    }
    return static_cast<int>(std::clamp(count, 0LL, static_cast<long long>(kMaxLabelsPerPage)));
}

QRectF SheetLayout::labelRectMm(int index) const {
    SheetGrid grid{columns, rows, leftMm, topMm, hPitchMm, vPitchMm};
    for (size_t next = 0; next < moreGrids.size() && index >= grid.columns * grid.rows; ++next) {
        index -= grid.columns * grid.rows;
        grid = moreGrids[next];
    }
    const int column = index % std::max(grid.columns, 1);
    const int row = index / std::max(grid.columns, 1);
    return {grid.leftMm + column * grid.hPitchMm, grid.topMm + row * grid.vPitchMm, labelMm.width(),
            labelMm.height()};
}

QRectF SheetLayout::symbolAreaMm() const {
    const double w = labelMm.width();
    const double h = labelMm.height();
    switch (shape) {
        case LabelShape::Rectangle:
            break;
        case LabelShape::Round:
        case LabelShape::Ellipse: {
            // The largest rectangle inside an ellipse has sides 1/sqrt(2) of its axes.
            const double iw = w / std::sqrt(2.0);
            const double ih = h / std::sqrt(2.0);
            return {(w - iw) / 2, (h - ih) / 2, iw, ih};
        }
        case LabelShape::Disc:
            return discArea(w, h, holeMm);
    }
    return {0, 0, w, h};
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
    const QString grid = layout.moreGrids.empty()
                             ? QStringLiteral("%1 \u00D7 %2").arg(layout.columns).arg(layout.rows)
                             : QStringLiteral("%1 labels").arg(layout.labelsPerPage());
    const QSizeF size = layout.labelMm;
    const QString label =
        layout.shape == LabelShape::Round || layout.shape == LabelShape::Disc
            ? QStringLiteral("\u2300 %1 mm").arg(mm(std::max(size.width(), size.height())))
            : QStringLiteral("%1 \u00D7 %2 mm").arg(mm(size.width()), mm(size.height()));
    return QStringLiteral("%1, %2, %3").arg(layout.paperTitle(), grid, label);
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
    const QSizeF label = l.labelMm;
    if (!(label.width() > 0) || !(label.height() > 0)) {
        return sheetFault(K::NoArea, {faultMm(label.width()), faultMm(label.height())});
    }
    const std::vector<SheetGrid> grids = l.grids();
    long long count = 0;
    std::vector<QRectF> spans;  // each grid's labels, edge to edge
    for (const SheetGrid& g : grids) {
        if (g.columns < 1 || g.rows < 1) {
            return sheetFault(K::NoGrid, {faultCount(g.columns), faultCount(g.rows)});
        }
        count += static_cast<long long>(g.columns) * g.rows;
        if (count > kMaxLabelsPerPage) {
            return sheetFault(K::TooManyLabels, {faultCount(count), faultCount(kMaxLabelsPerPage)});
        }
        if (g.columns > 1 && g.hPitchMm < label.width() - kToleranceMm) {
            return sheetFault(K::OverlapAcross, {faultMm(g.hPitchMm), faultMm(label.width())});
        }
        if (g.rows > 1 && g.vPitchMm < label.height() - kToleranceMm) {
            return sheetFault(K::OverlapDown, {faultMm(g.vPitchMm), faultMm(label.height())});
        }
        const QSizeF page = l.paperMm();
        const double right = g.leftMm + (g.columns - 1) * g.hPitchMm + label.width();
        const double bottom = g.topMm + (g.rows - 1) * g.vPitchMm + label.height();
        if (g.leftMm < -kToleranceMm || right > page.width() + kToleranceMm) {
            return sheetFault(K::OffPageAcross, {faultMm(g.leftMm), faultMm(right),
                                                 faultName(l.paperTitle()), faultMm(page.width())});
        }
        if (g.topMm < -kToleranceMm || bottom > page.height() + kToleranceMm) {
            return sheetFault(K::OffPageDown, {faultMm(g.topMm), faultMm(bottom),
                                               faultName(l.paperTitle()), faultMm(page.height())});
        }
        spans.emplace_back(QPointF(g.leftMm, g.topMm), QPointF(right, bottom));
    }
    // Grids may interleave; only labels of two grids whose spans meet are compared.
    int first = 0;
    for (size_t i = 0; i < grids.size(); ++i) {
        const int size = grids[i].columns * grids[i].rows;
        int other = first + size;
        for (size_t j = i + 1; j < grids.size(); ++j) {
            const int otherSize = grids[j].columns * grids[j].rows;
            const QRectF meet = spans[i].intersected(spans[j]);
            if (meet.width() > kToleranceMm && meet.height() > kToleranceMm) {
                for (int a = first; a < first + size; ++a) {
                    const QRectF ra = l.labelRectMm(a);
                    for (int b = other; b < other + otherSize; ++b) {
                        if (shapesOverlap(l.shape, ra, l.labelRectMm(b))) {
                            return sheetFault(K::GridsOverlap,
                                              {faultCount(a + 1), faultCount(b + 1)});
                        }
                    }
                }
            }
            other += otherSize;
        }
        first += size;
    }
    return {};
}

QString checkLayout(const SheetLayout& layout) {
    return faultText(layoutFault(layout));
}

}  // namespace strikon
