#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "weather/WeatherData.h"

namespace wx {

// One hour of the Open-Meteo answer's "hourly" object as a synthesized
// record: surface values, precipitation, convective turbulence, a
// cumulonimbus for very unstable air, layers aloft and three generic cloud
// layers, clouds sorted by base. Throws what hourlyValue throws.
WeatherData decodeHourly(const std::string& stationId, int32_t elevationM, const nlohmann::json& hourly,
                         size_t index);

// Turbulence 0..4 from CAPE, lifted index and the gust excess over the mean
// wind (both km/h).
int32_t convectiveTurbulence(double cape, double liftedIndex, double gustKmh, double windKmh);

// Adds the model's layers aloft and clouds to a decoded record: each one
// unless the record already holds one within 200 m (layers aloft) or 500 m
// (clouds), counting those added here; then sorts the clouds by base.
// Nothing else of the model record is used.
void mergeModelLayers(WeatherData& weather, const WeatherData& model);

}  // namespace wx
