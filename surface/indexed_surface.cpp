#include "surface/indexed_surface.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cstring>
#include <limits>

#include "surface/glyph_stamps.h"

namespace strikon {

namespace {

PixelRect intersect(const PixelRect& a, const PixelRect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

}  // namespace

IndexedSurface::IndexedSurface(QImage& canvas) : canvas_(canvas) {
    if (canvas.format() != QImage::Format_Indexed8) {
        exact_ = false;
        return;
    }
    pixels_ = canvas.bits();
    bytesPerLine_ = canvas.bytesPerLine();
    whole_ = {0, 0, canvas.width(), canvas.height()};
    const QList<QRgb> table = canvas.colorTable();
    for (qsizetype i = 0; i < table.size(); ++i) {
        if (qAlpha(table[i]) != 255 || palette_.indexOf(table[i]) != i) {
            exact_ = false;  // the pixels already there would change their meaning
        }
    }
}

void IndexedSurface::clearCanvasFirst(const QColor& colour) {
    Ink clear{colour, std::nullopt};
    fill(whole_, indexOf(clear));  // costs a row: later fills of the same rows cover it
}

IndexedSurface::~IndexedSurface() {
    flushLines();
    paintFills();
    if (pixels_ != nullptr) {
        const std::vector<QRgb>& colours = palette_.colours();
        canvas_.setColorTable(QList<QRgb>(colours.begin(), colours.end()));
    }
}

void IndexedSurface::setLineColor(const QColor& color) {
    if (color != line_.color) {
        line_ = {color, std::nullopt};
    }
}

void IndexedSurface::setBackgroundColor(const QColor& color) {
    if (color != background_.color) {
        background_ = {color, std::nullopt};
    }
}

void IndexedSurface::setSmoothText(bool smooth) {
    smoothText_ = smooth;
}

void IndexedSurface::setStampGlyphs(bool stamp) {
    stampGlyphs_ = stamp;
}

// -1 when the colour cannot be kept: translucent, or new to a full palette.
int IndexedSurface::indexOf(Ink& ink) {
    if (!ink.index) {
        // An opaque colour covers what is under it: Qt sets its 8-bit value, as here.
        const QRgba64 rgba = ink.color.rgba64();
        ink.index = rgba.isOpaque() ? palette_.indexOf(rgba.toArgb32()) : -1;
    }
    if (*ink.index < 0) {
        exact_ = false;
    }
    return *ink.index;
}

// Fills wait to be painted together (see BandFills) until text needs the pixels under it;
// a long run of them (a diagonal line's pixels) is painted as it comes.
void IndexedSurface::fill(const PixelRect& r, int index) {
    constexpr size_t kMaxWaiting = 256;
    const PixelRect in = intersect(r, whole_);
    if (in.empty() || index < 0 || pixels_ == nullptr) {
        return;
    }
    fills_.add(in, static_cast<uint8_t>(index));
    if (fills_.size() >= kMaxWaiting) {
        paintFills();
    }
}

void IndexedSurface::paintFills() {
    if (pixels_ != nullptr) {
        fills_.paint(pixels_, bytesPerLine_);
    }
}

void IndexedSurface::flushLines() {
    lines_.flush([this](const PixelRect& r, int index) { fill(r, index); });
}

void IndexedSurface::fillRect(const Rect& r) {
    flushLines();
    fill({r.left, r.top, r.right, r.bottom}, indexOf(background_));
}

void IndexedSurface::lineTo(int32_t x, int32_t y) {
    const int index = indexOf(line_);
    const auto paint = [this](const PixelRect& r, int colour) { fill(r, colour); };
    forEachLinePixels(penToLineEnd(x, y), QPoint(x, y),
                      [&](const PixelRect& r) { lines_.add(r, index, paint); });
}

void IndexedSurface::textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) {
    fillRect(box);
    drawText(x, y, QString::fromStdString(text),
             PixelRect{box.left, box.top, box.right, box.bottom});
}

void IndexedSurface::textAt(int32_t x, int32_t y, const std::string& text) {
    const QString qtext = QString::fromStdString(text);
    const int64_t right = textRight(x, qtext);
    flushLines();
    fill({x, y, right, int64_t{y} + font().cellHeight()}, indexOf(background_));
    drawText(x, y, qtext, std::nullopt);
    penAfterText(right, y);
}

// box: where the text is clipped, if anywhere.
void IndexedSurface::drawText(int32_t x, int32_t y, const QString& text,
                              const std::optional<PixelRect>& box) {
    flushLines();
    paintFills();
    if (!exact_ || (stampGlyphs_ && font().glyphsDrawnAlike() && stampText(x, y, text, box))) {
        return;
    }
    const QRect outline = font().outlineBounds(x, y, text);
    if (outline.isEmpty()) {
        return;
    }
    constexpr int kInkPast = CellFont::kInkPastOutline;
    const PixelRect ink{int64_t{outline.left()} - kInkPast, int64_t{outline.top()} - kInkPast,
                        int64_t{outline.right()} + 1 + kInkPast,
                        int64_t{outline.bottom()} + 1 + kInkPast};
    paintText(box ? intersect(ink, *box) : ink, box.has_value(), x, y, text);
}

// The text's glyphs copied from their stamps, when every pixel their ink reaches holds the
// background colour, lies inside the box (or the picture) and no two glyphs reach one pixel:
// then the copy is what Qt draws. False, with nothing changed, otherwise.
bool IndexedSurface::stampText(int32_t x, int32_t y, const QString& text,
                               const std::optional<PixelRect>& box) {
    const int paper = indexOf(background_);
    const QRgba64 inkColour = line_.color.rgba64();
    if (paper < 0 || !inkColour.isOpaque()) {
        return false;
    }
    const QRgb paperColour = palette_.colours()[static_cast<size_t>(paper)];
    const PixelRect limit = box ? intersect(*box, whole_) : whole_;
    struct Placed {
        std::shared_ptr<const GlyphStamp> stamp;
        QPoint origin;
    };
    QVarLengthArray<Placed, 16> placed;
    for (const CellFont::PlacedGlyph& g : font().placedGlyphs(x, y, text)) {
        const QPoint origin = g.origin.toPoint();
        auto stamp = glyphStamp(font(), g.glyph, inkColour, paperColour, smoothText_);
        const QRect ink = stamp->ink.translated(origin);
        const QRect reach = stamp->reach.translated(origin);
        if (!ink.isEmpty() &&
            (ink.left() < limit.left || ink.top() < limit.top || ink.right() >= limit.right ||
             ink.bottom() >= limit.bottom || !onlyPaperUnder(ink, static_cast<uchar>(paper)))) {
            return false;
        }
        for (const Placed& p : placed) {
            if (reach.intersects(p.stamp->reach.translated(p.origin))) {
                return false;
            }
        }
        placed.append({std::move(stamp), origin});
    }
    for (const Placed& p : placed) {
        const GlyphStamp& stamp = *p.stamp;
        // Under the ink lies the background alone, so every pixel is set, the unchanged ones
        // to the background: no branch per pixel.
        std::array<uchar, kMaxPaletteColours + 1> index;  // only the stamp's shades are read
        index[0] = static_cast<uchar>(paper);
        for (size_t k = 0; k < stamp.colours.size(); ++k) {
            const int i = palette_.indexOf(stamp.colours[k]);
            if (i < 0) {
                exact_ = false;  // as Qt's drawing would have found the palette full
                return true;
            }
            index[k + 1] = static_cast<uchar>(i);
        }
        const QRect ink = stamp.ink.translated(p.origin);
        const uint8_t* shade = stamp.shades.data();
        for (int row = ink.top(); row <= ink.bottom(); ++row) {
            uchar* to = pixels_ + row * bytesPerLine_ + ink.left();
            for (int i = 0; i < ink.width(); ++i) {
                to[i] = index[shade[i]];
            }
            shade += ink.width();
        }
    }
    return true;
}

bool IndexedSurface::onlyPaperUnder(const QRect& r, uchar paper) const {
    for (int row = r.top(); row <= r.bottom(); ++row) {
        const uchar* from = pixels_ + row * bytesPerLine_ + r.left();
        if (std::any_of(from, from + r.width(), [paper](uchar p) { return p != paper; })) {
            return false;
        }
    }
    return true;
}

// The painter that draws text on the scratch picture, which holds at least width x height
// pixels. It lives as long as the surface: a painter begins on a picture at some cost, and a
// symbol has a dozen digits or more.
QPainter& IndexedSurface::scratchPainter(int width, int height) {
    if (scratch_.width() < width || scratch_.height() < height) {
        scratchPainter_.reset();
        scratch_ = QImage(std::max(width, scratch_.width()), std::max(height, scratch_.height()),
                          QImage::Format_RGB32);
    }
    if (!scratchPainter_) {
        // As the painter surface sets its painter for text.
        scratchPainter_ = std::make_unique<QPainter>(&scratch_);
        scratchPainter_->setRenderHint(QPainter::Antialiasing, false);
        scratchPainter_->setRenderHint(QPainter::TextAntialiasing, true);
        scratchPen_.reset();
    }
    return *scratchPainter_;
}

// Draws the text on a 32-bit copy of the area's pixels (inside the canvas), clipped to the
// area or not, and takes its pixels back as palette indices. All the ink lies in the area.
void IndexedSurface::paintText(const PixelRect& area, bool clipped, int32_t x, int32_t y,
                               const QString& text) {
    const PixelRect in = intersect(area, whole_);
    if (in.empty()) {
        return;
    }
    const QRect inside(static_cast<int>(in.left), static_cast<int>(in.top),
                       static_cast<int>(in.right - in.left), static_cast<int>(in.bottom - in.top));
    QPainter& painter = scratchPainter(inside.width(), inside.height());
    // The colours before the text: the palette only grows, so these stay as they are.
    Colours under{};
    const size_t known = palette_.colours().size();
    std::copy_n(palette_.colours().begin(), known, under.begin());
    if (!copyUnder(inside, under, known)) {
        exact_ = false;  // a pixel of the caller's past its colour table
        return;
    }
    painter.setTransform(QTransform::fromTranslate(-inside.left(), -inside.top()));
    if (clipped) {
        painter.setClipRect(inside);
    } else {
        painter.setClipping(false);
    }
    if (scratchPen_ != line_.color) {
        painter.setPen(line_.color);
        scratchPen_ = line_.color;
    }
    font().draw(painter, x, y, text);
    if (!takeBack(inside, under)) {
        exact_ = false;
    }
}

// The canvas's pixels in the rectangle, in colour, to the top-left of the scratch picture;
// false when one indexes past the known colours.
bool IndexedSurface::copyUnder(const QRect& r, const Colours& colours, size_t known) {
    uchar* scratch = scratch_.bits();
    for (int row = 0; row < r.height(); ++row) {
        const uchar* from = pixels_ + (r.top() + row) * bytesPerLine_ + r.left();
        auto* to = reinterpret_cast<QRgb*>(scratch + row * scratch_.bytesPerLine());
        for (int i = 0; i < r.width(); ++i) {
            if (from[i] >= known) {
                return false;
            }
            to[i] = colours[from[i]];
        }
    }
    return true;
}

// The scratch picture's pixels back in the canvas's rectangle, those the text changed looked
// up in the palette; false when one finds it full.
bool IndexedSurface::takeBack(const QRect& r, const Colours& under) {
    if (!smoothText_) {
        return takeBackSharp(r, under);
    }
    const uchar* scratch = scratch_.constBits();
    for (int row = 0; row < r.height(); ++row) {
        uchar* to = pixels_ + (r.top() + row) * bytesPerLine_ + r.left();
        const auto* from = reinterpret_cast<const QRgb*>(scratch + row * scratch_.bytesPerLine());
        for (int i = 0; i < r.width(); ++i) {
            if (from[i] != under[to[i]]) {
                const int index = palette_.indexOf(from[i]);
                if (index < 0) {
                    return false;
                }
                to[i] = static_cast<uchar>(index);
            }
        }
    }
    return true;
}

// Without smoothing: a pixel the text covers at least half of takes the line colour, any other
// keeps its own. (Qt smooths the glyphs of a raw font whatever the painter's hints say.)
bool IndexedSurface::takeBackSharp(const QRect& r, const Colours& under) {
    const int line = indexOf(line_);
    if (line < 0) {
        return false;
    }
    const QRgb ink = palette_.colours()[static_cast<size_t>(line)];
    const uchar* scratch = scratch_.constBits();
    for (int row = 0; row < r.height(); ++row) {
        uchar* to = pixels_ + (r.top() + row) * bytesPerLine_ + r.left();
        const auto* from = reinterpret_cast<const QRgb*>(scratch + row * scratch_.bytesPerLine());
        for (int i = 0; i < r.width(); ++i) {
            if (coveredHalf(from[i], under[to[i]], ink)) {
                to[i] = static_cast<uchar>(line);
            }
        }
    }
    return true;
}

}  // namespace strikon
