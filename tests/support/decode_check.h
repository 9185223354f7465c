#pragma once
// Shared steps of the decoder round trips: draw into a buffer the size of the symbol, hand a
// band of rows across the bars to both decoders, and judge each reading against the digits
// drawn.

#include <cstdint>
#include <functional>
#include <string>

#include "encoders/surface.h"
#include "tests/support/decoders.h"
#include "tests/support/raster_surface.h"

namespace strikon::testing {

// 300 dots per inch, the resolution of saved and copied images.
inline constexpr double kPxPerMm300Dpi = 300.0 / 25.4;

// What a decoder may be excused for, by a measured limit of its version.
enum class Leeway {
    None,          // must read every digit drawn
    AddOnMissed,   // must read the main symbol; the add-on may be missing
    SymbolMissed,  // may read nothing, but what it reads must be right
};

struct Drawing {
    std::string digits;     // main digits followed by add-on digits, as drawn
    size_t mainLength = 0;  // how many of them belong to the main symbol
    Symbology symbology = Symbology::EAN13;
    Leeway zxing = Leeway::None;
    Leeway zbar = Leeway::None;
};

struct RoundTrip {
    std::string faults;       // "" when everything holds, else one line per fault
    bool zxingExact = false;  // read every digit drawn
    bool zbarExact = false;
};

// Draws one symbol at offsets 0 through `render` (called with nullptr to measure, then with a
// surface exactly the measured size) and decodes the rows [bandTop, bandBottom) of the result
// with both decoders. A failing drawing is also written as a PGM file whose path the faults
// give.
using Render = std::function<void(Surface*, Rect&)>;
RoundTrip checkRoundTrip(const Drawing& drawing, const Render& render, int32_t bandTop,
                         int32_t bandBottom, const std::string& label);

}  // namespace strikon::testing
