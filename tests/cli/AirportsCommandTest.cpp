#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/CliRunner.h"
#include "support/ScratchDir.h"

namespace wx {
namespace {

using nlohmann::json;
using test::runCli;

const char* const kList =
    "\"ident\",\"name\",\"latitude_deg\",\"longitude_deg\",\"elevation_ft\",\"type\"\n"
    "\"EGLL\",\"London Heathrow\",51.470748,-0.459909,83,\"large_airport\"\n"
    "\"EGWU\",\"RAF Northolt\",51.553001,-0.418167,124,\"medium_airport\"\n"
    "\"LFPG\",\"Paris, CDG\",49.00896,2.554117,392,\"large_airport\"\n"
    "\"EGKK\",\"Gatwick\",51.148102,-0.190278,202,\"closed\"\n";

class AirportsCommand : public testing::Test {
protected:
    test::ScratchDir scratch_;
    std::string list_ = scratch_.write("list.csv", kList);
};

TEST_F(AirportsCommand, FindPrintsOneObject) {
    const auto run = runCli(cli::runAirports, {"find", list_, "lfpg"}, "");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"ident\":\"LFPG\",\"name\":\"Paris, CDG\",\"lat\":49.00896,\"lon\":2.554117,\"elevationM\":119,"
              "\"type\":\"large_airport\"}\n");
    EXPECT_EQ(run.err, "[INFO] Airport DB loaded: 3 stations.\n");
}

TEST_F(AirportsCommand, FindFailsForAnAirportNotKept) {
    const auto run = runCli(cli::runAirports, {"find", list_, "EGKK"}, "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("no airport EGKK in " + list_), std::string::npos) << run.err;
}

TEST_F(AirportsCommand, NearestPrintsOneObjectPerAirportNearestFirst) {
    const auto run = runCli(cli::runAirports, {"nearest", list_, "51.47", "-0.46", "5", "200.5"}, "");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto printed = test::textLines(run.out);
    ASSERT_EQ(printed.size(), 3u);
    std::vector<std::string> idents;
    for (const std::string& line : printed) {
        const json object = json::parse(line);
        EXPECT_EQ(object.size(), 3u);
        idents.push_back(object.at("ident"));
        EXPECT_LE(object.at("distanceNm").get<double>(), 200.5);
    }
    EXPECT_EQ(idents, (std::vector<std::string>{"EGLL", "EGWU", "LFPG"}));
    EXPECT_EQ(json::parse(printed[1]).at("name"), "RAF Northolt");

    const auto limited = runCli(cli::runAirports, {"nearest", list_, "51.47", "-0.46", "1", "10"}, "");
    EXPECT_EQ(test::textLines(limited.out).size(), 1u);
}

TEST_F(AirportsCommand, LoadPrintsTheCountAndTheTime) {
    const auto run = runCli(cli::runAirports, {"load", list_}, "");
    ASSERT_EQ(run.status, 0) << run.err;
    const json object = json::parse(run.out);
    EXPECT_EQ(object.at("stored"), 3);
    EXPECT_GE(object.at("loadMs").get<double>(), 0.0);
}

TEST_F(AirportsCommand, UnreadableListExitsWithOne) {
    const auto run = runCli(cli::runAirports, {"load", list_ + ".missing"}, "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "[ERROR] Cannot open airport cache.\nno airports loaded from " + list_ + ".missing\n");
}


class AirportsUsage : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(AirportsUsage, IsAUsageError) { EXPECT_EQ(runCli(cli::runAirports, GetParam(), "").status, 2); }

INSTANTIATE_TEST_SUITE_P(Words, AirportsUsage,
                         testing::Values(std::vector<std::string>{}, std::vector<std::string>{"list"},
                                         std::vector<std::string>{"find", "x.csv"},
                                         std::vector<std::string>{"load"},
                                         std::vector<std::string>{"nearest", "x.csv", "51", "0", "5"},
                                         std::vector<std::string>{"nearest", "x.csv", "north", "0", "5", "10"},
                                         std::vector<std::string>{"nearest", "x.csv", "51", "0", "5.5", "10"}));

}  // namespace
}  // namespace wx
