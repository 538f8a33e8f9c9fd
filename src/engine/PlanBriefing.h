#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "airports/AirportDb.h"
#include "briefing/ArrivalTime.h"
#include "briefing/Briefing.h"
#include "engine/EngineSettings.h"
#include "sim/SimLink.h"
#include "sources/WeatherSource.h"

namespace wx {

// What the arrival time is worked out from for the settings' plan: the
// typed time, the simulator's GPS time and ground speed, the route left
// from the aircraft (none without a position) and the plan's length.
ArrivalInputs arrivalInputs(const EngineSettings& settings, const std::optional<SimPosition>& position,
                            UtcMillis now);

// What a briefing is made of besides the settings.
struct BriefingData {
    UtcMillis now{};
    UtcMillis eta{};
    const MetarMap& reports;
    // The forecast of an airport; empty when there is none.
    std::function<std::optional<Taf>(const std::string& stationId)> tafOf;
    const std::vector<nlohmann::json>& sigmets;  // those in force
};

// The briefing of the settings' plan: its departure, destination and
// alternate (as the cycle writes them) with their report's category and
// age (decoded as the cycle decodes it), their TAF and its forecast at the
// arrival time, and the SIGMETs across the route. Empty without a plan.
std::optional<Briefing> buildBriefing(const EngineSettings& settings, const AirportDb& airports,
                                      const BriefingData& data);

}  // namespace wx
