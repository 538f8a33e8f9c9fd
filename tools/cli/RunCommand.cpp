// nubiro-cli run: the engine without a window. Every log line, station
// choice, written station and the stop are printed as JSON lines, with the
// in-process simulator stand-in's own events among them; commands come from
// standard input and from --at-cycle.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>

#include "BriefingJson.h"
#include "CliOptions.h"
#include "Commands.h"
#include "JsonLine.h"
#include "LineReader.h"
#include "RunOptions.h"
#include "RunStandIn.h"
#include "SettingsFields.h"
#include "SimEvents.h"
#include "WeatherJson.h"
#include "airports/AirportDb.h"
#include "engine/Engine.h"
#include "flight/PlanSummary.h"
#include "sources/PackRecorder.h"
#include "weather/MetarAge.h"

namespace wx::cli {
namespace {

using nlohmann::ordered_json;

constexpr std::chrono::milliseconds kInterruptPoll{100};

// Set by the Ctrl-C handler; a signal handler can reach nothing else.
volatile std::sig_atomic_t interruptedFlag = 0;

extern "C" void onInterrupt(int) { interruptedFlag = 1; }

// Installs the Ctrl-C handler for its lifetime.
class InterruptScope {
public:
    InterruptScope() : previous_(std::signal(SIGINT, onInterrupt)) { interruptedFlag = 0; }
    ~InterruptScope() { std::signal(SIGINT, previous_); }
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;

private:
    void (*previous_)(int);
};

// One JSON object a line, whole lines only, from any thread.
class EventPrinter {
public:
    explicit EventPrinter(std::ostream& out) : out_(out) {}

    void print(const ordered_json& event) {
        const std::string line = jsonLine(event) + "\n";
        std::lock_guard lock(mutex_);
        out_ << line << std::flush;
    }

private:
    std::mutex mutex_;
    std::ostream& out_;
};

ordered_json errorEvent(const std::string& message) { return {{"event", "error"}, {"message", message}}; }

ordered_json valuesToJson(const ReadBackValues& values) {
    return {{"windDirDeg", values.windDirDeg},
            {"windSpeedKt", values.windSpeedKt},
            {"qnhHpa", values.qnhHpa},
            {"temperatureC", values.temperatureC},
            {"visibilityM", values.visibilityM}};
}

ordered_json readBackToJson(const ReadBack& readBack) {
    return {{"event", "readback"},
            {"stationId", readBack.stationId},
            {"matches", readBack.matches},
            {"simulator", valuesToJson(readBack.simulator)},
            {"sent", valuesToJson(readBack.sent)},
            {"differing", readBack.differing}};
}

// While it lives, new HTTP transports keep their requests in a weather
// pack; the transports made before are left as they are.
class PackRecording {
public:
    PackRecording() = default;
    ~PackRecording() {
        if (previous_) {
            setDefaultHttpTransportFactory(previous_);
        }
    }
    PackRecording(const PackRecording&) = delete;
    PackRecording& operator=(const PackRecording&) = delete;

    bool start(const std::string& dir, const UtcClock& clock, std::shared_ptr<const WeatherClock> weather,
               std::string& error) {
        HttpTransportFactory previous = defaultHttpTransportFactory();
        if (!recordRequestsInto(dir, clock, error, std::move(weather))) {
            return false;
        }
        previous_ = std::move(previous);
        return true;
    }

private:
    HttpTransportFactory previous_;
};

class RunSession {
public:
    RunSession(const RunOptions& options, CliStreams io)
        : options_(options),
          io_(io),
          printer_(io.out),
          clock_(options.clockStart ? clockStartingAt(*options.clockStart) : UtcClock{}),
          weatherClock_(std::make_shared<WeatherClock>(clock_)) {}

