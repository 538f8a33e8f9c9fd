// nubiro-cli run against the web-services stand-in with its SIGMETs, the
// in-process simulator stand-in and the real airport list: weather where
// the areas really are, across the 180th meridian and over open water.

#include <gtest/gtest.h>

#include <map>

#include <nlohmann/json.hpp>

#include "cli/CliRunner.h"
#include "platform/PlatformDefaults.h"
#include "support/Environment.h"
#include "support/ScratchDir.h"
#include "support/ServicesSimUser.h"
#include "support/TestData.h"
#include "sources/HttpTransport.h"

namespace wx {
namespace {

using nlohmann::json;
using test::jsonLines;
using test::runCli;

class RunAgainstServices : public test::ServicesSimUser<> {
protected:
    void SetUp() override {
        ServicesSimUser::SetUp();
        pointServicesAt(sim_.httpUrl);
    }

    std::vector<json> run(const std::string& lat, const std::string& lon, std::vector<std::string> extra) const {
        std::vector<std::string> args{"--sim", "standin", "--airports", test::testDataPath("airports.csv"),
                                      "--lat", lat, "--lon", lon, "--interval-sec", "0"};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto result = runCli(cli::runRun, args, "");
        EXPECT_EQ(result.status, 0) << result.err;
        return jsonLines(result.out);
    }

    static std::vector<json> named(const std::vector<json>& events, const std::string& name) {
        std::vector<json> found;
        for (const json& event : events) {
            if (event.value("event", "") == name) {
                found.push_back(event);
            }
        }
        return found;
    }

