#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliRunner.h"

namespace wx {
namespace {

using test::runCli;

TEST(NwiRecordCommand, PrintsEachRecordAsThirtyTwoHexLines) {
    const auto decoded = runCli(cli::runDecode, {"--finalize", "--elevation", "-3"},
                                "EHAM 121225Z 24012KT 9999 SCT010 07/03 Q1013\n"
                                "EDDF 121220Z 27008KT CAVOK 15/09 Q1020\n");
    ASSERT_EQ(decoded.status, 0) << decoded.err;
    const auto run = runCli(cli::runNwiRecord, {"--magvar", "10"}, decoded.out);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = test::textLines(run.out);
    ASSERT_EQ(lines.size(), 32u + 1 + 32);
    EXPECT_EQ(lines[0], "0000: 00 00 00 00 00 00 00 00 45 48 41 4d 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                        "00 00 00 00");
    // QNH 1013 × 16, 15000, visibility 621, one temperature layer at 0 m (the
    // station lies 3 m below sea level), 7 °C.
    EXPECT_EQ(lines[1], "0020: 00 00 00 00 00 00 00 00 50 3f 00 00 98 3a 00 00 6d 02 00 00 01 00 00 00 00 00 07 00 "
                        "00 00 03 00");
    // Surface wind at 997 m, 12 kt, 230° magnetic.
    EXPECT_EQ(lines[7].substr(0, 6), "00e0: ");
    EXPECT_EQ(lines[7].substr(6 + 3 * 24), "01 00 00 00 e5 03 0c 00");
    EXPECT_EQ(lines[8].substr(6, 3 * 5 - 1), "00 00 8e a3 00");
    EXPECT_EQ(lines[31].substr(0, 5), "03e0:");
    EXPECT_EQ(lines[32], "");
    EXPECT_EQ(lines[33].substr(0, 41), "0000: 00 00 00 00 00 00 00 00 45 44 44 46");
}

TEST(NwiRecordCommand, ReportsBadLinesAndGoesOn) {
    const auto run = runCli(cli::runNwiRecord, {}, "{oops\n{\"clouds\":5}\n{\"stationId\":\"GLOB\"}\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("line 1: not valid JSON"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 2: not a weather record"), std::string::npos) << run.err;
    EXPECT_EQ(test::textLines(run.out).size(), 32u);
    EXPECT_EQ(runCli(cli::runNwiRecord, {"--magvar", "east"}, "").status, 2);
}

TEST(NwiRecordCommand, RefusesNumbersTheirFieldsCannotHold) {
    struct Case {
        const char* line;
        bool accepted;
    };
    const Case kCases[] = {
        {R"({"elevationM":1e20})", false},
        {R"({"visibilityM":4294967297})", false},
        {R"({"clouds":[{"baseM":-3000000000}]})", false},
        {R"({"upperAir":[{"altitudeM":2147483648}]})", false},
        {R"({"temperatureC":1e39})", false},
        {R"({"elevationM":2147483647,"qnhHpa":-2147483648})", true},
        {R"({"upperAir":[{"temperatureC":-3.4e38,"windSpeedKt":12.9}]})", true},
    };
    for (const Case& c : kCases) {
        const auto run = runCli(cli::runNwiRecord, {}, std::string(c.line) + "\n");
        EXPECT_EQ(run.status, c.accepted ? 0 : 1) << c.line;
        EXPECT_EQ(test::textLines(run.out).size(), c.accepted ? 32u : 0u) << c.line;
        if (!c.accepted) {
            EXPECT_NE(run.err.find("line 1: not a weather record"), std::string::npos) << c.line << ": " << run.err;
        }
    }
}

}  // namespace
}  // namespace wx
