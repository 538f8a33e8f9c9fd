#pragma once

#include <cstdint>

namespace wx {

// The weather the simulator has at the aircraft, read from its offsets.
struct AmbientWeather {
    int32_t windSpeedKt = 0;
    double windDirDeg = 0.0;  // as the simulator gives it: see windDirTrue
    double temperatureC = 0.0;
    double qnhHpa = 0.0;
    int32_t visibilityM = 0;
    // The direction is true: the aircraft is at or above the surface wind
    // ceiling, where the simulator gives upper winds true. Below it (and
    // when the simulator gives no ceiling) the direction is magnetic.
    bool windDirTrue = false;

    bool operator==(const AmbientWeather&) const = default;
};

// The raw words of the ambient offsets, in their own units.
struct AmbientWords {
    uint16_t visibilityHundredthsMile = 0;
    int16_t temperature256 = 0;
    uint16_t windSpeedKt = 0;
    uint16_t windDirection = 0;  // 65536 to the full circle
    uint16_t qnh16 = 0;
    int32_t altitudeM = 0;            // the aircraft's, above sea level
    int16_t surfaceWindCeilingM = 0;  // above sea level; 0: not given
};

AmbientWeather ambientFromWords(const AmbientWords& words);

}  // namespace wx
