#pragma once

#include <optional>
#include <string>
#include <vector>

#include "airports/AirportDb.h"
#include "engine/EngineSettings.h"
#include "sim/SimLink.h"

namespace wx {

// One station of a cycle and its distance from the aircraft.
struct StationEntry {
    std::string stationId;
    double distanceNm = 0.0;

    bool operator==(const StationEntry&) const = default;
};

// The stations of one cycle: all of them nearest first (what the cycle
// counts and fetches METARs for), and those it writes (only the nearest
// when the settings say so).
struct StationChoice {
    std::vector<StationEntry> sorted;
    std::vector<StationEntry> working;
};

// A manual station whose distance cannot be known sorts after all others.
inline constexpr double kUnknownDistanceNm = 99999.0;

// Auto mode searches the airports around the aircraft (none without a
// position) and tells onStations what it chose; manual mode measures the
// user's list and keeps every id, known or not.
StationChoice chooseStations(const EngineSettings& settings, const std::optional<SimPosition>& position,
                             const AirportDb& airports, const StationsFn& onStations);

}  // namespace wx
