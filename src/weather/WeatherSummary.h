#pragma once

#include <cstdint>
#include <string>

#include "weather/WeatherData.h"

namespace wx {

// The short multi-line text shown inside the simulator for one record: the
// report itself when fullReport is set and the record has one, else a
// compact layout; the extra text becomes a last line. Cut to maxLength bytes.
std::string formatWeatherSummary(const WeatherData& weather, bool fullReport, int32_t maxLength,
                                 const std::string& extra);

// The report from its time group on, without the station word, when it starts
// "CCCC ddhhmmZ"; otherwise the report unchanged.
std::string reportWithoutStation(const std::string& report);

}  // namespace wx
