#include "flight/Route.h"

#include <algorithm>
#include <cmath>

#include "airports/Distance.h"

namespace wx {
namespace {

constexpr double kSmallestSpacingNm = 1.0;

geo::LatLon at(const Waypoint& waypoint) { return {waypoint.latDeg, waypoint.lonDeg}; }

double legNm(const FlightPlan& plan, size_t leg) {
    const Waypoint& from = plan.waypoints[leg];
    const Waypoint& to = plan.waypoints[leg + 1];
    return distanceNm(from.latDeg, from.lonDeg, to.latDeg, to.lonDeg);
}

}  // namespace

double routeLengthNm(const FlightPlan& plan) {
    double total = 0.0;
    for (size_t leg = 0; leg + 1 < plan.waypoints.size(); ++leg) {
        total += legNm(plan, leg);
    }
    return total;
}

std::optional<RouteProgress> routeProgress(const FlightPlan& plan, double aircraftLatDeg, double aircraftLonDeg) {
    if (plan.waypoints.size() < 2) {
        return std::nullopt;
    }
    const geo::LatLon aircraft{aircraftLatDeg, aircraftLonDeg};
    RouteProgress best;
    double afterBestNm = 0.0;  // the legs after the best one so far
    for (size_t leg = 0; leg + 1 < plan.waypoints.size(); ++leg) {
        const geo::LegProjection projection =
            geo::nearestPointOfLeg(at(plan.waypoints[leg]), at(plan.waypoints[leg + 1]), aircraft);
        if (leg == 0 || projection.offNm < best.offRouteNm) {
            best = {leg, projection.alongNm, projection.offNm, 0.0, projection.point};
        }
    }
    for (size_t leg = best.legIndex + 1; leg + 1 < plan.waypoints.size(); ++leg) {
        afterBestNm += legNm(plan, leg);
    }
    best.remainingNm = std::max(0.0, legNm(plan, best.legIndex) - best.alongLegNm) + afterBestNm;
    return best;
}

std::vector<RouteSample> routeStationPoints(const FlightPlan& plan, double aircraftLatDeg, double aircraftLonDeg,
                                            double spacingNm) {
    std::vector<RouteSample> samples;
    const auto progress = routeProgress(plan, aircraftLatDeg, aircraftLonDeg);
    if (!progress || !(spacingNm >= kSmallestSpacingNm)) {
        return samples;
    }
    double nextAheadNm = spacingNm;
    double legStartAheadNm = -progress->alongLegNm;  // how far ahead the current leg's first waypoint lies
    for (size_t leg = progress->legIndex; leg + 1 < plan.waypoints.size(); ++leg) {
        const double lengthNm = legNm(plan, leg);
        while (nextAheadNm - legStartAheadNm < lengthNm) {
            const geo::LatLon point =
                geo::pointAlongLeg(at(plan.waypoints[leg]), at(plan.waypoints[leg + 1]), nextAheadNm - legStartAheadNm);
            samples.push_back({point, nextAheadNm});
            nextAheadNm += spacingNm;
        }
        legStartAheadNm += lengthNm;
    }
    return samples;
}

}  // namespace wx
