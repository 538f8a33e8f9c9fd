#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "LoopbackIpcTransport.h"
#include "SimModel.h"
#include "airports/AirportDb.h"
#include "engine/Engine.h"
#include "sim/Clock.h"
#include "sources/HttpTransport.h"
#include "support/Awaited.h"
#include "support/LogRecorder.h"
#include "support/ScratchDir.h"
#include "support/ScriptedTransport.h"

namespace wx::test {

// A clock that moves only when the engine sleeps on it, so that pauses and
// the simulator link's waits cost no real time. Each sleep is also reported
// to a hook, which may act on the engine at that moment.
class VirtualClock final : public Clock {
public:
    using SleepHook = std::function<void(std::chrono::milliseconds)>;

    TimePoint now() const override { return TimePoint{} + std::chrono::milliseconds(elapsedMs_.load()); }
    void sleepFor(std::chrono::milliseconds duration) override;

    void setHook(SleepHook hook);
    std::chrono::milliseconds elapsed() const { return std::chrono::milliseconds(elapsedMs_.load()); }
    // The one-second sleeps so far.
    int secondSleeps() const { return secondSleeps_.load(); }

private:
    std::atomic<int64_t> elapsedMs_{0};
    std::atomic<int> secondSleeps_{0};
    std::mutex hookMutex_;
    SleepHook hook_;
};

// Answers HTTP requests by path ("/api/data/metar", "/v1/forecast", ...)
// from bodies or results the test sets; a path without one fails as
// without a network. Records every URL asked for.
class RoutedTransport final : public HttpTransport {
public:
    void route(const std::string& path, std::optional<std::string> body);
    void route(const std::string& path, HttpResult result);
    HttpResult send(const HttpRequest& request, const LogFn& log) override;
    std::vector<std::string> urls() const;
    // The requests so far whose URL holds this path.
    size_t count(const std::string& path) const;

private:
    mutable std::mutex mutex_;
    std::map<std::string, HttpResult> results_;
    std::vector<std::string> urls_;
};

// What a run's callbacks received.
struct StationReport {
    std::string stationId;
    WeatherData weather;
    double distanceNm = 0.0;
    StationRole role = StationRole::Nearest;
};

// The engine with everything it reaches served in-process: the simulator
// stand-in on a virtual clock, the web services by path, and a small
// airport list. run() starts an engine, lets it do a number of cycles and
// stops it.
class EngineRig {
public:
    explicit EngineRig(const standin::SimSettings& simSettings = atFrankfurt(),
                       const std::string& airportsCsv = kAirports);
    ~EngineRig();

    // The calendar time reports are aged against: ten minutes after the
    // time group of the rig's reports.
    static constexpr auto kUtcNow =
        std::chrono::sys_days{std::chrono::year{2026} / 12 / 7} + std::chrono::hours{12};
    // Ten airports north of (50, 8), at 0.1 to 1.0 degrees.
    static const char* const kAirports;
    // The stand-in with the aircraft at (50, 8).
    static standin::SimSettings atFrankfurt();
    // The web services answering for the three nearest airports: reports
    // for the first two, no SIGMETs, and model data.
    void routeDefaults();
    // Settings for three stations, no dense field, no pause.
    static EngineSettings threeStations();

    // Starts a new engine with these settings, stops it when `cycles`
    // cycles have reached their pause and waits for it to end. `atCycleEnd`
    // runs on the worker at the end of each cycle, before the stop.
    void run(const EngineSettings& settings, int cycles, std::function<void(Engine&, int)> atCycleEnd = {});

    // The engine's callbacks, recording into this rig.
    EngineCallbacks callbacks();
    // Seams giving this rig's transport and clock; the cycle observer stops
    // the engine after `cycles` cycles.
    EngineSeams seams(int cycles, std::function<void(Engine&, int)> atCycleEnd);
    // Waits until onStopped was called `count` times in all; a failure says
    // how often it was.
    testing::AssertionResult waitForStops(int count, std::chrono::seconds limit = std::chrono::seconds(30));

    std::vector<std::string> logLines() const { return log.lines(); }
    // Seconds of pause so far: the clock's one-second sleeps less the one
    // each reset of the simulator's weather waits. On the worker, or once
    // the engine has stopped.
    int pauseSeconds() const;
    // The log lines of one level, without their level prefix.
    std::vector<std::string> linesAt(const std::string& level) const;
    int count(const std::string& line) const;

    std::shared_ptr<VirtualClock> clock = std::make_shared<VirtualClock>();
    // The engine's calendar time.
    UtcClock utcNow = [] { return std::chrono::system_clock::time_point{kUtcNow}; };
    std::shared_ptr<standin::SimModel> model;
    std::shared_ptr<standin::LoopbackIpcTransport> ipc;
    std::shared_ptr<RoutedTransport> http = std::make_shared<RoutedTransport>();
    ScratchDir scratch;
    AirportDb airports{nullptr};
    LogRecorder log;
    std::vector<StationReport> reports;
    std::vector<std::vector<std::string>> chosen;
    std::vector<ReadBack> readBacks;
    std::vector<CycleOverview> overviews;
    int stops = 0;
    std::unique_ptr<Engine> engine;

private:
    DefaultTransportScope httpScope_{http};
    std::mutex mutex_;
    std::condition_variable stopped_;
};

// A METAR answer of the JSON endpoint: {"icaoId": id, "rawOb": report} each.
std::string metarAnswer(const std::vector<std::pair<std::string, std::string>>& reports);

// A model answer for one hour with a few surface values and two levels.
std::string forecastAnswer();

}  // namespace wx::test
