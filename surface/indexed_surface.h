#pragma once
// The drawing surface on an 8-bit picture (QImage::Format_Indexed8) whose colours form an
// exact palette: a symbol's line and background colours and the blends of its smoothed digits.
// It gives the very pixels the painter surface (QtSurface) gives a 32-bit picture, with a
// quarter of the memory to fill and no colours to look up afterwards: rectangles and lines set
// their index straight in the pixels, and Qt draws the text, exactly as there, on a 32-bit copy
// of the few pixels under it, whose blends then join the palette. A glyph Qt has drawn once over
// the same background is copied from then on instead (glyph_stamps.h).
//
// Measured by bench/picture_bench (Release build, CPU time on the 2-core 2.6 GHz build machine,
// one run), an EAN-13 drawn into a new picture: 17.4 µs here against the painter surface's
// 52.5 µs on 32 bits at 300 dpi, 0.89 ms against 6.6 ms at 1200 dpi (BM_IndexedSurfacePicture
// against BM_PainterSurfacePicture); on to the PNG file, where the 32-bit picture's colours are
// looked up first, 64 µs against 134 µs and 1.6 ms against 8.0 ms (BM_IndexedSurfaceToPng
// against BM_PainterSurfaceToPng). Stamping the digits took the 300 dpi picture from 42.7 µs to
// 19.5 µs in an earlier run of the same benchmark; at 1200 dpi Qt draws every digit.
//
// Only opaque colours, and no more than 256 of them, fit: a translucent colour, or a colour
// past the 256th, leaves the picture inexact (see exact()), and the caller draws it on 32 bits.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "encoders/surface.h"
#include "formats/exact_palette.h"
#include "surface/band_fills.h"
#include "surface/cell_font.h"
#include "surface/line_pixels.h"
#include "surface/pen_font_surface.h"

namespace strikon {

class IndexedSurface final : public PenFontSurface {
  public:
    // canvas: Format_Indexed8, its colour table opaque and without repeats (it may be empty).
    // Colours the drawing needs are added to the table, which is set when the surface goes.
    explicit IndexedSurface(QImage& canvas);
    // For a canvas whose pixels are not set yet: they are filled with `colour` before anything
    // is drawn over them.
    void clearCanvasFirst(const QColor& colour);
    ~IndexedSurface() override;

    void setLineColor(const QColor& color);
    void setBackgroundColor(const QColor& color);
    // Off: glyphs are drawn in the line colour alone, without grey edges (smoothing is on),
    // so the picture holds the line and background colours only.
    void setSmoothText(bool smooth);
    // Off: every text is drawn by Qt, none stamped from glyphs drawn before (see glyph_stamps.h).
    // The pixels are the same either way; this is for measuring and for checking that.
    void setStampGlyphs(bool stamp);
    // False once a colour was translucent or found the palette full: the picture then is not
    // what the painter surface draws, and is to be drawn again on a 32-bit one.
    bool exact() const { return exact_; }

    void fillRect(const Rect& r) override;
    void lineTo(int32_t x, int32_t y) override;
    void textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) override;
    void textAt(int32_t x, int32_t y, const std::string& text) override;

  private:
    // A colour's palette index, looked up once and kept until the colour changes.
    struct Ink {
        QColor color;
        std::optional<int> index;
    };

    int indexOf(Ink& ink);
    void fill(const PixelRect& r, int index);
    void paintFills();
    void flushLines();
    void drawText(int32_t x, int32_t y, const QString& text, const std::optional<PixelRect>& box);
    using Colours = std::array<QRgb, kMaxPaletteColours>;
    void paintText(const PixelRect& area, bool clipped, int32_t x, int32_t y, const QString& text);
    bool stampText(int32_t x, int32_t y, const QString& text, const std::optional<PixelRect>& box);
    bool onlyPaperUnder(const QRect& r, uchar paper) const;
    QPainter& scratchPainter(int width, int height);
    bool copyUnder(const QRect& r, const Colours& colours, size_t known);
    bool takeBack(const QRect& r, const Colours& under);
    bool takeBackSharp(const QRect& r, const Colours& under);

    QImage& canvas_;
    uchar* pixels_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    PixelRect whole_;
    ExactPalette palette_;
    bool exact_ = true;
    BandFills fills_;
    Ink line_{Qt::black, std::nullopt};
    Ink background_{Qt::white, std::nullopt};
    GatheredLines<int> lines_;  // by palette index
    // The 32-bit pixels under a text while Qt draws it, and the painter that draws it there.
    QImage scratch_;
    std::unique_ptr<QPainter> scratchPainter_;
    std::optional<QColor> scratchPen_;
    bool smoothText_ = true;
    bool stampGlyphs_ = true;
};

}  // namespace strikon
