#include "EngineTestKit.h"

#include <algorithm>

#include <nlohmann/json.hpp>

namespace wx::test {

void VirtualClock::sleepFor(std::chrono::milliseconds duration) {
    elapsedMs_ += duration.count();
    if (duration == std::chrono::seconds(1)) {
        ++secondSleeps_;
    }
    SleepHook hook;
    {
        std::lock_guard lock(hookMutex_);
        hook = hook_;
    }
    if (hook) {
        hook(duration);
    }
}

void VirtualClock::setHook(SleepHook hook) {
    std::lock_guard lock(hookMutex_);
    hook_ = std::move(hook);
}

void RoutedTransport::route(const std::string& path, std::optional<std::string> body) {
    route(path, scripted(std::move(body)));
}

void RoutedTransport::route(const std::string& path, HttpResult result) {
    std::lock_guard lock(mutex_);
    results_[path] = std::move(result);
}

size_t RoutedTransport::count(const std::string& path) const {
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count_if(urls_.begin(), urls_.end(), [&](const std::string& url) {
        return url.find(path) != std::string::npos;
    }));
}

HttpResult RoutedTransport::send(const HttpRequest& request, const LogFn&) {
    std::lock_guard lock(mutex_);
    urls_.push_back(request.url);
    const size_t hostEnd = request.url.find('/', request.url.find("://") + 3);
    const std::string path = request.url.substr(hostEnd, request.url.find('?') - hostEnd);
    const auto it = results_.find(path);
    return it == results_.end() ? scripted(std::nullopt) : it->second;
}

std::vector<std::string> RoutedTransport::urls() const {
    std::lock_guard lock(mutex_);
    return urls_;
}

const char* const EngineRig::kAirports =
    "ident,type,latitude_deg,longitude_deg,elevation_ft,name\n"
    "EAAA,small_airport,50.1,8.0,328,One\n"
    "EBBB,small_airport,50.2,8.0,328,Two\n"
    "ECCC,small_airport,50.3,8.0,328,Three\n"
    "EDDD,small_airport,50.4,8.0,328,Four\n"
    "EEEE,small_airport,50.5,8.0,328,Five\n"
    "EFFF,small_airport,50.6,8.0,328,Six\n"
    "EGGG,small_airport,50.7,8.0,328,Seven\n"
    "EHHH,small_airport,50.8,8.0,328,Eight\n"
    "EIII,small_airport,50.9,8.0,328,Nine\n"
    "EJJJ,small_airport,51.0,8.0,328,Ten\n";

standin::SimSettings EngineRig::atFrankfurt() {
    standin::SimSettings settings;
    settings.latitudeDeg = 50.0;
    settings.longitudeDeg = 8.0;
    return settings;
}

void EngineRig::routeDefaults() {
    http->route("/api/data/metar", metarAnswer({{"EAAA", "EAAA 071150Z 25010KT 9999 SCT030 12/06 Q1012"},
                                                {"EBBB", "EBBB 071150Z 24008KT 8000 -RA BKN012 11/09 Q1011"}}));
    http->route("/api/data/isigmet", "[]");
    http->route("/v1/forecast", forecastAnswer());
}

EngineSettings EngineRig::threeStations() {
    EngineSettings settings;
    settings.denseField = false;
    settings.maxStations = 3;
    settings.intervalSec = 0;
    return settings;
}

EngineRig::EngineRig(const standin::SimSettings& simSettings, const std::string& airportsCsv)
    : model(std::make_shared<standin::SimModel>(simSettings)),
      ipc(std::make_shared<standin::LoopbackIpcTransport>(model, clock)) {
    airports.loadFile(scratch.write("airports.csv", airportsCsv));
}

EngineRig::~EngineRig() { engine.reset(); }

