#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "sources/HttpClient.h"

namespace wx {

struct PressureLevel {
    int32_t hPa;
    int32_t nominalAltitudeM;
};

// The ten pressure levels asked for and decoded, in request order.
inline constexpr std::array<PressureLevel, 10> kPressureLevels{{{1000, 110},
                                                                 {925, 760},
                                                                 {850, 1500},
                                                                 {700, 3000},
                                                                 {600, 4400},
                                                                 {500, 5570},
                                                                 {400, 7180},
                                                                 {300, 9200},
                                                                 {250, 10360},
                                                                 {200, 11780}}};

// The whole of one forecast request.
constexpr int kForecastTimeoutSec = 40;

// The "hourly" parameter: 19 surface variables, then five for each level.
std::string forecastVariables();

// The Open-Meteo answer for the point (host from NUBIRO_OPENMETEO_URL);
// absent when no answer came (a failed request or a status outside 200 to
// 299). Throws json::parse_error when the answer is not JSON (an HTML page,
// an empty body).
std::optional<nlohmann::json> fetchForecast(HttpClient& http, double lat, double lon);

// The historical forecast for the point's whole UTC day (host from
// NUBIRO_OPENMETEO_HISTORY_URL): the same variables and the same answer as
// fetchForecast, with "start_date" and "end_date" naming the day.
std::optional<nlohmann::json> fetchHistoricalForecast(HttpClient& http, double lat, double lon,
                                                      std::chrono::sys_days day);

// "2022-10-23".
std::string isoDay(std::chrono::sys_days day);

// Index of the UTC hour of `now` in answer["hourly"]["time"]; nothing when
// it is not there or the array is malformed. Never throws.
std::optional<size_t> hourIndex(const nlohmann::json& answer, std::chrono::system_clock::time_point now);

// hourIndex, or 0 without one: the first hour of the answer is used then.
size_t currentHourIndex(const nlohmann::json& answer, std::chrono::system_clock::time_point now);

// hourly[name][index] as a number. Absent for a missing variable or hour and
// for null, boolean, object and array values. A string is read as a decimal
// number; one without a number throws std::invalid_argument ("invalid stod
// argument"), one out of range std::out_of_range ("stod argument out of
// range").
std::optional<double> hourlyValue(const nlohmann::json& hourly, size_t index, const std::string& name);

// "temperature_" + hPa + "hPa" and its kin.
std::string levelVariable(const char* quantity, int32_t hPa);

}  // namespace wx
