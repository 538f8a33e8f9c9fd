#include <gtest/gtest.h>

#include "app/ProgramOptions.h"

namespace wx {
namespace {

TEST(ProgramOptions, TheCommandLine) {
    using Args = std::vector<std::string>;
    struct Case {
        Args args;
        std::optional<ProgramOptions> expected;
    };
    const Case cases[] = {
        {{}, ProgramOptions{}},
        {{"--start", "--minimized"}, ProgramOptions{std::nullopt, true, true, std::nullopt}},
        {{"--minimized", "--plan", "C:\\Plans\\EGLL to EGBB.pln", "--start"},
         ProgramOptions{"C:\\Plans\\EGLL to EGBB.pln", true, true}},
        {{"--eta", "2026-12-08 16:40", "--start"}, ProgramOptions{std::nullopt, true, false, "2026-12-08 16:40"}},
        {{"--eta", "16:40"}, ProgramOptions{std::nullopt, false, false, "16:40"}},
        {{"--eta", ""}, std::nullopt},
        {{"--eta", "16.40"}, std::nullopt},
        {{"--eta", "16:40", "--eta", "17:00"}, std::nullopt},
        {{"--weather-time", "2022-10-23T14:50Z", "--start"}, ProgramOptions{std::nullopt, true, false, std::nullopt, "2022-10-23T14:50Z"}},
        {{"--weather-time"}, std::nullopt},
        {{"--weather-time", "now", "--weather-time", "now"}, std::nullopt},
        {{"--plan"}, std::nullopt},
        {{"--plan", ""}, std::nullopt},
        {{"--plan", "a.pln", "--plan", "b.pln"}, std::nullopt},
        {{"--start", "--start"}, std::nullopt},
        {{"--minimised"}, std::nullopt},
        {{"a.pln"}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseProgramOptions(c.args), c.expected) << testing::PrintToString(c.args);
    }
}

}  // namespace
}  // namespace wx
