#pragma once
// A font sized by the height of its character cell, as the drawing contract asks: ascent plus
// descent (internal leading included) equals the cell height, not the em size.
//
// Qt's QFont rounds pixel sizes to whole pixels, and no whole pixel size of Liberation Sans has
// a cell of 8 or 24 pixels. QRawFont keeps a fractional size, so the em is chosen as
// cell x em / (ascent + descent) and the glyphs are laid out here:
//   - the baseline lies ascent() whole pixels below the top of the cell, ascent() being the
//     font's ascent rounded to the nearest pixel and descent() the rest of the cell;
//   - every glyph advances by its design advance rounded to a whole pixel (ties to even), and
//     the width of a text is the sum of those advances. No kerning. The glyphs are drawn at
//     these whole-pixel positions, so the width measured is the width drawn.

#include <QPainterPath>
#include <QPointF>
#include <QRawFont>
#include <QRect>
#include <QString>
#include <QVarLengthArray>
#include <cstdint>

class QPainter;

namespace strikon {

class CellFont {
  public:
    // No font: every text is zero pixels wide and nothing is drawn.
    CellFont() = default;
    // face: a raw font of the wanted face at any size (see resolveFace). A cell height below
    // one pixel gives no font.
    CellFont(const QRawFont& face, int32_t cellHeight);

    // The installed face that the system picks for a family name ("Arial" gives
    // "Liberation Sans" when fonts-liberation2 is installed). Invalid when no font exists.
    static QRawFont resolveFace(const QString& family);

    bool isValid() const { return cell_ > 0; }
    QString family() const { return raw_.familyName(); }
    int32_t cellHeight() const { return cell_; }
    // Whole pixels from the top of the cell to the baseline, and from there to its bottom.
    int32_t ascent() const { return ascent_; }
    int32_t descent() const { return cell_ - ascent_; }
    // The fractional metrics of the raw font at its chosen size; they add up to the cell.
    qreal exactAscent() const { return raw_.ascent(); }
    qreal exactDescent() const { return raw_.descent(); }

    int32_t textWidth(const QString& text) const;
    // Draws the text in the painter's pen colour with the top-left corner of its cell at (x, y).
    void draw(QPainter& painter, int32_t x, int32_t y, const QString& text) const;
    // Smoothing and hinting put ink at most this many pixels past a glyph's outline.
    static constexpr int kInkPastOutline = 2;
    // Where draw() puts ink, from the glyphs' outlines: smoothing and hinting may reach
    // kInkPastOutline pixels past it. Empty when nothing is drawn.
    QRect outlineBounds(int32_t x, int32_t y, const QString& text) const;

    // The glyphs draw() puts down, each with the point of its baseline it is drawn at (whole
    // pixels), for outputs that place outlines themselves.
    struct PlacedGlyph {
        quint32 glyph = 0;
        QPointF origin;
    };
    QVarLengthArray<PlacedGlyph, 16> placedGlyphs(int32_t x, int32_t y, const QString& text) const;
    // A glyph's outline in pixels around its origin at this cell height.
    QPainterPath glyphOutline(quint32 glyph) const { return raw_.pathForGlyph(glyph); }
    // The whole pixels around its origin that the glyph's outline touches, as outlineBounds().
    QRect glyphBounds(quint32 glyph) const;
    // One glyph drawn as draw() draws it, its baseline point at `origin` (whole pixels).
    void drawGlyph(QPainter& painter, quint32 glyph, QPoint origin) const;
    // Whether Qt draws these glyphs from bitmaps it renders once, at the origin, so that a glyph
    // has the same pixels wherever it is drawn (at whole pixels). Larger glyphs Qt fills as
    // outlines where they stand, and their smoothing can differ by a level from place to place.
    bool glyphsDrawnAlike() const { return drawnAlike_; }
    // Names the face and its style, so that glyphs drawn once can be told apart by font.
    const QString& faceName() const { return faceName_; }

  private:
    // A digit or a few: kept on the stack, as the glyph run only borrows them.
    struct Layout {
        QVarLengthArray<quint32, 16> glyphs;
        QVarLengthArray<QPointF, 16> positions;
        int64_t width = 0;
    };
    Layout layout(const QString& text) const;

    QRawFont raw_;
    QString faceName_;
    bool drawnAlike_ = false;
    int32_t cell_ = 0;
    int32_t ascent_ = 0;
};

}  // namespace strikon
