#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "flight/FlightPlan.h"

namespace wx {

// The simulator's own plan file: INI text with a [flightplan] section.
// Keys are read in any letter case; the first of a repeated key counts, as
// with the Windows profile functions. Other sections, unknown keys and
// lines without '=' are ignored, as the simulator ignores them; a value of
// a key the plan needs that cannot be read fails the plan at its line.
// departure_id and destination_id are required. Waypoints are ordered by
// their number, which must not repeat. text has no byte order mark.
PlanReadResult readIniPlan(std::string_view text);

struct IniWaypointResult {
    std::optional<Waypoint> waypoint;
    std::string reason;  // when waypoint is empty
};

// The value of one waypoint.N line, in either shape:
//   short: ident, type, latitude, longitude, altitude[, airway]
//   long:  region, ident, name, ident, type, latitude, longitude, altitude[, airway]
// The type is one of A V N I U (either case).
IniWaypointResult parseIniWaypoint(std::string_view value);

}  // namespace wx
