#include "render/sheet_pages.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "render/draw_symbol.h"
#include "render/dual_marking.h"
#include "render/numbered_run.h"
#include "render/symbol_image.h"

namespace strikon {

QPageSize sheetPageSize(const SheetLayout& layout) {
    switch (layout.paper) {
        case SheetPaper::A4:
            return QPageSize(QPageSize::A4);
        case SheetPaper::Letter:
            return QPageSize(QPageSize::Letter);
        case SheetPaper::Printer:
        case SheetPaper::Other:
            break;
    }
    // A template's page is cut to its own figures, which a near standard size would change.
    return QPageSize(
        layout.pageMm, QPageSize::Millimeter, layout.pageName,
        layout.paper == SheetPaper::Other ? QPageSize::ExactMatch : QPageSize::FuzzyMatch);
}

namespace {

// What one label holds: its symbol, or with dual marking the linear symbol and the QR, each
// with its place from the top-left corner of the whole.
struct LabelDrawing {
    struct Placed {
        SymbolRequest request;
        QPoint at;
        QSize size;
    };
    std::vector<Placed> symbols;
    QSize size;
    QString title;
    SheetFault fault;  // NothingToDraw, or why a label has no pair
};

LabelDrawing labelDrawing(const SheetContent& content, const SymbolRequest& request,
                          double pxPerMm) {
    LabelDrawing out;
    out.title = symbolTitle(request);
    const auto nothing = [&out] {
        out.fault = sheetFault(SheetFault::Kind::NothingToDraw, {faultName(out.title)});
        return out;
    };
    const std::optional<QSize> size = measureSymbol(request, pxPerMm, pxPerMm);
    if (!content.dualMarking) {
        if (!size) {
            return nothing();
        }
        out.symbols.push_back({request, QPoint(0, 0), *size});
        out.size = *size;
        return out;
    }
    DualPartner partner = dualPartner(request);
    if (!partner.linear) {
        out.fault = partner.fault;
        return out;
    }
    const std::optional<QSize> linearSize = measureSymbol(*partner.linear, pxPerMm, pxPerMm);
    out.title = symbolTitle(*partner.linear) + QStringLiteral(" + ") + out.title;
    if (!size || !linearSize) {
        return nothing();
    }
    const PairPlacement pair = placePair(*linearSize, *size);
    out.symbols.push_back({std::move(*partner.linear), pair.linear, *linearSize});
    out.symbols.push_back({request, pair.qr, *size});
    out.size = pair.size;
    return out;
}

void paintPage(QPainter& painter, const SheetContent& content, int page, double pxPerMm) {
    const int perPage = content.layout.labelsPerPage();
    const int firstSlot = page == 0 ? content.skip : 0;
    const int firstLabel = page == 0 ? 0 : page * perPage - content.skip;
    for (int slot = firstSlot; slot < perPage; ++slot) {
        const size_t label = static_cast<size_t>(firstLabel + slot - firstSlot);
        if (label >= content.labels.size()) {
            return;
        }
        const LabelDrawing drawing = labelDrawing(content, content.labels[label], pxPerMm);
        if (drawing.fault) {
            continue;  // refused beforehand by checkSymbolsFit
        }
        const QRectF area = content.layout.symbolAreaMm();
        const QPoint origin = symbolOrigin(
            area.translated(content.layout.labelRectMm(slot).topLeft()), drawing.size, pxPerMm);
        for (const LabelDrawing::Placed& symbol : drawing.symbols) {
            painter.save();
            painter.translate(origin + symbol.at);
            // The parts of the rectangle an encoder leaves alone (around ITF-14's frame) take
            // the background, as in a picture, not the colour of the label stock.
            painter.fillRect(QRect(QPoint(0, 0), symbol.size), symbol.request.backgroundColor);
            paintSymbol(painter, symbol.request, pxPerMm, pxPerMm);
            painter.restore();
        }
    }
}

}  // namespace

SheetLabels sheetLabels(const SymbolRequest& symbol, int count, int step) {
    SheetLabels out;
    if (step == 0) {
        out.labels.assign(static_cast<size_t>(std::max(count, 0)), symbol);
        return out;
    }
    if (isGs1(symbol.symbology)) {
        const NumberedRun run = numberedSerials(symbol.gs1.elementString, count, step);
        for (const std::string& elements : run.numbers) {
            out.labels.push_back(symbol);
            out.labels.back().gs1.elementString = elements;
        }
        out.fault = run.fault;
        return out;
    }
    const NumberedRun run = numberedRun(symbol.symbology, symbol.digits, count, step);
    for (const std::string& digits : run.numbers) {
        out.labels.push_back(symbol);
        out.labels.back().digits = digits;
    }
    out.fault = run.fault;
    return out;
}

int sheetPageCount(const SheetContent& content) {
    const int perPage = content.layout.labelsPerPage();
    const int used = content.skip + static_cast<int>(content.labels.size());
    return content.labels.empty() || perPage <= 0 ? 0 : (used + perPage - 1) / perPage;
}

SheetFault symbolsFitFault(const SheetContent& content, double pxPerMm) {
    const QSizeF label = content.layout.symbolAreaMm().size();
    const bool inside = content.layout.shape != LabelShape::Rectangle;
    for (const SymbolRequest& request : content.labels) {
        const LabelDrawing drawing = labelDrawing(content, request, pxPerMm);
        if (drawing.fault) {
            return drawing.fault;
        }
        const QSizeF symbolMm(drawing.size.width() / pxPerMm, drawing.size.height() / pxPerMm);
        if (symbolMm.width() > label.width() || symbolMm.height() > label.height()) {
            return sheetFault(
                inside ? SheetFault::Kind::TooLargeInside : SheetFault::Kind::TooLarge,
                {faultName(drawing.title), faultMeasure(symbolMm.width()),
                 faultMeasure(symbolMm.height()),
                 inside ? faultMeasure(label.width()) : faultMm(label.width()),
                 inside ? faultMeasure(label.height()) : faultMm(label.height())});
        }
    }
    return {};
}

QString checkSymbolsFit(const SheetContent& content, double pxPerMm) {
    return faultText(symbolsFitFault(content, pxPerMm));
}

QPoint symbolOrigin(const QRectF& labelMm, QSize symbolPx, double pxPerMm) {
    // One rounding per coordinate, ties to even, so that equal labels place equal symbols.
    const double x = labelMm.left() * pxPerMm + (labelMm.width() * pxPerMm - symbolPx.width()) / 2;
    const double y = labelMm.top() * pxPerMm + (labelMm.height() * pxPerMm - symbolPx.height()) / 2;
    return {static_cast<int>(std::nearbyint(x)), static_cast<int>(std::nearbyint(y))};
}

bool paintSheet(QPainter& painter, QPagedPaintDevice& device, const SheetContent& content,
                double pxPerMm) {
    const int pages = sheetPageCount(content);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            return false;
        }
        paintPage(painter, content, page, pxPerMm);
    }
    return true;
}

ValueResult<QByteArray> encodeSheetPdf(const SheetContent& content, int dpi) {
    const double pxPerMm = dpi / kMmPerInch;
    if (content.labels.empty()) {
        return ValueResult<QByteArray>::failure(QStringLiteral("the sheet has no labels"));
    }
    if (QString fault = checkSymbolsFit(content, pxPerMm); !fault.isEmpty()) {
        return ValueResult<QByteArray>::failure(fault);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(dpi);
    pdf.setPageSize(sheetPageSize(content.layout));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    pdf.setCreator(QStringLiteral("strikon-render"));
    pdf.setTitle(QStringLiteral("Labels, ") + layoutTitle(content.layout));
    QPainter painter;
    if (!painter.begin(&pdf) || !paintSheet(painter, pdf, content, pxPerMm) || !painter.end()) {
        return ValueResult<QByteArray>::failure(QStringLiteral("the PDF could not be drawn"));
    }
    return ValueResult<QByteArray>::success(bytes);
}

}  // namespace strikon
