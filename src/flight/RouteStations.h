#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "airports/Airport.h"
#include "flight/Route.h"

namespace wx {

// The airport search the route stations come from: airports within
// radiusNm of a point, nearest first, at most maxCount of them. The
// engine's AirportDb::nearestAirports has this shape.
using NearestAirportsFn =
    std::function<std::vector<NearbyAirport>(double latDeg, double lonDeg, int32_t maxCount, double radiusNm)>;

// Whether there is a report for the airport (an upper-case ident).
using HasReportFn = std::function<bool(const std::string& ident)>;

// A station chosen for a point of the route.
struct RouteStation {
    std::string ident;
    std::string name;
    double aheadNm = 0.0;      // the point's distance ahead along the route
    double fromPointNm = 0.0;  // the airport's distance from the point

    bool operator==(const RouteStation&) const = default;
};

// How many airports around each point are looked at.
inline constexpr int32_t kRouteStationCandidates = 25;

// For each point in turn, the airport nearest to it within radiusNm that
// has a report and is not chosen yet, among the kRouteStationCandidates
// nearest; none for a point without one. alreadyChosen holds the stations
// chosen otherwise (departure, destination, alternate, the nearest
// stations; compared without regard to letter case), and each station
// chosen here joins them. At most maxCount stations; none when it is 0 or
// less.
std::vector<RouteStation> chooseRouteStations(const std::vector<RouteSample>& points,
                                              const NearestAirportsFn& findNearest, const HasReportFn& hasReport,
                                              const std::vector<std::string>& alreadyChosen, int maxCount = 30,
                                              double radiusNm = 30.0);

}  // namespace wx
