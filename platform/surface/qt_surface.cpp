#include "qt_surface.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace strikon {

namespace {

// QRect keeps right = left + width - 1 in an int. Edges are clamped far beyond any device so
// that this never overflows, whatever coordinates the caller hands in.
constexpr int64_t kEdgeLimit = int64_t{1} << 29;

int clampEdge(int64_t v) {
    return static_cast<int>(std::clamp(v, -kEdgeLimit, kEdgeLimit));
}

int32_t clampToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

QRect toQRect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    const int l = clampEdge(left);
    const int t = clampEdge(top);
    return QRect(l, t, clampEdge(right) - l, clampEdge(bottom) - t);
}

// A diagonal is never drawn by the encoders; this bound only keeps an absurd one from
// stalling the program. It is longer than any page at printer resolution.
constexpr int64_t kMaxDiagonalSteps = int64_t{1} << 20;

// Fonts by face name and cell height, for this thread only: a raw font and its glyph cache
// are not to be shared between threads. Resolving a face asks fontconfig and sizing one
// makes a new font engine whose glyphs are rendered again, so both are kept. A symbol uses
// two or three heights; the bound only keeps a long session of zooming from growing it.
class FontCache {
  public:
    const CellFont& font(const QString& face, int32_t cellHeight) {
        const Key key{face, cellHeight};
        if (const auto found = fonts_.constFind(key); found != fonts_.constEnd()) {
            return *found;
        }
        if (fonts_.size() >= kMaxFonts) {
            fonts_.clear();
        }
        return *fonts_.insert(key, CellFont(faceNamed(face), cellHeight));
    }

    // A worker thread's fonts go with the thread. The main thread's are never destroyed: it
    // outlives the application object, and fonts must not be released after it.
    static FontCache& forThisThread() {
        const QCoreApplication* app = QCoreApplication::instance();
        if (app == nullptr || QThread::currentThread() == app->thread()) {
            static FontCache* const mainThread = new FontCache;
            return *mainThread;
        }
        thread_local FontCache worker;
        return worker;
    }

  private:
    using Key = std::pair<QString, int32_t>;
    static constexpr qsizetype kMaxFonts = 64;

    const QRawFont& faceNamed(const QString& face) {
        auto found = faces_.find(face);
        if (found == faces_.end()) {
            found = faces_.insert(face, CellFont::resolveFace(face));
        }
        return *found;
    }

    QHash<QString, QRawFont> faces_;
    QHash<Key, CellFont> fonts_;
};

}  // namespace

QtSurface::QtSurface(QPainter& painter) : painter_(painter) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

QtSurface::QtSurface(QPainter& painter, QImage& canvas) : QtSurface(painter) {
    canvas_ = &canvas;
    const QImage::Format format = canvas.format();
    const bool plain = painter.device() == &canvas && painter.worldTransform().isIdentity() &&
                       !painter.hasClipping() && painter.opacity() == 1.0 &&
                       painter.compositionMode() == QPainter::CompositionMode_SourceOver;
    if (plain && (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                  format == QImage::Format_ARGB32_Premultiplied)) {
        pixels_ = canvas.bits();
        bytesPerLine_ = canvas.bytesPerLine();
        width_ = canvas.width();
        height_ = canvas.height();
    }
}

void QtSurface::clearCanvasFirst(const QColor& colour) {
    uncleared_ = canvas_;
    clearColour_ = colour;
    if (pixels_ == nullptr) {
        clearPending();  // no fill can be known to cover it
    }
}

void QtSurface::clearPending() {
    if (uncleared_ != nullptr) {
        std::exchange(uncleared_, nullptr)->fill(clearColour_);
    }
}

QtSurface::~QtSurface() {
    flushLines();
    clearPending();  // nothing was drawn
    painter_.restore();
}

void QtSurface::fill(int64_t left, int64_t top, int64_t right, int64_t bottom,
                     const QColor& color) {
    if (right <= left || bottom <= top) {
        return;
    }
    flushLines();
    paintRect(left, top, right, bottom, color);
}

