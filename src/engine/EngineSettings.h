#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "briefing/Briefing.h"
#include "engine/CycleOverview.h"
#include "engine/CycleStation.h"
#include "engine/ReadBack.h"
#include "flight/FlightPlan.h"
#include "weather/LogFn.h"
#include "weather/UtcTime.h"
#include "weather/WeatherData.h"

namespace wx {

// The most route stations a cycle writes.
inline constexpr int32_t kRouteStationsMax = 30;

// What the window hands the engine: one plain record, copied whole at Start
// and with every Refresh or source change. The defaults are the engine's
// own; the window overwrites every field from its controls.
struct EngineSettings {
    std::string stationMode = "auto";         // "auto"; anything else uses manualStations
    std::vector<std::string> manualStations;  // ICAO ids in the user's order
    int32_t maxStations = 15;
    int32_t radiusNm = 200;
    int32_t intervalSec = 600;
    bool onlyNearest = false;
    bool cavokHaze = true;
    int32_t cavokVisibilityM = 12000;
    bool synthWithoutMetar = true;
    bool globalLayer = true;
    bool denseField = true;
    bool syncZulu = true;
    bool textInSim = true;
    int32_t textSeconds = 15;
    bool fullMetarText = true;
    bool sigmetEnabled = true;
    std::string source = "openmeteo";
    // Moves QNH, wind and visibility toward new weather a step per write
    // instead of at once.
    bool smoothChanges = false;
    // Minutes a station keeps its last report while the METAR service does
    // not answer (and kept model hours serve while the model service does
    // not); 0: off. The engine takes 10 to 180.
    int32_t keepReportsMin = 0;
    // The flight: its plan (read from a file or made from two airports) and
    // the alternate's id. With a plan every cycle writes its departure,
    // destination and alternate and the route stations ahead, at most
    // routeStations of them (the engine takes 0, none, to 30).
    std::optional<FlightPlan> plan;
    std::string alternateId;
    int32_t routeStations = kRouteStationsMax;
    // The time whose weather is flown, UTC, as chosen at Start; from there
    // it runs on with the clock. Empty: now.
    std::optional<UtcMillis> weatherTime;
    // The arrival time the pilot typed, UTC; the briefing takes it in place
    // of the one the engine works out. Empty: worked out.
    std::optional<UtcMillis> typedArrival;

    bool operator==(const EngineSettings&) const = default;
};

// A record written into the simulator, with the station as the cycle knows
// it: its role beside its distance.
using StationWrittenFn = std::function<void(const StationEntry& station, const WeatherData& weather)>;
using StationsFn = std::function<void(const std::vector<std::string>& stationIds)>;
using StoppedFn = std::function<void()>;
using ReadBackFn = std::function<void(const ReadBack& readBack)>;
using CycleOverviewFn = std::function<void(const CycleOverview& overview)>;
using BriefingFn = std::function<void(const Briefing& briefing)>;

// How the engine reports. Each function may be empty; all but the
// constructor's first log line are called on the engine's worker thread,
// with no engine lock held.
struct EngineCallbacks {
    LogFn onLog;
    StationWrittenFn onStationWritten;  // a record was written into the simulator
    StationsFn onStations;              // auto mode chose its stations for a cycle
    StoppedFn onStopped;                // the worker has ended, for whatever reason
    ReadBackFn onReadBack;              // the simulator's weather at the aircraft after an activation
    CycleOverviewFn onCycleOverview;    // what the simulator holds after an activation
    BriefingFn onBriefing;              // with a plan, the cycle's briefing
};

}  // namespace wx
