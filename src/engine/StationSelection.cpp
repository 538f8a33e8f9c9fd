#include "engine/StationSelection.h"

#include <algorithm>

namespace wx {
namespace {

constexpr int32_t kDenseFieldMinStations = 20;
constexpr int32_t kDenseFieldMaxRadiusNm = 150;

std::vector<StationEntry> autoStations(const EngineSettings& settings, const std::optional<SimPosition>& position,
                                       const AirportDb& airports, const StationsFn& onStations) {
    std::vector<StationEntry> stations;
    if (!position) {
        return stations;
    }
    int32_t count = settings.maxStations;
    int32_t radiusNm = settings.radiusNm;
    if (settings.denseField) {
        count = std::max(count, kDenseFieldMinStations);
        radiusNm = std::min(radiusNm, kDenseFieldMaxRadiusNm);
    }
    std::vector<std::string> ids;
    for (NearbyAirport& found :
         airports.nearestAirports(position->latitudeDeg, position->longitudeDeg, count, radiusNm)) {
        ids.push_back(found.ident);
        stations.push_back({std::move(found.ident), found.distanceNm});
    }
    if (onStations) {
        onStations(ids);
    }
    return stations;
}

std::vector<StationEntry> manualStations(const EngineSettings& settings, const std::optional<SimPosition>& position,
                                         const AirportDb& airports) {
    std::vector<StationEntry> stations;
    for (const std::string& id : settings.manualStations) {
        double distance = kUnknownDistanceNm;
        if (position) {
            if (const auto airport = airports.findAirport(id)) {
                distance = distanceNm(position->latitudeDeg, position->longitudeDeg, airport->lat, airport->lon);
            }
        }
        stations.push_back({id, distance});
    }
    return stations;
}

}  // namespace

StationChoice chooseStations(const EngineSettings& settings, const std::optional<SimPosition>& position,
                             const AirportDb& airports, const StationsFn& onStations) {
    StationChoice choice;
    choice.sorted = settings.stationMode == "auto" ? autoStations(settings, position, airports, onStations)
                                                   : manualStations(settings, position, airports);
    std::stable_sort(choice.sorted.begin(), choice.sorted.end(),
                     [](const StationEntry& a, const StationEntry& b) { return a.distanceNm < b.distanceNm; });
    if (settings.onlyNearest && !choice.sorted.empty()) {
        choice.working.push_back(choice.sorted.front());
    } else {
        choice.working = choice.sorted;
    }
    return choice;
}

}  // namespace wx
