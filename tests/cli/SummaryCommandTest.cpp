#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace wx {
namespace {

using test::runCli;

TEST(SummaryCommand, PrintsEachSummaryFollowedByASeparator) {
    const auto decoded = runCli(cli::runDecode, {}, "EDDF 121250Z 27008KT CAVOK 15/09 Q1013\n");
    const auto full = runCli(cli::runSummary, {}, decoded.out);
    ASSERT_EQ(full.status, 0) << full.err;
    EXPECT_EQ(full.out, "EDDF [CAVOK]\n121250Z 27008KT CAVOK 15/09 Q1013\nWIND 08kt/270 QNH 1013 VIS 12000 CLD 0\n----\n");

    const auto shortText = runCli(cli::runSummary, {"--full", "0", "--max", "12", "--extra", "x"}, decoded.out);
    EXPECT_EQ(shortText.out, "EDDF [CAVOK]\n----\n");
}

TEST(SummaryCommand, MissingMembersKeepDefaults) {
    const auto run = runCli(cli::runSummary, {}, "{\"stationId\":\"LFPG\"}\n\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "LFPG\nWIND 00kt/000  QNH 1013\nVIS 9999m  CLD 0\n----\n");
}

TEST(SummaryCommand, ReportsBadLinesAndGoesOn) {
    const auto run =
        runCli(cli::runSummary, {}, "{not json\n[1,2]\n{\"qnhHpa\":\"high\"}\n{\"clouds\":[1]}\n{\"stationId\":\"EGLL\"}\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("line 1: not valid JSON"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 2: not a weather record"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 3: not a weather record"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 4: not a weather record"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "EGLL\nWIND 00kt/000  QNH 1013\nVIS 9999m  CLD 0\n----\n");
}

TEST(SummaryCommand, RejectsUnknownOptions) { EXPECT_EQ(runCli(cli::runSummary, {"--fancy", "1"}, "").status, 2); }

}  // namespace
}  // namespace wx
