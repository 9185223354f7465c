#include "cell_font.h"

#include <QFont>
#include <QGlyphRun>
#include <QPainter>
#include <limits>

#include "encoders/pixel_round.h"

namespace strikon {

namespace {

// Qt's raster engine keeps glyph bitmaps up to this pixel size, which its environment variable
// may change; larger glyphs it fills as outlines.
bool qtCachesGlyphsOf(qreal pixelSize) {
    static const int kLargestCached = [] {
        const int set = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
        return set != 0 ? set : 64;
    }();
    return pixelSize <= kLargestCached;
}

// Widths are reported as 32-bit integers; a text long enough to pass that is cut off there
// rather than wrapping round to a negative width.
int32_t saturate(int64_t v) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v > kMax ? kMax : v);
}

}  // namespace

QRawFont CellFont::resolveFace(const QString& family) {
    QFont font(family);
    // Any size will do: CellFont rescales it. Subpixel (coloured) glyph edges would tint the
    // digits on some screens, so glyphs are smoothed in grey only.
    font.setPixelSize(100);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return QRawFont::fromFont(font);
}

CellFont::CellFont(const QRawFont& face, int32_t cellHeight) : raw_(face) {
    if (cellHeight < 1 || !raw_.isValid()) {
        return;
    }
    const qreal cellPerEm = (raw_.ascent() + raw_.descent()) / raw_.pixelSize();
    if (!(cellPerEm > 0)) {
        return;
    }
    raw_.setPixelSize(cellHeight / cellPerEm);
    faceName_ = raw_.familyName() + u' ' + raw_.styleName();
    drawnAlike_ = qtCachesGlyphsOf(raw_.pixelSize());
    cell_ = cellHeight;
    ascent_ = roundPx(raw_.ascent());
    if (ascent_ > cell_) {
        ascent_ = cell_;
    }
}

CellFont::Layout CellFont::layout(const QString& text) const {
    Layout out;
    if (!isValid() || text.isEmpty()) {
        return out;
    }
    // A character gives at most one glyph; a pair of surrogates gives one for the two.
    int count = static_cast<int>(text.size());
    out.glyphs.resize(count);
    if (!raw_.glyphIndexesForChars(text.constData(), count, out.glyphs.data(), &count)) {
        return Layout{};
    }
    out.glyphs.resize(count);
    QVarLengthArray<QPointF, 16> advances(count);
    raw_.advancesForGlyphIndexes(out.glyphs.constData(), advances.data(), count,
                                 QRawFont::UseDesignMetrics);
    out.positions.reserve(count);
    for (const QPointF& advance : advances) {
        out.positions.append(QPointF(static_cast<qreal>(out.width), 0));
        out.width += roundPx(advance.x());
    }
    return out;
}

int32_t CellFont::textWidth(const QString& text) const {
    return saturate(layout(text).width);
}

void CellFont::draw(QPainter& painter, int32_t x, int32_t y, const QString& text) const {
    const Layout l = layout(text);
    if (l.glyphs.isEmpty()) {
        return;
    }
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setRawData(l.glyphs.constData(), l.positions.constData(),
                   static_cast<int>(l.glyphs.size()));
    // A whole-pixel baseline keeps the ink in the same place relative to the cell wherever
    // the cell is, so a digit looks the same in every box.
    painter.drawGlyphRun(QPointF(x, static_cast<qreal>(y) + ascent_), run);
}

QVarLengthArray<CellFont::PlacedGlyph, 16> CellFont::placedGlyphs(int32_t x, int32_t y,
                                                                  const QString& text) const {
    const Layout l = layout(text);
    QVarLengthArray<PlacedGlyph, 16> out;
    const QPointF baseline(x, static_cast<qreal>(y) + ascent_);
    for (qsizetype i = 0; i < l.glyphs.size(); ++i) {
        out.append({l.glyphs[i], baseline + l.positions[i]});
    }
    return out;
}

QRect CellFont::glyphBounds(quint32 glyph) const {
    return isValid() ? raw_.boundingRect(glyph).toAlignedRect() : QRect();
}

void CellFont::drawGlyph(QPainter& painter, quint32 glyph, QPoint origin) const {
    if (!isValid()) {
        return;
    }
    const QPointF position(0, 0);
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setRawData(&glyph, &position, 1);
    painter.drawGlyphRun(origin, run);
}

QRect CellFont::outlineBounds(int32_t x, int32_t y, const QString& text) const {
    const Layout l = layout(text);
    QRectF bounds;
    const QPointF baseline(x, static_cast<qreal>(y) + ascent_);
    for (qsizetype i = 0; i < l.glyphs.size(); ++i) {
        bounds |= raw_.boundingRect(l.glyphs[i]).translated(baseline + l.positions[i]);
    }
    return bounds.toAlignedRect();
}

}  // namespace strikon
