#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <nlohmann/json.hpp>

#include "weather/WeatherData.h"

namespace wx {

// Icing 0..4 from temperature (°C), moisture (cloud cover, %) and vertical
// velocity as the model delivers it.
int32_t icingIndex(float temperatureC, float moisturePct, float verticalVelocity);

// One layer per pressure level of hour index that has temperature, wind
// speed and wind direction, appended with rising altitude.
void appendUpperAirLayers(const nlohmann::json& hourly, size_t index, std::vector<UpperAirLayer>& layers);

}  // namespace wx
