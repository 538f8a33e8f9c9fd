#pragma once

#include <chrono>

namespace wx {

// How far back the services reach when the pilot flies a time in the past.

// The aviation-weather service's Data API keeps "the previous 15 days of
// data" (its API page, aviationweather.gov/data/api), counted back from the
// present, for METARs, TAFs and SIGMETs alike.
inline constexpr std::chrono::days kAviationWeatherReach{15};

// The oldest weather time the pilot may choose: the start of the METAR
// archive Nubiro asks beyond the aviation-weather service's reach. The
// Mesonet's METAR archive page gives 1900 to the present for its stations,
// but the raw report texts it serves come from its own ingest of the
// worldwide feeds, complete from the 2000s on; 2000 is the conservative
// start.
inline constexpr std::chrono::sys_days kMetarArchiveStart{std::chrono::year{2000} / 1 / 1};

// The first day of the historical model forecasts, pressure levels
// included; before it a past flight has no model data. Open-Meteo's
// Historical Forecast API archives its models' first forecast hours from
// 2021 for some models and from 2022 for all of them (pressure levels
// included), so the first of January 2022 is the first day every variable
// Nubiro asks for is there.
inline constexpr std::chrono::sys_days kHistoricalForecastStart{std::chrono::year{2022} / 1 / 1};

// A station's report serves a past time when it was observed at most this
// long before it.
inline constexpr std::chrono::hours kPastReportAge{3};

}  // namespace wx
