#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace wx {

// Model values arrive as doubles of any size; these turn them into record
// fields without undefined behaviour: NaN gives 0 and values beyond the
// 32-bit range stop at its ends.
inline int32_t truncatedInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(value);
}

// Nearest integer, halves away from zero.
inline int32_t roundedInt32(double value) { return truncatedInt32(std::round(value)); }

// Nearest whole degree, then the remainder of its division by 360 (with the
// sign of the dividend).
inline int32_t directionDeg(double value) { return roundedInt32(value) % 360; }

// km/h to whole knots.
inline int32_t knotsFromKmh(double kmh) { return roundedInt32(kmh / 1.852); }

}  // namespace wx
