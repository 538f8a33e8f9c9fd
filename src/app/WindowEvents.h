#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

#include "briefing/Briefing.h"
#include "engine/CycleOverview.h"
#include "engine/ReadBack.h"
#include "weather/WeatherData.h"

namespace wx {

// What other threads report to the window: the engine's log lines, station
// weathers, chosen stations, read-backs, cycle overviews, briefings and its
// end, the airport database's log lines, and the outcome of a weather text
// shown without an engine.
struct LogLineEvent {
    std::string message;
    std::string level;
};

struct StationWeatherEvent {
    std::string stationId;
    WeatherData weather;
    double distanceNm = 0.0;
    StationRole role = StationRole::Nearest;
    // The engine's clock when the record was written: the report's age
    // counts to it.
    std::chrono::system_clock::time_point writtenAt{};
};

struct StationsChosenEvent {
    std::vector<std::string> stationIds;
};

struct ReadBackEvent {
    ReadBack readBack;
};

struct CycleOverviewEvent {
    CycleOverview overview;
};

struct BriefingEvent {
    Briefing briefing;
};

struct EngineStoppedEvent {};

struct WeatherTextShownEvent {
    bool shown = false;
};

using WindowEvent = std::variant<LogLineEvent, StationWeatherEvent, StationsChosenEvent, ReadBackEvent,
                                 CycleOverviewEvent, BriefingEvent, EngineStoppedEvent, WeatherTextShownEvent>;

// The events waiting for the window, in the order they were reported. Any
// thread pushes; the window's thread takes them all when it is woken. Only
// the first event after a take asks for a wake-up, so the window has at
// most one wake-up outstanding however fast events come.
class WindowEventQueue {
public:
    // Adds an event; true when the window has to be woken for it.
    bool push(WindowEvent event);
    // The wake-up asked for could not be delivered: the next push asks again.
    void wakeLost();
    // Every event queued, oldest first.
    std::vector<WindowEvent> takeAll();

private:
    std::mutex mutex_;
    std::vector<WindowEvent> events_;
    bool wakePending_ = false;
};

}  // namespace wx
