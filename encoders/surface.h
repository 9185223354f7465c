#pragma once
// The drawing contract between the encoders and whatever they draw on.
//
// Units: device pixels, x growing to the right and y downwards, as signed 32-bit integers.
// Colours are the caller's business: before a call the caller sets the pen and text colour to
// the line colour and the brush to the background colour; the encoders never change a colour.
// The encoders only set the font, and leave it as they last set it.

#include <cstdint>
#include <string>

namespace strikon {

// Left, top, right, bottom. Right and bottom lie just past the last covered pixel.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// The seven operations the encoders use. A render call that receives no surface (nullptr)
// only measures: it computes the bounding rectangle and calls nothing here.
class Surface {
  public:
    Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    virtual ~Surface() = default;

    // Paints columns left..right-1 and rows top..bottom-1 with the brush colour.
    virtual void fillRect(const Rect& r) = 0;
    // Sets the pen position; draws nothing.
    virtual void moveTo(int32_t x, int32_t y) = 0;
    // One-pixel line in the pen colour from the pen position to (x, y), the end point itself
    // left out; (x, y) becomes the pen position. The encoders draw only vertical and
    // horizontal lines, in either direction: add-on bars run upwards (from (x, yb) to (x, yt)
    // paints rows yt + 1..yb), ITF-14 bearer rows run left to right.
    virtual void lineTo(int32_t x, int32_t y) = 0;
    // Font by face name and the height of its character cell in pixels (ascent plus descent,
    // internal leading included), not by its em size.
    virtual void setFont(const std::string& face, int32_t cellHeight) = 0;
    // Advance width of the text in the current font, in whole pixels.
    virtual int32_t textWidth(const std::string& text) = 0;
    // Paints the box with the brush colour, then draws the text in the text colour with the
    // top-left corner of its character cell at (x, y), clipped to the box.
    virtual void textInBox(const Rect& box, int32_t x, int32_t y, const std::string& text) = 0;
    // Draws the text with the top-left corner of its character cell at (x, y), unclipped, the
    // character cells painted with the brush colour. Leaves the pen at (x + text width, y).
    virtual void textAt(int32_t x, int32_t y, const std::string& text) = 0;
};

}  // namespace strikon
