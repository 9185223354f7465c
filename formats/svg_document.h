#pragma once
// SVG 1.1 written directly: a symbol is a few dozen rectangles and the outlines of its digits,
// which a general vector painter would write as hundreds of groups and long paths. The view box
// is in the drawing's pixels, and width and height state its true size in millimetres, so
// every bar edge falls at the millimetre the pixel grid puts it. Shapes drawn more than once
// (a digit's glyph) are defined once and placed with <use>, so the file needs no font.

#include <QByteArray>
#include <QPainterPath>
#include <QRgb>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <cstdint>

#include "formats/vector_document.h"

namespace strikon {

class SvgDocument final : public VectorDocument {
  public:
    // viewBox: the drawing's size in pixels; sizeMm: the same in millimetres.
    SvgDocument(QSize viewBox, QSizeF sizeMm, const QString& title);

    void rect(int64_t left, int64_t top, int64_t right, int64_t bottom, QRgb colour) override;
    QByteArray notation() const override { return QByteArrayLiteral("svg"); }
    // svgPathData.
    QByteArray shapeData(const QPainterPath& outline) const override;
    void define(const QByteArray& id, const QByteArray& pathData) override;
    void use(const QByteArray& id, double x, double y, QRgb colour) override;

    // The whole document; the writer is done with.
    QByteArray finish();

  private:
    void fill(QRgb colour);

    QByteArray head_;
    QByteArray defs_;
    QByteArray body_;
    bool inGroup_ = false;
    QRgb colour_ = 0;
};

// A path's outline as SVG path data, relative commands, to 1/100 pixel; quadratic curves
// (which Qt keeps as cubic ones) go back to quadratic.
QByteArray svgPathData(const QPainterPath& path);

}  // namespace strikon
