#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "weather/WeatherData.h"

namespace wx {

// The station table's columns after the identifier: distance, wind, QNH,
// visibility, temperature, cloud layers, turbulence, icing, precipitation
// and the upper-air summary. All texts are ASCII.
inline constexpr size_t kStationCellCount = 10;
using StationCells = std::array<std::string, kStationCellCount>;

StationCells stationCells(const WeatherData& weather, double distanceNm);

// The first six upper-air layers as "FL100 250/45 -17C" (without the
// temperature when the layer has none), joined with " | "; "-" for none.
std::string upperAirSummary(const std::vector<UpperAirLayer>& layers);

// Altitude in metres as a flight level (hundreds of feet), rounded to the
// nearest, halves away from zero.
int32_t flightLevel(int32_t altitudeM);

}  // namespace wx
