#pragma once
// The drawing surface on an SVG or PDF document: fills and the encoders' one-pixel lines (gathered
// into rectangles, as the other surfaces paint them) become rectangles at their pixels, and
// text becomes the outlines of its glyphs, each glyph shape of a cell height defined once and
// placed where the painter surface would draw it.
//
// Text in a box is not clipped to the box: the encoders' digits lie inside their boxes.

#include <QColor>
#include <QHash>
#include <QPoint>

#include "encoders/surface.h"
#include "formats/vector_document.h"
#include "surface/cell_font.h"
#include "surface/line_pixels.h"

namespace strikon {

class VectorSurface final : public Surface {
  public:
    // The document's whole drawing is `size` pixels, already filled with `background`.
    VectorSurface(VectorDocument& document, QSize size, const QColor& background);
    ~VectorSurface() override;

    void setLineColor(const QColor& color) { line_ = color.rgb(); }
    void setBackgroundColor(const QColor& color) { background_ = color.rgb(); }

    void fillRect(const Rect& r) override;
    void moveTo(int32_t x, int32_t y) override;
    void lineTo(int32_t x, int32_t y) override;
    void setFont(const std::string& face, int32_t cellHeight) override;
    int32_t textWidth(const std::string& text) override;
    void textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) override;
    void textAt(int32_t x, int32_t y, const std::string& text) override;

  private:
    void fill(const PixelRect& r, QRgb colour);
    void flushLines();
    void drawText(int32_t x, int32_t y, const QString& text);

    VectorDocument& document_;
    QSize size_;
    // Whether nothing but the first fill lies on the drawing yet, and its colour: a fill of
    // the whole drawing in that colour then changes nothing.
    bool untouched_ = true;
    QRgb canvas_;
    QRgb line_ = qRgb(0, 0, 0);
    QRgb background_ = qRgb(255, 255, 255);
    QPoint pen_;
    CellFont font_;
    QString face_;
    GatheredLines<QRgb> lines_;
    QHash<QByteArray, QByteArray> defined_;  // face, cell height and glyph -> id
};

}  // namespace strikon
