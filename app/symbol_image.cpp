#include "symbol_image.h"

#include <QPainter>
#include <cmath>

#include "platform/surface/qt_surface.h"

namespace strikon {

QImage renderSymbolImage(const SymbolRequest& request, const QColor& lineColor,
                         const QColor& backgroundColor, double pxPerMmX, double pxPerMmY) {
    Rect bounds;
    renderSymbol(request, nullptr, bounds, 0.0, 0.0, pxPerMmX, pxPerMmY);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(backgroundColor);
    image.setDotsPerMeterX(static_cast<int>(std::lround(pxPerMmX * 1000.0)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(pxPerMmY * 1000.0)));
    {
        QPainter painter(&image);
        QtSurface surface(painter);
        surface.setLineColor(lineColor);
        surface.setBackgroundColor(backgroundColor);
        Rect drawn;
        // Measured at offset zero, so the rectangle starts at the image's origin.
        renderSymbol(request, &surface, drawn, 0.0, 0.0, pxPerMmX, pxPerMmY);
    }
    return image;
}

QSizeF imageSizeMm(const QImage& image, double pxPerMmX, double pxPerMmY) {
    return {image.width() / pxPerMmX, image.height() / pxPerMmY};
}

}  // namespace strikon
