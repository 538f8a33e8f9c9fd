// The cycle's briefing: with a plan, the TAFs of its airports (asked for
// when they are due), the arrival time and the briefing made of them, the
// cycle's reports and its SIGMETs.

#include <chrono>

#include "engine/Engine.h"
#include "engine/PlanBriefing.h"
#include "engine/StationSelection.h"

namespace wx {

void Engine::briefCycle(const EngineSettings& settings, const std::optional<SimPosition>& position,
                        const MetarMap& reports, const SigmetList& sigmets) {
    if (!settings.plan || !callbacks_.onBriefing) {
        return;
    }
    const UtcMillis now = std::chrono::time_point_cast<std::chrono::milliseconds>(weatherClock_->now());
    std::vector<std::string> ids;
    for (const PlanAirport& airport : planAirports(settings)) {
        ids.push_back(airport.ident);
    }
    if (tafs_.due(ids, now)) {
        std::optional<std::vector<Taf>> answer = source_->fetchTafs(ids);
        checkStop();
        if (answer) {
            log("TAF: " + std::to_string(answer->size()), "INFO");
        }
        tafs_.received(ids, std::move(answer), now);
    }
    const UtcMillis eta = arrivalTime(arrivalInputs(settings, position, now));
    const std::optional<Briefing> briefing =
        buildBriefing(settings, airports_, {now, eta, reports, [this](const std::string& id) { return tafs_.find(id); },
                                            sigmets.applicable});
    if (!briefing) {
        return;
    }
    for (const BriefingAirport& airport : briefing->airports) {
        if (!airport.taf) {
            log("[" + airport.stationId + "] TAF missing", "WARN");
        }
    }
    callbacks_.onBriefing(*briefing);
}

}  // namespace wx
