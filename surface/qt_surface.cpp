#include "qt_surface.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <limits>
#include <type_traits>
#include <utility>

namespace strikon {

namespace {

// QRect keeps right = left + width - 1 in an int. Edges are clamped far beyond any device so
// that this never overflows, whatever coordinates the caller hands in.
constexpr int64_t kEdgeLimit = int64_t{1} << 29;

int clampEdge(int64_t v) {
    return static_cast<int>(std::clamp(v, -kEdgeLimit, kEdgeLimit));
}

QRect toQRect(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    const int l = clampEdge(left);
    const int t = clampEdge(top);
    return QRect(l, t, clampEdge(right) - l, clampEdge(bottom) - t);
}

}  // namespace

QtSurface::QtSurface(QPainter& painter) : painter_(painter) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    callerClips_ = painter_.hasClipping();
    findPixels();
}

QtSurface::QtSurface(QPainter& painter, QImage& canvas) : QtSurface(painter) {
    canvas_ = &canvas;
    width_ = canvas.width();
    height_ = canvas.height();
}

// Qt paints a window, a grab and an image alike into a 32-bit image behind the painter. When
// the painter only shifts by whole pixels and neither clips nor blends, an opaque rectangle is
// set straight in that image, inside the area Qt lets this painting reach (a widget's visible
// part, the part being repainted): one call per rectangle instead of a painter call per row.
void QtSurface::findPixels() {
    const QPaintEngine* engine = painter_.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster) {
        return;
    }
    QPaintDevice* device = engine->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image) {
        return;
    }
    const auto* image = static_cast<const QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied) {
        return;
    }
    const QTransform toDevice = painter_.deviceTransform();
    const qreal dx = toDevice.dx();
    const qreal dy = toDevice.dy();
    if (toDevice.type() > QTransform::TxTranslate || dx != std::round(dx) || dy != std::round(dy) ||
        callerClips_ || painter_.opacity() != 1.0 ||
        painter_.compositionMode() != QPainter::CompositionMode_SourceOver) {
        return;
    }
    const QRect whole = image->rect();
    const QRegion allowed =
        engine->systemClip().isEmpty() ? QRegion(whole) : engine->systemClip() & whole;
    // The engine paints into the image's own buffer; writing through the same pointer keeps
    // the two in step, where bits() could detach a shared image from under the engine.
    pixels_ = const_cast<uchar*>(image->constBits());
    bytesPerLine_ = image->bytesPerLine();
    originX_ = static_cast<int64_t>(dx);
    originY_ = static_cast<int64_t>(dy);
    for (const QRect& r : allowed) {
        reach_.push_back({r.left() - originX_, r.top() - originY_, r.right() + 1 - originX_,
                          r.bottom() + 1 - originY_});
    }
}

void QtSurface::clearCanvasFirst(const QColor& colour) {
    uncleared_ = canvas_;
    clearColour_ = colour;
    const bool direct = painter_.device() == canvas_ &&
                        reach_ == std::vector<PixelRect>{PixelRect{0, 0, width_, height_}};
    if (!direct) {
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
    for (const PixelRect& reach : reach_) {
        setPixels(std::max(left, reach.left), std::max(top, reach.top),
                  std::min(right, reach.right), std::min(bottom, reach.bottom), pixel);
    }
}

// Sets the pixels of a rectangle in surface coordinates, already inside the reach.
void QtSurface::setPixels(int64_t left, int64_t top, int64_t right, int64_t bottom, QRgb pixel) {
    if (right <= left || bottom <= top) {
        return;
    }
    uchar* row = pixels_ + (top + originY_) * bytesPerLine_ + (left + originX_) * sizeof(QRgb);
    const auto n = static_cast<size_t>(right - left);
    // A wide span is set by the library's fill, which stores whole vectors at a time; a
    // narrow one (a bar) is set in place, cheaper than the call.
    constexpr size_t kLibraryFrom = 16;
    static_assert(sizeof(wchar_t) == sizeof(QRgb), "wmemset sets 32-bit units");
    if (n >= kLibraryFrom) {
        for (int64_t y = top; y < bottom; ++y, row += bytesPerLine_) {
            std::wmemset(reinterpret_cast<wchar_t*>(row), static_cast<wchar_t>(pixel), n);
        }
        return;
    }
    // A bar on a screen is a pixel or a few wide: its width is fixed once for all its rows, so
    // each row is a store or two rather than a loop.
    const auto setRows = [&](auto width) {
        for (int64_t y = top; y < bottom; ++y, row += bytesPerLine_) {
            std::fill_n(reinterpret_cast<QRgb*>(row), width, pixel);
        }
    };
    switch (n) {
        case 1:
            return setRows(std::integral_constant<size_t, 1>{});
        case 2:
            return setRows(std::integral_constant<size_t, 2>{});
        case 3:
            return setRows(std::integral_constant<size_t, 3>{});
        case 4:
            return setRows(std::integral_constant<size_t, 4>{});
        default:
            return setRows(n);
    }
}

void QtSurface::flushLines() {
    lines_.flush([this](const PixelRect& r, const QColor& colour) {
        paintRect(r.left, r.top, r.right, r.bottom, colour);
    });
}

void QtSurface::fillRect(const Rect& r) {
    fill(r.left, r.top, r.right, r.bottom, backgroundColor_);
}

void QtSurface::lineTo(int32_t x, int32_t y) {
    // Straight lines are filled one-pixel rectangles: a pen's caps and end-point rules are
    // not to be trusted for "the end point left out".
    const auto paint = [this](const PixelRect& r, const QColor& colour) {
        paintRect(r.left, r.top, r.right, r.bottom, colour);
    };
    forEachLinePixels(penToLineEnd(x, y), QPoint(x, y),
                      [&](const PixelRect& r) { lines_.add(r, lineColor_, paint); });
}

void QtSurface::drawText(int32_t x, int32_t y, const QString& text) {
    flushLines();
    clearPending();
    if (penColor_ != lineColor_) {
        painter_.setPen(lineColor_);
        penColor_ = lineColor_;
    }
    font().draw(painter_, x, y, text);
}

void QtSurface::textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) {
    fillRect(box);
    if (box.right <= box.left || box.bottom <= box.top) {
        return;  // an empty box lets no ink through
    }
    const QRect inside = toQRect(box.left, box.top, box.right, box.bottom);
    if (callerClips_) {
        painter_.save();
        painter_.setClipRect(inside, Qt::IntersectClip);
        drawText(x, y, QString::fromStdString(text));
        painter_.restore();
        penColor_.reset();  // restored with the rest
        return;
    }
    // Without a clip of the caller's to keep, the box replaces none: cheaper than saving and
    // restoring the painter's whole state for every digit.
    painter_.setClipRect(inside, Qt::ReplaceClip);
    drawText(x, y, QString::fromStdString(text));
    painter_.setClipping(false);
}

void QtSurface::textAt(int32_t x, int32_t y, const std::string& text) {
    const QString qtext = QString::fromStdString(text);
    const int64_t right = textRight(x, qtext);
    fill(x, y, right, int64_t{y} + font().cellHeight(), backgroundColor_);
    drawText(x, y, qtext);
    penAfterText(right, y);
}

}  // namespace strikon
