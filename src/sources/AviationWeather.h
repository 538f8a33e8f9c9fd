#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sources/HttpClient.h"
#include "sources/WeatherSource.h"
#include "weather/LogFn.h"

namespace wx {

// Requests to the aviation-weather service (host from NUBIRO_AWC_URL).
// Each one takes at most this long as a whole.
constexpr int kAviationWeatherTimeoutSec = 25;

// METARs of all ids in one JSON request ("hours" = 2), with the plain-text
// endpoint as fallback when that answer is absent or empty; tolerant of
// byte-order marks, HTML pages, single objects and plain report lines. A
// cancelled request ends it quietly with an empty map.
MetarFetch fetchMetarsWithFallback(HttpClient& http, const LogFn& log, const std::vector<std::string>& stationIds);

// The reduced variant: one JSON request without "hours", no fallback and no
// cleaning; decoding stops at an element that is not an object. Its only log
// line is for an element skipped for a member of the wrong type.
MetarFetch fetchMetarsJsonOnly(HttpClient& http, const LogFn& log, const std::vector<std::string>& stationIds);

// Decodes one answer of either METAR endpoint (the part of the full variant
// after the request), logging as that variant does.
MetarMap decodeMetarAnswer(const std::string& body, const LogFn& log);

// The past's reports from the JSON endpoint alone: "date" = the weather
// time (the end of the period) and "hours" = kPastReportAge, so each
// station's newest report at or before the weather time and no older than
// that; decoded as decodeMetarAnswer does. A cancelled request ends it
// quietly with an empty map.
MetarFetch fetchMetarsAt(HttpClient& http, const LogFn& log, const std::vector<std::string>& stationIds,
                         std::chrono::system_clock::time_point weatherTime);

// The international SIGMETs: every element of the answer's top-level array,
// unchanged; empty on any failure, an answer holding values more than 64
// levels deep included. With a date, those the service held at that time.
std::vector<nlohmann::json> fetchSigmetList(HttpClient& http,
                                            std::optional<std::chrono::system_clock::time_point> date = {});

// The query of the TAF endpoint (/api/data/taf) for the ids: JSON, and with
// a date the TAFs the service held at that time.
QueryParams tafQuery(const std::vector<std::string>& stationIds,
                     std::optional<std::chrono::system_clock::time_point> date = {});

// "2022-10-23T14:50:00Z": the service's "date" parameter.
std::string aviationWeatherDate(std::chrono::system_clock::time_point time);

}  // namespace wx
