#pragma once

#include <chrono>

namespace wx {

// How far back the services reach when the pilot flies a time in the past.
// The aviation-weather service answers for about the last 15 days, counted
// back from the present.
inline constexpr std::chrono::days kAviationWeatherReach{15};

// The oldest weather time the pilot may choose: the start of the METAR
// archive Nubiro asks beyond the aviation-weather service's reach.
inline constexpr std::chrono::sys_days kMetarArchiveStart{std::chrono::year{2000} / 1 / 1};

// The first day of the historical model forecasts, pressure levels
// included; before it a past flight has no model data.
inline constexpr std::chrono::sys_days kHistoricalForecastStart{std::chrono::year{2022} / 1 / 1};

}  // namespace wx
