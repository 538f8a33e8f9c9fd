#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/CliRunner.h"
#include "platform/PlatformDefaults.h"
#include "support/Environment.h"
#include "support/ServicesSimUser.h"

namespace wx {
namespace {

using nlohmann::json;
using test::runCli;

const std::string kWarning =
    "[WARN] SSL certificate issue \xE2\x80\x94 switching to verify=False. Update root certificates if possible.\n";

// The commands run with the native transport against the stand-in, over
// HTTPS, as the three host variables point them.
class SourceCommands : public test::ServicesSimUser<> {
protected:
    void SetUp() override {
        ServicesSimUser::SetUp();
        pointServicesAt(sim_.httpsUrl);
    }
};

TEST_F(SourceCommands, MetarsPrintsOneObject) {
    const auto run = runCli(cli::runMetars, {"noaa", "EGLL", "EDDF", "ZZZZ"}, "");
    ASSERT_EQ(run.status, 0) << run.err;
    const json metars = json::parse(run.out);
    ASSERT_EQ(metars.size(), 2u);
    EXPECT_EQ(metars["EGLL"], "EGLL 220720Z AUTO 22006KT 9999 NCD 15/13 Q1019 NOSIG");
    EXPECT_EQ(metars["EDDF"], "EDDF 220720Z 08006KT CAVOK 12/08 Q1022 NOSIG");
    EXPECT_EQ(run.err, kWarning);
}

TEST_F(SourceCommands, SigmetsPrintsTheArray) {
    const auto run = runCli(cli::runSigmets, {"metaronly"}, "");
    ASSERT_EQ(run.status, 0) << run.err;
    const json sigmets = json::parse(run.out);
    ASSERT_EQ(sigmets.size(), 23u);
    EXPECT_EQ(sigmets[2]["firName"], "PARIS FIR");
}

TEST_F(SourceCommands, SynthesizePrintsARecordOrNull) {
    const auto run = runCli(cli::runSynthesize, {"openmeteo", "EGLL", "51.47", "-0.4543", "25"}, "");
    ASSERT_EQ(run.status, 0) << run.err;
    const json record = json::parse(run.out);
    EXPECT_EQ(record["stationId"], "EGLL");
    EXPECT_EQ(record["elevationM"], 25);
    EXPECT_EQ(record["synthesized"], true);
    EXPECT_EQ(record["upperAir"].size(), 10u);
    EXPECT_EQ(record["observationTime"], nullptr);

    const auto none = runCli(cli::runSynthesize, {"metaronly", "EGLL", "51.47", "-0.4543", "25"}, "");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "null\n");
    EXPECT_EQ(none.err, "");
}

TEST_F(SourceCommands, AttachAddsLayersToEachRecord) {
    const auto decoded = runCli(cli::runDecode, {}, "EGLL 220720Z 22006KT 9999 BKN046 15/13 Q1019\n");
    ASSERT_EQ(decoded.status, 0);
    const auto run = runCli(cli::runAttach, {"noaa", "51.47", "-0.4543"}, decoded.out + "\nnot json\n[1]\n");
    EXPECT_EQ(run.status, 1);
    const json record = json::parse(run.out);
    EXPECT_EQ(record["rawMetar"], "EGLL 220720Z 22006KT 9999 BKN046 15/13 Q1019");
    EXPECT_EQ(record["upperAir"].size(), 10u);
    EXPECT_EQ(record["clouds"][0]["source"], "METAR");
    EXPECT_NE(run.err.find("line 3: not a weather record"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 4: not a weather record"), std::string::npos) << run.err;
}

struct UsageCase {
    cli::CommandFn command;
    std::vector<std::string> args;
};

class SourceCommandUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(SourceCommandUsage, WrongArgumentsExitWithTwo) {
    EXPECT_EQ(runCli(GetParam().command, GetParam().args, "").status, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SourceCommandUsage,
    testing::Values(UsageCase{cli::runMetars, {}}, UsageCase{cli::runMetars, {"noaa", "--ids", "EGLL"}},
                    UsageCase{cli::runSigmets, {}}, UsageCase{cli::runSigmets, {"noaa", "x"}},
                    UsageCase{cli::runSynthesize, {"noaa", "EGLL", "north", "0", "25"}},
                    UsageCase{cli::runSynthesize, {"noaa", "EGLL", "51", "0", "25.5"}},
                    UsageCase{cli::runSynthesize, {"noaa", "EGLL", "51", "0"}},
                    UsageCase{cli::runAttach, {"noaa", "51"}}, UsageCase{cli::runAttach, {"noaa", "51", "x"}}));

}  // namespace
}  // namespace wx
