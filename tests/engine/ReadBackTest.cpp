#include <gtest/gtest.h>

#include "EngineTestKit.h"
#include "engine/ReadBack.h"

namespace wx {
namespace {

using test::EngineRig;

WeatherData sent(int32_t dirTrue, int32_t speedKt, int32_t qnhHpa) {
    WeatherData w;
    w.stationId = "EGLL";
    w.windDirDeg = dirTrue;
    w.windSpeedKt = speedKt;
    w.qnhHpa = qnhHpa;
    w.temperatureC = 15.4f;
    w.visibilityM = 9999;
    return w;
}

// What the simulator shows for that record at a variation of -1.5°: the
// direction magnetic and cut to whole degrees, the visibility in
// hundredths of a mile.
AmbientWeather shown(double dirMagnetic, int32_t speedKt, double qnhHpa) {
    return {speedKt, dirMagnetic, 15.0, qnhHpa, 9994};
}

struct CompareCase {
    const char* name;
    AmbientWeather simulator;
    WeatherData sent;
    bool matches;
    std::vector<std::string> differing;
};

class ReadBackCompare : public testing::TestWithParam<CompareCase> {};

TEST_P(ReadBackCompare, AgreesWithinRoundingAndDiffersBeyondTolerance) {
    const CompareCase& c = GetParam();
    const ReadBack result = compareReadBack(c.simulator, c.sent, -1.5);
    EXPECT_EQ(result.matches, c.matches);
    EXPECT_EQ(result.differing, c.differing);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadBackCompare,
    testing::Values(
        CompareCase{"AsWritten", shown(220.99, 6, 1019), sent(220, 6, 1019), true, {}},
        CompareCase{"QnhWithinTolerance", shown(221, 6, 1017), sent(220, 6, 1019), false, {}},
        CompareCase{"QnhBeyondTolerance", shown(221, 6, 1016), sent(220, 6, 1019), false, {"QNH"}},
        CompareCase{"DirectionAcrossNorth", shown(15, 20, 1019), sent(340, 20, 1019), false, {"wind direction"}},
        CompareCase{"DirectionOfALightWindDoesNotCount", shown(100, 4, 1019), sent(220, 6, 1019), false, {}},
        CompareCase{"SpeedBeyondTolerance", shown(221, 30, 1019), sent(220, 6, 1019), false, {"wind speed"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadBackLine, ShowsBothSidesInTheSameUnits) {
    const ReadBack result = compareReadBack(shown(220.99, 6, 1019), sent(220, 6, 1019), -1.5);
    EXPECT_EQ(readBackLine(result),
              "Read-back: wind 221\xC2\xB0/6 kt (sent 221\xC2\xB0/6), QNH 1019 (1019), OAT 15 \xC2\xB0" "C (15), "
              "vis 9994 m (9999)");
}

TEST(ReadBackWatch, WarnsAtTheSecondDifferenceInARowAndAgainOnlyAfterAgreeing) {
    const ReadBack agreeing = compareReadBack(shown(221, 6, 1019), sent(220, 6, 1019), -1.5);
    const ReadBack differing = compareReadBack(shown(221, 6, 1000), sent(220, 6, 1019), -1.5);
    ReadBackWatch watch;
    std::vector<bool> warned;
    for (const ReadBack* next : {&differing, &differing, &differing, &agreeing, &differing, &differing}) {
        warned.push_back(watch.warns(*next));
    }
    EXPECT_EQ(warned, (std::vector<bool>{false, true, false, false, false, true}));
}

// The engine against the in-process stand-in, which shows the active record
// of the station nearest the aircraft: the first read-back agrees; a
// simulator that shows another QNH is warned about at the second cycle.
TEST(ReadBackInTheEngine, AgreesThenWarnsWhenTheSimulatorShowsOtherWeather) {
    EngineRig rig;
    rig.routeDefaults();
    rig.model->setStationPositions([&rig](const std::string& id) {
        const auto airport = rig.airports.findAirport(id);
        return airport ? std::optional(std::make_pair(airport->lat, airport->lon)) : std::nullopt;
    });
    rig.run(EngineRig::threeStations(), 3, [&rig](Engine&, int cycle) {
        if (cycle == 1) {
            standin::AmbientOverride values;
            values.qnhHpa = 990;
            rig.model->setAmbientOverride(values);
        }
    });
    ASSERT_EQ(rig.readBacks.size(), 3u);
    EXPECT_EQ(rig.readBacks[0].stationId, "EAAA");
    EXPECT_TRUE(rig.readBacks[0].matches);
    EXPECT_EQ(rig.readBacks[1].differing, std::vector<std::string>{"QNH"});
    EXPECT_EQ(rig.count("[WARN] Read-back differs from the weather sent: QNH 990 (sent 1012)"), 1);
}

// The simulator gives the wind at the aircraft magnetic within the surface
// wind and true above it (FSUIPC's offset 0x0E92): aloft the read-back turns
// it magnetic with the variation, as it does the sent direction. EAAA's
// surface wind (250° true, 240° magnetic at a variation of 10° east) reaches
// 1100 m; at 1200 m the aircraft is in the layer of 260° true up to 1500 m.
TEST(ReadBackInTheEngine, TheSimulatorsDirectionAloftIsTurnedMagnetic) {
    struct Case {
        double altitudeM;
        int32_t simulatorDirDeg;
    };
    for (const Case& c : {Case{0, 240}, Case{1200, 250}}) {
        standin::SimSettings sim = EngineRig::atFrankfurt();
        sim.magVarDeg = 10.0;
        EngineRig rig(sim);
        rig.routeDefaults();
        rig.model->setStationPositions([&rig](const std::string& id) {
            const auto airport = rig.airports.findAirport(id);
            return airport ? std::optional(std::make_pair(airport->lat, airport->lon)) : std::nullopt;
        });
        rig.model->setAltitude(c.altitudeM);
        rig.run(EngineRig::threeStations(), 1);
        ASSERT_EQ(rig.readBacks.size(), 1u) << c.altitudeM;
        EXPECT_EQ(rig.readBacks[0].simulator.windDirDeg, c.simulatorDirDeg) << c.altitudeM;
        EXPECT_EQ(rig.readBacks[0].sent.windDirDeg, 240) << c.altitudeM;
    }
}

}  // namespace
}  // namespace wx
