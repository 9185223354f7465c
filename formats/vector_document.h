#pragma once
// What the SVG and the PDF writer share, for the one surface that draws into either: filled
// rectangles in the drawing's pixels (top-left origin, y downwards), and shapes (a digit's
// glyph) defined once in the document's own path notation and placed wherever they recur.

#include <QByteArray>
#include <QPainterPath>
#include <QRgb>
#include <cstdint>

namespace strikon {

class VectorDocument {
  public:
    virtual ~VectorDocument() = default;

    // Columns left..right-1 and rows top..bottom-1; nothing when empty.
    virtual void rect(int64_t left, int64_t top, int64_t right, int64_t bottom, QRgb colour) = 0;
    // Names the notation of shapeData, so that shapes written once can be kept per notation.
    virtual QByteArray notation() const = 0;
    // An outline in pixels around its origin, written as this document writes a shape; empty
    // for an outline with nothing to fill.
    virtual QByteArray shapeData(const QPainterPath& outline) const = 0;
    // Defines a shape under `id` from its shapeData.
    virtual void define(const QByteArray& id, const QByteArray& data) = 0;
    // Places a defined shape with its origin at (x, y), filled in `colour`.
    virtual void use(const QByteArray& id, double x, double y, QRgb colour) = 0;
};

}  // namespace strikon
