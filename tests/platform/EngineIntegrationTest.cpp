// The engine end to end against the web-services stand-in through this
// platform's real HTTP transport, with the simulator stand-in in-process:
// every record it writes must be what the pieces give for its station.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <set>

#include "ServicesSimTest.h"
#include "engine/EngineTestKit.h"
#include "engine/SigmetEvaluation.h"
#include "sim/NwiRecord.h"
#include "sources/OpenMeteoSource.h"
#include "support/Environment.h"
#include "support/TestData.h"
#include "weather/Clouds.h"
#include "weather/MetarDecoder.h"

namespace wx {
namespace {

constexpr double kMagVarDeg = -1.5;

standin::SimSettings atHeathrow() {
    standin::SimSettings settings;
    settings.latitudeDeg = 51.4706;
    settings.longitudeDeg = -0.4619;
    settings.magVarDeg = kMagVarDeg;
    return settings;
}

// A station's record and NWI bytes as the engine wrote them, and as the
// decoder, a reference source and the SIGMET evaluation make them.
struct Written {
    std::string stationId;
    WeatherData weather;
    WeatherData expected;
    std::vector<uint8_t> bytes;
};

// A record's bytes without the words the simulator side owns: the command
// word at its start and the completion word at 0x24.
std::vector<uint8_t> withoutSimulatorWords(std::vector<uint8_t> bytes) {
    std::fill_n(bytes.begin(), 4, 0);
    std::fill_n(bytes.begin() + 0x24, 4, 0);
    return bytes;
}

class EngineAgainstServices : public test::ServicesSimTest {
protected:
    void SetUp() override {
        ServicesSimTest::SetUp();
        awc_.emplace("NUBIRO_AWC_URL", sim_.httpsUrl);
        openMeteo_.emplace("NUBIRO_OPENMETEO_URL", sim_.httpsUrl);
        ASSERT_TRUE(rig.airports.loadFile(test::testDataPath("airports.csv")));
        rig.utcNow = {};
    }

    // Runs on the worker at the end of a cycle, so that the reference uses
    // the model data of the same hour the engine did.
    void collect(const EngineSettings& settings) {
        OpenMeteoSource reference(nullptr);
        const SigmetList sigmets = sigmetsToApply(reference.fetchSigmets(), std::chrono::system_clock::now());
        const double magVarDeg = std::round(kMagVarDeg * 65536.0 / 360.0) * 360.0 / 65536.0;
        for (; seen_ < rig.reports.size(); ++seen_) {
            const test::StationReport& report = rig.reports[seen_];
            const Airport airport = *rig.airports.findAirport(report.stationId);
            WeatherData expected;
            if (report.weather.rawMetar.empty()) {
                expected = *reference.synthesize(report.stationId, airport.lat, airport.lon, airport.elevationM);
            } else {
                expected = *decodeMetar(report.stationId, report.weather.rawMetar, airport.elevationM,
                                        settings.cavokHaze, settings.cavokVisibilityM);
                reference.attachUpperAir(expected, airport.lat, airport.lon);
            }
            evaluateSigmets(expected, airport.lat, airport.lon, sigmets, nullptr);
            finalizeClouds(expected);
            const NwiRecord record = buildNwiRecord(expected, magVarDeg);
            written_.push_back({report.stationId, report.weather, expected, {record.begin(), record.end()}});
        }
    }

    test::EngineRig rig{atHeathrow(), "ident,latitude_deg,longitude_deg\n"};
    std::optional<test::EnvironmentScope> awc_;
    std::optional<test::EnvironmentScope> openMeteo_;
    size_t seen_ = 0;
    std::vector<Written> written_;
};

TEST_F(EngineAgainstServices, WritesWhatThePiecesGiveAcrossASourceSwitchAndARefresh) {
    EngineSettings settings;
    settings.denseField = false;
    settings.maxStations = 4;
    settings.intervalSec = 0;
    rig.run(settings, 3, [&](Engine& engine, int cycle) {
        collect(settings);
        if (cycle == 1) {
            settings.source = "noaa";
            engine.updateSettings(settings);
        } else if (cycle == 2) {
            engine.requestRefresh();
        }
    });
    EXPECT_EQ(rig.count("[OK] Switched weather source \xE2\x86\x92 noaa"), 1);
    EXPECT_EQ(rig.count("[WARN] --- REFRESH ---"), 1);
    EXPECT_EQ(rig.count("[OK] NWI: 5 points activated"), 3);

    std::vector<std::vector<uint8_t>> recordBytes;
    for (const auto& event : rig.model->events()) {
        if (const auto* record = std::get_if<standin::RecordEvent>(&event); record && record->record.station != "GLOB") {
            recordBytes.push_back(record->bytes);
        }
    }
    ASSERT_EQ(written_.size(), 12u);
    ASSERT_EQ(recordBytes.size(), written_.size());
    size_t decoded = 0;
    for (size_t i = 0; i < written_.size(); ++i) {
        SCOPED_TRACE(written_[i].stationId);
        EXPECT_EQ(written_[i].weather, written_[i].expected);
        EXPECT_EQ(withoutSimulatorWords(recordBytes[i]), withoutSimulatorWords(written_[i].bytes));
        decoded += written_[i].weather.rawMetar.empty() ? 0 : 1;
    }
    EXPECT_GT(decoded, 0u);
    EXPECT_LT(decoded, written_.size()) << "some stations have no report and are synthesized";
}

// A cycle of twenty stations and the global point (23 requests to the one
// stand-in port both services point at) reuses the connection the first
// cycle opened; a second one may come when the stand-in retires a
// connection after its hundredth request. The second cycle comes an hour
// after the first on the engine's clock, so that no model answer is kept.
TEST_F(EngineAgainstServices, ACycleOfTwentyStationsOpensAtMostTwoConnectionsPerHost) {
    EngineSettings settings;
    settings.denseField = false;
    settings.maxStations = 20;
    settings.intervalSec = 0;
    std::atomic<int> hoursLater{0};
    rig.utcNow = [&hoursLater] { return std::chrono::system_clock::now() + std::chrono::hours{hoursLater.load()}; };
    std::vector<size_t> requestsAtCycleEnd;
    rig.run(settings, 2, [&](Engine&, int) {
        requestsAtCycleEnd.push_back(sim_.requests().size());
        ++hoursLater;
    });
    ASSERT_EQ(requestsAtCycleEnd.size(), 2u);
    const auto requests = sim_.requests();
    std::set<int> connections;
    for (size_t i = requestsAtCycleEnd[0]; i < requestsAtCycleEnd[1]; ++i) {
        connections.insert(requests[i]["clientPort"].get<int>());
    }
    std::printf("observed: the second cycle sent %zu requests over %zu connections\n",
                requestsAtCycleEnd[1] - requestsAtCycleEnd[0], connections.size());
    EXPECT_EQ(requestsAtCycleEnd[1] - requestsAtCycleEnd[0], 23u);
    EXPECT_LE(connections.size(), 2u);
}

}  // namespace
}  // namespace wx
