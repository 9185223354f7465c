#include "render/symbol_image.h"

#include <QPainter>
#include <cmath>
#include <cstring>

#include "render/draw_symbol.h"
#include "surface/indexed_surface.h"
#include "surface/qt_surface.h"

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

template <typename PictureSurface>
void drawOn(PictureSurface& surface, const SymbolRequest& request, double pxPerMmX,
            double pxPerMmY) {
    surface.setLineColor(request.lineColor);
    surface.setBackgroundColor(request.backgroundColor);
    Rect drawn;
    // Measured at offset zero, the rectangle starts at the painter's origin.
    renderSymbol(request, &surface, drawn, 0.0, 0.0, pxPerMmX, pxPerMmY);
}

// A picture of the symbol's size, its pixels not set yet, with its density from the scale.
// recycled: a picture no longer wanted, whose memory is taken when it has that size and format.
// An 8-bit picture's row padding is zeroed, so that a bitmap can be written from its rows.
std::optional<QImage> blankPicture(const SymbolRequest& request, double pxPerMmX, double pxPerMmY,
                                   QImage::Format format, QImage recycled = QImage()) {
    const std::optional<QSize> size = measureSymbol(request, pxPerMmX, pxPerMmY);
    if (!size) {
        return std::nullopt;
    }
    QImage image = recycled.size() == *size && recycled.format() == format ? std::move(recycled)
                                                                           : QImage(*size, format);
    image.setDotsPerMeterX(static_cast<int>(std::lround(pxPerMmX * 1000.0)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(pxPerMmY * 1000.0)));
    if (format == QImage::Format_Indexed8 && !image.isNull()) {
        image.setColorTable({});  // the drawing makes its own
        uchar* row = image.bits();
        const qsizetype padding = image.bytesPerLine() - image.width();
        for (int y = 0; y < image.height(); ++y, row += image.bytesPerLine()) {
            std::memset(row + image.width(), 0, static_cast<size_t>(padding));
        }
    }
    return image;
}

}  // namespace

void paintSymbol(QPainter& painter, const SymbolRequest& request, double pxPerMmX,
                 double pxPerMmY) {
    QtSurface surface(painter);
    drawOn(surface, request, pxPerMmX, pxPerMmY);
}

QImage renderSymbolImage(const SymbolRequest& request, double pxPerMmX, double pxPerMmY) {
    std::optional<QImage> blank = blankPicture(request, pxPerMmX, pxPerMmY, QImage::Format_RGB32);
    if (!blank) {
        return {};
    }
    QImage& image = *blank;
    QPainter painter(&image);
    QtSurface surface(painter, image);  // the picture is ours: bars go straight into it
    // The encoders fill their symbol's rectangle first; where that is the whole picture, the
    // picture is not filled twice.
    surface.clearCanvasFirst(request.backgroundColor);
    drawOn(surface, request, pxPerMmX, pxPerMmY);
    return image;
}

QImage renderSymbolPalettePicture(const SymbolRequest& request, double pxPerMmX, double pxPerMmY,
                                  QImage recycled) {
    std::optional<QImage> picture =
        blankPicture(request, pxPerMmX, pxPerMmY, QImage::Format_Indexed8, std::move(recycled));
    if (!picture) {
        return {};
    }
    {
        IndexedSurface surface(*picture);
        surface.setSmoothText(!request.output.bilevel);
        surface.clearCanvasFirst(request.backgroundColor);
        drawOn(surface, request, pxPerMmX, pxPerMmY);
        if (!surface.exact()) {
            return renderSymbolImage(request, pxPerMmX, pxPerMmY);
        }
    }
    return *std::move(picture);
}

QSizeF imageSizeMm(const QImage& image, double pxPerMmX, double pxPerMmY) {
    return {image.width() / pxPerMmX, image.height() / pxPerMmY};
}

}  // namespace strikon