    static int logged(const std::vector<json>& events, const std::string& message) {
        int count = 0;
        for (const json& event : named(events, "log")) {
            count += event.value("message", "") == message ? 1 : 0;
        }
        return count;
    }
};

int sigmetClouds(const json& weather) {
    int count = 0;
    for (const json& cloud : weather["clouds"]) {
        count += cloud["type"] == "CB" && cloud["source"] == "SIGMET" ? 1 : 0;
    }
    return count;
}

bool hasSigmetCloud(const json& weather) { return sigmetClouds(weather) > 0; }

// The Nadi area spans 176°E to 176°W: Nadi lies under it, Mauritius, in the
// same latitudes on the other side of the globe, does not.
TEST_F(RunAgainstServices, TheAreaAcrossTheDateLineCoversOnlyItsStations) {
    const auto events = run("-17.76", "177.44",
                            {"--station-mode", "manual", "--manual-stations", "NFFN,FIMP", "--cycles", "1"});
    std::map<std::string, json> weather;
    for (const json& station : named(events, "station")) {
        weather[station["stationId"]] = station["weather"];
    }
    ASSERT_EQ(weather.size(), 2u);
    EXPECT_EQ(weather["NFFN"]["sigmets"], json({"TS@NFFF"}));
    EXPECT_TRUE(hasSigmetCloud(weather["NFFN"]));
    EXPECT_EQ(weather["FIMP"]["sigmets"], json::array());
    EXPECT_FALSE(hasSigmetCloud(weather["FIMP"]));
    EXPECT_EQ(logged(events, "[FIMP] SIGMET: none in area (23 global)"), 1);
}

// What one station got from the stand-in's SIGMETs in one cycle.
struct SigmetOutcome {
    json tags;
    int clouds;       // cumulonimbus layers from SIGMETs
    std::string line; // the evaluation's line for it, logged exactly once
};

struct RealShapeCase {
    const char* name;
    const char* lat;
    const char* lon;
    std::map<std::string, SigmetOutcome> stations;
};

class RealSigmetShapes : public RunAgainstServices, public testing::WithParamInterface<RealShapeCase> {};

// The stand-in's SIGMETs as the service sent them one afternoon: each
// station under them gets each hazard once, and none from rows out of force.
TEST_P(RealSigmetShapes, ApplyOncePerStation) {
    std::string ids;
    for (const auto& [id, outcome] : GetParam().stations) {
        ids += (ids.empty() ? "" : ",") + id;
    }
    const auto events = run(GetParam().lat, GetParam().lon,
                            {"--station-mode", "manual", "--manual-stations", ids, "--cycles", "1"});
    std::map<std::string, json> weather;
    for (const json& station : named(events, "station")) {
        weather[station["stationId"]] = station["weather"];
    }
    for (const auto& [id, expected] : GetParam().stations) {
        SCOPED_TRACE(id);
        ASSERT_EQ(weather.count(id), 1u);
        EXPECT_EQ(weather[id]["sigmets"], expected.tags);
        EXPECT_EQ(sigmetClouds(weather[id]), expected.clouds);
        EXPECT_EQ(logged(events, expected.line), 1);
    }
}

const json kNoTags = json::array();

INSTANTIATE_TEST_SUITE_P(
    Cases, RealSigmetShapes,
    testing::Values(
        // Berbérati lies in the second of the Brazzaville SIGMET's three
        // areas, Bangui in none.
        RealShapeCase{"SeveralAreas", "4.22", "15.79",
                      {{"FEFT", {json({"TS@FCCC"}), 1, "[FEFT] SIGMET TS (FCCC)"}},
                       {"FEFF", {kNoTags, 0, "[FEFF] SIGMET: none in area (23 global)"}}}},
        // Saipan under the cyclone and its forecast position, the same area.
        RealShapeCase{"TropicalCycloneAndItsTwin", "15.12", "145.73",
                      {{"PGSN", {json({"TC@KZAK"}), 1, "[PGSN] SIGMET TC (KZAK)"}}}},
        // Northland under severe turbulence that ended 15 minutes before
        // the capture and severe icing that begins three hours after it.
        RealShapeCase{"EndedAndNotYetBegun", "-35.07", "173.29",
                      {{"NZWQ", {kNoTags, 0, "[NZWQ] SIGMET: none in area (23 global)"}},
                       {"NZKT", {kNoTags, 0, "[NZKT] SIGMET: none in area (23 global)"}}}},
        // A thunderstorm bulletin received twice, on two circuits.
        RealShapeCase{"RepeatedBulletin", "10.0", "-83.0",
                      {{"MNCI", {json({"TS@MHTG"}), 1, "[MNCI] SIGMET TS (MHTG)"}},
                       {"MRGF", {json({"TS@MHTG"}), 1, "[MRGF] SIGMET TS (MHTG)"}}}}),
    [](const auto& info) { return std::string(info.param.name); });

// Mid-Atlantic, no airport within 150 nm: the model's weather at the
// aircraft, with the ocean's thunderstorm SIGMET, is written every cycle.
TEST_F(RunAgainstServices, OverOpenWaterTheGlobalPointIsWrittenEveryCycle) {
    const auto events = run("45", "-30", {"--cycles", "2"});
    EXPECT_EQ(logged(events, "--- Cycle (0 stations) ---"), 2);
    EXPECT_EQ(logged(events, "[GLOB] SIGMET TS (LPPO)"), 2);
    EXPECT_EQ(logged(events, "NWI: 1 points activated"), 2);
    const auto records = named(events, "record");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1]["station"], "GLOB");
    EXPECT_EQ(named(events, "activate").size(), 2u);
    for (const json& event : named(events, "log")) {
        EXPECT_NE(event.value("message", "").rfind("METAR: ", 0), 0u) << "no METAR request";
    }
}

// The stand-in shows the nearest station's weather at the aircraft: the
// read-back agrees; once it shows another QNH the second cycle warns.
TEST_F(RunAgainstServices, TheReadBackAgreesThenWarnsWhenTheSimulatorDiffers) {
    const auto events = run("51.4706", "-0.4619",
                            {"--station-mode", "manual", "--manual-stations", "EGLL", "--magvar", "-1.5", "--cycles",
                             "3", "--at-cycle", "1", "ambient qnh 990"});
    const auto readBacks = named(events, "readback");
    ASSERT_EQ(readBacks.size(), 3u);
    EXPECT_EQ(readBacks[0]["stationId"], "EGLL");
    EXPECT_EQ(readBacks[0]["matches"], true);
    EXPECT_EQ(readBacks[0]["simulator"]["qnhHpa"], readBacks[0]["sent"]["qnhHpa"]);
    EXPECT_EQ(readBacks[1]["differing"], json({"QNH"}));
    const std::string warning = "Read-back differs from the weather sent: QNH 990 (sent " +
                                readBacks[0]["sent"]["qnhHpa"].dump() + ")";
    EXPECT_EQ(logged(events, warning), 1);
}

