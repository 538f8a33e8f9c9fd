#include "sources/UpperAir.h"

#include <algorithm>

#include "sources/Forecast.h"
#include "sources/NumberConversion.h"

namespace wx {

int32_t icingIndex(float temperatureC, float moisturePct, float verticalVelocity) {
    if (temperatureC > 2.0f || temperatureC < -25.0f || moisturePct < 30.0f) {
        return 0;
    }
    int32_t level = 1;
    if (temperatureC >= -15.0f && temperatureC <= 0.0f) {
        level = 3;
    } else if (temperatureC >= -20.0f && temperatureC < -15.0f) {
        level = 2;
    }
    if (moisturePct >= 80.0f) {
        level = std::min(level + 1, 4);
    }
    if (verticalVelocity > 0.5f) {
        return std::min(level + 1, 4);
    }
    return level;
}

void appendUpperAirLayers(const nlohmann::json& hourly, size_t index, std::vector<UpperAirLayer>& layers) {
    // The icing of every level follows the cloudiness of the whole column.
    double moisture = 0.0;
    for (const char* name : {"cloud_cover_low", "cloud_cover_mid", "cloud_cover_high"}) {
        if (const auto cover = hourlyValue(hourly, index, name)) {
            moisture = std::max(moisture, *cover);
        }
    }
    for (const PressureLevel& level : kPressureLevels) {
        const auto temperature = hourlyValue(hourly, index, levelVariable("temperature", level.hPa));
        const auto speed = hourlyValue(hourly, index, levelVariable("wind_speed", level.hPa));
        const auto direction = hourlyValue(hourly, index, levelVariable("wind_direction", level.hPa));
        const auto height = hourlyValue(hourly, index, levelVariable("geopotential_height", level.hPa));
        if (!temperature || !speed || !direction) {
            continue;
        }
        const double velocity = hourlyValue(hourly, index, levelVariable("vertical_velocity", level.hPa)).value_or(0.0);
        UpperAirLayer layer;
        layer.altitudeM = height ? truncatedInt32(*height) : level.nominalAltitudeM;
        layer.windDirDeg = directionDeg(*direction);
        layer.windSpeedKt = knotsFromKmh(*speed);
        layer.temperatureC = static_cast<float>(*temperature);
        layer.hasTemperature = true;
        layer.icing = icingIndex(static_cast<float>(*temperature), static_cast<float>(moisture),
                                 static_cast<float>(velocity));
        layer.source = "SYNTH";
        layers.push_back(layer);
    }
}

}  // namespace wx
