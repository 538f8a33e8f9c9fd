#pragma once

#include <vector>

#include <nlohmann/json.hpp>

#include "weather/LogFn.h"
#include "weather/WeatherData.h"

namespace wx {

// Hardens a record with every SIGMET of the list whose area covers the point
// (the station's airport, or the aircraft for the global point):
// thunderstorms add a cumulonimbus layer and rain, severe turbulence and
// severe icing raise those values in the layers that reach into the SIGMET's
// base and top (in every layer when it does not give both), volcanic ash is
// logged as an error. Each
// applied SIGMET adds its tag (HAZARD@AREA) to `sigmets`. The clouds end up
// sorted by base whatever applied. Never throws for anything in the list.
void evaluateSigmets(WeatherData& weather, double lat, double lon, const std::vector<nlohmann::json>& sigmets,
                     const LogFn& log);

}  // namespace wx
