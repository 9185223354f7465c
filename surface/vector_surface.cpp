#include "surface/vector_surface.h"

#include <limits>
#include <utility>

#include "surface/font_cache.h"

namespace strikon {

VectorSurface::VectorSurface(VectorDocument& document, QSize size, const QColor& background)
    : document_(document), size_(size), canvas_(background.rgb()) {}

VectorSurface::~VectorSurface() {
    flushLines();
}

void VectorSurface::fill(const PixelRect& r, QRgb colour) {
    const PixelRect in{std::max<int64_t>(r.left, 0), std::max<int64_t>(r.top, 0),
                       std::min<int64_t>(r.right, size_.width()),
                       std::min<int64_t>(r.bottom, size_.height())};
    if (in.empty()) {
        return;
    }
    const bool whole = in == PixelRect{0, 0, size_.width(), size_.height()};
    if (untouched_ && whole && colour == canvas_) {
        return;
    }
    untouched_ = false;
    document_.rect(in.left, in.top, in.right, in.bottom, colour);
}

void VectorSurface::flushLines() {
    lines_.flush([this](const PixelRect& r, QRgb colour) { fill(r, colour); });
}

void VectorSurface::fillRect(const Rect& r) {
    flushLines();
    fill({r.left, r.top, r.right, r.bottom}, background_);
}

void VectorSurface::moveTo(int32_t x, int32_t y) {
    pen_ = QPoint(x, y);
}

void VectorSurface::lineTo(int32_t x, int32_t y) {
    const auto paint = [this](const PixelRect& r, QRgb colour) { fill(r, colour); };
    forEachLinePixels(std::exchange(pen_, QPoint(x, y)), QPoint(x, y),
                      [&](const PixelRect& r) { lines_.add(r, line_, paint); });
}

void VectorSurface::setFont(const std::string& face, int32_t cellHeight) {
    face_ = QString::fromStdString(face);
    font_ = cachedCellFont(face_, cellHeight);
}

int32_t VectorSurface::textWidth(const std::string& text) {
    return font_.textWidth(QString::fromStdString(text));
}

void VectorSurface::textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) {
    fillRect(box);
    drawText(x, y, QString::fromStdString(text));
}

void VectorSurface::textAt(int32_t x, int32_t y, const std::string& text) {
    const QString qtext = QString::fromStdString(text);
    const int64_t right = int64_t{x} + font_.textWidth(qtext);
    flushLines();
    fill({x, y, right, int64_t{y} + font_.cellHeight()}, background_);
    drawText(x, y, qtext);
    pen_ = QPoint(
        static_cast<int32_t>(std::min<int64_t>(right, std::numeric_limits<int32_t>::max())), y);
}

void VectorSurface::drawText(int32_t x, int32_t y, const QString& text) {
    flushLines();
    for (const CellFont::PlacedGlyph& g : font_.placedGlyphs(x, y, text)) {
        const QByteArray key = document_.notation() + '/' + face_.toUtf8() + '/' +
                               QByteArray::number(font_.cellHeight()) + '/' +
                               QByteArray::number(g.glyph);
        auto id = defined_.constFind(key);
        if (id == defined_.constEnd()) {
            // A batch writes the same digits at the same size row after row: their outlines
            // are written out once per thread and notation.
            thread_local QHash<QByteArray, QByteArray> outlines;
            auto data = outlines.constFind(key);
            if (data == outlines.constEnd()) {
                data = outlines.insert(key, document_.shapeData(font_.glyphOutline(g.glyph)));
            }
            if (data->isEmpty()) {
                continue;  // a space
            }
            id = defined_.insert(key, "g" + QByteArray::number(defined_.size()));
            document_.define(*id, *data);
        }
        untouched_ = false;
        document_.use(*id, g.origin.x(), g.origin.y(), line_);
    }
}

}  // namespace strikon
