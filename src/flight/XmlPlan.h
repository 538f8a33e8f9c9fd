#pragma once

#include <string_view>

#include "flight/FlightPlan.h"

namespace wx {

// The XML plan file: <SimBase.Document><FlightPlan.FlightPlan> with the
// title, cruising altitude, departure and destination, and one
// <ATCWaypoint> per point. A waypoint's ident is its <ICAO><ICAOIdent>,
// else its id attribute; its type word (Airport, VOR, NDB, Intersection,
// User, in any case) gives the type letter, any other word 'U'; its
// <WorldPosition> is required. Elements the plan does not use are skipped.
// DepartureID and DestinationID are required. text has no byte order mark.
PlanReadResult readXmlPlan(std::string_view text);

}  // namespace wx
