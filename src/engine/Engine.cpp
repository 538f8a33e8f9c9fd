// The engine's lifecycle: construction, the requests from the window
// thread, the worker's frame around the refresh cycle, the choice of the
// weather source and the pause between cycles.

#include "engine/Engine.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <utility>

#include "engine/WeatherTime.h"
#include "sources/SourceRegistry.h"

namespace wx {
namespace {

constexpr std::chrono::seconds kPauseStep{1};
constexpr std::chrono::seconds kAfterCycleError{3};
// While the simulator is away it is looked for again this often at most,
// and no more than once a second.
constexpr int32_t kReconnectPauseSec = 10;

std::shared_ptr<WeatherClock> startedClock(const EngineSeams& seams, std::optional<UtcMillis> weatherTime) {
    auto clock = seams.weatherClock ? seams.weatherClock : std::make_shared<WeatherClock>(seams.utcNow);
    clock->startAt(weatherTime);
    return clock;
}

}  // namespace

Engine::Engine(const AirportDb& airports, EngineSettings settings, EngineCallbacks callbacks, EngineSeams seams)
    : airports_(airports),
      settings_(std::move(settings)),
      callbacks_(std::move(callbacks)),
      seams_(std::move(seams)),
      clock_(std::make_shared<InterruptibleClock>(seams_.clock)),
      workerLog_(workerLog()),
      hostPauses_(std::make_shared<HostPauses>([clock = clock_] { return clock->now(); })),
      weatherClock_(startedClock(seams_, settings_.weatherTime)),
      source_(makeSource(settings_.source, workerLog_, sourceContext())),
      sourceFliesPast_(settings_.weatherTime.has_value()),
      activeSourceName_(settings_.source) {
    log("Weather source: " + activeSourceName_, "INFO");
}

Engine::~Engine() {
    requestStop();
    if (worker_.joinable()) {
        worker_.join();
    }
}

void Engine::start() {
    // Running is set here as well as by the worker, so that a second start
    // before the new worker got going neither launches another worker nor
    // waits for this one.
    if (running_.exchange(true)) {
        return;
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    stopRequested_.exchange(false);
    refreshRequested_.exchange(false);
    // Reports kept at another weather time are of another day: their time
    // groups (day of the month, hour, minute) could pass for young ones.
    // And the simulator's clock is set to the new time.
    const std::optional<UtcMillis> weatherTime = copySettings().weatherTime;
    if (weatherTime != startWeatherTime_) {
        keptReports_ = KeptReports{};
        zuluSynced_ = false;
    }
    startWeatherTime_ = weatherTime;
    weatherClock_->startAt(startWeatherTime_);
    if (startWeatherTime_.has_value() != sourceFliesPast_) {
        sourceFliesPast_ = startWeatherTime_.has_value();
        source_ = makeSource(activeSourceName_, workerLog_, sourceContext());
    }
    clock_->reset();
    httpCancel_->reset();
    hostPauses_->clear();
    worker_ = std::thread(&Engine::run, this);
}

void Engine::requestStop() {
    stopRequested_.exchange(true);
    clock_->interrupt();
    httpCancel_->cancel();
}

void Engine::requestRefresh() { refreshRequested_.exchange(true); }

void Engine::requestWeatherText() { weatherTextRequested_.exchange(true); }

void Engine::updateSettings(const EngineSettings& settings) {
    std::lock_guard lock(settingsMutex_);
    settings_ = settings;
}

bool Engine::isRunning() const { return running_.load(); }

UtcClock Engine::clock() const {
    return [clock = weatherClock_] { return clock->now(); };
}

EngineSettings Engine::copySettings() const {
    std::lock_guard lock(settingsMutex_);
    return settings_;
}

void Engine::log(const std::string& message, const char* level) const {
    if (workerLog_) {
        workerLog_(message, level);
    }
}

LogFn Engine::workerLog() const {
    if (!callbacks_.onLog) {
        return {};
    }
    return [this](const std::string& message, const std::string& level) {
        if (!stopRequested_.load()) {
            callbacks_.onLog(message, level);
        }
    };
}

// Ends the cycle where it stands once a stop was requested.
void Engine::checkStop() const {
    if (stopRequested_.load()) {
        throw CycleStopped{};
    }
}

void Engine::run() {
    running_.exchange(true);
    if (startWeatherTime_) {
        log("Weather time: " + weatherTimeText(*startWeatherTime_) + ", running on from the start", "INFO");
    }
    try {
        ipcTransport_ = seams_.ipcTransport ? seams_.ipcTransport : defaultIpcTransport();
        smooth_.reset();
        readBackWatch_ = ReadBackWatch{};
        link_.reset();
        link_ = std::make_unique<SimLink>(workerLog_, ipcTransport_, clock_);
        if (!link_->connected()) {
            if (callbacks_.onLog) {
                callbacks_.onLog("Cannot open FSUIPC", "ERROR");
            }
            running_.exchange(false);
            if (callbacks_.onStopped) {
                callbacks_.onStopped();
            }
            return;
        }
        for (int cycle = 1; !stopRequested_.load(); ++cycle) {
            runCycle(cycle);
        }
    } catch (const std::exception& error) {
        log(std::string("Fatal: ") + error.what(), "ERROR");
    } catch (...) {
        log("Fatal: unknown error", "ERROR");
    }
    link_.reset();
    running_.exchange(false);
    if (callbacks_.onLog) {
        callbacks_.onLog("Engine stopped.", "INFO");
    }
    if (callbacks_.onStopped) {
        callbacks_.onStopped();
    }
}

// One cycle inside its error guard. An error abandons the rest of the cycle
// and is followed by a fixed pause, which a stop ends too; a stop abandons
// the rest of the cycle without a word.
void Engine::runCycle(int cycle) {
    const auto cycleEnded = [this, cycle] {
        if (seams_.onCycleEnd) {
            seams_.onCycleEnd(cycle);
        }
    };
    try {
        const EngineSettings settings = refreshCycle();
        cycleEnded();
        pause(settings);
        return;
    } catch (const CycleStopped&) {
        return;
    } catch (const std::exception& error) {
        log(std::string("Cycle error: ") + error.what(), "ERROR");
    } catch (...) {
        log("Cycle unknown error", "ERROR");
    }
    cycleEnded();
    clock_->sleepFor(kAfterCycleError);
}

// Rebuilds the source when the settings name another one than it was made
// from. The name is compared, not the kind built: an unknown name builds
// the default source once and is kept.
void Engine::selectSource() {
    const EngineSettings settings = copySettings();
    if (settings.source == activeSourceName_) {
        return;
    }
    activeSourceName_ = settings.source;
    source_ = makeSource(activeSourceName_, workerLog_, sourceContext());
    smooth_.writeAtOnce();
    log("Switched weather source \xE2\x86\x92 " + activeSourceName_, "OK");
}

// While a weather time is flown the sources see the engine's clock as
// their calendar time and the present beside it.
SourceContext Engine::sourceContext() const {
    SourceContext context{httpCancel_, clock(), hostPauses_, modelAnswers_, std::nullopt};
    if (weatherClock_->flyingPast()) {
        context.present = weatherClock_->present();
    }
    return context;
}

// Waits out the interval in one-second steps, ending early for a stop or a
// refresh request and serving a weather-text request as it comes. Without
// the simulator the pause is short, so that it is found again soon.
void Engine::pause(const EngineSettings& settings) {
    int32_t seconds = link_->connected() ? settings.intervalSec
                                         : std::clamp(settings.intervalSec, int32_t{1}, kReconnectPauseSec);
    if (settings.smoothChanges && smooth_.movingCount() > 0) {
        seconds = std::min(seconds, SmoothChanges::kStepPauseSec);
    }
    for (int32_t second = 0; second < seconds; ++second) {
        if (stopRequested_.load() || refreshRequested_.load()) {
            return;
        }
        if (weatherTextRequested_.load()) {
            serveWeatherText(copySettings());
        }
        clock_->sleepFor(kPauseStep);
    }
}

}  // namespace wx
