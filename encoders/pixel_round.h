#pragma once
// Every pixel coordinate is one whole expression, evaluated in extended precision and rounded
// once, to the nearest integer with ties to even (2.5 -> 2, 3.5 -> 4, -0.5 -> 0). Terms are never
// rounded on their own; build the whole sum as long double and pass it here.

#include <cmath>
#include <cstdint>

namespace strikon {

inline int32_t roundPx(long double v) {
    // rint follows the current rounding mode, which is round-to-nearest-even by default and is
    // never changed by this program. It rounds as nearbyint does and differs only in raising
    // the inexact flag, which nothing here reads; nearbyint saves and restores the floating-
    // point environment at every call, which made it a sixth of a repaint.
    return static_cast<int32_t>(std::rintl(v));
}

}  // namespace strikon
