// How many model requests the engine makes in an hour of flight: the real
// engine with its default settings against the web-services stand-in (the
// services' hosts from NUBIRO_AWC_URL and NUBIRO_OPENMETEO_URL, its request
// log named on the command line) and the in-process simulator stand-in,
// all on a clock that runs only when the engine sleeps, so that hours of
// flight take minutes. The aircraft stands at Heathrow or flies from there
// towards Istanbul at the speed given; with --plan 1 it flies that route
// as a flight plan (Heathrow to Istanbul, Sabiha Gökçen as the alternate),
// so that each cycle also writes the plan's airports and the route
// stations ahead. The engine's UTC clock starts at
// 06:00 today and runs with that clock, so the stand-in's model answers
// (for today) hold its hours.
//
//   nubiro_model_calls --interval-sec N --speed-kt KT --request-log FILE
//       [--hours H] [--airports CSV] [--plan 0|1]
//
// Prints one line: the interval, the speed, the model requests per hour
// of the cycles that began in the first H hours (default 3; the route to
// Istanbul takes three at 450 kt), counted in the stand-in's request log,
// and the weighted calls the forecast service counts for them (69
// variables over 10, one location and one day each: 6.9 a request).

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>

#include "LoopbackIpcTransport.h"
#include "SimModel.h"
#include "airports/AirportDb.h"
#include "airports/Distance.h"
#include "engine/Engine.h"
#include "flight/DirectPlan.h"
#include "platform/PlatformDefaults.h"

namespace {

using namespace std::chrono;

constexpr double kWeightPerRequest = 6.9;
// From Heathrow towards Istanbul.
constexpr double kFromLat = 51.4706;
constexpr double kFromLon = -0.4619;
constexpr double kToLat = 41.2622;
constexpr double kToLon = 28.7278;

// Moves only when someone sleeps on it.
class FlightClock final : public wx::Clock {
public:
    TimePoint now() const override { return TimePoint{} + milliseconds(elapsedMs_.load()); }
    void sleepFor(milliseconds duration) override { elapsedMs_ += duration.count(); }
    double hours() const { return static_cast<double>(elapsedMs_.load()) / 3'600'000.0; }

private:
    std::atomic<int64_t> elapsedMs_{0};
};

struct Point {
    double latDeg;
    double lonDeg;
};

// The point `fraction` of the way along the great circle between a and b.
Point alongGreatCircle(Point a, Point b, double fraction) {
    const auto vector = [](Point p) {
        const double lat = wx::geo::radians(p.latDeg);
        const double lon = wx::geo::radians(p.lonDeg);
        return std::array<double, 3>{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
    };
    const auto u = vector(a);
    const auto v = vector(b);
    const double angle = std::acos(std::clamp(u[0] * v[0] + u[1] * v[1] + u[2] * v[2], -1.0, 1.0));
    const double wa = std::sin((1 - fraction) * angle) / std::sin(angle);
    const double wb = std::sin(fraction * angle) / std::sin(angle);
    const double x = wa * u[0] + wb * v[0];
    const double y = wa * u[1] + wb * v[1];
    const double z = wa * u[2] + wb * v[2];
    return {std::atan2(z, std::hypot(x, y)) * 180 / wx::geo::kPi, std::atan2(y, x) * 180 / wx::geo::kPi};
}

size_t forecastRequests(const std::string& requestLog) {
    std::ifstream log(requestLog);
    size_t count = 0;
    for (std::string line; std::getline(log, line);) {
        count += line.find("\"path\":\"/v1/forecast\"") != std::string::npos ? 1 : 0;
    }
    return count;
}

const char* argument(int argc, char** argv, const char* name, const char* fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == name) {
            return argv[i + 1];
        }
    }
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const int intervalSec = std::atoi(argument(argc, argv, "--interval-sec", "600"));
    const double speedKt = std::atof(argument(argc, argv, "--speed-kt", "0"));
    const double hours = std::atof(argument(argc, argv, "--hours", "3"));
    const std::string requestLog = argument(argc, argv, "--request-log", "");
    const std::string airportsCsv = argument(argc, argv, "--airports", NUBIRO_TEST_DATA_DIR "/airports.csv");
    const bool withPlan = std::string(argument(argc, argv, "--plan", "0")) == "1";
    if (requestLog.empty() || hours <= 0) {
        std::fprintf(stderr, "usage: nubiro_model_calls --interval-sec N --speed-kt KT --request-log FILE "
                             "[--hours H] [--airports CSV] [--plan 0|1]\n");
        return 2;
    }
    wx::installPlatformDefaults();
    wx::AirportDb airports(nullptr);
    if (!airports.loadFile(airportsCsv)) {
        std::fprintf(stderr, "cannot load %s\n", airportsCsv.c_str());
        return 1;
    }
    wx::standin::SimSettings simSettings;
    simSettings.latitudeDeg = kFromLat;
    simSettings.longitudeDeg = kFromLon;
    auto model = std::make_shared<wx::standin::SimModel>(simSettings);
    model->setHistoryKept(false);
    auto clock = std::make_shared<FlightClock>();
    auto ipc = std::make_shared<wx::standin::LoopbackIpcTransport>(model, clock);
    const double routeNm = wx::distanceNm(kFromLat, kFromLon, kToLat, kToLon);
    const auto utcStart = floor<days>(system_clock::now()) + std::chrono::hours{6};

    wx::EngineSettings settings;
    settings.intervalSec = intervalSec;
    const auto heathrow = airports.findAirport("EGLL");
    const auto istanbul = airports.findAirport("LTFM");
    if (withPlan && heathrow && istanbul) {
        settings.plan = wx::makeDirectPlan("EGLL", *heathrow, "LTFM", *istanbul);
        settings.alternateId = "LTFJ";
    } else if (withPlan) {
        std::fprintf(stderr, "EGLL or LTFM is missing from %s\n", airportsCsv.c_str());
        return 1;
    }
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    const size_t before = forecastRequests(requestLog);
    size_t asked = 0;
    std::unique_ptr<wx::Engine> engine;
    wx::EngineSeams seams;
    seams.ipcTransport = ipc;
    seams.clock = clock;
    seams.utcNow = [clock, utcStart] {
        return utcStart + duration_cast<system_clock::duration>(clock->now().time_since_epoch());
    };
    // At each cycle's end the aircraft is put where it will be when the
    // next cycle reads its position; no cycle begins after H hours.
    seams.onCycleEnd = [&](int) {
        const double next = clock->hours() + intervalSec / 3600.0;
        if (next >= hours) {
            asked = forecastRequests(requestLog) - before;
            engine->requestStop();
            return;
        }
        const double flownNm = speedKt * next;
        const Point at = alongGreatCircle({kFromLat, kFromLon}, {kToLat, kToLon}, std::min(1.0, flownNm / routeNm));
        model->setPosition(at.latDeg, at.lonDeg);
    };
    wx::EngineCallbacks callbacks;
    callbacks.onStopped = [&] {
        std::lock_guard lock(mutex);
        finished = true;
        done.notify_all();
    };
    engine = std::make_unique<wx::Engine>(airports, settings, callbacks, seams);
    engine->start();
    {
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return finished; });
    }
    const double perHour = static_cast<double>(asked) / hours;
    std::printf("interval %d s, %.0f kt%s: %.1f model requests an hour, %.0f weighted calls an hour\n", intervalSec,
                speedKt, withPlan ? " with a plan" : "", perHour, perHour * kWeightPerRequest);
    return 0;
}
