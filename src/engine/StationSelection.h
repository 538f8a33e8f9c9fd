#pragma once

#include <optional>
#include <string>
#include <vector>

#include "airports/AirportDb.h"
#include "engine/CycleStation.h"
#include "engine/EngineSettings.h"
#include "sim/SimLink.h"

namespace wx {

// The stations of one cycle: those around the aircraft (or of the user's
// list), all of them nearest first (what the cycle counts and fetches
// METARs for); those of them it writes (only the nearest when the settings
// say so); and the plan's airports it writes besides them. A plan airport
// among the nearest keeps its place there and carries its role.
struct StationChoice {
    std::vector<StationEntry> sorted;
    std::vector<StationEntry> working;
    std::vector<StationEntry> plan;  // departure, destination, alternate not in `working`, in that order
};

// An airport of the plan and its role.
struct PlanAirport {
    std::string ident;  // upper case
    StationRole role = StationRole::Nearest;

    bool operator==(const PlanAirport&) const = default;
};

// The plan's departure, destination and alternate, each once (the first
// role wins: an alternate that is the destination stays the destination);
// none without a plan.
std::vector<PlanAirport> planAirports(const EngineSettings& settings);

// A manual station whose distance cannot be known sorts after all others.
inline constexpr double kUnknownDistanceNm = 99999.0;

// Auto mode searches the airports around the aircraft (none without a
// position) and tells onStations what it chose; manual mode measures the
// user's list and keeps every id, known or not. With a plan, its departure,
// destination and alternate join them, each once.
StationChoice chooseStations(const EngineSettings& settings, const std::optional<SimPosition>& position,
                             const AirportDb& airports, const StationsFn& onStations);

}  // namespace wx
