#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/CycleStation.h"
#include "engine/SigmetArea.h"
#include "engine/SigmetHazard.h"
#include "flight/FlightPlan.h"
#include "sim/SimLink.h"
#include "weather/WeatherData.h"

namespace wx {

// A station written in a cycle, where its airport lies, and why it was
// written.
struct OverviewStation {
    std::string stationId;
    double latDeg = 0.0;
    double lonDeg = 0.0;
    WeatherData weather;
    StationRole role = StationRole::Nearest;

    bool operator==(const OverviewStation&) const = default;
};

// A SIGMET the evaluation acts on, with its areas as the evaluation reads
// them.
struct OverviewSigmet {
    std::string tag;
    SigmetHazard hazard = SigmetHazard::None;
    std::vector<SigmetPolygon> areas;

    bool operator==(const OverviewSigmet&) const = default;
};

// An airport of the flight plan where it lies, for the map to name.
struct OverviewAirport {
    std::string ident;
    StationRole role = StationRole::Departure;
    double latDeg = 0.0;
    double lonDeg = 0.0;

    bool operator==(const OverviewAirport&) const = default;
};

// The flight plan as the map draws it: great-circle legs joining the
// waypoints in order, and the departure, destination and alternate (those
// whose place is known).
struct OverviewRoute {
    std::vector<Waypoint> waypoints;
    std::vector<OverviewAirport> airports;

    bool operator==(const OverviewRoute&) const = default;
};

// What a cycle leaves in the simulator, for the window's map: the aircraft,
// the station radius, every station written (the last step of each, with
// smooth changes), the SIGMETs of the cycle and the flight plan's route.
struct CycleOverview {
    std::optional<SimPosition> aircraft;
    int32_t radiusNm = 0;
    std::vector<OverviewStation> stations;
    std::vector<OverviewSigmet> sigmets;
    std::optional<OverviewRoute> route;

    bool operator==(const CycleOverview&) const = default;
};

// The SIGMETs of the list whose hazard the evaluation handles and that
// have an area, in the list's order.
std::vector<OverviewSigmet> overviewSigmets(const std::vector<nlohmann::json>& sigmets);

// Puts a station's written record into the overview, in place of an
// earlier one of that station.
void noteStation(CycleOverview& overview, OverviewStation station);

}  // namespace wx