void QtSurface::paintRect(int64_t left, int64_t top, int64_t right, int64_t bottom,
                          const QColor& color) {
    const QRgba64 rgba = color.rgba64();
    const bool opaque = rgba.isOpaque();
    if (uncleared_ != nullptr &&
        !(opaque && left <= 0 && top <= 0 && right >= width_ && bottom >= height_)) {
        clearPending();
    }
    uncleared_ = nullptr;  // cleared, or about to be covered whole
    if (pixels_ == nullptr || !opaque) {
        painter_.fillRect(toQRect(left, top, right, bottom), color);
        return;
    }
    // An opaque colour covers what is under it: Qt sets its 8-bit value, as here.
    const QRgb pixel = rgba.toArgb32();
    const int64_t l = std::max<int64_t>(left, 0);
    const int64_t r = std::min<int64_t>(right, width_);
    const int64_t t = std::max<int64_t>(top, 0);
    const int64_t b = std::min<int64_t>(bottom, height_);
    if (r <= l || b <= t) {
        return;
    }
    const auto rowOf = [&](int64_t y) {
        return reinterpret_cast<QRgb*>(pixels_ + y * bytesPerLine_) + l;
    };
    const auto n = static_cast<size_t>(r - l);
    std::fill_n(rowOf(t), n, pixel);
    // A wide span is copied from the row above, a narrow one (a bar) is set where it is:
    // the library's copy moves whole vectors at once, where the loop sets a pixel at a time.
    constexpr size_t kCopyFrom = 16;
    for (int64_t y = t + 1; y < b; ++y) {
        if (n >= kCopyFrom) {
            std::memcpy(rowOf(y), rowOf(t), n * sizeof(QRgb));
        } else {
            std::fill_n(rowOf(y), n, pixel);
        }
    }
}

// A line in the line colour, joined to the gathered run where it continues it exactly: the
// next column of the same rows, or the next row of the same columns.
void QtSurface::line(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (right <= left || bottom <= top) {
        return;
    }
    const bool sameColour = runColor_ == lineColor_;
    if (sameColour && run_.right > run_.left) {
        if (left == run_.right && top == run_.top && bottom == run_.bottom) {
            run_.right = right;
            return;
        }
        if (top == run_.bottom && left == run_.left && right == run_.right) {
            run_.bottom = bottom;
            return;
        }
    }
    flushLines();
    run_ = {left, top, right, bottom};
    runColor_ = lineColor_;
}

void QtSurface::flushLines() {
    if (run_.right <= run_.left) {
        return;
    }
    const Run r = std::exchange(run_, Run{});
    paintRect(r.left, r.top, r.right, r.bottom, runColor_);
}

void QtSurface::fillRect(const Rect& r) {
    fill(r.left, r.top, r.right, r.bottom, backgroundColor_);
}

void QtSurface::moveTo(int32_t x, int32_t y) {
    pen_ = QPoint(x, y);
}

void QtSurface::lineTo(int32_t x, int32_t y) {
    const QPoint from = pen_;
    pen_ = QPoint(x, y);
    // Straight lines are filled one-pixel rectangles: a pen's caps and end-point rules are
    // not to be trusted for "the end point left out". Either way the span starts at the pen
    // and stops one pixel short of (x, y).
    if (from.x() == x) {
        const int64_t y0 = from.y();
        const int64_t top = y >= y0 ? y0 : int64_t{y} + 1;
        const int64_t bottom = y >= y0 ? y : y0 + 1;
        line(x, top, int64_t{x} + 1, bottom);
    } else if (from.y() == y) {
        const int64_t x0 = from.x();
        const int64_t left = x >= x0 ? x0 : int64_t{x} + 1;
        const int64_t right = x >= x0 ? x : x0 + 1;
        line(left, y, right, int64_t{y} + 1);
    } else {
        diagonalLine(from, pen_);
    }
}

// Bresenham's walk from `from` towards `to`, the end point left out.
void QtSurface::diagonalLine(QPoint from, QPoint to) {
    const int64_t dx = std::abs(int64_t{to.x()} - from.x());
    const int64_t dy = -std::abs(int64_t{to.y()} - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int64_t x = from.x();
    int64_t y = from.y();
    int64_t err = dx + dy;
    for (int64_t step = 0; step < kMaxDiagonalSteps && (x != to.x() || y != to.y()); ++step) {
        line(x, y, x + 1, y + 1);
        const int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void QtSurface::setFont(const std::string& face, int32_t cellHeight) {
    font_ = FontCache::forThisThread().font(QString::fromStdString(face), cellHeight);
}

int32_t QtSurface::textWidth(const std::string& text) {
    return font_.textWidth(QString::fromStdString(text));
}

void QtSurface::drawText(int32_t x, int32_t y, const QString& text) {
    flushLines();
    clearPending();
    painter_.setPen(lineColor_);
    font_.draw(painter_, x, y, text);
}

void QtSurface::textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) {
    fillRect(box);
    if (box.right <= box.left || box.bottom <= box.top) {
        return;  // an empty box lets no ink through
    }
    painter_.save();
    painter_.setClipRect(toQRect(box.left, box.top, box.right, box.bottom), Qt::IntersectClip);
    drawText(x, y, QString::fromStdString(text));
    painter_.restore();
}

void QtSurface::textAt(int32_t x, int32_t y, const std::string& text) {
    const QString qtext = QString::fromStdString(text);
    const int64_t right = int64_t{x} + font_.textWidth(qtext);
    fill(x, y, right, int64_t{y} + font_.cellHeight(), backgroundColor_);
    drawText(x, y, qtext);
    pen_ = QPoint(clampToInt32(right), y);
}

}  // namespace strikon
