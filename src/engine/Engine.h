#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "airports/AirportDb.h"
#include "engine/CycleOverview.h"
#include "engine/EngineSettings.h"
#include "engine/KeptReports.h"
#include "engine/ReadBack.h"
#include "engine/SigmetSelection.h"
#include "engine/SmoothChange.h"
#include "engine/StationSelection.h"
#include "engine/TafKeeper.h"
#include "sim/Clock.h"
#include "sim/InterruptibleClock.h"
#include "sim/IpcTransport.h"
#include "sim/SimLink.h"
#include "sources/HttpCancel.h"
#include "sources/SourceContext.h"
#include "sources/WeatherSource.h"
#include "weather/UtcTime.h"
#include "weather/WeatherClock.h"
#include "weather/WeatherData.h"

namespace wx {

// Called on the worker when a cycle hands over to its pause (or to the pause
// after a cycle error), with the number of cycles this start has run, 1 for
// the first. Whatever it does happens before the next cycle begins.
using CycleEndFn = std::function<void(int cycle)>;

// What the engine takes from outside besides its settings and callbacks.
// Empty members take the program's defaults: the process-wide IPC transport
// (read when the worker opens its simulator link), the steady clock and the
// system's calendar time.
// Tests and the headless runner give their own.
struct EngineSeams {
    std::shared_ptr<IpcTransport> ipcTransport;
    std::shared_ptr<Clock> clock;
    CycleEndFn onCycleEnd;
    // The calendar time, UTC: the present, the time the services live in.
    // Without a weather time it is the one "now" of the engine and its
    // sources, for the model's hour, the reports' ages and the SIGMETs'
    // validity; with one, the engine's clock runs on from that time with it.
    UtcClock utcNow;
    // The engine's clock, shared with whoever reads it beside the engine (a
    // weather pack's recorder); it must run on utcNow. Empty: one of the
    // engine's own.
    std::shared_ptr<WeatherClock> weatherClock;
};

// The program's worker: on a thread of its own it opens the simulator link
// and repeats the refresh cycle (position, stations, METARs, SIGMETs, model
// data, hazards, NWI writes, activation, texts) until it is told to stop.
// The window thread constructs it, sends it requests and destroys it; it
// must not be destroyed from its own worker (a callback).
class Engine {
public:
    // Makes the weather source named by settings.source and logs it; starts
    // nothing. The airport database must outlive the engine.
    Engine(const AirportDb& airports, EngineSettings settings, EngineCallbacks callbacks, EngineSeams seams = {});
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Launches the worker unless it runs; an ended worker is joined first.
    // Stop and refresh requests made before are dropped. The settings'
    // weather time is fixed here: from now on the engine's clock runs on
    // from it.
    void start();
    // Any thread, returns at once. The worker breaks off whatever it is
    // doing within a second (a simulator that does not answer may hold it up
    // to its send time-out): nothing more is fetched, written, activated or
    // shown, and "Engine stopped." is its last line.
    void requestStop();
    // The worker ends its pause within a second and runs a cycle that
    // resets the simulator's weather first.
    void requestRefresh();
    // Shows the last written station's weather in the simulator, within a
    // second during the pause, otherwise at the start of the next cycle.
    void requestWeatherText();
    // Replaces the whole settings record; the next cycle works from it.
    void updateSettings(const EngineSettings& settings);
    bool isRunning() const;
    // The engine's one UTC clock: the weather time run on since the start
    // while one is flown, else the present. Usable for the engine's life.
    UtcClock clock() const;

private:
    // Thrown at a stop check to abandon the rest of the cycle.
    struct CycleStopped {};

    // What a cycle's METAR request gave: the answer, the reports kept for
    // the stations while the service does not answer, and the route
    // stations chosen with them.
    struct CycleReports {
        MetarFetch fetch;
        MetarMap kept;
        std::vector<StationEntry> route;
    };

