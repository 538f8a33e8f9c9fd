#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "weather/WeatherData.h"

namespace wx {

// Decodes one raw METAR into a record. Any text is accepted: groups that are
// not found leave the defaults, so the result is always present.
std::optional<WeatherData> decodeMetar(const std::string& stationId, const std::string& raw, int32_t elevationM,
                                       bool cavokHaze, int32_t cavokVisibilityM);

// The hour and minute of the report's "ddhhmmZ" group; empty when there is
// none or it is out of range.
std::optional<ObservationTime> parseObservationTime(const std::string& raw);

// The same group with its day of the month (as written, not checked
// against any month).
struct ObservationStamp {
    int32_t day = 0;
    ObservationTime time;
};
std::optional<ObservationStamp> parseObservationStamp(const std::string& raw);

// (precipType, precipRate) of a blank-separated list of weather tokens: the
// token of highest priority wins, the earliest among equals.
std::pair<int32_t, int32_t> classifyPrecipitation(const std::string& tokens);

}  // namespace wx
