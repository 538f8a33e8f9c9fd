#include "engine/CycleOverview.h"

#include <algorithm>

namespace wx {

std::vector<OverviewSigmet> overviewSigmets(const std::vector<nlohmann::json>& sigmets) {
    std::vector<OverviewSigmet> overview;
    for (const nlohmann::json& sigmet : sigmets) {
        const SigmetIdentity identity = sigmetIdentity(sigmet);
        if (identity.hazardClass == SigmetHazard::None) {
            continue;
        }
        std::vector<SigmetPolygon> areas = sigmetAreas(sigmet);
        if (!areas.empty()) {
            overview.push_back({identity.tag(), identity.hazardClass, std::move(areas)});
        }
    }
    return overview;
}

void noteStation(CycleOverview& overview, OverviewStation station) {
    const auto earlier = std::find_if(overview.stations.begin(), overview.stations.end(),
                                      [&](const OverviewStation& s) { return s.stationId == station.stationId; });
    if (earlier != overview.stations.end()) {
        *earlier = std::move(station);
    } else {
        overview.stations.push_back(std::move(station));
    }
}

}  // namespace wx
