#pragma once

#include <nlohmann/json.hpp>

#include "weather/WeatherData.h"

namespace wx::cli {

// A record as one JSON object, every field under its own name in declaration
// order, plus "observationTime" read from the report ({"hour","minute"} or
// null).
nlohmann::ordered_json weatherToJson(const WeatherData& weather);

// The inverse: members that are missing keep the defaults of a new record;
// a member of the wrong type throws nlohmann::json::type_error, a number its
// field cannot hold nlohmann::json::out_of_range.
WeatherData weatherFromJson(const nlohmann::json& object);

}  // namespace wx::cli
