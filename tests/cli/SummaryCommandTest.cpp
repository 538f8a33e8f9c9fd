#include <gtest/gtest.h>

#include <ostream>

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

struct RangeCase {
    const char* record;
    const char* summary;  // null: the record is refused
};

void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.record; }

class SummaryNumbers : public testing::TestWithParam<RangeCase> {};

// A number that does not fit its field is refused, never wrapped into a
// plausible reading.
TEST_P(SummaryNumbers, MustFitTheirFields) {
    const auto run = runCli(cli::runSummary, {"--full", "0"}, std::string(GetParam().record) + "\n");
    if (GetParam().summary == nullptr) {
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("line 1: not a weather record"), std::string::npos) << run.err;
    } else {
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, std::string(GetParam().summary) + "\n----\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, SummaryNumbers,
    testing::Values(RangeCase{R"({"qnhHpa":99999999999})", nullptr},
                    RangeCase{R"({"qnhHpa":2147483648})", nullptr},
                    RangeCase{R"({"visibilityM":-2147483649})", nullptr},
                    RangeCase{R"({"visibilityM":1e300})", nullptr},
                    RangeCase{R"({"windSpeedKt":18446744073709551615})", nullptr},
                    RangeCase{R"({"temperatureC":1e39})", nullptr},
                    RangeCase{R"({"clouds":[{"icing":4294967297}]})", nullptr},
                    RangeCase{R"({"upperAir":[{"temperatureC":-1e300}]})", nullptr},
                    RangeCase{R"({"qnhHpa":2147483647,"visibilityM":-2147483648})",
                              "\nWIND 00kt/000  QNH 2147483647\nVIS -2147483648m  CLD 0"},
                    RangeCase{R"({"visibilityM":2147483647.5,"temperatureC":-3.4e38})",
                              "\nWIND 00kt/000  QNH 1013\nVIS 2147483647m  CLD 0"}));

TEST(SummaryCommand, RejectsUnknownOptions) { EXPECT_EQ(runCli(cli::runSummary, {"--fancy", "1"}, "").status, 2); }

}  // namespace
}  // namespace wx
