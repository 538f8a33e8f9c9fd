// One refresh cycle of 20 stations and the global point against the
// web-services stand-in, over HTTP and over HTTPS with its certificate
// authority trusted (NUBIRO_BENCH_HTTP_URL, NUBIRO_BENCH_HTTPS_URL and
// NUBIRO_BENCH_AUTHORITY, which scripts/bench sets), and the in-process
// simulator stand-in, which acknowledges at once. Both services are the one
// stand-in port, so its connections are those of one host. Each iteration
// is one cycle in the engine's steady state: either each cycle an hour
// after the one before on the engine's UTC clock, so that every point's
// model answer is asked again, or parked within the hour, so that the kept
// answers serve and only METARs and SIGMETs are asked. "waitsMs" is what the cycle
// spent in the sleeps it asks for (the 20 ms acknowledgement polls, the
// 300 ms after activation), "overheadPct" the rest of its wall time as a
// share of those waits, and "connections" the connections the stand-in's
// port accepted per cycle. With a flight plan (from Kennedy to Los Angeles,
// the aircraft at Kennedy) each cycle also writes the destination, the
// alternate and 30 route stations, their airports asked in the same METAR
// request.

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "LoopbackIpcTransport.h"
#include "SimModel.h"
#include "airports/AirportDb.h"
#include "engine/Engine.h"
#include "flight/DirectPlan.h"
#include "platform/PlatformDefaults.h"
#include "sources/HttpTransport.h"

namespace {

using SteadyClock = std::chrono::steady_clock;
using std::chrono::duration;

// The steady clock, adding up the sleeps asked of it.
class TallyClock final : public wx::Clock {
public:
    TimePoint now() const override { return SteadyClock::now(); }
    void sleepFor(std::chrono::milliseconds length) override {
        slept_ += length.count();
        std::this_thread::sleep_for(length);
    }
    int64_t sleptMs() const { return slept_.load(); }

private:
    std::atomic<int64_t> slept_{0};
};

// Cycle ends as the engine reports them: when and how much it had slept.
class CycleLog {
public:
    void ended(int64_t sleptMs) {
        std::lock_guard lock(mutex_);
        ends_.push_back({SteadyClock::now(), sleptMs});
        changed_.notify_all();
    }
    struct End {
        SteadyClock::time_point at;
        int64_t sleptMs;
    };
    End waitFor(size_t cycle) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return ends_.size() >= cycle; });
        return ends_[cycle - 1];
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<End> ends_;
};

// The connections the stand-in's ports accepted so far: {"http": N, ...}.
nlohmann::json acceptedConnections(const std::string& controlUrl) {
    const wx::HttpResult answer =
        wx::makeDefaultHttpTransport()->send({controlUrl + "/_sim/connections", 10, true}, nullptr);
    return answer.succeeded() ? nlohmann::json::parse(answer.body, nullptr, false) : nlohmann::json();
}

// range(0): 0 for HTTP, 1 for HTTPS; range(1): 0 for a new hour every
// cycle, 1 for cycles within the hour; range(2): 1 for a flight plan.
void BM_EngineCycle(benchmark::State& state) {
    const char* http = std::getenv("NUBIRO_BENCH_HTTP_URL");
    const char* https = std::getenv("NUBIRO_BENCH_HTTPS_URL");
    const char* authority = std::getenv("NUBIRO_BENCH_AUTHORITY");
    if (http == nullptr || https == nullptr || authority == nullptr) {
        state.SkipWithError("no web-services stand-in: run scripts/bench, which starts one");
        return;
    }
    const bool secure = state.range(0) == 1;
    const bool withinTheHour = state.range(1) == 1;
    const bool withPlan = state.range(2) == 1;
    const std::string port = secure ? "https" : "http";
    setenv("NUBIRO_AWC_URL", secure ? https : http, 1);
    setenv("NUBIRO_OPENMETEO_URL", secure ? https : http, 1);
    wx::installPlatformDefaults();
    wx::trustOnlyCertificateAuthorities(authority);
    state.SetLabel(port + (withinTheHour ? ", model answers kept" : ", every point asked") +
                   (withPlan ? ", with a plan" : ""));
    wx::AirportDb airports(nullptr);
    if (!airports.loadFile(NUBIRO_TEST_DATA_DIR "/airports.csv")) {
        state.SkipWithError("airports.csv not found; build the nubiro_test_data target");
        return;
    }
    wx::standin::SimSettings simSettings;
    simSettings.latitudeDeg = withPlan ? 40.6398 : 51.4706;
    simSettings.longitudeDeg = withPlan ? -73.7789 : -0.4619;
    auto model = std::make_shared<wx::standin::SimModel>(simSettings);
    auto clock = std::make_shared<TallyClock>();
    auto transport = std::make_shared<wx::standin::LoopbackIpcTransport>(model, clock);
    CycleLog cycles;
    wx::EngineSettings settings;
    settings.denseField = false;
    settings.maxStations = 20;
    settings.intervalSec = 0;
    if (withPlan) {
        settings.plan =
            wx::makeDirectPlan("KJFK", *airports.findAirport("KJFK"), "KLAX", *airports.findAirport("KLAX"));
        settings.alternateId = "KSFO";
    }
    int written = 0;
    wx::EngineCallbacks callbacks;
    callbacks.onStationWritten = [&written](const wx::StationEntry&, const wx::WeatherData&) { ++written; };
    std::atomic<int> hoursOn{0};
    const wx::UtcClock utcNow = [&hoursOn] {
        return std::chrono::system_clock::now() + std::chrono::hours{hoursOn.load()};
    };
    wx::Engine engine(airports, settings, callbacks,
                      {transport, clock,
                       [&](int) {
                           hoursOn += withinTheHour ? 0 : 1;
                           cycles.ended(clock->sleptMs());
                       },
                       utcNow});
    engine.start();
    // The first cycle also resets the simulator's weather and sets its clock.
    size_t cycle = 1;
    CycleLog::End previous = cycles.waitFor(cycle);
    const int writtenBefore = written;
    // Asked on the other port, so that asking opens no connection where
    // they are counted.
    const std::string control = secure ? http : https;
    const nlohmann::json connectionsBefore = acceptedConnections(control);
    double wallMs = 0.0;
    double waitsMs = 0.0;
    for (auto _ : state) {
        const CycleLog::End end = cycles.waitFor(++cycle);
        const double wall = duration<double, std::milli>(end.at - previous.at).count();
        wallMs += wall;
        waitsMs += static_cast<double>(end.sleptMs - previous.sleptMs);
        state.SetIterationTime(wall / 1000.0);
        previous = end;
    }
    const nlohmann::json connectionsAfter = acceptedConnections(control);
    engine.requestStop();
    const double runs = static_cast<double>(state.iterations());
    state.counters["waitsMs"] = waitsMs / runs;
    state.counters["overheadPct"] = 100.0 * (wallMs - waitsMs) / waitsMs;
    state.counters["stations"] = static_cast<double>(written - writtenBefore) / runs;
    if (connectionsBefore.is_object() && connectionsAfter.is_object()) {
        state.counters["connections"] =
            (connectionsAfter[port].get<double>() - connectionsBefore[port].get<double>()) / runs;
    }
}
BENCHMARK(BM_EngineCycle)
    ->Args({0, 0, 0})
    ->Args({1, 0, 0})
    ->Args({0, 1, 0})
    ->Args({1, 1, 0})
    ->Args({0, 0, 1})
    ->Args({0, 1, 1})
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

}  // namespace
