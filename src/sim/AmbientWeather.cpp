#include "sim/AmbientWeather.h"

#include <cmath>

namespace wx {
namespace {

constexpr double kMetresPerHundredthMile = 16.0934;

}  // namespace

AmbientWeather ambientFromWords(const AmbientWords& words) {
    AmbientWeather weather;
    weather.windSpeedKt = words.windSpeedKt;
    weather.windDirDeg = words.windDirection * 360.0 / 65536.0;
    weather.temperatureC = words.temperature256 / 256.0;
    weather.qnhHpa = words.qnh16 / 16.0;
    weather.visibilityM = static_cast<int32_t>(std::lround(words.visibilityHundredthsMile * kMetresPerHundredthMile));
    weather.windDirTrue = words.surfaceWindCeilingM != 0 && words.altitudeM >= words.surfaceWindCeilingM;
    return weather;
}

}  // namespace wx
