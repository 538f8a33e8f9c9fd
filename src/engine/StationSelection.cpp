#include "engine/StationSelection.h"

#include <algorithm>

#include "flight/PlanText.h"

namespace wx {
namespace {

constexpr int32_t kDenseFieldMinStations = 20;
constexpr int32_t kDenseFieldMaxRadiusNm = 150;

double distanceTo(const std::optional<SimPosition>& position, const AirportDb& airports, const std::string& id) {
    if (position) {
        if (const auto airport = airports.findAirport(id)) {
            return distanceNm(position->latitudeDeg, position->longitudeDeg, airport->lat, airport->lon);
        }
    }
    return kUnknownDistanceNm;
}

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
        stations.push_back({id, distanceTo(position, airports, id)});
    }
    return stations;
}

// Marks the role of a plan airport where it is among the stations; false
// when it is not there.
bool markRole(std::vector<StationEntry>& stations, const std::string& id, StationRole role) {
    bool found = false;
    for (StationEntry& station : stations) {
        if (upperAscii(station.stationId) == id) {
            station.role = role;
            found = true;
        }
    }
    return found;
}

void addPlanAirports(StationChoice& choice, const EngineSettings& settings, const std::optional<SimPosition>& position,
                     const AirportDb& airports) {
    for (const PlanAirport& airport : planAirports(settings)) {
        markRole(choice.sorted, airport.ident, airport.role);
        if (!markRole(choice.working, airport.ident, airport.role)) {
            choice.plan.push_back({airport.ident, distanceTo(position, airports, airport.ident), airport.role});
        }
    }
}

}  // namespace

std::vector<PlanAirport> planAirports(const EngineSettings& settings) {
    std::vector<PlanAirport> airports;
    if (!settings.plan) {
        return airports;
    }
    const auto add = [&](const std::string& id, StationRole role) {
        const std::string ident = upperAscii(id);
        if (!ident.empty() && std::none_of(airports.begin(), airports.end(),
                                           [&](const PlanAirport& a) { return a.ident == ident; })) {
            airports.push_back({ident, role});
        }
    };
    add(settings.plan->departureId, StationRole::Departure);
    add(settings.plan->destinationId, StationRole::Destination);
    add(settings.alternateId, StationRole::Alternate);
    return airports;
}

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
    addPlanAirports(choice, settings, position, airports);
    return choice;
}

}  // namespace wx
