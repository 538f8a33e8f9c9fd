#pragma once

#include <chrono>
#include <map>
#include <string>

namespace wx::sim {

struct ForecastAnswer {
    int status = 200;
    std::string body;  // JSON
};

// The forecast service's answer for the query parameters ("latitude",
// "longitude", "hourly", "forecast_days"): hourly series of every variable
// asked for over whole UTC days starting today, or from "start_date" to
// "end_date" as the historical forecast host answers, with values that vary
// plausibly with position and hour and stay the same for a given day. A
// missing or bad position or an unknown variable gives status 400 with the
// service's error object.
ForecastAnswer forecastAnswer(const std::map<std::string, std::string>& params,
                              std::chrono::system_clock::time_point now);

}  // namespace wx::sim