    int run() {
        const InterruptScope interrupts;
        PackRecording recording;
        if (!options_.recordDir.empty()) {
            std::string error;
            if (!recording.start(options_.recordDir, clock_, weatherClock_, error)) {
                io_.err << "nubiro-cli run: cannot record a weather pack: " << error << "\n";
                return 1;
            }
            logToOutput()("Weather pack: the services' requests and answers are recorded into " + options_.recordDir,
                          "INFO");
        }
        if (options_.settingsWarning) {
            logToOutput()(*options_.settingsWarning, "WARN");
        }
        airports_ = std::make_unique<AirportDb>(logToOutput());
        const AirportDb* airports = airports_.get();
        if (!options_.airportsPath.empty() && !airports_->loadFile(options_.airportsPath)) {
            io_.err << "nubiro-cli run: cannot load an airport list from " << options_.airportsPath << "\n";
            return 2;
        }
        // Without airports no station can be chosen or placed; the window
        // refuses to start the engine then, and so does this.
        if (options_.airportsPath.empty() && !airports_->load()) {
            io_.err << "nubiro-cli run: no airport list could be loaded, so the engine does not start\n";
            return 1;
        }
        if (options_.standIn) {
            standIn_.emplace(options_.simSettings,
                             [this](const standin::SimEvent& event) { printer_.print(standin::eventToJson(event)); });
            standIn_->setStationPositions([airports](const std::string& id) {
                const auto airport = airports->findAirport(id);
                return airport ? std::optional(std::make_pair(airport->lat, airport->lon)) : std::nullopt;
            });
        }
        settings_ = options_.settings;
        takeFlightPlan();
        EngineSeams seams;
        seams.ipcTransport = standIn_ ? standIn_->transport() : nullptr;
        seams.onCycleEnd = [this](int cycle) { cycleEnded(cycle); };
        seams.utcNow = clock_;
        seams.weatherClock = weatherClock_;
        engine_ = std::make_unique<Engine>(*airports_, settings_, callbacks(), std::move(seams));
        engine_->start();
        serveCommands();
        engine_.reset();
        return stoppedCleanly_.load() && !failed_.load() ? 0 : 1;
    }

private:
    LogFn logToOutput() {
        return [this](const std::string& message, const std::string& level) {
            printer_.print({{"event", "log"}, {"level", level}, {"message", message}});
        };
    }

    // The plan the options ask for, said in the log once, as the window
    // says it when it takes one; one that cannot be read or made is a
    // warning, and the run goes on without a plan.
    void takeFlightPlan() {
        if (!asksForPlan(options_.flight)) {
            return;
        }
        const TakenPlan taken =
            takePlan(options_.flight, [this](const std::string& id) { return airports_->findAirport(id); });
        if (!taken.plan) {
            logToOutput()(taken.warning, "WARN");
            return;
        }
        settings_.plan = taken.plan;
        settings_.alternateId = options_.flight.alternateId;
        logToOutput()(planSummaryLine(summarizePlan(*taken.plan, options_.flight.alternateId)), "INFO");
    }

    // The engine's log, watched for how it ended: "Engine stopped." after a
    // stop, nothing of the kind when the simulator could not be reached,
    // "Fatal: " when something broke outside its cycles.
    LogFn engineLog() {
        return [this, print = logToOutput()](const std::string& message, const std::string& level) {
            if (message == "Engine stopped.") {
                stoppedCleanly_.store(true);
            } else if (message.rfind("Fatal: ", 0) == 0) {
                failed_.store(true);
            }
            print(message, level);
        };
    }

    EngineCallbacks callbacks() {
        EngineCallbacks callbacks;
        callbacks.onLog = engineLog();
        callbacks.onStations = [this](const std::vector<std::string>& ids) {
            printer_.print({{"event", "stations"}, {"stationIds", ids}});
        };
        callbacks.onStationWritten = [this](const StationEntry& station, const WeatherData& weather) {
            ordered_json event{{"event", "station"}, {"stationId", station.stationId}};
            if (station.role != StationRole::Nearest) {
                event["role"] = stationRoleName(station.role);
            }
            event["distanceNm"] = station.distanceNm;
            if (const auto age = reportAgeMinutes(weather.rawMetar, weatherClock_->now())) {
                event["ageMinutes"] = *age;
            }
            event["weather"] = weatherToJson(weather);
            printer_.print(event);
        };
        callbacks.onReadBack = [this](const ReadBack& readBack) { printer_.print(readBackToJson(readBack)); };
        callbacks.onBriefing = [this](const Briefing& briefing) {
            ordered_json event{{"event", "briefing"}};
            event.update(briefingToJson(briefing));
            printer_.print(event);
        };
        callbacks.onStopped = [this] {
            printer_.print({{"event", "stopped"}});
            std::lock_guard lock(mutex_);
            stopped_ = true;
            changed_.notify_all();
        };
        return callbacks;
    }

