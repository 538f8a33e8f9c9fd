// Cycles with a flight plan: the plan's airports and the route stations
// ahead beside the nearest stations, all asked in the one METAR request.

#include <gtest/gtest.h>

#include "EngineTestKit.h"
#include "engine/FlightStations.h"
#include "flight/DirectPlan.h"

namespace wx {
namespace {

using test::EngineRig;
using test::metarAnswer;
using Ids = std::vector<std::string>;

// A flight due north from EDEP to EDST, 144 nm: its route stations are
// looked for 50 and 100 nm ahead (at 50.8333 and 51.6667 degrees north).
// Around each of those points lie three airports, 1.9, 3.7 to 7.6 and
// 11 to 15 nm away; the alternate lies east of the destination.
const char* const kFlightAirports =
    "ident,type,latitude_deg,longitude_deg,elevation_ft,name\n"
    "EDEP,medium_airport,50.0,8.0,300,Departure\n"
    "ENRA,small_airport,50.05,8.0,300,Near\n"
    "EROA,small_airport,50.8333,8.05,300,First point, no report\n"
    "EROB,small_airport,50.8333,8.2,300,First point\n"
    "EROC,small_airport,50.8333,8.4,300,First point, farther\n"
    "ERTA,small_airport,51.6667,8.05,300,Second point, no report\n"
    "ERTB,small_airport,51.6667,8.1,300,Second point\n"
    "ERTC,small_airport,51.6667,8.3,300,Second point, farther\n"
    "EDST,large_airport,52.4,8.0,300,Destination\n"
    "EALT,large_airport,52.4,9.0,300,Alternate\n";

std::string report(const std::string& id) { return id + " 071150Z 25010KT 9999 SCT030 12/06 Q1012"; }

class FlightCycle : public testing::Test {
protected:
    void SetUp() override {
        rig.http->route("/api/data/metar", metarAnswer({{"EDEP", report("EDEP")},
                                                        {"ENRA", report("ENRA")},
                                                        {"EROB", report("EROB")},
                                                        {"EROC", report("EROC")},
                                                        {"ERTB", report("ERTB")},
                                                        {"ERTC", report("ERTC")},
                                                        {"EDST", report("EDST")}}));
        rig.http->route("/api/data/isigmet", "[]");
        rig.http->route("/v1/forecast", test::forecastAnswer());
        settings.maxStations = 2;
        settings.plan = makeDirectPlan("EDEP", *rig.airports.findAirport("EDEP"), "EDST",
                                       *rig.airports.findAirport("EDST"));
        settings.alternateId = "EALT";
    }

