#include <gtest/gtest.h>

#include "EngineTestKit.h"
#include "engine/SmoothChange.h"
#include "sim/SimTestKit.h"

namespace wx {
namespace {

using standin::RecordEvent;
using test::EngineRig;
using test::eventsOf;

WeatherData record(int32_t qnhHpa, int32_t dirDeg, int32_t speedKt, int32_t visibilityM) {
    WeatherData w;
    w.qnhHpa = qnhHpa;
    w.windDirDeg = dirDeg;
    w.windSpeedKt = speedKt;
    w.visibilityM = visibilityM;
    return w;
}

struct StepCase {
    const char* name;
    WeatherData last;
    WeatherData target;
    WeatherData step;
};

class SmoothStep : public testing::TestWithParam<StepCase> {};

TEST_P(SmoothStep, MovesEachValueAtMostOneStep) {
    EXPECT_EQ(smoothStep(GetParam().last, GetParam().target), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SmoothStep,
    testing::Values(
        StepCase{"QnhUp", record(1012, 220, 6, 9999), record(1018, 220, 6, 9999), record(1013, 220, 6, 9999)},
        StepCase{"QnhDownAndReached", record(1013, 220, 6, 9999), record(1012, 220, 6, 9999),
                 record(1012, 220, 6, 9999)},
        StepCase{"DirectionTheShorterWayAcrossNorth", record(1012, 355, 10, 9999), record(1012, 40, 10, 9999),
                 record(1012, 5, 10, 9999)},
        StepCase{"ALightWindTurnsAtOnce", record(1012, 90, 2, 9999), record(1012, 270, 10, 9999),
                 record(1012, 270, 5, 9999)},
        StepCase{"VisibilityAtMostTwice", record(1012, 220, 6, 2000), record(1012, 220, 6, 9999),
                 record(1012, 220, 6, 4000)},
        StepCase{"VisibilityAtLeastHalf", record(1012, 220, 6, 9999), record(1012, 220, 6, 800),
                 record(1012, 220, 6, 5000)},
        StepCase{"FogOpensUpFromNothing", record(1012, 220, 6, 0), record(1012, 220, 6, 9999),
                 record(1012, 220, 6, 100)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SmoothStepAloft, LayersAreMatchedByIndex) {
    WeatherData last = record(1012, 220, 6, 9999);
    last.upperAir = {UpperAirLayer{1500, 250, 20, 0.0f, false, 0, 0, 0, "SYNTH"}};
    WeatherData target = last;
    target.upperAir = {UpperAirLayer{1500, 290, 40, 0.0f, false, 0, 0, 0, "SYNTH"},
                       UpperAirLayer{5500, 300, 60, 0.0f, false, 0, 0, 0, "SYNTH"}};
    const WeatherData step = smoothStep(last, target);
    ASSERT_EQ(step.upperAir.size(), 2u);
    EXPECT_EQ(step.upperAir[0].windDirDeg, 260);
    EXPECT_EQ(step.upperAir[0].windSpeedKt, 23);
    EXPECT_EQ(step.upperAir[1], target.upperAir[1]);
}

// QNH of the records the simulator received for a station.
std::vector<int> qnhWritten(const standin::SimModel& model, const std::string& station) {
    std::vector<int> qnh;
    for (const RecordEvent& event : eventsOf<RecordEvent>(model)) {
        if (event.record.station == station) {
            qnh.push_back(static_cast<int>(event.record.qnhHpa));
        }
    }
    return qnh;
}

// A report of EAAA up to its QNH figure, which each test appends.
const char* const kEaaaWithoutQnh = "EAAA 071150Z 25010KT 9999 SCT030 12/06 Q";

class SmoothChanges : public testing::Test {
protected:
    void SetUp() override {
        rig.routeDefaults();
        settings.smoothChanges = true;
    }

    void raiseQnhTo(int qnhHpa) {
        rig.http->route("/api/data/metar", test::metarAnswer({{"EAAA", kEaaaWithoutQnh + std::to_string(qnhHpa)}}));
    }

    EngineRig rig;
    EngineSettings settings = EngineRig::threeStations();
};

// QNH 6 hPa higher in the next fetch: the simulator gets it in 1 hPa steps
// a minute apart (or the interval, when shorter) without further requests,
// then stays there.
class SmoothSteps : public SmoothChanges, public testing::WithParamInterface<int> {};

TEST_P(SmoothSteps, AChangeArrivesInStepsWithoutRequestsThenStays) {
    settings.intervalSec = GetParam();
    const auto stepPause = std::chrono::seconds(std::min(GetParam(), 60));
    std::vector<std::chrono::milliseconds> cycleEnds;
    rig.run(settings, 8, [&](Engine&, int cycle) {
        cycleEnds.push_back(rig.clock->elapsed());
        if (cycle == 1) {
            raiseQnhTo(1018);
        }
    });
    EXPECT_EQ(qnhWritten(*rig.model, "EAAA"), (std::vector<int>{1012, 1013, 1014, 1015, 1016, 1017, 1018, 1018}));
    EXPECT_EQ(rig.count("[INFO] Smooth change: 1 stations still moving"), 5);
    for (size_t cycle = 2; cycle < 7; ++cycle) {
        const auto gap = cycleEnds[cycle] - cycleEnds[cycle - 1];
        EXPECT_GE(gap, stepPause);
        EXPECT_LT(gap, stepPause + std::chrono::seconds(10));
    }
    size_t fetches = 0;
    for (const std::string& url : rig.http->urls()) {
        fetches += url.find("/api/data/metar") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(fetches, 3u) << "the first two cycles and the one after the steps";
}

INSTANTIATE_TEST_SUITE_P(Intervals, SmoothSteps, testing::Values(600, 30));

// A station left out of a fetch keeps its last step: when it comes back it
// moves on from there.
TEST_F(SmoothChanges, AStationThatDropsOutMovesOnFromItsLastStepWhenBack) {
    settings.stationMode = "manual";
    settings.manualStations = {"EAAA", "EBBB"};
    settings.intervalSec = 120;
    rig.run(settings, 5, [&](Engine& engine, int cycle) {
        if (cycle == 1) {
            raiseQnhTo(1018);
        }
        if (cycle == 3 || cycle == 4) {
            EngineSettings changed = settings;
            changed.manualStations = cycle == 3 ? std::vector<std::string>{"EBBB"} : settings.manualStations;
            engine.updateSettings(changed);
        }
    });
    EXPECT_EQ(qnhWritten(*rig.model, "EAAA"), (std::vector<int>{1012, 1013, 1014, 1015}));
}

}  // namespace
}  // namespace wx