    void run();
    void runCycle(int cycle);
    EngineSettings refreshCycle();
    bool ensureLink();
    void checkStop() const;
    void notePosition(const EngineSettings& settings, const std::optional<SimPosition>& position);
    void selectSource();
    SourceContext sourceContext() const;
    CycleReports fetchReports(const EngineSettings& settings, const std::optional<SimPosition>& position,
                              const StationChoice& stations);
    MetarMap keptReportsFor(const EngineSettings& settings, const std::vector<std::string>& asked,
                            const MetarFetch& fetch);
    void useKeptReports(const EngineSettings& settings, MetarFetch& fetch, const MetarMap& kept);
    EngineSettings copySettings() const;
    void serveWeatherText(const EngineSettings& settings);
    void checkPositionJump(const std::optional<SimPosition>& position);
    void serveRefresh(const EngineSettings& settings);
    void writeStations(const EngineSettings& settings, const std::optional<SimPosition>& position,
                       const StationChoice& stations);
    void writeGlobalPointOnly(const EngineSettings& settings, const SimPosition& position);
    void moveStationsOn(const EngineSettings& settings);
    void logReports(const std::vector<std::pair<std::string, std::string>>& reports);
    bool writeStationRecord(const EngineSettings& settings, const StationEntry& station, const WeatherData& target,
                            double magVarDeg, std::optional<WeatherData>& first);
    void noteWritten(const StationEntry& station, const WeatherData& record);
    void readBack(const std::optional<WeatherData>& sent, double magVarDeg);
    SigmetList fetchSigmets(const EngineSettings& settings);
    void briefCycle(const EngineSettings& settings, const std::optional<SimPosition>& position,
                    const MetarMap& reports, const SigmetList& sigmets);
    void initialiseWeatherOnce();
    bool wantsGlobalPoint(const EngineSettings& settings, const std::optional<SimPosition>& position) const;
    void syncZulu(const EngineSettings& settings, const std::vector<std::pair<std::string, std::string>>& reports);
    std::optional<WeatherData> writeGlobalPoint(const EngineSettings& settings,
                                                const std::optional<SimPosition>& position,
                                                const SigmetList& sigmets, double magVarDeg);
    std::optional<WeatherData> stationWeather(const EngineSettings& settings, const StationEntry& station,
                                              const MetarMap& metars, const SigmetList& sigmets);
    void activate(const EngineSettings& settings, int written, const std::optional<WeatherData>& textRecord,
                  const std::optional<WeatherData>& nearest, double magVarDeg);
    void pause(const EngineSettings& settings);
    void log(const std::string& message, const char* level) const;
    LogFn workerLog() const;

    const AirportDb& airports_;
    EngineSettings settings_;
    mutable std::mutex settingsMutex_;
    EngineCallbacks callbacks_;
    EngineSeams seams_;
    std::shared_ptr<InterruptibleClock> clock_;
    // What the sources, the link and the cycle log through: nothing once a
    // stop was requested, so that "Engine stopped." ends the log.
    LogFn workerLog_;
    std::shared_ptr<IpcTransport> ipcTransport_;
    // Ends the sources' requests in flight on stop; declared before the
    // source, which shares it.
    std::shared_ptr<HttpCancel> httpCancel_ = std::make_shared<HttpCancel>();
    // The services' asks to wait, cleared by every start, and the model
    // answers kept for the engine's life; shared by every source it makes.
    std::shared_ptr<HostPauses> hostPauses_;
    std::shared_ptr<ModelAnswerStore> modelAnswers_ = std::make_shared<ModelAnswerStore>();
    // Declared before the source, whose context reads it.
    std::shared_ptr<WeatherClock> weatherClock_;
    std::unique_ptr<IWeatherSource> source_;
    // Whether the source was made for a weather time in the past.
    bool sourceFliesPast_ = false;
    // The weather time fixed by the last start; empty: now.
    std::optional<UtcMillis> startWeatherTime_;
    std::unique_ptr<SimLink> link_;
    std::thread worker_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> refreshRequested_{false};
    std::atomic<bool> running_{false};
    std::atomic<bool> weatherTextRequested_{false};
    mutable std::mutex weatherMutex_;
    std::optional<WeatherData> lastWeather_;
    std::optional<SimPosition> lastPosition_;
    bool positionMissing_ = false;
    bool nwiCleared_ = false;
    bool zuluSynced_ = false;
    std::string activeSourceName_;
    SmoothChanges smooth_;
    ReadBackWatch readBackWatch_;
    // What the simulator holds, reported after each activation.
    CycleOverview overview_;
    KeptReports keptReports_;
    TafKeeper tafs_;
};

}  // namespace wx
