#include "surface/glyph_stamps.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace strikon {

namespace {

struct StampKey {
    QString face;
    int32_t cell = 0;
    quint32 glyph = 0;
    quint64 ink = 0;
    QRgb paper = 0;
    bool smooth = true;
    bool operator==(const StampKey&) const = default;
};

size_t qHash(const StampKey& k, size_t seed) {
    return qHashMulti(seed, k.face, k.cell, k.glyph, k.ink, k.paper, k.smooth);
}

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// The colour Qt's drawing left at each pixel of the picture that differs from the paper, as
// shades and colours, over the smallest rectangle that holds them.
void takeInk(const QImage& drawn, QPoint topLeft, QRgb paper, QRgb ink, bool smooth,
             GlyphStamp& stamp) {
    QRect changed;
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        for (int x = 0; x < drawn.width(); ++x) {
            if (row[x] != paper) {
                changed |= QRect(x, y, 1, 1);
            }
        }
    }
    stamp.ink = changed.translated(topLeft);
    stamp.reach |= stamp.ink;
    stamp.shades.assign(static_cast<size_t>(changed.width()) * changed.height(), 0);
    QHash<QRgb, uint8_t> shadeOf;
    uint8_t* shade = stamp.shades.data();
    for (int y = changed.top(); y <= changed.bottom() && !changed.isEmpty(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        for (int x = changed.left(); x <= changed.right(); ++x, ++shade) {
            QRgb colour = row[x];
            if (colour == paper || (!smooth && !coveredHalf(colour, paper, ink))) {
                continue;
            }
            colour = smooth ? colour : ink;
            auto found = shadeOf.find(colour);
            if (found == shadeOf.end()) {
                // A glyph over one paper has a few dozen blends; a 256th cannot occur.
                stamp.colours.push_back(colour);
                found = shadeOf.insert(colour, static_cast<uint8_t>(stamp.colours.size()));
            }
            *shade = *found;
        }
    }
}

std::shared_ptr<const GlyphStamp> drawStamp(const CellFont& font, quint32 glyph, QRgba64 ink,
                                            QRgb paper, bool smooth) {
    auto stamp = std::make_shared<GlyphStamp>();
    stamp->reach = font.glyphBounds(glyph);
    if (stamp->reach.isEmpty()) {
        return stamp;
    }
    // Drawn with room for the ink past the outline.
    constexpr int kPast = CellFont::kInkPastOutline;
    const QRect area = stamp->reach.adjusted(-kPast, -kPast, kPast, kPast);
    QImage drawn(area.size(), QImage::Format_RGB32);
    drawn.fill(paper);
    {
        // As the surfaces set their painters for text.
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setPen(QColor::fromRgba64(ink));
        font.drawGlyph(painter, glyph, -area.topLeft());
    }
    takeInk(drawn, area.topLeft(), paper, ink.toArgb32(), smooth, *stamp);
    return stamp;
}

}  // namespace

bool coveredHalf(QRgb smoothed, QRgb under, QRgb ink) {
    return smoothed != under && 2 * distance(smoothed, under) >= distance(ink, under);
}

std::shared_ptr<const GlyphStamp> glyphStamp(const CellFont& font, quint32 glyph, QRgba64 ink,
                                             QRgb paper, bool smooth) {
    // Ten digits and a few signs in two or three cells and one pair of colours is a symbol's
    // worth; the bound keeps a session of many colours and sizes from growing without end.
    constexpr qsizetype kMaxStamps = 4096;
    thread_local QHash<StampKey, std::shared_ptr<const GlyphStamp>> stamps;
    StampKey key{font.faceName(), font.cellHeight(), glyph, static_cast<quint64>(ink), paper,
                 smooth};
    if (const auto found = stamps.constFind(key); found != stamps.constEnd()) {
        return *found;
    }
    if (stamps.size() >= kMaxStamps) {
        stamps.clear();
    }
    return *stamps.insert(std::move(key), drawStamp(font, glyph, ink, paper, smooth));
}

}  // namespace strikon
