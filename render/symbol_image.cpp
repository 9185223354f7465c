#include "render/symbol_image.h"

#include <QPainter>
#include <cmath>

#include "platform/surface/qt_surface.h"
#include "render/draw_symbol.h"

namespace strikon {

std::optional<QSize> measureSymbol(const SymbolRequest& request, double pxPerMmX, double pxPerMmY) {
    Rect bounds;
    renderSymbol(request, nullptr, bounds, 0.0, 0.0, pxPerMmX, pxPerMmY);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    return QSize(width, height);
}

namespace {

void drawOn(QtSurface& surface, const SymbolRequest& request, double pxPerMmX, double pxPerMmY) {
    surface.setLineColor(request.lineColor);
    surface.setBackgroundColor(request.backgroundColor);
    Rect drawn;
    // Measured at offset zero, the rectangle starts at the painter's origin.
    renderSymbol(request, &surface, drawn, 0.0, 0.0, pxPerMmX, pxPerMmY);
}

}  // namespace

void paintSymbol(QPainter& painter, const SymbolRequest& request, double pxPerMmX,
                 double pxPerMmY) {
    QtSurface surface(painter);
    drawOn(surface, request, pxPerMmX, pxPerMmY);
}

QImage renderSymbolImage(const SymbolRequest& request, double pxPerMmX, double pxPerMmY) {
    const std::optional<QSize> size = measureSymbol(request, pxPerMmX, pxPerMmY);
    if (!size) {
        return {};
    }
    QImage image(*size, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(pxPerMmX * 1000.0)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(pxPerMmY * 1000.0)));
    QPainter painter(&image);
    QtSurface surface(painter, image);  // the picture is ours: bars go straight into it
    // The encoders fill their symbol's rectangle first; where that is the whole picture, the
    // picture is not filled twice.
    surface.clearCanvasFirst(request.backgroundColor);
    drawOn(surface, request, pxPerMmX, pxPerMmY);
    return image;
}

QSizeF imageSizeMm(const QImage& image, double pxPerMmX, double pxPerMmY) {
    return {image.width() / pxPerMmX, image.height() / pxPerMmY};
}

}  // namespace strikon
