// The engine across cycles whose services stop answering or ask to wait:
// the last reports kept through an outage when the setting asks for it,
// and the hosts' pauses.

#include <gtest/gtest.h>

#include <atomic>

#include "EngineTestKit.h"

namespace wx {
namespace {

using namespace std::chrono;
using test::EngineRig;

const char* const kEaaa = "EAAA 071150Z 25010KT 9999 SCT030 12/06 Q1012";

class Outage : public testing::Test {
protected:
    void SetUp() override {
        rig.routeDefaults();
        rig.utcNow = [this] { return system_clock::time_point{EngineRig::kUtcNow} + minutes{minutesLater.load()}; };
    }

    std::vector<WeatherData> cycleRecords(size_t cycle) const {
        std::vector<WeatherData> records;
        for (size_t i = (cycle - 1) * 3; i < cycle * 3 && i < rig.reports.size(); ++i) {
            records.push_back(rig.reports[i].weather);
        }
        return records;
    }

    EngineRig rig;
    EngineSettings settings = EngineRig::threeStations();
    std::atomic<int> minutesLater{0};
};

// The second cycle, some minutes after the first, gets this METAR answer.
struct KeepCase {
    const char* name;
    int32_t keepReportsMin;
    HttpResult secondAnswer;
    int minutesLater;
    std::vector<bool> kept;  // EAAA, EBBB: written from their first report, not from model data
    const char* warning;     // nullptr: none
};

class KeepReports : public Outage, public testing::WithParamInterface<KeepCase> {};

TEST_P(KeepReports, OnlyWhenTheServiceGaveNoAnswerAndTheReportIsYoungEnough) {
    const KeepCase& c = GetParam();
    settings.keepReportsMin = c.keepReportsMin;
    rig.run(settings, 2, [&](Engine&, int) {
        rig.http->route("/api/data/metar", c.secondAnswer);
        rig.http->route("/cgi-bin/data/metar.php", c.secondAnswer);
        minutesLater = c.minutesLater;
    });
    const std::vector<WeatherData> second = cycleRecords(2);
    ASSERT_EQ(second.size(), 3u);
    for (size_t i = 0; i < c.kept.size(); ++i) {
        EXPECT_EQ(second[i].rawMetar == cycleRecords(1)[i].rawMetar && !second[i].synthesized, c.kept[i]) << i;
    }
    std::vector<std::string> warnings;
    for (const std::string& line : rig.logLines()) {
        if (line.find("stations keep their last reports") != std::string::npos) {
            warnings.push_back(line);
        }
    }
    EXPECT_EQ(warnings, c.warning ? std::vector<std::string>{std::string("[WARN] ") + c.warning}
                                  : std::vector<std::string>{});
    if (c.kept[0]) {
        // Decoded again as it was, its age grown.
        EXPECT_EQ(second[0], cycleRecords(1)[0]);
        EXPECT_EQ(rig.count("[METAR] [EAAA] " + std::string(kEaaa) + " (" + std::to_string(10 + c.minutesLater) +
                            " min)"),
                  1);
    }
}

const HttpResult kNoAnswer = HttpResult::failure(HttpOutcome::Refused);

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepReports,
    testing::Values(
        KeepCase{"Off", 0, kNoAnswer, 5, {false, false}, nullptr},
        KeepCase{"ServiceDown", 90, kNoAnswer, 30, {true, true},
                 "METAR service not answering: 2 stations keep their last reports"},
        KeepCase{"ErrorStatus", 90, HttpResult::answer(503, "<html>503</html>"), 5, {true, true},
                 "METAR service not answering: 2 stations keep their last reports"},
        KeepCase{"AnsweredWithoutOne", 90, HttpResult::answer(200, test::metarAnswer({{"EAAA", kEaaa}})), 5,
                 {true, false}, nullptr},
        KeepCase{"AnsweredWithNone", 90, HttpResult::answer(204, ""), 5, {false, false}, nullptr},
        KeepCase{"NotYoungerThanTheSetting", 10, kNoAnswer, 0, {false, false},
                 "METAR service not answering: 0 stations keep their last reports"},
        KeepCase{"GrownTooOld", 90, kNoAnswer, 80, {false, false},
                 "METAR service not answering: 0 stations keep their last reports"}),
    [](const testing::TestParamInfo<KeepCase>& info) { return std::string(info.param.name); });

// A 429 asking for 30 s: no request goes to that host until the wait is
// over (the cycles go on without METARs and SIGMETs); a new start asks at
// once.
TEST_F(Outage, AWaitAskedForHoldsTheHostUntilItIsOverOrTheNextStart) {
    rig.http->route("/api/data/metar", HttpResult::answer(429, "", "30"));
    settings.intervalSec = 10;
    std::atomic<bool> restarted{false};
    rig.run(settings, 4, [&](Engine& engine, int) {
        if (restarted) {
            engine.requestStop();
        }
    });
    EXPECT_EQ(rig.http->count("/api/data/metar"), 2u) << "the first cycle and the one 30 s later";
    EXPECT_EQ(rig.http->count("/cgi-bin/data/metar.php"), 0u);
    EXPECT_EQ(rig.http->count("/api/data/isigmet"), 0u);
    EXPECT_EQ(rig.count("[WARN] aviationweather.gov asks to wait 30 s (HTTP 429): requests paused"), 2);
    EXPECT_EQ(rig.count("[ERROR] METAR fetch failed"), 4);

    restarted = true;
    rig.engine->start();
    ASSERT_TRUE(rig.waitForStops(2));
    EXPECT_EQ(rig.http->count("/api/data/metar"), 3u);
}

}  // namespace
}  // namespace wx
