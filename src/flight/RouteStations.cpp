#include "flight/RouteStations.h"

#include <set>

#include "flight/PlanText.h"

namespace wx {

std::vector<RouteStation> chooseRouteStations(const std::vector<RouteSample>& points,
                                              const NearestAirportsFn& findNearest, const HasReportFn& hasReport,
                                              const std::vector<std::string>& alreadyChosen, int maxCount,
                                              double radiusNm) {
    std::vector<RouteStation> stations;
    std::set<std::string> chosen;
    for (const std::string& ident : alreadyChosen) {
        chosen.insert(upperAscii(ident));
    }
    for (const RouteSample& sample : points) {
        if (static_cast<int>(stations.size()) >= maxCount) {
            break;
        }
        const auto candidates =
            findNearest(sample.point.latDeg, sample.point.lonDeg, kRouteStationCandidates, radiusNm);
        for (const NearbyAirport& candidate : candidates) {
            const std::string ident = upperAscii(candidate.ident);
            if (candidate.distanceNm <= radiusNm && !chosen.count(ident) && hasReport(ident)) {
                chosen.insert(ident);
                stations.push_back({ident, candidate.name, sample.aheadNm, candidate.distanceNm});
                break;
            }
        }
    }
    return stations;
}

}  // namespace wx
