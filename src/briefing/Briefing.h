#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/CycleStation.h"
#include "weather/FlightCategory.h"
#include "weather/UtcTime.h"

namespace wx {

// One period of a terminal forecast, as decoded from the service's answer.
// A value the period does not give is empty: a change group (BECMG,
// TEMPO, PROB) gives only what changes.
struct TafPeriod {
    UtcMillis from{};
    UtcMillis to{};
    // A BECMG's change is complete at this time; its values hold from then.
    std::optional<UtcMillis> becomingEnd;
    // "BASE", "FM", "BECMG", "TEMPO", "PROB30", "PROB40", "PROB30 TEMPO" or
    // "PROB40 TEMPO".
    std::string change = "BASE";
    std::optional<int> windDirDeg;  // empty for a variable wind ("VRB") or none given
    bool windVariable = false;
    std::optional<int> windSpeedKt;
    std::optional<int> gustKt;
    std::optional<int> visibilityM;  // "6+" (statute miles) is 9999 m
    // Base above the airport of the lowest BKN or OVC layer (or vertical
    // visibility); empty when the period gives no such layer.
    std::optional<int> ceilingFt;
    bool cloudsGiven = false;  // the period lists clouds (so no ceiling means none)
    std::string weather;       // "-RA BR"; empty when none given
    // From what the period gives; empty when its visibility and ceiling do
    // not decide one.
    std::optional<FlightCategory> category;

    bool operator==(const TafPeriod&) const = default;
};

// One airport's terminal forecast.
struct Taf {
    std::string stationId;
    UtcMillis issued{};
    UtcMillis validFrom{};
    UtcMillis validTo{};
    std::string raw;
    std::vector<TafPeriod> periods;  // in the service's order; the first is the base

    bool operator==(const Taf&) const = default;
};

// A TEMPO or PROB period in force beside the prevailing forecast.
struct AlongsidePeriod {
    std::string change;
    std::optional<FlightCategory> category;
    TafPeriod period;

    bool operator==(const AlongsidePeriod&) const = default;
};

// The forecast in force at one time: the prevailing conditions (the base
// period with each FM and completed BECMG applied over it) and the TEMPO
// and PROB periods in force beside them.
struct ForecastAt {
    TafPeriod prevailing;
    std::vector<AlongsidePeriod> alongside;

    bool operator==(const ForecastAt&) const = default;
};

// One airport of the plan in the briefing.
struct BriefingAirport {
    std::string stationId;
    StationRole role = StationRole::Departure;
    std::optional<FlightCategory> reportCategory;  // from the last report, if any
    std::optional<int> reportAgeMin;               // the report's age in minutes
    std::optional<Taf> taf;                        // empty: no TAF
    std::optional<ForecastAt> atEta;               // empty without a TAF or outside its validity

    bool operator==(const BriefingAirport&) const = default;
};

// A SIGMET in force whose area one or more legs of the route pass through.
struct BriefingSigmet {
    std::string id;
    std::string hazard;         // "TS", "TURB", "ICE", ...
    std::optional<int> baseFt;  // empty: from the surface / not given
    std::optional<int> topFt;
    std::vector<int> legs;  // 1-based leg numbers, ascending
    bool atCruise = false;  // the cruise level lies within its levels

    bool operator==(const BriefingSigmet&) const = default;
};

// What the pilot reads before take-off: the plan's airports with their
// reports and forecasts at the arrival time, and the SIGMETs across the
// route.
struct Briefing {
    UtcMillis eta{};
    std::vector<BriefingAirport> airports;  // departure, destination, alternate
    std::vector<BriefingSigmet> sigmets;

    bool operator==(const Briefing&) const = default;
};

}  // namespace wx
