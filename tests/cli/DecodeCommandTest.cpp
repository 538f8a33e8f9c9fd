#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/CliRunner.h"
#include "support/TestData.h"

namespace wx {
namespace {

using nlohmann::json;
using test::jsonLines;
using test::runCli;

TEST(DecodeCommand, PrintsEveryFieldInDeclarationOrder) {
    const auto run = runCli(cli::runDecode, {"--elevation", "111"}, "EDDF 121250Z 27008KT 9999 FEW035 15/09 Q1013\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto records = jsonLines(run.out);
    ASSERT_EQ(records.size(), 1u);
    const json& r = records[0];
    std::vector<std::string> keys;
    const auto ordered = nlohmann::ordered_json::parse(run.out.substr(0, run.out.find('\n')));
    for (const auto& item : ordered.items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"stationId", "elevationM", "windDirDeg", "windSpeedKt", "windGustKt",
                                              "visibilityM", "qnhHpa", "temperatureC", "dewpointC", "precipType",
                                              "precipRate", "clouds", "upperAir", "cavok", "synthesized",
                                              "turbulence", "rawMetar", "sigmets", "observationTime"}));
    EXPECT_EQ(r["stationId"], "EDDF");
    EXPECT_EQ(r["elevationM"], 111);
    EXPECT_EQ(r["observationTime"], (json{{"hour", 12}, {"minute", 50}}));
    EXPECT_EQ(r["clouds"][0],
              (json{{"baseM", 1066}, {"coverOktas", 2}, {"type", ""}, {"turbulence", 0}, {"icing", 0},
                    {"source", "METAR"}, {"topM", 0}, {"hasTop", false}}));
}

struct StationCase {
    const char* line;
    const char* station;
};

class DecodeStation : public testing::TestWithParam<StationCase> {};

TEST_P(DecodeStation, IsTheFirstFourCharacterWord) {
    const auto run = runCli(cli::runDecode, {}, std::string(GetParam().line) + "\n");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(jsonLines(run.out).at(0)["stationId"], GetParam().station);
}

INSTANTIATE_TEST_SUITE_P(Lines, DecodeStation,
                         testing::Values(StationCase{"EGLL 121250Z 27015KT", "EGLL"},
                                         StationCase{"METAR EDDB 220720Z VRB02KT", "EDDB"},
                                         StationCase{"SPECI KJFK 121251Z 18010KT", "KJFK"},
                                         StationCase{"METAR COR LFPG 220700Z 24005KT", "LFPG"},
                                         StationCase{"KS85 121250Z AUTO", "KS85"},
                                         StationCase{"121250Z 27015KT", ""}));

TEST(DecodeCommand, OptionsShapeTheRecord) {
    const std::string line = "EDDF 121250Z 27008KT CAVOK 15/09 Q1013 RMK RA\n";
    const auto haze = jsonLines(runCli(cli::runDecode, {"--cavok-vis", "8000", "--station", "XXXX"}, line).out);
    EXPECT_EQ(haze.at(0)["visibilityM"], 8000);
    EXPECT_EQ(haze.at(0)["stationId"], "XXXX");
    EXPECT_EQ(haze.at(0)["precipType"], 0);

    const auto finalized = jsonLines(runCli(cli::runDecode, {"--cavok-haze", "0", "--finalize"}, line).out);
    EXPECT_EQ(finalized.at(0)["precipType"], 1);
    EXPECT_EQ(finalized.at(0)["clouds"].size(), 3u);
}

TEST(DecodeCommand, SkipsEmptyLinesAndDecodesAnythingElse) {
    const auto run = runCli(cli::runDecode, {}, "\nEGLL 121250Z 27015KT\r\n\n\x01\xff garbage\n   \n");
    ASSERT_EQ(run.status, 0);
    const auto records = jsonLines(run.out);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0]["rawMetar"], "EGLL 121250Z 27015KT");
    EXPECT_EQ(records[2]["rawMetar"], "   ");
}

TEST(DecodeCommand, RejectsUnknownOptionsAndBadNumbers) {
    EXPECT_EQ(runCli(cli::runDecode, {"--bogus", "1"}, "").status, 2);
    EXPECT_EQ(runCli(cli::runDecode, {"--elevation", "high"}, "").status, 2);
    EXPECT_EQ(runCli(cli::runDecode, {"--elevation"}, "").status, 2);
}

TEST(DecodeCommand, DecodesTheWholeCorpus) {
    std::string input;
    for (const std::string& line : test::testDataLines("metar-corpus.txt")) {
        input += line + "\n";
    }
    const auto run = runCli(cli::runDecode, {"--finalize"}, input);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(jsonLines(run.out).size(), test::testDataLines("metar-corpus.txt").size());
}

}  // namespace
}  // namespace wx
