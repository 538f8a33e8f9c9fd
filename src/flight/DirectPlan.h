#pragma once

#include <string_view>

#include "airports/Airport.h"
#include "flight/FlightPlan.h"

namespace wx {

// A plan of one leg from one airport to another, for a flight typed in as
// From and To without a plan file: titled "EGSH to EGBB" as the simulator
// titles its plans, the two airports its waypoints (at their elevations),
// no cruise altitude. The idents are upper-cased.
FlightPlan makeDirectPlan(std::string_view departureId, const Airport& departure, std::string_view destinationId,
                          const Airport& destination);

}  // namespace wx
