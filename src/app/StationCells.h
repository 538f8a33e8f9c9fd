#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/CycleStation.h"
#include "weather/WeatherData.h"

namespace wx {

// The station table's columns after the identifier: the flight category,
// distance, the report's age, wind, QNH, visibility, temperature, cloud
// layers, turbulence, icing, precipitation and the upper-air summary. All
// texts but the age of weather without a report are ASCII.
inline constexpr size_t kStationCellCount = 12;
inline constexpr size_t kCategoryCell = 0;
using StationCells = std::array<std::string, kStationCellCount>;

StationCells stationCells(const WeatherData& weather, double distanceNm, std::chrono::system_clock::time_point nowUtc);

// The station's part in the flight as the table's role column and the map
// name it: "DEP", "DEST", "ALTN", "ROUTE"; empty for one of the nearest.
std::string stationRoleCell(StationRole role);

// The report's age in minutes at nowUtc, "95 !" once it is stale; "?" for
// a report without a usable time group; "—" for weather without a report.
std::string reportAgeCell(const std::string& rawMetar, std::chrono::system_clock::time_point nowUtc);

// The first six upper-air layers as "FL100 250/45 -17C" (without the
// temperature when the layer has none), joined with " | "; "-" for none.
std::string upperAirSummary(const std::vector<UpperAirLayer>& layers);

// A temperature in whole degrees as the table shows it: "%.0f", with a
// value that rounds to zero from below shown "0", as a report would.
std::string wholeDegrees(float temperatureC);

// Altitude in metres as a flight level (hundreds of feet), rounded to the
// nearest, halves away from zero.
int32_t flightLevel(int32_t altitudeM);

}  // namespace wx
