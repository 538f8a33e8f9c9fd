#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "briefing/Briefing.h"
#include "sources/HttpClient.h"
#include "weather/LogFn.h"

namespace wx {

// A TAF request waits at most this long: a late answer costs the cycle no
// more than this, and the briefing goes without the forecasts.
constexpr int kTafTimeoutSec = 15;

// The TAFs of all ids in one JSON request to the aviation-weather service
// (/api/data/taf, ids comma-separated); with `date`, those it held then. Nothing when the service gave no
// answer ("TAF fetch failed", ERROR, unless the request was cancelled), an
// empty one ("TAF: empty answer", WARN) or one that is no forecast list
// (see decodeTafAnswer); none is asked for an empty id list.
std::optional<std::vector<Taf>> fetchTafList(HttpClient& http, const LogFn& log,
                                             const std::vector<std::string>& stationIds,
                                             std::optional<std::chrono::system_clock::time_point> date = {});

}  // namespace wx
