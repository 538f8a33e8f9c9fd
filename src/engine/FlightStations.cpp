#include "engine/FlightStations.h"

#include <algorithm>
#include <set>

#include "engine/StationSelection.h"
#include "flight/Route.h"

namespace wx {

int32_t routeStationCount(const EngineSettings& settings) {
    return std::clamp(settings.routeStations, int32_t{0}, kRouteStationsMax);
}

RouteAhead lookAlongRoute(const EngineSettings& settings, const std::optional<SimPosition>& position,
                          const AirportDb& airports, const std::vector<std::string>& asked) {
    RouteAhead ahead;
    const int32_t wanted = routeStationCount(settings);
    if (!settings.plan || !position || wanted == 0) {
        return ahead;
    }
    const size_t share = kRouteCandidatesPerStation * static_cast<size_t>(wanted);
    std::set<std::string> known(asked.begin(), asked.end());
    for (const RouteSample& point :
         routeStationPoints(*settings.plan, position->latitudeDeg, position->longitudeDeg, kRouteSpacingNm)) {
        std::vector<NearbyAirport> nearby = airports.nearestAirports(point.point.latDeg, point.point.lonDeg,
                                                                     kRouteStationCandidates, kRouteSearchRadiusNm);
        std::vector<std::string> fresh;
        for (const NearbyAirport& airport : nearby) {
            if (!known.count(airport.ident) &&
                std::find(fresh.begin(), fresh.end(), airport.ident) == fresh.end()) {
                fresh.push_back(airport.ident);
            }
        }
        if (ahead.candidates.size() + fresh.size() > share) {
            break;
        }
        known.insert(fresh.begin(), fresh.end());
        ahead.candidates.insert(ahead.candidates.end(), fresh.begin(), fresh.end());
        ahead.points.push_back(point);
        ahead.nearby.push_back(std::move(nearby));
    }
    return ahead;
}

std::vector<StationEntry> chooseRouteStationsAhead(const RouteAhead& ahead, const EngineSettings& settings,
                                                   const std::optional<SimPosition>& position,
                                                   const AirportDb& airports, const HasReportFn& hasReport,
                                                   const std::vector<std::string>& chosen) {
    // The airports of each point were found before the request; the choice
    // gets them again instead of a second search.
    const NearestAirportsFn gathered = [&](double latDeg, double lonDeg, int32_t, double) {
        for (size_t i = 0; i < ahead.points.size(); ++i) {
            if (ahead.points[i].point.latDeg == latDeg && ahead.points[i].point.lonDeg == lonDeg) {
                return ahead.nearby[i];
            }
        }
        return std::vector<NearbyAirport>{};
    };
    std::vector<StationEntry> stations;
    for (const RouteStation& station :
         chooseRouteStations(ahead.points, gathered, hasReport, chosen, routeStationCount(settings),
                             kRouteSearchRadiusNm)) {
        double distance = kUnknownDistanceNm;
        if (const auto airport = airports.findAirport(station.ident); airport && position) {
            distance = distanceNm(position->latitudeDeg, position->longitudeDeg, airport->lat, airport->lon);
        }
        stations.push_back({station.ident, distance, StationRole::Route});
    }
    return stations;
}

std::optional<OverviewRoute> overviewRoute(const EngineSettings& settings, const AirportDb& airports) {
    if (!settings.plan) {
        return std::nullopt;
    }
    OverviewRoute route{settings.plan->waypoints, {}};
    for (const PlanAirport& airport : planAirports(settings)) {
        if (const auto found = airports.findAirport(airport.ident)) {
            route.airports.push_back({airport.ident, airport.role, found->lat, found->lon});
            continue;
        }
        const auto waypoint =
            std::find_if(route.waypoints.begin(), route.waypoints.end(),
                         [&](const Waypoint& w) { return w.ident == airport.ident; });
        if (waypoint != route.waypoints.end()) {
            route.airports.push_back({airport.ident, airport.role, waypoint->latDeg, waypoint->lonDeg});
        }
    }
    return route;
}

}  // namespace wx
