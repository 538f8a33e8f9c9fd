// A weather pack's round trip: nubiro-cli run records what the web-services
// stand-in answered, a stand-in of its own replays the pack, and a run on the
// clock of the first request writes the same records, byte for byte.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/CliRunner.h"
#include "platform/PlatformDefaults.h"
#include "support/Environment.h"
#include "support/PackFiles.h"
#include "support/RunningServicesSim.h"
#include "support/ScratchDir.h"
#include "support/ServicesSimProcess.h"
#include "support/TestData.h"
#include "weather/UtcTime.h"

namespace wx {
namespace {

using nlohmann::json;

using test::readPackIndex;
using test::recordBytes;

// The first station event of a station.
json stationEvent(const std::vector<json>& events, const std::string& id) {
    for (const json& event : events) {
        if (event.value("event", "") == "station" && event["stationId"] == id) {
            return event;
        }
    }
    return nullptr;
}

bool logged(const std::vector<json>& events, const std::string& start) {
    for (const json& event : events) {
        if (event.value("event", "") == "log" && event.value("message", "").rfind(start, 0) == 0) {
            return true;
        }
    }
    return false;
}

class WeatherPack : public testing::Test {
protected:
    void SetUp() override {
        installPlatformDefaults();
        control_ = makeDefaultHttpTransport();
        const auto sim = test::runningServicesSim();
        ASSERT_TRUE(sim) << "the web-services stand-in is not running";
        sim_ = *sim;
    }

    void TearDown() override { sim_.resetFaults(*control_); }

    // A run at Heathrow against the services at `url`.
    static std::vector<json> run(const std::string& url, std::vector<std::string> extra) {
        const test::EnvironmentScope awc("NUBIRO_AWC_URL", url);
        const test::EnvironmentScope openMeteo("NUBIRO_OPENMETEO_URL", url);
        std::vector<std::string> args{"--sim", "standin", "--airports", test::testDataPath("airports.csv"),
                                      "--lat", "51.4706", "--lon", "-0.4619", "--interval-sec", "0",
                                      "--max-stations", "3", "--dense-field", "0"};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto result = test::runCli(cli::runRun, args, "");
        EXPECT_EQ(result.status, 0) << result.err;
        return test::jsonLines(result.out);
    }

    // Records `cycles` cycles into a pack; its index.
    std::vector<PackEntry> record(int cycles) {
        recorded_ = run(sim_.httpUrl, {"--cycles", std::to_string(cycles), "--record", scratch_.path("pack")});
        return readPackIndex(scratch_.path("pack"));
    }

    // The pack replayed by a stand-in of its own to a run whose clock
    // starts at `clock`.
    std::vector<json> replay(int cycles, const std::string& clock) {
        const test::ServicesSimProcess replaying({"--replay", scratch_.path("pack")});
        EXPECT_TRUE(replaying.started());
        const auto events = run(replaying.sim().httpUrl, {"--cycles", std::to_string(cycles), "--clock", clock});
        EXPECT_EQ(test::readFile(replaying.sim().errorPath), "") << "every request was in the pack";
        return events;
    }

    test::ServicesSim sim_;
    std::shared_ptr<HttpTransport> control_;
    test::ScratchDir scratch_;
    std::vector<json> recorded_;
};

// Replayed on the clock of its first request, a run writes what the recorded
// one wrote; six hours later the same answers give another model hour,
// older reports and a SIGMET that has ended.
TEST_F(WeatherPack, ThreeCyclesReplayByteForByte) {
    const std::vector<PackEntry> index = record(3);
    ASSERT_EQ(index.size(), 3u * 6u) << "METARs, SIGMETs, the global point and three stations' model data";
    for (const PackEntry& entry : index) {
        EXPECT_EQ(entry.outcome, HttpOutcome::Answered) << entry.url;
    }
    const auto replayed = replay(3, index[0].time);
    ASSERT_EQ(recordBytes(recorded_).size(), 3u * 4u);
    EXPECT_EQ(recordBytes(replayed), recordBytes(recorded_));
    EXPECT_TRUE(logged(replayed, "SIGMET active: 23"));

    const auto later = formatUtcTime(*parseUtcTime(index[0].time) + std::chrono::hours(6));
    const auto sixHoursOn = replay(3, later);
    EXPECT_NE(recordBytes(sixHoursOn), recordBytes(recorded_));
    const json egll = stationEvent(recorded_, "EGLL");
    const json egllLater = stationEvent(sixHoursOn, "EGLL");
    EXPECT_EQ(egll["weather"]["sigmets"], json({"TURB@EGTT"}));
    EXPECT_EQ(egllLater["weather"]["sigmets"], json::array());
    EXPECT_EQ(egllLater["ageMinutes"].get<int>() - egll["ageMinutes"].get<int>(), 360);
}

// The SIGMET service holds its answer back: the recorded time-out is
// replayed as an answer that never comes, and the cycle goes on without
// SIGMETs as it did.
TEST_F(WeatherPack, ARecordedTimeOutReplaysAsATimeOut) {
    ASSERT_TRUE(sim_.setFault(*control_, "/api/data/isigmet", "hang"));
    const std::vector<PackEntry> index = record(1);
    ASSERT_EQ(index.size(), 6u);
    EXPECT_EQ(index[1].url, sim_.httpUrl + "/api/data/isigmet?format=json");
    EXPECT_EQ(index[1].outcome, HttpOutcome::TimedOut);
    const auto replayed = replay(1, index[0].time);
    EXPECT_FALSE(recordBytes(replayed).empty());
    EXPECT_EQ(recordBytes(replayed), recordBytes(recorded_));
    EXPECT_FALSE(logged(replayed, "SIGMET active"));
}

}  // namespace
}  // namespace wx