// The service's QNH 6 hPa higher from the second fetch on: with smooth
// changes the simulator gets it in 1 hPa steps, one a cycle without
// requests, and then keeps it.
TEST_F(RunAgainstServices, SmoothChangesBringANewQnhInOneHectopascalSteps) {
    ASSERT_TRUE(sim_.setFault(*control_, "/api/data/metar", "qnh-rise:6"));
    const size_t before = sim_.requests().size();
    const auto events = run("51.4706", "-0.4619",
                            {"--station-mode", "manual", "--manual-stations", "EGLL", "--global-layer", "0",
                             "--smooth-changes", "1", "--interval-sec", "2", "--cycles", "8"});
    std::vector<double> qnh;
    for (const json& record : named(events, "record")) {
        qnh.push_back(record["qnhHpa"].get<double>());
    }
    EXPECT_EQ(qnh, (std::vector<double>{1019, 1020, 1021, 1022, 1023, 1024, 1025, 1025}));
    EXPECT_EQ(logged(events, "Smooth change: 1 stations still moving"), 5);
    const auto requests = sim_.requests();
    const auto metarRequests = std::count_if(requests.begin() + static_cast<long>(before), requests.end(),
                                             [](const json& r) { return r.value("path", "") == "/api/data/metar"; });
    EXPECT_EQ(metarRequests, 3) << "the first two cycles and the one after the steps";
}

// Each station event of a run with a role, by role ("route" may repeat).
std::multimap<std::string, json> stationsByRole(const std::vector<json>& stations) {
    std::multimap<std::string, json> byRole;
    for (const json& station : stations) {
        if (station.contains("role")) {
            byRole.emplace(station["role"].get<std::string>(), station);
        }
    }
    return byRole;
}

// The METAR requests among the stand-in's requests from `first` on.
std::vector<std::string> metarTargets(const std::vector<json>& requests, size_t first) {
    std::vector<std::string> targets;
    for (size_t i = first; i < requests.size(); ++i) {
        if (requests[i].value("path", "") == "/api/data/metar") {
            targets.push_back(requests[i].value("target", ""));
        }
    }
    return targets;
}

// From Geneva to Southend with Gatwick as alternate, the aircraft over
// Picardy 140 nm short of Southend: the first cycle writes the destination
// and the alternate from their reports, the departure, and the stations
// 50 and 100 nm ahead on the route, every one asked in the cycle's one
// METAR request.
TEST_F(RunAgainstServices, APlanWritesTheDestinationTheAlternateAndTheRouteInTheFirstCycle) {
    const size_t before = sim_.requests().size();
    const auto events = run("49.62", "2.72", {"--plan", test::testDataPath("plans/fs9-long-lsgg-egmc.pln"),
                                              "--alternate", "EGKK", "--cycles", "1"});
    EXPECT_EQ(logged(events, "Flight plan: LSGG \xE2\x86\x92 EGMC (alternate EGKK), 7 waypoints, 388 nm, cruise FL350"),
              1);
    EXPECT_EQ(logged(events, "Flight plan: 2 route stations"), 1);
    const auto byRole = stationsByRole(named(events, "station"));
    ASSERT_EQ(byRole.count("destination"), 1u);
    ASSERT_EQ(byRole.count("alternate"), 1u);
    ASSERT_EQ(byRole.count("departure"), 1u);
    const json& destination = byRole.find("destination")->second;
    EXPECT_EQ(destination["stationId"], "EGMC");
    EXPECT_NEAR(destination["distanceNm"].get<double>(), 140.0, 1.0);
    EXPECT_EQ(byRole.find("alternate")->second["stationId"], "EGKK");
    EXPECT_EQ(byRole.find("departure")->second["stationId"], "LSGG");
    std::vector<std::string> route;
    for (auto [it, end] = byRole.equal_range("route"); it != end; ++it) {
        route.push_back(it->second["stationId"]);
    }
    EXPECT_EQ(route, (std::vector<std::string>{"LFAT", "LFAC"}));
    for (const auto& [role, station] : byRole) {
        EXPECT_NE(station["weather"]["rawMetar"], "") << station["stationId"] << " is written from its report";
    }
    const auto targets = metarTargets(sim_.requests(), before);
    ASSERT_EQ(targets.size(), 1u);
    for (const char* id : {"LSGG", "EGMC", "EGKK", "LFAT", "LFAC"}) {
        EXPECT_NE(targets[0].find(id), std::string::npos) << id;
    }
}

