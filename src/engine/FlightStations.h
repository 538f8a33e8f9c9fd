#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "airports/AirportDb.h"
#include "engine/CycleOverview.h"
#include "engine/EngineSettings.h"
#include "flight/RouteStations.h"
#include "sim/SimLink.h"

namespace wx {

// Route stations are looked for every 50 nm along the route ahead, among
// the airports within 30 nm of each point.
inline constexpr double kRouteSpacingNm = 50.0;
inline constexpr double kRouteSearchRadiusNm = 30.0;
// The METAR request asks at most this many airports near the route for
// each route station wanted: 150 for 30 stations.
inline constexpr size_t kRouteCandidatesPerStation = 5;

// The route stations the settings ask for: 0 to 30.
int32_t routeStationCount(const EngineSettings& settings);

// The route ahead as a cycle looks at it before its METAR request: the
// points along it with the airports around each, and those airports not
// asked for otherwise, which the request then asks too. Points are taken
// from the aircraft onward while their airports fit within the request's
// share for the route (kRouteCandidatesPerStation for each station
// wanted); the route beyond waits for later cycles.
struct RouteAhead {
    std::vector<RouteSample> points;
    std::vector<std::vector<NearbyAirport>> nearby;  // for each point, nearest first
    std::vector<std::string> candidates;             // distinct, in the route's order
};

// Nothing without a plan, a position or route stations wanted. `asked`
// holds the stations the request asks for anyway.
RouteAhead lookAlongRoute(const EngineSettings& settings, const std::optional<SimPosition>& position,
                          const AirportDb& airports, const std::vector<std::string>& asked);

// The route stations, once the answer says which airports have a report:
// for each point the nearest airport with one that is not among `chosen`
// (the stations written otherwise), at most routeStationCount of them,
// each with its distance from the aircraft.
std::vector<StationEntry> chooseRouteStationsAhead(const RouteAhead& ahead, const EngineSettings& settings,
                                                   const std::optional<SimPosition>& position,
                                                   const AirportDb& airports, const HasReportFn& hasReport,
                                                   const std::vector<std::string>& chosen);

// The plan for the map: its waypoints and its airports where they lie (from
// the airport list, else the plan's waypoint of that ident); nothing
// without a plan.
std::optional<OverviewRoute> overviewRoute(const EngineSettings& settings, const AirportDb& airports);

}  // namespace wx