    EngineRig rig{EngineRig::atFrankfurt(), kFlightAirports};
    EngineSettings settings = EngineRig::threeStations();
};

TEST_F(FlightCycle, WritesThePlansAirportsAndTheRouteStationsAskedInTheOneRequest) {
    rig.run(settings, 1);
    ASSERT_EQ(rig.http->count("/api/data/metar"), 1u);
    for (const std::string& url : rig.http->urls()) {
        if (url.find("/api/data/metar") != std::string::npos) {
            EXPECT_NE(url.find("ids=EDEP,ENRA,EDST,EALT,EROA,EROB,EROC,ERTA,ERTB,ERTC"), std::string::npos) << url;
        }
    }
    std::vector<std::pair<std::string, StationRole>> written;
    for (const test::StationReport& station : rig.reports) {
        written.emplace_back(station.stationId, station.role);
    }
    EXPECT_EQ(written, (std::vector<std::pair<std::string, StationRole>>{{"EDEP", StationRole::Departure},
                                                                         {"ENRA", StationRole::Nearest},
                                                                         {"EDST", StationRole::Destination},
                                                                         {"EALT", StationRole::Alternate},
                                                                         {"EROB", StationRole::Route},
                                                                         {"ERTB", StationRole::Route}}));
    ASSERT_EQ(rig.reports.size(), 6u);
    EXPECT_TRUE(rig.reports[3].weather.synthesized) << "the alternate has no report";
    EXPECT_DOUBLE_EQ(rig.reports[4].distanceNm, distanceNm(50.0, 8.0, 50.8333, 8.2));
    EXPECT_EQ(rig.count("[INFO] --- Cycle (4 stations) ---"), 1);
    EXPECT_EQ(rig.count("[INFO] Flight plan: 2 route stations"), 1);
    EXPECT_EQ(rig.count("[INFO] METAR: 5"), 1) << "the reports of airports not chosen are no station's";
    EXPECT_EQ(rig.count("[METAR] [EROC] " + report("EROC") + " (10 min)"), 0);
    EXPECT_EQ(rig.count("[OK] NWI: 7 points activated"), 1);

    ASSERT_EQ(rig.overviews.size(), 1u);
    const CycleOverview& overview = rig.overviews[0];
    ASSERT_TRUE(overview.route);
    EXPECT_EQ(overview.route->waypoints, settings.plan->waypoints);
    EXPECT_EQ(overview.route->airports, (std::vector<OverviewAirport>{{"EDEP", StationRole::Departure, 50.0, 8.0},
                                                                      {"EDST", StationRole::Destination, 52.4, 8.0},
                                                                      {"EALT", StationRole::Alternate, 52.4, 9.0}}));
    ASSERT_EQ(overview.stations.size(), 6u);
    EXPECT_EQ(overview.stations[4].stationId, "EROB");
    EXPECT_EQ(overview.stations[4].role, StationRole::Route);
}

// While the METAR service does not answer, the kept reports say which
// airports near the route have one.
TEST_F(FlightCycle, KeptReportsChooseTheRouteStationsThroughAnOutage) {
    settings.keepReportsMin = 90;
    rig.run(settings, 2, [&](Engine&, int) {
        rig.http->route("/api/data/metar", std::nullopt);
        rig.http->route("/cgi-bin/data/metar.php", std::nullopt);
    });
    EXPECT_EQ(rig.count("[INFO] Flight plan: 2 route stations"), 2);
    EXPECT_EQ(rig.count("[WARN] METAR service not answering: 5 stations keep their last reports"), 1);
    ASSERT_EQ(rig.reports.size(), 12u);
    EXPECT_EQ(rig.reports[10].stationId, "EROB");
    EXPECT_EQ(rig.reports[10].weather.rawMetar, report("EROB"));
}

struct AheadCase {
    const char* name;
    std::function<void(EngineSettings&)> arrange;
    bool withPosition;
    Ids asked;       // the stations the request asks for anyway
    size_t points;   // the points looked at
    Ids candidates;  // the airports the request asks besides
};

class LookingAlongTheRoute : public FlightCycle, public testing::WithParamInterface<AheadCase> {};

TEST_P(LookingAlongTheRoute, GathersTheAirportsAroundThePointsAhead) {
    const AheadCase& c = GetParam();
    c.arrange(settings);
    const std::optional<SimPosition> position =
        c.withPosition ? std::optional(SimPosition{50.0, 8.0}) : std::nullopt;
    const RouteAhead ahead = lookAlongRoute(settings, position, rig.airports, c.asked);
    EXPECT_EQ(ahead.points.size(), c.points);
    EXPECT_EQ(ahead.nearby.size(), c.points);
    EXPECT_EQ(ahead.candidates, c.candidates);
}

const Ids kAsked{"EDEP", "ENRA", "EDST", "EALT"};

INSTANTIATE_TEST_SUITE_P(
    Cases, LookingAlongTheRoute,
    testing::Values(
        AheadCase{"EveryPointsAirportsOnce", [](EngineSettings&) {}, true, kAsked, 2,
                  Ids{"EROA", "EROB", "EROC", "ERTA", "ERTB", "ERTC"}},
        AheadCase{"AnAirportAskedAnywayIsNoCandidate", [](EngineSettings&) {}, true, Ids{"EDEP", "EROB"}, 2,
                  Ids{"EROA", "EROC", "ERTA", "ERTB", "ERTC"}},
        // One station wanted: five airports at most, so the second point's
        // three do not fit after the first point's three.
        AheadCase{"TheShareForTheStationsWantedEndsTheLook",
                  [](EngineSettings& s) { s.routeStations = 1; }, true, kAsked, 1, Ids{"EROA", "EROB", "EROC"}},
        AheadCase{"NoneWanted", [](EngineSettings& s) { s.routeStations = 0; }, true, kAsked, 0, Ids{}},
        AheadCase{"NoPosition", [](EngineSettings&) {}, false, kAsked, 0, Ids{}},
        AheadCase{"NoPlan", [](EngineSettings& s) { s.plan.reset(); }, true, kAsked, 0, Ids{}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wx
