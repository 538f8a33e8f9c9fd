// The briefing against the web-services stand-in's TAFs: nubiro-cli brief
// at several arrival times, and the briefing event of a run with a plan.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/CliRunner.h"
#include "support/ServicesSimUser.h"
#include "support/TestData.h"
#include "weather/UtcTime.h"

namespace wx {
namespace {

using nlohmann::json;
using std::chrono::hours;

class BriefAgainstServices : public test::ServicesSimUser<> {
protected:
    void SetUp() override {
        ServicesSimUser::SetUp();
        pointServicesAt(sim_.httpUrl);
    }

    static json brief(std::vector<std::string> extra) {
        std::vector<std::string> args{"--airports", test::testDataPath("airports.csv"), "--from", "EGLL",
                                      "--to",       "EGBB",                             "--alternate", "EGKK"};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto result = test::runCli(cli::runBrief, args, "");
        EXPECT_EQ(result.status, 0) << result.err;
        return json::parse(result.out);
    }

    static json airport(const json& briefing, const std::string& icao) {
        for (const json& airport : briefing["airports"]) {
            if (airport["icao"] == icao) {
                return airport;
            }
        }
        return nullptr;
    }
};

// "2026-12-08T16:40Z" moved by `by`, in the form --eta takes.
std::string later(const std::string& time, hours by) {
    const auto at = parseUtcTime(time.substr(0, 16) + ":00Z");
    return at ? formatUtcTime(*at + by) : "";
}

// Birmingham's forecast, hours into its validity: base VFR, TEMPO IFR 2-6,
// BECMG to MVFR complete at 8, PROB30 LIFR 10-14, PROB40 TEMPO of
// thunderstorms alone 18-22, FM 24 CAVOK.
TEST_F(BriefAgainstServices, TheDestinationsForecastAtSeveralArrivalTimes) {
    const json first = brief({});
    ASSERT_EQ(first["airports"].size(), 3u);
    for (const json& airport : first["airports"]) {
        EXPECT_TRUE(airport["taf"].is_object()) << airport.dump();
    }
    const std::string validFrom = airport(first, "EGBB")["taf"]["validFrom"];
    struct AtEta {
        int hours;
        json category;
        json alongside;
    };
    const std::vector<AtEta> cases{
        {1, "VFR", json::array()},
        {3, "VFR", json::array({{{"change", "TEMPO"}, {"category", "IFR"}}})},
        {7, "VFR", json::array()},
        {9, "MVFR", json::array()},
        {11, "MVFR", json::array({{{"change", "PROB30"}, {"category", "LIFR"}}})},
        {19, "MVFR", json::array({{{"change", "PROB40 TEMPO"}, {"category", nullptr}}})},
        {25, "VFR", json::array()},
    };
    for (const AtEta& c : cases) {
        const json atEta = airport(brief({"--eta", later(validFrom, hours(c.hours))}), "EGBB")["atEta"];
        ASSERT_TRUE(atEta.is_object()) << c.hours;
        EXPECT_EQ(atEta["category"], c.category) << c.hours;
        json alongside = json::array();
        for (const json& period : atEta["alongside"]) {
            alongside.push_back({{"change", period["change"]}, {"category", period["category"]}});
        }
        EXPECT_EQ(alongside, c.alongside) << c.hours;
    }
    const json outside = brief({"--eta", later(validFrom, hours(31))});
    EXPECT_EQ(outside["eta"], later(validFrom, hours(31)).substr(0, 16) + "Z");
    EXPECT_TRUE(airport(outside, "EGBB")["atEta"].is_null());
}

// The briefing events of a two-cycle run of the demo's plan at `clock`,
// the simulator's GPS giving 30 minutes to the destination from the second.
std::vector<json> briefingsOfRun(std::vector<std::string> options) {
    std::vector<std::string> args{"--sim", "standin", "--airports", test::testDataPath("airports.csv"), "--lat", "51.47",
                                  "--lon", "-0.46", "--interval-sec", "0", "--plan",
                                  test::testDataPath("plans/demo-egll-egbb.pln"), "--alternate", "EGNX",
                                  "--clock", "2026-12-08T12:00:00Z", "--cycles", "2", "--at-cycle", "1",
                                  "gps 300 1800"};
    args.insert(args.end(), options.begin(), options.end());
    const auto result = test::runCli(cli::runRun, args, "");
    EXPECT_EQ(result.status, 0) << result.err;
    std::vector<json> briefings;
    for (const json& event : test::jsonLines(result.out)) {
        if (event["event"] == "briefing") {
            briefings.push_back(event);
        }
    }
    return briefings;
}

// The first cycle flies the plan's length at 250 kt from the clock; from
// the second the simulator's GPS gives 30 minutes to the destination.
TEST_F(BriefAgainstServices, ARunWithAPlanBriefsEveryCycle) {
    const std::vector<json> briefings = briefingsOfRun({});
    ASSERT_EQ(briefings.size(), 2u);
    EXPECT_EQ(briefings[1]["eta"], "2026-12-08T12:30Z");
    std::vector<std::string> roles;
    for (const json& airport : briefings[0]["airports"]) {
        roles.push_back(airport["role"]);
        EXPECT_TRUE(airport["taf"].is_object()) << airport.dump();
    }
    EXPECT_EQ(roles, (std::vector<std::string>{"departure", "destination", "alternate"}));
}

// A day years back is briefed at its own time, with the TAF the archive
// held in force then.
TEST_F(BriefAgainstServices, APastDayIsBriefedAtItsWeatherTime) {
    const std::vector<json> briefings = briefingsOfRun({"--weather-time", "2022-10-23T14:50Z"});
    ASSERT_EQ(briefings.size(), 2u);
    EXPECT_EQ(briefings[1]["eta"], "2022-10-23T15:20Z");
    const json destination = airport(briefings[1], "EGBB");
    ASSERT_TRUE(destination["taf"].is_object()) << destination.dump();
    EXPECT_LE(destination["taf"]["validFrom"].get<std::string>(), "2022-10-23T15:20Z");
    EXPECT_GT(destination["taf"]["validTo"].get<std::string>(), "2022-10-23T15:20Z");
}

}  // namespace
}  // namespace wx
