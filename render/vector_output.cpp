#include "render/vector_output.h"

#include <QCoreApplication>

#include "formats/pdf_document.h"
#include "formats/svg_document.h"
#include "render/draw_symbol.h"
#include "render/symbol_image.h"
#include "surface/vector_surface.h"

namespace strikon {

namespace {

std::optional<QSize> measure(const SymbolRequest& symbol, int dpi) {
    return measureSymbol(symbol, dpi / kMmPerInch, dpi / kMmPerInch);
}

// The drawing starts filled with the background, as pictures do, so the parts an encoder leaves
// alone (around ITF-14's frame) are not transparent.
void drawVector(VectorDocument& document, QSize size, const SymbolRequest& symbol, int dpi) {
    document.rect(0, 0, size.width(), size.height(), symbol.backgroundColor.rgb());
    VectorSurface surface(document, size, symbol.backgroundColor);
    surface.setLineColor(symbol.lineColor);
    surface.setBackgroundColor(symbol.backgroundColor);
    Rect drawn;
    renderSymbol(symbol, &surface, drawn, 0.0, 0.0, dpi / kMmPerInch, dpi / kMmPerInch);
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
    drawVector(svg, *size, symbol, dpi);
    return ValueResult<QByteArray>::success(svg.finish());
}

ValueResult<QByteArray> encodePdf(const SymbolRequest& symbol, int dpi) {
    const std::optional<QSize> size = measure(symbol, dpi);
    if (!size) {
        return ValueResult<QByteArray>::failure(nothingToDraw());
    }
    // The program that made it: the window ("Strikon") or strikon-render.
    PdfDocument pdf(*size, dpi, symbolTitle(symbol), QCoreApplication::applicationName());
    drawVector(pdf, *size, symbol, dpi);
    return ValueResult<QByteArray>::success(pdf.finish());
}

}  // namespace strikon
