// Rounding to a 32-bit integer as the test window's arithmetic needs it.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace brennick {

// The nearest integer, a value exactly halfway going to the even neighbour (100.5 -> 100,
// 101.5 -> 102); beyond the 32-bit range the nearest limit, and 0 for NaN. Written out rather
// than left to the floating-point rounding mode, which another party could have changed.
inline std::int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (value <= lowest) return std::numeric_limits<std::int32_t>::min();
    if (value >= highest) return std::numeric_limits<std::int32_t>::max();
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1.0;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace brennick
