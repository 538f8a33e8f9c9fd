// A weather pack's round trip under Wine: nubiro-cli.exe records, through
// WinHTTP, what the web-services stand-in answered; the stand-in replays the
// pack; a run on the clock of the first request writes the same records,
// byte for byte.

#include <gtest/gtest.h>

#include "platform/PlatformDefaults.h"
#include "support/Environment.h"
#include "support/PackFiles.h"
#include "support/ServicesSimUser.h"
#include "support/ScratchDir.h"
#include "support/TestData.h"
#include "support/win32/ChildProcess.h"

namespace wx {
namespace {

using nlohmann::json;

// nubiro-cli.exe at Heathrow with the in-process simulator stand-in: the
// records it wrote.
std::vector<std::string> runRecords(int cycles, const std::string& option, const std::string& value) {
    test::ChildProcess cli(NUBIRO_CLI_EXE,
                           {"run", "--sim", "standin", "--airports", test::testDataPath("airports.csv"), "--lat",
                            "51.4706", "--lon", "-0.4619", "--interval-sec", "0", "--max-stations", "3",
                            "--dense-field", "0", "--cycles", std::to_string(cycles), option, value},
                           "nubiro-cli");
    EXPECT_EQ(cli.waitForExit(std::chrono::seconds(150)), DWORD{0});
    std::vector<json> events;
    for (const std::string& line : cli.linesSoFar()) {
        events.push_back(json::parse(line, nullptr, false));
    }
    return test::recordBytes(events);
}

class WeatherPackRun : public test::ServicesSimUser<testing::TestWithParam<int>> {
protected:
    void SetUp() override {
        ServicesSimUser::SetUp();
        pointServicesAt(sim_.httpUrl);
    }
};

// Three cycles as the services answered them; one whose SIGMET request
// timed out.
TEST_P(WeatherPackRun, ReplaysByteForByte) {
    const int cycles = GetParam();
    const bool timeOut = cycles == 1;
    ASSERT_TRUE(!timeOut || sim_.setFault(*control_, "/api/data/isigmet", "hang"));
    const test::ScratchDir scratch(sim_.stateDir);
    const std::string pack = scratch.path("pack");
    const auto recorded = runRecords(cycles, "--record", pack);
    const std::vector<PackEntry> index = test::readPackIndex(pack);
    ASSERT_EQ(index.size(), 4u + 2u * cycles) << "model data once, METARs and SIGMETs each cycle";
    EXPECT_EQ(index[1].outcome, timeOut ? HttpOutcome::TimedOut : HttpOutcome::Answered);
    ASSERT_TRUE(sim_.resetFaults(*control_));
    ASSERT_TRUE(sim_.replay(*control_, pack));
    EXPECT_EQ(recorded.size(), 4u * cycles);
    EXPECT_EQ(runRecords(cycles, "--clock", index[0].time), recorded);
}

INSTANTIATE_TEST_SUITE_P(Cycles, WeatherPackRun, testing::Values(3, 1));

}  // namespace
}  // namespace wx