// Two airports typed in make a plan of one leg.
TEST_F(RunAgainstServices, TypedAirportsFlyAPlanOfOneLeg) {
    const auto events = run("52.6758", "1.2828", {"--from", "egsh", "--to", "EGBB", "--cycles", "1"});
    EXPECT_EQ(logged(events, "Flight plan: EGSH \xE2\x86\x92 EGBB, 2 waypoints, 111 nm"), 1);
    const auto byRole = stationsByRole(named(events, "station"));
    ASSERT_EQ(byRole.count("departure"), 1u);
    ASSERT_EQ(byRole.count("destination"), 1u);
    EXPECT_EQ(byRole.find("departure")->second["stationId"], "EGSH");
    EXPECT_EQ(byRole.find("destination")->second["stationId"], "EGBB");
}

// A plan file that cannot be read is one warning; the run goes on without
// a plan.
TEST_F(RunAgainstServices, APlanThatCannotBeReadIsOneWarningAndTheRunGoesOn) {
    test::ScratchDir scratch;
    const std::string plan = scratch.write("broken.pln",
                                           "[flightplan]\n"
                                           "title=EGSH to EGBB\n"
                                           "departure_id=EGSH, N52* 40.55', E1* 16.93', +000117.00\n"
                                           "destination_id=EGBB, N52* 27.21', W1* 44.88', +000325.00\n"
                                           "waypoint.0=EGSH, A, N52* 40.55', E1* 16.93', +000117.00, \n"
                                           "waypoint.1=DTY, V, N52* 10.81', W1* 6.83', +009500.00, \n"
                                           "waypoint.2=EGBB, A, N52* 27.21', W1* 184.88', +000325.00, \n");
    const auto events = run("52.6758", "1.2828", {"--plan", plan, "--cycles", "1"});
    EXPECT_EQ(logged(events, "Flight plan not read: " + plan +
                                 ", line 7: waypoint.2: longitude \"W1* 184.88'\" is out of range"),
              1);
    int planLines = 0;
    for (const json& event : named(events, "log")) {
        planLines += event.value("message", "").rfind("Flight plan", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(planLines, 1);
    const auto stations = named(events, "station");
    EXPECT_EQ(stations.size(), 20u);
    EXPECT_TRUE(stationsByRole(stations).empty());
}

// A weather time sets the simulator's date (the local day of the year and
// the year) and then its clock, to that time shifted by the simulator's
// own offset.
TEST_F(RunAgainstServices, AWeatherTimeSetsTheSimulatorsDateAndClock) {
    const auto events =
        run("51.47", "-0.46", {"--cycles", "1", "--utc", "12:00", "--local", "13:00", "--weather-time", "2022-10-23T14:50Z"});
    const auto dates = named(events, "date");
    ASSERT_EQ(dates.size(), 1u);
    EXPECT_EQ(dates[0]["dayOfYear"], 296);
    EXPECT_EQ(dates[0]["year"], 2022);
    const auto clock = named(events, "time");
    ASSERT_EQ(clock.size(), 2u);
    EXPECT_EQ(clock[1]["local"], "15:50");
    EXPECT_EQ(clock[1]["utc"], "14:50");
    EXPECT_EQ(logged(events, "Weather time: 2022-10-23 14:50Z, running on from the start"), 1);
}

}  // namespace
}  // namespace wx