EngineCallbacks EngineRig::callbacks() {
    EngineCallbacks callbacks;
    callbacks.onLog = log.fn();
    callbacks.onStationWritten = [this](const StationEntry& station, const WeatherData& weather) {
        std::lock_guard lock(mutex_);
        reports.push_back({station.stationId, weather, station.distanceNm, station.role});
    };
    callbacks.onStations = [this](const std::vector<std::string>& ids) {
        std::lock_guard lock(mutex_);
        chosen.push_back(ids);
    };
    callbacks.onReadBack = [this](const ReadBack& readBack) {
        std::lock_guard lock(mutex_);
        readBacks.push_back(readBack);
    };
    callbacks.onCycleOverview = [this](const CycleOverview& overview) {
        std::lock_guard lock(mutex_);
        overviews.push_back(overview);
    };
    callbacks.onStopped = [this] {
        std::lock_guard lock(mutex_);
        ++stops;
        stopped_.notify_all();
    };
    return callbacks;
}

EngineSeams EngineRig::seams(int cycles, std::function<void(Engine&, int)> atCycleEnd) {
    EngineSeams seams;
    seams.ipcTransport = ipc;
    seams.clock = clock;
    seams.utcNow = utcNow;
    seams.onCycleEnd = [this, cycles, atCycleEnd = std::move(atCycleEnd)](int cycle) {
        if (atCycleEnd) {
            atCycleEnd(*engine, cycle);
        }
        if (cycle >= cycles) {
            engine->requestStop();
        }
    };
    return seams;
}

void EngineRig::run(const EngineSettings& settings, int cycles, std::function<void(Engine&, int)> atCycleEnd) {
    int before = 0;
    {
        std::lock_guard lock(mutex_);
        before = stops;
    }
    engine = std::make_unique<Engine>(airports, settings, callbacks(), seams(cycles, std::move(atCycleEnd)));
    engine->start();
    EXPECT_TRUE(waitForStops(before + 1));
}

testing::AssertionResult EngineRig::waitForStops(int count, std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    const bool came = stopped_.wait_for(lock, limit, [&] { return stops >= count; });
    return cameWithin(came, limit, "the engine's onStopped call " + std::to_string(count),
                      std::to_string(stops) + " calls");
}

int EngineRig::pauseSeconds() const {
    int resets = 0;
    for (const auto& event : model->events()) {
        resets += std::holds_alternative<standin::InitEvent>(event) ? 1 : 0;
    }
    return clock->secondSleeps() - resets;
}

std::vector<std::string> EngineRig::linesAt(const std::string& level) const {
    std::vector<std::string> found;
    const std::string prefix = "[" + level + "] ";
    for (const std::string& line : log.lines()) {
        if (line.rfind(prefix, 0) == 0) {
            found.push_back(line.substr(prefix.size()));
        }
    }
    return found;
}

int EngineRig::count(const std::string& line) const {
    int n = 0;
    for (const std::string& logged : log.lines()) {
        n += logged == line ? 1 : 0;
    }
    return n;
}

std::string metarAnswer(const std::vector<std::pair<std::string, std::string>>& reports) {
    nlohmann::json answer = nlohmann::json::array();
    for (const auto& [id, raw] : reports) {
        answer.push_back({{"icaoId", id}, {"rawOb", raw}});
    }
    return answer.dump();
}

std::string forecastAnswer() {
    const auto one = [](double value) { return nlohmann::json::array({value}); };
    return nlohmann::json{{"hourly",
                           {{"temperature_2m", one(12.0)},
                            {"dewpoint_2m", one(6.0)},
                            {"wind_speed_10m", one(18.0)},
                            {"wind_direction_10m", one(250.0)},
                            {"pressure_msl", one(1012.0)},
                            {"cloud_cover_low", one(40.0)},
                            {"temperature_850hPa", one(2.0)},
                            {"wind_speed_850hPa", one(40.0)},
                            {"wind_direction_850hPa", one(260.0)},
                            {"geopotential_height_850hPa", one(1500.0)},
                            {"temperature_500hPa", one(-20.0)},
                            {"wind_speed_500hPa", one(80.0)},
                            {"wind_direction_500hPa", one(270.0)},
                            {"geopotential_height_500hPa", one(5570.0)}}}}
        .dump();
}

}  // namespace wx::test
