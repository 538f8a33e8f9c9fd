#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "flight/FlightPlan.h"
#include "flight/GreatCircle.h"

namespace wx {

// The route of a plan is its waypoints joined in order by great-circle legs.

// The sum of the legs, nm; 0 for fewer than two waypoints.
double routeLengthNm(const FlightPlan& plan);

// Where the aircraft is against the route: the point of the route nearest
// to it (on the earliest leg when several are as near).
struct RouteProgress {
    size_t legIndex = 0;       // the leg from waypoints[legIndex] to waypoints[legIndex + 1]
    double alongLegNm = 0.0;   // from the leg's first waypoint to the nearest point
    double offRouteNm = 0.0;   // from the aircraft to the nearest point
    double remainingNm = 0.0;  // from the nearest point to the last waypoint, along the legs
    geo::LatLon point;         // the nearest point
};

// Nothing when the plan has fewer than two waypoints.
std::optional<RouteProgress> routeProgress(const FlightPlan& plan, double aircraftLatDeg, double aircraftLonDeg);

// A point on the route ahead of the aircraft.
struct RouteSample {
    geo::LatLon point;
    double aheadNm = 0.0;  // along the legs from the point of the route nearest to the aircraft
};

// Points every spacingNm along the legs from the point of the route nearest
// to the aircraft onward (continuing across leg ends), the first spacingNm
// ahead and the last before the final waypoint. None when the plan has
// fewer than two waypoints or spacingNm is below 1 nm.
std::vector<RouteSample> routeStationPoints(const FlightPlan& plan, double aircraftLatDeg, double aircraftLonDeg,
                                            double spacingNm = 50.0);

}  // namespace wx
