#pragma once
// The drawing surface on a caller's QPainter: the seven operations of the drawing contract
// with exactly its pixel semantics, in the painter's own units.
//
// Colours: the line colour paints lines and text, the background colour fills rectangles,
// text boxes and text cells. Both start as black on white. To fill with another colour (the
// preview clears itself in the window colour first), set the background colour, fill, and
// set it back.
//
// Bars and fills are drawn with antialiasing off, as whole pixels. Glyphs are smoothed in
// grey (no subpixel colours); see CellFont for how text is sized, measured and placed.
//
// The surface saves the painter's state when it is made and restores it when it goes, so the
// painter is as the caller left it afterwards. The painter must outlive the surface.
//
// Where the painter paints into a 32-bit image (a window's, a grab's or the caller's own) and
// only shifts by whole pixels, rectangles in opaque colours are set straight in the image's
// pixels, with the values Qt would set, inside the area Qt lets the painting reach.
//
// Adjacent one-pixel lines of one colour and one length (the columns of a bar, the rows of a
// bearer, two sides of a frame drawn in turn) are gathered and painted as rectangles before
// anything else is drawn; the last of them are painted when the surface goes.
//
// Fonts, with the glyphs their engines have rendered, are kept per thread across surfaces:
// a repaint draws the same digits at the same cell heights as the one before.

#include <QColor>
#include <QPoint>
#include <QRawFont>
#include <QRgb>
#include <QString>
#include <optional>
#include <vector>

#include "encoders/surface.h"
#include "surface/cell_font.h"
#include "surface/line_pixels.h"
#include "surface/pen_font_surface.h"

class QImage;
class QPainter;

namespace strikon {

class QtSurface final : public PenFontSurface {
  public:
    explicit QtSurface(QPainter& painter);
    // canvas: the image the painter paints on, when it is the caller's own and may be cleared
    // by the surface (see clearCanvasFirst).
    QtSurface(QPainter& painter, QImage& canvas);
    // For a canvas whose pixels are not set yet: they are filled with `colour` before the first
    // drawing, unless that drawing is an opaque fill of the whole canvas (which sets them all).
    void clearCanvasFirst(const QColor& colour);
    ~QtSurface() override;

    void setLineColor(const QColor& color) { lineColor_ = color; }
    void setBackgroundColor(const QColor& color) { backgroundColor_ = color; }
    QColor lineColor() const { return lineColor_; }
    QColor backgroundColor() const { return backgroundColor_; }

    // Whether opaque rectangles are set straight in the painted image's pixels.
    bool setsPixels() const { return pixels_ != nullptr; }

    void fillRect(const Rect& r) override;
    void lineTo(int32_t x, int32_t y) override;
    void textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) override;
    void textAt(int32_t x, int32_t y, const std::string& text) override;

  private:
    void findPixels();
    void setPixels(int64_t left, int64_t top, int64_t right, int64_t bottom, QRgb pixel);
    void fill(int64_t left, int64_t top, int64_t right, int64_t bottom, const QColor& color);
    void paintRect(int64_t left, int64_t top, int64_t right, int64_t bottom, const QColor& color);
    void clearPending();
    void flushLines();
    void drawText(int32_t x, int32_t y, const QString& text);

    QPainter& painter_;
    // Whether the caller's painter clips; the surface's own clips (text boxes) come and go.
    bool callerClips_ = false;
    // The pen colour this surface last gave the painter, if it still has it.
    std::optional<QColor> penColor_;
    // The painted image's pixels when rectangles may be set in them directly, else null; the
    // image pixel of surface point (0, 0), and the parts of the surface the painting may reach.
    uchar* pixels_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    int64_t originX_ = 0;
    int64_t originY_ = 0;
    std::vector<PixelRect> reach_;
    int width_ = 0;
    int height_ = 0;
    QImage* canvas_ = nullptr;
    // The canvas to clear before anything is drawn, else null.
    QImage* uncleared_ = nullptr;
    QColor clearColour_;
    QColor lineColor_ = Qt::black;
    QColor backgroundColor_ = Qt::white;
    // Lines gathered into rectangles, not yet painted.
    GatheredLines<QColor> lines_;
};

}  // namespace strikon
