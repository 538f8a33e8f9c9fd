#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "flight/FlightPlan.h"

namespace wx {

// What the log says of a plan when it is taken up.
struct PlanSummary {
    std::string departureId;
    std::string destinationId;
    std::string alternateId;  // empty without an alternate
    size_t waypointCount = 0;
    double lengthNm = 0.0;    // the sum of the legs
    std::optional<int> cruiseFt;
};

PlanSummary summarizePlan(const FlightPlan& plan, const std::string& alternateId = {});

// "Flight plan: EGSH → EGBB (alternate EGNX), 3 waypoints, 142 nm, cruise FL095"
// without the alternate's part when there is none and without the cruise
// part when the plan gives no cruise altitude. The flight level is the
// cruise altitude in whole hundreds of feet, at least three digits.
std::string planSummaryLine(const PlanSummary& summary);

// The same in Russian:
// "План полёта: EGSH → EGBB (запасной EGNX), 3 пункта, 142 nm, эшелон FL095"
std::string planSummaryLineRussian(const PlanSummary& summary);

// The Russian word for that many route points: 1, 21, 31 ... "пункт";
// 2-4, 22-24 ... "пункта"; 0, 5-20, 25-30 ... and 11-14 of each hundred "пунктов".
std::string russianPointsWord(size_t count);

}  // namespace wx
