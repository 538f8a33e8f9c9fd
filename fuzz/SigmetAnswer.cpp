// A SIGMET answer body through fetchSigmets, and the list evaluated against
// a station record at several positions, as each refresh cycle does.

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "engine/SigmetEvaluation.h"
#include "sim/NwiRecord.h"
#include "sources/OpenMeteoSource.h"
#include "support/FuzzInput.h"
#include "support/ScriptedTransport.h"
#include "support/StationRecord.h"
#include "weather/Clouds.h"

namespace {

using namespace wx;
using Answers = std::vector<std::optional<std::string>>;

struct Position {
    double lat;
    double lon;
};

// Inside and beside the areas of the seeds, far from them, and the corners.
constexpr Position kPositions[] = {
    {51.4775, -0.4614}, {50.0333, 8.5706}, {0.0, 0.0}, {90.0, 180.0}, {-90.0, -180.0}, {40.6398, -73.7789},
};

// The moment the stand-in's SIGMET fixture, a seed, shows: its rows are in
// force then, but for the one that ended and the one that begins later.
const std::chrono::system_clock::time_point kEvaluatedAt =
    std::chrono::sys_days{std::chrono::year{2026} / 10 / 2} + std::chrono::minutes{20 * 60 + 20};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const LogFn log = [](const std::string&, const std::string&) {};
    OpenMeteoSource source(log, std::make_shared<test::ScriptedTransport>(Answers{fuzz::inputText(data, size)}));
    const SigmetList sigmets = sigmetsToApply(source.fetchSigmets(), kEvaluatedAt);
    for (const Position& position : kPositions) {
        WeatherData weather = fuzz::stationRecord();
        evaluateSigmets(weather, position.lat, position.lon, sigmets, log);
        for (size_t i = 1; i < weather.clouds.size(); ++i) {
            fuzz::require(weather.clouds[i - 1].baseM <= weather.clouds[i].baseM);
        }
        finalizeClouds(weather);
        buildNwiRecord(weather, 0.0);
    }
    return 0;
}
