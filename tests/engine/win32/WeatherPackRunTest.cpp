// A weather pack's round trip under Wine: nubiro-cli.exe records, through
// WinHTTP, what the web-services stand-in answered; the stand-in replays the
// pack; a run on the clock of the first request writes the same records,
// byte for byte.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "platform/PlatformDefaults.h"
#include "sources/HttpTransport.h"
#include "support/Environment.h"
#include "support/PackFiles.h"
#include "support/RunningServicesSim.h"
#include "support/ScratchDir.h"
#include "support/TestData.h"
#include "support/win32/ChildProcess.h"

namespace wx {
namespace {

using nlohmann::json;
using std::chrono::seconds;

class WeatherPackRun : public testing::Test {
protected:
    void SetUp() override {
        installPlatformDefaults();
        control_ = makeDefaultHttpTransport();
        const auto sim = test::runningServicesSim();
        ASSERT_TRUE(sim) << "the web-services stand-in is not running";
        sim_ = *sim;
        awc_.emplace("NUBIRO_AWC_URL", sim->httpUrl);
        openMeteo_.emplace("NUBIRO_OPENMETEO_URL", sim->httpUrl);
        scratch_.emplace(sim->stateDir);
    }

    void TearDown() override { sim_.resetFaults(*control_); }

    // nubiro-cli.exe at Heathrow with the in-process simulator stand-in: the
    // events it printed.
    static std::vector<json> run(int cycles, std::vector<std::string> extra) {
        std::vector<std::string> args{"run", "--sim", "standin", "--airports", test::testDataPath("airports.csv"),
                                      "--lat", "51.4706", "--lon", "-0.4619", "--interval-sec", "0",
                                      "--max-stations", "3", "--dense-field", "0", "--cycles", std::to_string(cycles)};
        args.insert(args.end(), extra.begin(), extra.end());
        test::ChildProcess cli(NUBIRO_CLI_EXE, args, "nubiro-cli> ");
        EXPECT_TRUE(cli.launched());
        EXPECT_EQ(cli.waitForExit(seconds(150)), DWORD{0});
        std::vector<json> events;
        for (const std::string& line : cli.linesSoFar()) {
            events.push_back(json::parse(line, nullptr, false));
        }
        return events;
    }

    // Records, replays and compares; the pack's index.
    std::vector<PackEntry> roundTrip(int cycles) {
        const std::string pack = scratch_->path("pack");
        const auto recorded = run(cycles, {"--record", pack});
        const std::vector<PackEntry> index = test::readPackIndex(pack);
        EXPECT_FALSE(index.empty());
        EXPECT_TRUE(sim_.resetFaults(*control_));
        if (index.empty() || !sim_.replay(*control_, pack)) {
            ADD_FAILURE() << "the stand-in did not take the pack";
            return index;
        }
        const auto replayed = run(cycles, {"--clock", index[0].time});
        EXPECT_FALSE(test::recordBytes(recorded).empty());
        EXPECT_EQ(test::recordBytes(replayed), test::recordBytes(recorded));
        return index;
    }

    test::ServicesSim sim_;
    std::shared_ptr<HttpTransport> control_;
    std::optional<test::EnvironmentScope> awc_;
    std::optional<test::EnvironmentScope> openMeteo_;
    std::optional<test::ScratchDir> scratch_;
};

TEST_F(WeatherPackRun, ThreeCyclesReplayByteForByte) {
    const std::vector<PackEntry> index = roundTrip(3);
    EXPECT_EQ(index.size(), 3u * 6u);
}

TEST_F(WeatherPackRun, ARecordedTimeOutReplaysAsATimeOut) {
    ASSERT_TRUE(sim_.setFault(*control_, "/api/data/isigmet", "hang"));
    const std::vector<PackEntry> index = roundTrip(1);
    ASSERT_EQ(index.size(), 6u);
    EXPECT_EQ(index[1].url, sim_.httpUrl + "/api/data/isigmet?format=json");
    EXPECT_EQ(index[1].outcome, HttpOutcome::TimedOut);
}

}  // namespace
}  // namespace wx
