#pragma once

#include <vector>

#include <nlohmann/json.hpp>

#include "engine/SigmetSelection.h"
#include "weather/LogFn.h"
#include "weather/WeatherData.h"

namespace wx {

// Hardens a record with every applicable SIGMET one of whose areas covers
// the point (the station's airport, or the aircraft for the global point):
// thunderstorms and tropical cyclones add a cumulonimbus layer and rain,
// severe turbulence and severe icing raise those values in the layers that
// reach into the SIGMET's base and top (in every layer when it does not
// give both), volcanic ash is logged as an error. Each applied SIGMET adds
// its tag (HAZARD@AREA) to `sigmets`, once however many of its areas cover
// the point. Without any applied, a non-empty answer is logged as "none in
// area" with the size of the whole answer. The clouds end up sorted by base
// whatever applied. Never throws for anything in the list.
void evaluateSigmets(WeatherData& weather, double lat, double lon, const SigmetList& sigmets, const LogFn& log);

}  // namespace wx