    // On the worker, when a cycle reaches its pause: the commands for this
    // cycle, then the stop after the last cycle asked for.
    void cycleEnded(int cycle) {
        for (const auto& [at, command] : options_.atCycle) {
            if (at == cycle) {
                runCommand(command);
            }
        }
        if (options_.cycles > 0 && cycle >= options_.cycles) {
            stop();
        }
    }

    void stop() { engine_->requestStop(); }

    // Serves standard input until the engine has stopped. The end of input
    // or Ctrl-C stops it; with a number of cycles the end of input does not.
    void serveCommands() {
        LineReader input(io_.in);
        bool inputOpen = true;
        while (!hasStopped()) {
            if (interruptedFlag != 0) {
                stop();
            }
            if (!inputOpen) {
                std::unique_lock lock(mutex_);
                changed_.wait_for(lock, kInterruptPoll, [this] { return stopped_; });
                continue;
            }
            const LineReader::Next next = input.waitForLine(kInterruptPoll);
            if (next.line) {
                runCommand(*next.line);
            } else if (next.ended) {
                inputOpen = false;
                if (options_.cycles == 0) {
                    stop();
                }
            }
        }
    }

    bool hasStopped() {
        std::lock_guard lock(mutex_);
        return stopped_;
    }

    // One command, from standard input or --at-cycle; a mistake is
    // reported as an error event and changes nothing.
    void runCommand(const std::string& line) {
        std::istringstream words(line);
        std::string verb;
        if (!(words >> verb)) {
            return;
        }
        if (verb == "refresh") {
            engine_->requestRefresh();
        } else if (verb == "weather-text") {
            engine_->requestWeatherText();
        } else if (verb == "stop") {
            stop();
        } else if (verb == "set") {
            setField(words);
        } else if (verb == "move" || verb == "ack" || verb == "reply" || verb == "kill" || verb == "restart" ||
                   verb == "hang" || verb == "ambient" || verb == "gps") {
            printer_.print(standIn_ ? standIn_->apply(line) : errorEvent("\"" + verb + "\" needs --sim standin"));
        } else {
            printer_.print(errorEvent("cannot do \"" + line +
                                      "\"; commands: refresh, weather-text, stop, set FIELD VALUE, move LAT LON, "
                                      "ack on|off, reply N, kill, restart, hang MS, ambient ..., gps KT SECONDS"));
        }
    }

    void setField(std::istringstream& words) {
        std::string field;
        std::string value;
        words >> field >> std::ws;
        std::getline(words, value);
        std::lock_guard lock(settingsMutex_);
        EngineSettings changed = settings_;
        try {
            setSettingsField(changed, field, value);
        } catch (const UsageError& error) {
            printer_.print(errorEvent(error.what()));
            return;
        }
        settings_ = changed;
        engine_->updateSettings(settings_);
    }

    const RunOptions& options_;
    CliStreams io_;
    EventPrinter printer_;
    // The present, and the engine's clock on it (the weather time while
    // one is flown).
    const UtcClock clock_;
    const std::shared_ptr<WeatherClock> weatherClock_;
    std::unique_ptr<AirportDb> airports_;
    std::optional<RunStandIn> standIn_;
    std::mutex settingsMutex_;
    EngineSettings settings_;
    std::unique_ptr<Engine> engine_;
    std::atomic<bool> stoppedCleanly_{false};
    std::atomic<bool> failed_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopped_ = false;
};

}  // namespace

int runRun(const std::vector<std::string>& args, CliStreams io) {
    const RunOptions options = parseRunOptions(args, NUBIRO_CLI_STANDIN_BY_DEFAULT);
    return RunSession(options, io).run();
}

}  // namespace wx::cli
