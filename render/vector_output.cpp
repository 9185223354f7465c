#include "render/vector_output.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "formats/svg_document.h"
#include "render/draw_symbol.h"
#include "render/pdf_media_box.h"
#include "render/symbol_image.h"
#include "surface/svg_surface.h"

namespace strikon {

namespace {

std::optional<QSize> measure(const SymbolRequest& symbol, int dpi) {
    return measureSymbol(symbol, dpi / kMmPerInch, dpi / kMmPerInch);
}

bool draw(QPainter& painter, QSize bounds, const SymbolRequest& symbol, int dpi) {
    if (!painter.isActive()) {
        return false;
    }
    // Pictures start filled with the background; so does the page, or the parts of the
    // rectangle an encoder leaves alone (around ITF-14's frame) would be transparent.
    painter.fillRect(QRect(QPoint(0, 0), bounds), symbol.backgroundColor);
    paintSymbol(painter, symbol, dpi / kMmPerInch, dpi / kMmPerInch);
    return painter.end();
}

QString nothingToDraw() {
    return QStringLiteral("the symbol has nothing to draw");
}

}  // namespace

ValueResult<QByteArray> encodeSvg(const SymbolRequest& symbol, int dpi) {
    const std::optional<QSize> size = measure(symbol, dpi);
    if (!size) {
        return ValueResult<QByteArray>::failure(nothingToDraw());
    }
    const QSizeF mm(size->width() * kMmPerInch / dpi, size->height() * kMmPerInch / dpi);
    SvgDocument svg(*size, mm, symbolTitle(symbol));
    // The drawing starts filled with the background, as pictures do, so the parts an encoder
    // leaves alone (around ITF-14's frame) are not transparent.
    svg.rect(0, 0, size->width(), size->height(), symbol.backgroundColor.rgb());
    {
        SvgSurface surface(svg, *size, symbol.backgroundColor);
        surface.setLineColor(symbol.lineColor);
        surface.setBackgroundColor(symbol.backgroundColor);
        Rect drawn;
        renderSymbol(symbol, &surface, drawn, 0.0, 0.0, dpi / kMmPerInch, dpi / kMmPerInch);
    }
    return ValueResult<QByteArray>::success(svg.finish());
}

ValueResult<QByteArray> encodePdf(const SymbolRequest& symbol, int dpi) {
    const std::optional<QSize> size = measure(symbol, dpi);
    if (!size) {
        return ValueResult<QByteArray>::failure(nothingToDraw());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(dpi);
        const QSizeF mm(size->width() * kMmPerInch / dpi, size->height() * kMmPerInch / dpi);
        // Exact match: a size near a standard one must not be rounded to it.
        pdf.setPageSize(QPageSize(mm, QPageSize::Millimeter, {}, QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        // The program that made it: the window ("Strikon") or strikon-render.
        pdf.setCreator(QCoreApplication::applicationName());
        QPainter painter(&pdf);
        if (!draw(painter, *size, symbol, dpi)) {
            return ValueResult<QByteArray>::failure(QStringLiteral("the PDF could not be drawn"));
        }
    }
    constexpr double kPointsPerInch = 72.0;
    const QSizeF points(size->width() * kPointsPerInch / dpi,
                        size->height() * kPointsPerInch / dpi);
    if (!setExactMediaBox(bytes, points)) {
        return ValueResult<QByteArray>::failure(
            QStringLiteral("the PDF page could not be sized to the symbol"));
    }
    return ValueResult<QByteArray>::success(bytes);
}

}  // namespace strikon
