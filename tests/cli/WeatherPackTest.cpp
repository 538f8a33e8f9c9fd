// A weather pack's round trip: nubiro-cli run records what the web-services
// stand-in answered, a stand-in of its own replays the pack, and a run on the
// clock of the first request writes the same records, byte for byte.

#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "platform/PlatformDefaults.h"
#include "support/Environment.h"
#include "support/PackFiles.h"
#include "support/ServicesSimUser.h"
#include "support/ScratchDir.h"
#include "support/ServicesSimProcess.h"
#include "support/TestData.h"
#include "weather/UtcTime.h"

namespace wx {
namespace {

using nlohmann::json;
using test::recordBytes;

// Every event of one kind, "station" or "log" ones by their station or
// message start, in order.
std::vector<json> events(const std::vector<json>& all, const std::string& kind, const std::string& start) {
    std::vector<json> found;
    for (const json& event : all) {
        const std::string text = event.value(kind == "station" ? "stationId" : "message", "");
        if (event.value("event", "") == kind && text.rfind(start, 0) == 0) {
            found.push_back(event);
        }
    }
    return found;
}

class WeatherPack : public test::ServicesSimUser<testing::TestWithParam<int>> {
protected:
    // `cycles` cycles at Heathrow against the services at `url`.
    static std::vector<json> run(const std::string& url, int cycles, const std::string& option, const std::string& value) {
        const test::EnvironmentScope awc("NUBIRO_AWC_URL", url);
        const test::EnvironmentScope openMeteo("NUBIRO_OPENMETEO_URL", url);
        const auto result = test::runCli(cli::runRun,
                                         {"--sim", "standin", "--airports", test::testDataPath("airports.csv"), "--lat",
                                          "51.4706", "--lon", "-0.4619", "--interval-sec", "0", "--max-stations", "3",
                                          "--dense-field", "0", "--cycles", std::to_string(cycles), option, value},
                                         "");
        EXPECT_EQ(result.status, 0) << result.err;
        return test::jsonLines(result.out);
    }

    // The pack replayed by a stand-in of its own on a clock from `clock`.
    std::vector<json> replay(int cycles, const std::string& clock) {
        const test::ServicesSimProcess replaying({"--replay", pack_});
        const auto replayed = run(replaying.sim().httpUrl, cycles, "--clock", clock);
        EXPECT_EQ(test::readFile(replaying.sim().errorPath), "") << "every request was in the pack";
        return replayed;
    }

    test::ScratchDir scratch_;
    std::string pack_ = scratch_.path("pack");
};

// Three cycles as the services answered them, and one whose SIGMET request
// timed out (replayed as an answer that never comes): on the clock of its
// first request the replay writes what the recorded run wrote.
TEST_P(WeatherPack, ReplaysByteForByte) {
    const int cycles = GetParam();
    const bool timeOut = cycles == 1;
    ASSERT_TRUE(!timeOut || sim_.setFault(*control_, "/api/data/isigmet", "hang"));
    const auto recorded = run(sim_.httpUrl, cycles, "--record", pack_);
    const std::vector<PackEntry> index = test::readPackIndex(pack_);
    ASSERT_EQ(index.size(), 4u + 2u * cycles)
        << "METARs and SIGMETs each cycle, the global point's and three stations' model data once";
    EXPECT_EQ(index[1].url, sim_.httpUrl + "/api/data/isigmet?format=json");
    EXPECT_EQ(index[1].outcome, timeOut ? HttpOutcome::TimedOut : HttpOutcome::Answered);
    const auto replayed = replay(cycles, index[0].time);
    EXPECT_EQ(recordBytes(recorded).size(), 4u * cycles);
    EXPECT_EQ(recordBytes(replayed), recordBytes(recorded));
    EXPECT_EQ(events(replayed, "log", "SIGMET active: 23").size(), timeOut ? 0u : 3u);
    if (timeOut) {
        return;
    }
    // Six hours on, the same answers give another model hour, older reports
    // and a SIGMET that has ended.
    const auto later = replay(cycles, formatUtcTime(*parseUtcTime(index[0].time) + std::chrono::hours(6)));
    EXPECT_NE(recordBytes(later), recordBytes(recorded));
    const json egll = events(recorded, "station", "EGLL").at(0);
    const json egllLater = events(later, "station", "EGLL").at(0);
    EXPECT_EQ(egll["weather"]["sigmets"], json({"TURB@EGTT"}));
    EXPECT_EQ(egllLater["weather"]["sigmets"], json::array());
    // Each run's clock runs on from its start, and the two runs reach EGLL
    // after different times: the ages, in whole minutes, may differ by one
    // more or less than the six hours.
    EXPECT_NEAR(egllLater["ageMinutes"].get<int>() - egll["ageMinutes"].get<int>(), 360, 1);
}

INSTANTIATE_TEST_SUITE_P(Cycles, WeatherPack, testing::Values(3, 1));

}  // namespace
}  // namespace wx
