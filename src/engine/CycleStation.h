#pragma once

#include <string>

namespace wx {

// Why a station is written in a cycle: one of the stations around the
// aircraft (or of the user's list), or one the flight plan asks for.
enum class StationRole { Nearest, Departure, Destination, Alternate, Route };

// "departure", "destination", "alternate", "route"; empty for Nearest.
const char* stationRoleName(StationRole role);

// One station of a cycle, its distance from the aircraft and its role.
struct StationEntry {
    std::string stationId;
    double distanceNm = 0.0;
    StationRole role = StationRole::Nearest;

    bool operator==(const StationEntry&) const = default;
};

}  // namespace wx
