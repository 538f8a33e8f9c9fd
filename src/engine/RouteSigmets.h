#pragma once

#include <vector>

#include <nlohmann/json.hpp>

#include "briefing/Briefing.h"
#include "flight/FlightPlan.h"

namespace wx {

// The SIGMETs of the list (those in force, as the cycle chose them) whose
// areas the plan's route passes through, in the list's order: a leg
// crosses an area when a point of its great-circle path lies in it (points
// every few miles, both ends included, as the stations' SIGMETs are
// found) or the path between two such points cuts one of its edges. Each
// with its hazard, its levels in feet (empty when not given or unreadable),
// the legs (1-based) and whether the plan's cruise level lies within its
// levels (a level not given limits nothing; false without a cruise level).
std::vector<BriefingSigmet> routeSigmets(const FlightPlan& plan, const std::vector<nlohmann::json>& sigmets);

}  // namespace wx
