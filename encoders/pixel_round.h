#pragma once
// Every pixel coordinate is one whole expression, evaluated in extended precision and rounded
// once, to the nearest integer with ties to even (2.5 -> 2, 3.5 -> 4, -0.5 -> 0). Terms are never
// rounded on their own; build the whole sum as long double and pass it here.

#include <cmath>
#include <cstdint>

namespace strikon {

inline int32_t roundPx(long double v) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even by default
    // and is never changed by this program.
    return static_cast<int32_t>(std::nearbyintl(v));
}

}  // namespace strikon
